// Prints the median time of one makeBackdrop + freeBackdrop pair for a window-sized
// area and for a button-sized one.
#include <windows.h>

#include <cstdio>

#include "BenchClock.h"
#include "BenchWindows.h"
#include "skin/Backdrop.h"
#include "skin/SkinCore.h"

namespace {

double medianMicroseconds(HWND control, int w, int h, int rounds) {
    return 1000.0 * bench::medianMs(rounds, [&] { skin::freeBackdrop(skin::makeBackdrop(control, RECT{0, 0, w, h})); });
}

}  // namespace

int main() {
    skin::SkinEngine engine;
    skin::initSkinModule();
    HWND top = bench::makeWindow(nullptr, 0, 0, 700, 460);
    HWND page = bench::makeWindow(top, 10, 10, 680, 432);
    HWND button = bench::makeWindow(page, 20, 20, 72, 24);

    bench::addWhiteSkinRecord(top, 700, 460);

    std::printf("makeBackdrop+freeBackdrop 680x432: median %.1f us (200 rounds)\n",
                medianMicroseconds(page, 680, 432, 200));
    std::printf("makeBackdrop+freeBackdrop 72x24:   median %.1f us (2000 rounds)\n",
                medianMicroseconds(button, 72, 24, 2000));

    skin::releaseAllSkinState();
    DestroyWindow(top);
    return 0;
}
