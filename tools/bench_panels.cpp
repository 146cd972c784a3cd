// Prints what the picture panels cost: the process CPU time per second while one
// 150 x 150 animation plays (panel shown, then hidden) against an idle process, and the
// median time of a full paintPanel of the 680 x 432 page panel as the installer sets it up;
// and how many of the animation's frames per second reach the screen while the program
// handles no messages.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "BenchClock.h"
#include "BenchWindows.h"
#include "assets/Assets.h"
#include "skin/SkinCore.h"
#include "skin/panels/PicturePlayer.h"

namespace {

// Runs the message loop for three seconds and returns the CPU milliseconds per second it
// cost.
double cpuMsPerSecondOfRun() {
    const double start = bench::processCpuMs();
    const DWORD end = GetTickCount() + 3000;
    for (DWORD now = GetTickCount(); now < end; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    return (bench::processCpuMs() - start) / 3.0;
}

// Changes of what the screen shows in the window's w x h client area over three seconds,
// per second, while this thread handles no messages: what a user sees of an animation
// while the program is idle.
double screenChangesPerSecond(HWND window, int w, int h) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    gdi::BitmapDc copy;
    void* bits = nullptr;
    copy.select(gdi::makeDibPicture(w, h, &bits));
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> last;
    int changes = -1;
    for (const DWORD end = GetTickCount() + 3000; GetTickCount() < end; Sleep(2)) {
        {
            gdi::WindowDc screen = gdi::WindowDc::client(nullptr);
            BitBlt(copy.get(), 0, 0, w, h, screen.get(), origin.x, origin.y, SRCCOPY);
        }
        GdiFlush();
        std::vector<DWORD> now(pixels, pixels + static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
        if (now != last) ++changes;
        last = std::move(now);
    }
    return changes / 3.0;
}

double cpuPerSecond(int runs) {
    std::vector<double> perSecond;
    for (int i = 0; i < runs; ++i) perSecond.push_back(cpuMsPerSecondOfRun());
    return bench::median(perSecond);
}

}  // namespace

int main() {
    skin::SkinEngine engine;
    skin::initSkinModule();
    HWND top = bench::makeWindow(nullptr, 0, 0, 700, 460);
    bench::addWhiteSkinRecord(top, 700, 460);

    {
        HWND page = bench::makeWindow(top, 10, 10, 680, 432);
        skin::PicturePlayer player;
        player.attach(page, skin::panelShape::roundRect, 5, 1, 0, {}, 3);
        player.setGradient(5, 0x00FFFFFF, 50, 0, 80);
        std::printf("paintPanel of the 680x432 page panel: median %.0f us (100 rounds)\n",
                    1000.0 * bench::medianMs(100, [&] { player.paintPanel(); }));
        DestroyWindow(page);
    }

    std::printf("idle process:                         %.1f ms CPU per second (median of 5 runs of 3 s)\n", cpuPerSecond(5));
    HWND panel = bench::makeWindow(top, 20, 20, 150, 150);
    skin::PicturePlayer player;
    player.attach(panel, skin::panelShape::roundRect, 5, 0);
    UpdateWindow(panel);
    player.play(ImgAnimation.bytes(), 0, 0, 150, 150);
    int frames = player.framesDrawn();
    std::printf("150x150 animation, panel shown:       %.1f ms CPU per second (median of 5 runs of 3 s)", cpuPerSecond(5));
    std::printf(", %.1f frames per second\n", (player.framesDrawn() - frames) / 15.0);
    frames = player.framesDrawn();
    const double seen = screenChangesPerSecond(panel, 150, 150);
    std::printf("150x150 animation, UI thread idle:    %.1f frames per second drawn, %.1f seen on the screen\n",
                (player.framesDrawn() - frames) / 3.0, seen);
    ShowWindow(panel, SW_HIDE);
    frames = player.framesDrawn();
    std::printf("150x150 animation, panel hidden:      %.1f ms CPU per second (median of 5 runs of 3 s)", cpuPerSecond(5));
    std::printf(", %.1f frames per second\n", (player.framesDrawn() - frames) / 15.0);
    player.stopAnimation();

    DestroyWindow(top);
    skin::releaseAllSkinState();
    return 0;
}
