// Prints the median time of a full frame paint of a 901 x 661 framed window (caption
// height 110, status bar, the JPEG backdrop stretched), of one after a size change
// (the picture decoded and scaled anew) and of one caption-button fade step.
#include <windows.h>

#include <cstdio>
#include <functional>

#include "BenchClock.h"
#include "assets/Assets.h"
#include "skin/SkinCore.h"

namespace {

// Mean CPU time of this thread per round.
double cpuMs(int rounds, const std::function<void()>& work) {
    const double start = bench::threadCpuMs();
    for (int i = 0; i < rounds; ++i) work();
    return (bench::threadCpuMs() - start) / rounds;
}

}  // namespace

int main() {
    skin::SkinEngine engine;
    skin::initSkinModule();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BenchFrame";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "BenchFrame", "Velmora", WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0, 901,
                                661, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    engine.setSkinBackground("", ImgBackdrop.bytes(), std::nullopt, 0x0051AE51, 3);
    engine.configure(1, 0);
    engine.skinWindow(hwnd, 110, {.hasCaption = 1, .sizable = 0, .drawCaptionText = 1, .statusBarHeight = 25});
    const int index = skin::findSkinIndex(hwnd);
    engine.paintFrame(index);

    std::printf("paintFrame 901x661, caption 110, status bar, JPEG mode 3: median %.2f ms (100 rounds)\n",
                bench::medianMs(100, [&] { engine.paintFrame(index); }));
    std::printf("  the same, thread CPU time:                             mean %.2f ms (300 rounds)\n",
                cpuMs(300, [&] { engine.paintFrame(index); }));
    int resize = 0;
    std::printf("paintFrame after a size change (picture scaled anew):  median %.2f ms (20 rounds)\n",
                bench::medianMs(20, [&] {
                    resize ^= 1;
                    SetWindowPos(hwnd, nullptr, 0, 0, 901 - resize, 661, SWP_NOMOVE | SWP_NOZORDER);
                    engine.paintFrame(index);
                }));
    SetWindowPos(hwnd, nullptr, 0, 0, 901, 661, SWP_NOMOVE | SWP_NOZORDER);
    engine.paintFrame(index);
    int step = 0;
    std::printf("caption-button fade step:                                median %.3f ms (400 rounds)\n",
                bench::medianMs(400, [&] {
                    step = step % 8 + 1;
                    engine.paintCaptionButton(index, 1, nullptr, false, 30 * step);
                }));
    std::printf("  the same, thread CPU time:                               mean %.3f ms (2000 rounds)\n",
                cpuMs(2000, [&] {
                    step = step % 8 + 1;
                    engine.paintCaptionButton(index, 1, nullptr, false, 30 * step);
                }));
    DestroyWindow(hwnd);
    return 0;
}
