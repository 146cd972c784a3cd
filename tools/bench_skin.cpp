// Prints the median time of one makeBackdrop + freeBackdrop pair for a window-sized
// area and for a button-sized one.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "skin/Backdrop.h"
#include "skin/SkinCore.h"

namespace {

double medianMicroseconds(HWND control, int w, int h, int rounds) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(rounds));
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        HDC dc = skin::makeBackdrop(control, RECT{0, 0, w, h});
        skin::freeBackdrop(dc);
        QueryPerformanceCounter(&end);
        times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
                        static_cast<double>(frequency.QuadPart));
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[static_cast<std::size_t>(rounds / 2)];
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
