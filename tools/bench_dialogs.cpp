// Prints the median time from MessageBoxA to the skinned box on the screen (still
// transparent) and to the box fully faded in (alpha 250).
// With "hold", shows one box and leaves it open for screenshots.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "skin/SkinCore.h"

namespace {

constexpr char caption[] = "Velmora bench";
constexpr int rounds = 15;

LARGE_INTEGER now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

double msBetween(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Watch {
    LARGE_INTEGER start{};
    LARGE_INTEGER shown{};
    LARGE_INTEGER fadedIn{};
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
    watch->shown = now();
    while (alphaOf(box) != 250) Sleep(1);
    watch->fadedIn = now();
    Sleep(watch->holdMs);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return 0;
}

void showOne(Watch& watch) {
    HANDLE thread = CreateThread(nullptr, 0, watchBox, &watch, 0, nullptr);
    skin::installCbtHook();
    watch.start = now();
    MessageBoxA(nullptr, "安装目录不能为空，请选择安装目录。", caption, MB_OK);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
        shown.push_back(msBetween(watch.start, watch.shown));
        fadedIn.push_back(msBetween(watch.start, watch.fadedIn));
    }
    std::printf("MessageBoxA to skinned box shown:  median %.1f ms (%d boxes)\n", median(shown), rounds);
    std::printf("MessageBoxA to fully faded in:     median %.1f ms (min %.1f, max %.1f; the fade is 5 x 40 ms)\n",
                median(fadedIn), *std::min_element(fadedIn.begin(), fadedIn.end()),
                *std::max_element(fadedIn.begin(), fadedIn.end()));
    skin::releaseAllSkinState();
    return 0;
}
