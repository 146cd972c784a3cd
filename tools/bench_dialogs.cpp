// Prints the median time from MessageBoxA to the skinned box on the screen (still
// transparent) and to the box fully faded in (alpha 250).
// With "hold", shows one box and leaves it open for screenshots.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchClock.h"
#include "skin/SkinCore.h"

namespace {

constexpr char caption[] = "Velmora bench";
constexpr int rounds = 15;

// Times in milliseconds on bench::nowMs.
struct Watch {
    double start = 0;
    double shown = 0;
    double fadedIn = 0;
    DWORD holdMs = 0;
};

int alphaOf(HWND box) {
    BYTE alpha = 0;
    DWORD flags = 0;
    return GetLayeredWindowAttributes(box, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : -1;
}

// Polls the box from its own thread, so that the UI thread's timers play no part.
DWORD WINAPI watchBox(void* param) {
    auto* watch = static_cast<Watch*>(param);
    HWND box = nullptr;
    while (!box) {
        box = FindWindowA("#32770", caption);
        Sleep(0);
    }
    while (GetPropA(box, "Hw_hProc") == nullptr || !IsWindowVisible(box)) Sleep(0);
    watch->shown = bench::nowMs();
    while (alphaOf(box) != 250) Sleep(1);
    watch->fadedIn = bench::nowMs();
    Sleep(watch->holdMs);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return 0;
}

void showOne(Watch& watch) {
    HANDLE thread = CreateThread(nullptr, 0, watchBox, &watch, 0, nullptr);
    skin::installCbtHook();
    watch.start = bench::nowMs();
    MessageBoxA(nullptr, "安装目录不能为空，请选择安装目录。", caption, MB_OK);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

}  // namespace

int main(int argc, char** argv) {
    skin::SkinEngine engine;
    skin::initSkinModule();
    if (argc > 1 && std::strcmp(argv[1], "hold") == 0) {
        Watch watch;
        watch.holdMs = 60000;
        showOne(watch);
        return 0;
    }
    std::vector<double> shown, fadedIn;
    for (int i = 0; i < rounds; ++i) {
        Watch watch;
        showOne(watch);
        shown.push_back(watch.shown - watch.start);
        fadedIn.push_back(watch.fadedIn - watch.start);
    }
    std::printf("MessageBoxA to skinned box shown:  median %.1f ms (%d boxes)\n", bench::median(shown), rounds);
    std::printf("MessageBoxA to fully faded in:     median %.1f ms (min %.1f, max %.1f; the fade is 5 x 40 ms)\n",
                bench::median(fadedIn), *std::min_element(fadedIn.begin(), fadedIn.end()),
                *std::max_element(fadedIn.begin(), fadedIn.end()));
    skin::releaseAllSkinState();
    return 0;
}
