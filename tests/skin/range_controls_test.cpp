// Skinned trackbars, progress bars and up-downs on a skinned window: flags taken from
// the styles, what the painters leave on the screen in each state, and handle use.
#include <doctest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ControlWindow.h"
#include "skin/controls/Installers.h"
#include "support/GuiObjects.h"

using namespace skin;
using skintest::bright;
using skintest::ControlWindow;
using skintest::reddish;
using skintest::Shot;

namespace {

// A window whose theme colour is red while it lives.
struct RangeWindow : ControlWindow {
    RangeWindow() { themeColor = RGB(255, 0, 0); }
};

void repaint(HWND control) {
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
}

RECT thumbOf(HWND trackbar) {
    RECT r{};
    SendMessageA(trackbar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    InflateRect(&r, 2, 2);
    return r;
}

// Width and height of the smallest rectangle holding every reddish pixel.
SIZE reddishExtent(const Shot& shot) {
    int left = shot.w, top = shot.h, right = 0, bottom = 0;
    for (int y = 0; y < shot.h; ++y)
        for (int x = 0; x < shot.w; ++x)
            if (reddish(shot.at(x, y))) {
                left = std::min(left, x), top = std::min(top, y);
                right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
            }
    return {right - left, bottom - top};
}

}  // namespace

TEST_CASE("range controls take their flags from their styles, once") {
    RangeWindow w;
    const struct {
        const char* cls;
        LONG style;
        int flag, ticks, selRange;  // flag: vertical (trackbar, progress), horizontal (up-down)
    } cases[] = {
        {TRACKBAR_CLASSA, 0, 0, 1, 0}, {TRACKBAR_CLASSA, TBS_VERT | TBS_LEFT, 1, 0, 0},
        {TRACKBAR_CLASSA, TBS_BOTH | TBS_ENABLESELRANGE, 0, 2, 1}, {TRACKBAR_CLASSA, TBS_NOTICKS | TBS_TOP, 0, 3, 0},
        {PROGRESS_CLASSA, PBS_VERTICAL, 1, 0, 0}, {PROGRESS_CLASSA, 0, 0, 0, 0},
        {UPDOWN_CLASSA, UDS_HORZ, 1, 0, 0}, {UPDOWN_CLASSA, 0, 0, 0, 0},
    };
    std::vector<HWND> made;
    for (const auto& c : cases) made.push_back(w.add(c.cls, c.style, 10, 10 + 30 * static_cast<int>(made.size()), 100, 25));
    for (int run = 0; run < 2; ++run) {
        w.skin();
        CHECK(w.record->trackbars.count() + w.record->progressBars.count() + w.record->upDowns.count() == 8);
        for (std::size_t i = 0; i < made.size(); ++i) {
            const auto& c = cases[i];
            INFO(c.cls << " style " << c.style);
            const int at = getPropInt(made[i], prop::index);
            REQUIRE(isSubclassed(made[i]));
            if (c.cls == std::string(TRACKBAR_CLASSA)) {
                const TrackbarSkin& t = *w.record->trackbars.at(at);
                CHECK(t.hwnd == made[i]);
                CHECK(t.vertical == c.flag);
                CHECK(t.tickPlacement == c.ticks);
                CHECK(t.selRange == c.selRange);
            } else if (c.cls == std::string(PROGRESS_CLASSA)) {
                CHECK(w.record->progressBars.at(at)->vertical == c.flag);
            } else {
                CHECK(w.record->upDowns.at(at)->horizontal == c.flag);
            }
        }
    }
}

TEST_CASE("trackbars: hover and drag show the round thumb; positions count from the range minimum") {
    RangeWindow w;
    HWND bar = w.add(TRACKBAR_CLASSA, TBS_ENABLESELRANGE, 10, 10, 220, 40);
    HWND shifted = w.add(TRACKBAR_CLASSA, TBS_ENABLESELRANGE, 10, 60, 220, 40);
    HWND upright = w.add(TRACKBAR_CLASSA, TBS_VERT, 250, 10, 40, 220);
    for (auto [control, low] : {std::pair{bar, 0}, std::pair{shifted, 50}}) {
        SendMessageA(control, TBM_SETRANGE, TRUE, MAKELPARAM(low, low + 100));
        SendMessageA(control, TBM_SETSEL, TRUE, MAKELPARAM(low + 25, low + 75));
        SendMessageA(control, TBM_SETPOS, TRUE, low + 50);
    }
    SendMessageA(upright, TBM_SETPOS, TRUE, SendMessageA(upright, TBM_GETRANGEMAX, 0, 0));
    w.skin();

    CHECK(Shot(bar) == Shot(shifted));  // the same share of the range, the same picture
    const int dot = Shot(bar).count(thumbOf(bar), bright);
    SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    CHECK(Shot(bar).count(thumbOf(bar), bright) > dot + 30);
    SendMessageA(bar, WM_MOUSELEAVE, 0, 0);
    CHECK(Shot(bar).count(thumbOf(bar), bright) == dot);

    SUBCASE("dragging the thumb moves it, and the round thumb goes with it") {
        const RECT t = thumbOf(bar);
        const int x = (t.left + t.right) / 2, y = (t.top + t.bottom) / 2;
        SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 60, y));
        SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(x + 60, y));
        UpdateWindow(bar);
        CHECK(SendMessageA(bar, TBM_GETPOS, 0, 0) > 70);
        CHECK(Shot(bar).count(thumbOf(bar), bright) > dot + 30);
    }
    SUBCASE("the filled track of a vertical trackbar runs down, that of a horizontal one across") {
        const SIZE down = reddishExtent(Shot(upright)), across = reddishExtent(Shot(bar));
        CHECK(down.cy > 100);
        CHECK(down.cx < 5);
        CHECK(across.cx > 50);
        CHECK(across.cy < 5);
    }
}

