// Prints the median time of one makeBackdrop + freeBackdrop pair for a window-sized
// area and for a button-sized one.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "BenchClock.h"
#include "skin/Backdrop.h"
#include "skin/SkinCore.h"

namespace {

double medianMicroseconds(HWND control, int w, int h, int rounds) {
    return 1000.0 * bench::medianMs(rounds, [&] { skin::freeBackdrop(skin::makeBackdrop(control, RECT{0, 0, w, h})); });
}

HWND makeWindow(HWND parent, int x, int y, int w, int h) {
    return CreateWindowExA(0, "Static", "", parent ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE, x, y, w, h,
                           parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int main() {
    skin::SkinEngine engine;
    skin::initSkinModule();
    HWND top = makeWindow(nullptr, 0, 0, 700, 460);
    HWND page = makeWindow(top, 10, 10, 680, 432);
    HWND button = makeWindow(page, 20, 20, 72, 24);

    auto record = std::make_unique<skin::SkinRecord>();
    record->hwnd = top;
    // The frame painter's background is a 32-bit DIB, as GDI+ hands it over.
    record->backgroundDc.select(gdi::makeDibPicture(700, 460));
    PatBlt(record->backgroundDc.get(), 0, 0, 700, 460, WHITENESS);
    skin::addSkinRecord(std::move(record));

    std::printf("makeBackdrop+freeBackdrop 680x432: median %.1f us (200 rounds)\n",
                medianMicroseconds(page, 680, 432, 200));
    std::printf("makeBackdrop+freeBackdrop 72x24:   median %.1f us (2000 rounds)\n",
                medianMicroseconds(button, 72, 24, 2000));

    skin::releaseAllSkinState();
    DestroyWindow(top);
    return 0;
}