TEST_CASE("progress bars fill from the low end of their range") {
    RangeWindow w;
    const struct {
        int low, high, pos;
        bool quarter, threeQuarters;  // filled at a quarter and at three quarters of the width
    } cases[] = {
        {0, 100, 0, false, false},   {0, 100, 50, true, false},   {0, 100, 100, true, true},
        {50, 150, 50, false, false}, {50, 150, 100, true, false}, {50, 150, 150, true, true},
    };
    HWND bar = w.add(PROGRESS_CLASSA, 0, 10, 10, 200, 20);
    w.skin();
    for (const auto& c : cases) {
        INFO(c.low << ".." << c.high << " at " << c.pos);
        SendMessageA(bar, PBM_SETRANGE32, c.low, c.high);
        SendMessageA(bar, PBM_SETPOS, c.pos, 0);
        repaint(bar);
        const Shot shot(bar);
        CHECK(reddish(shot.at(50, 16)) == c.quarter);
        CHECK(reddish(shot.at(150, 16)) == c.threeQuarters);
        CHECK(reddish(shot.at(195, 16)) == c.threeQuarters);
    }
}

TEST_CASE("up-down halves light up under the mouse and when pressed") {
    RangeWindow w;
    HWND upDown = w.add(UPDOWN_CLASSA, 0, 10, 10, 20, 40);
    w.skin();
    const struct {
        UINT message;
        int y;
        bool upLit, downLit;
    } steps[] = {
        {WM_MOUSEMOVE, 5, true, false},    {WM_MOUSEMOVE, 30, false, true}, {WM_MOUSEMOVE, -5, true, false},
        {WM_MOUSELEAVE, 0, false, false},
        {WM_LBUTTONDOWN, 30, false, true}, {WM_LBUTTONUP, 30, false, false},
    };
    for (const auto& s : steps) {
        INFO("message " << s.message << " at y " << s.y);
        SendMessageA(upDown, s.message, s.message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(10, s.y));
        if (s.message == WM_LBUTTONUP) SendMessageA(upDown, WM_MOUSELEAVE, 0, 0);
        UpdateWindow(upDown);
        const Shot shot(upDown);
        CHECK(reddish(shot.at(0, 9)) == s.upLit);
        CHECK(reddish(shot.at(0, 29)) == s.downLit);
    }
}

TEST_CASE("1,000 repaints of each range control leave no GDI object behind") {
    RangeWindow w;
    HWND controls[] = {w.add(TRACKBAR_CLASSA, TBS_ENABLESELRANGE, 10, 10, 200, 40),
                       w.add(PROGRESS_CLASSA, 0, 10, 60, 200, 20), w.add(UPDOWN_CLASSA, 0, 10, 90, 20, 40)};
    SendMessageA(controls[1], PBM_SETPOS, 40, 0);
    w.skin();
    for (HWND c : controls) {
        repaint(c);
        const long before = testing::gdiObjectCount();
        for (int i = 0; i < 1000; ++i) {
            SendMessageA(c, i % 2 ? WM_MOUSELEAVE : WM_MOUSEMOVE, 0, MAKELPARAM(5, 5 + i % 30));
            repaint(c);
        }
        CHECK(testing::gdiObjectCount() == before);
    }
}
