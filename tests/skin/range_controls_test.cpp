// Skinned trackbars, progress bars and up-downs on a skinned window: flags taken from
// the styles, what the painters leave on the screen in each state, and handle use.
#include <doctest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "SkinTestWindows.h"
#include "skin/SkinCore.h"
#include "skin/controls/Installers.h"
#include "skin/controls/RangeControls.h"
#include "support/GuiObjects.h"

using namespace skin;

namespace {

constexpr COLORREF red = RGB(255, 0, 0);

// A skinned 400 x 300 window with a plain dark blue background; the theme colour is
// red while it lives.
struct RangeWindow {
    HWND top;
    int index;
    SkinRecord* record;
    RangeWindow() {
        static const bool started = [] {
            initSkinModule();
            INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
            return InitCommonControlsEx(&icc) != FALSE;
        }();
        (void)started;
        top = skintest::makeTopWindow(0, 0, 400, 300);
        index = skintest::skinTestWindow(top);
        record = skinRecords.at(index);
        record->backgroundDc.select(gdi::makeDibPicture(400, 300));
        gdi::UniqueBrush brush(CreateSolidBrush(RGB(0, 0, 160)));
        RECT all{0, 0, 400, 300};
        FillRect(record->backgroundDc.get(), &all, brush.get());
        themeColor = red;
    }
    ~RangeWindow() {
        themeColor = 0x00DDCA22;
        DestroyWindow(top);
    }
    HWND add(const char* cls, LONG style, int x, int y, int w, int h) {
        return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, top, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    // Skins the children and paints them as a WM_PAINT does.
    void skin() {
        skinChildControls(index, top);
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
};

void repaint(HWND control) {
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
}

COLORREF pixel(HWND control, int x, int y) {
    gdi::WindowDc dc = gdi::WindowDc::whole(control);
    return GetPixel(dc.get(), x, y);
}

bool reddish(COLORREF c) { return GetRValue(c) > GetGValue(c) + 60 && GetRValue(c) > GetBValue(c) + 60; }

// Pixels of the control's window that satisfy test, inside r (window coordinates).
int countPixels(HWND control, RECT r, const std::function<bool(COLORREF)>& test) {
    gdi::WindowDc dc = gdi::WindowDc::whole(control);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += test(GetPixel(dc.get(), x, y)) ? 1 : 0;
    return n;
}

bool bright(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200; }

// The smallest rectangle holding every reddish pixel of the control's window.
RECT reddishBounds(HWND control) {
    RECT r{}, found{10000, 10000, -1, -1};
    GetWindowRect(control, &r);
    gdi::WindowDc dc = gdi::WindowDc::whole(control);
    for (int y = 0; y < r.bottom - r.top; ++y)
        for (int x = 0; x < r.right - r.left; ++x)
            if (reddish(GetPixel(dc.get(), x, y))) {
                found = {std::min<LONG>(found.left, x), std::min<LONG>(found.top, y), std::max<LONG>(found.right, x + 1),
                         std::max<LONG>(found.bottom, y + 1)};
            }
    return found;
}

// Everything the control's window shows, to compare two paints.
std::vector<COLORREF> picture(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    std::vector<COLORREF> all;
    gdi::WindowDc dc = gdi::WindowDc::whole(control);
    for (int y = 0; y < r.bottom - r.top; ++y)
        for (int x = 0; x < r.right - r.left; ++x) all.push_back(GetPixel(dc.get(), x, y));
    return all;
}

}  // namespace

TEST_CASE("range controls take their flags from their styles, once") {
    RangeWindow w;
    struct Case {
        const char* cls;
        LONG style;
        int vertical, ticks, selRange;  // trackbars; vertical also for progress, horizontal for up-downs
    };
    const Case cases[] = {
        {TRACKBAR_CLASSA, 0, 0, 1, 0},
        {TRACKBAR_CLASSA, TBS_VERT | TBS_LEFT, 1, 0, 0},
        {TRACKBAR_CLASSA, TBS_BOTH | TBS_ENABLESELRANGE, 0, 2, 1},
        {TRACKBAR_CLASSA, TBS_NOTICKS | TBS_TOP, 0, 3, 0},
        {PROGRESS_CLASSA, PBS_VERTICAL, 1, 0, 0},
        {PROGRESS_CLASSA, 0, 0, 0, 0},
        {UPDOWN_CLASSA, UDS_HORZ, 1, 0, 0},
        {UPDOWN_CLASSA, 0, 0, 0, 0},
    };
    std::vector<HWND> made;
    for (const Case& c : cases) made.push_back(w.add(c.cls, c.style, 10, 10 + 30 * static_cast<int>(made.size()), 100, 25));
    w.skin();
    for (std::size_t i = 0; i < made.size(); ++i) {
        const Case& c = cases[i];
        INFO(c.cls << " style " << c.style);
        const int at = getPropInt(made[i], prop::index);
        REQUIRE(isSubclassed(made[i]));
        if (c.cls == std::string(TRACKBAR_CLASSA)) {
            const TrackbarSkin& t = *w.record->trackbars.at(at);
            CHECK(t.hwnd == made[i]);
            CHECK(t.vertical == c.vertical);
            CHECK(t.tickPlacement == c.ticks);
            CHECK(t.selRange == c.selRange);
        } else if (c.cls == std::string(PROGRESS_CLASSA)) {
            CHECK(w.record->progressBars.at(at)->vertical == c.vertical);
        } else {
            CHECK(w.record->upDowns.at(at)->horizontal == c.vertical);
        }
    }
    const int counts[] = {w.record->trackbars.count(), w.record->progressBars.count(), w.record->upDowns.count()};
    skinChildControls(w.index, w.top);  // a second run takes nothing twice
    CHECK(w.record->trackbars.count() == counts[0]);
    CHECK(w.record->progressBars.count() == counts[1]);
    CHECK(w.record->upDowns.count() == counts[2]);
}

TEST_CASE("trackbars: hover and drag show the round thumb; positions count from the range minimum") {
    RangeWindow w;
    HWND bar = w.add(TRACKBAR_CLASSA, TBS_ENABLESELRANGE, 10, 10, 220, 40);
    HWND shifted = w.add(TRACKBAR_CLASSA, TBS_ENABLESELRANGE, 10, 60, 220, 40);
    HWND upright = w.add(TRACKBAR_CLASSA, TBS_VERT, 250, 10, 40, 220);
    SendMessageA(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageA(bar, TBM_SETSEL, TRUE, MAKELPARAM(25, 75));
    SendMessageA(bar, TBM_SETPOS, TRUE, 50);
    SendMessageA(shifted, TBM_SETRANGE, TRUE, MAKELPARAM(50, 150));
    SendMessageA(shifted, TBM_SETSEL, TRUE, MAKELPARAM(75, 125));
    SendMessageA(shifted, TBM_SETPOS, TRUE, 100);
    SendMessageA(upright, TBM_SETPOS, TRUE, SendMessageA(upright, TBM_GETRANGEMAX, 0, 0));
    w.skin();

    // The same share of the range gives the same picture, whatever the minimum.
    CHECK(picture(bar) == picture(shifted));

    RECT thumb{};
    SendMessageA(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    InflateRect(&thumb, 2, 2);
    const int dot = countPixels(bar, thumb, bright);
    SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    const int knob = countPixels(bar, thumb, bright);
    CHECK(knob > dot + 30);
    SendMessageA(bar, WM_MOUSELEAVE, 0, 0);
    CHECK(countPixels(bar, thumb, bright) == dot);

    SUBCASE("dragging the thumb moves it, and the round thumb goes with it") {
        const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
        SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 60, y));
        SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(x + 60, y));
        UpdateWindow(bar);
        CHECK(SendMessageA(bar, TBM_GETPOS, 0, 0) > 70);
        RECT moved{};
        SendMessageA(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&moved));
        InflateRect(&moved, 2, 2);
        CHECK(countPixels(bar, moved, bright) > dot + 30);
    }
    SUBCASE("the filled track of a vertical trackbar runs down, that of a horizontal one across") {
        const RECT down = reddishBounds(upright), across = reddishBounds(bar);
        CHECK(down.bottom - down.top > 100);
        CHECK(down.right - down.left < 5);
        CHECK(across.right - across.left > 50);
        CHECK(across.bottom - across.top < 5);
    }
}

TEST_CASE("progress bars fill from the low end of their range") {
    RangeWindow w;
    struct Case {
        int low, high, pos;
        bool quarter, threeQuarters;  // filled at a quarter and at three quarters of the width
    };
    const Case cases[] = {
        {0, 100, 0, false, false}, {0, 100, 50, true, false}, {0, 100, 100, true, true},
        {50, 150, 50, false, false}, {50, 150, 100, true, false}, {50, 150, 150, true, true},
    };
    HWND bar = w.add(PROGRESS_CLASSA, 0, 10, 10, 200, 20);
    w.skin();
    for (const Case& c : cases) {
        INFO(c.low << ".." << c.high << " at " << c.pos);
        SendMessageA(bar, PBM_SETRANGE32, c.low, c.high);
        SendMessageA(bar, PBM_SETPOS, c.pos, 0);
        repaint(bar);
        CHECK(reddish(pixel(bar, 50, 16)) == c.quarter);
        CHECK(reddish(pixel(bar, 150, 16)) == c.threeQuarters);
        CHECK(reddish(pixel(bar, 195, 16)) == c.threeQuarters);
    }
}

TEST_CASE("up-down halves light up under the mouse and when pressed") {
    RangeWindow w;
    HWND upDown = w.add(UPDOWN_CLASSA, 0, 10, 10, 20, 40);
    w.skin();
    struct Step {
        UINT message;
        int y;
        bool upLit, downLit;
    };
    const Step steps[] = {
        {WM_MOUSEMOVE, 5, true, false},    {WM_MOUSEMOVE, 30, false, true}, {WM_MOUSELEAVE, 0, false, false},
        {WM_LBUTTONDOWN, 30, false, true}, {WM_LBUTTONUP, 30, false, false},
    };
    for (const Step& s : steps) {
        INFO("message " << s.message << " at y " << s.y);
        SendMessageA(upDown, s.message, s.message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(10, s.y));
        if (s.message == WM_LBUTTONUP) SendMessageA(upDown, WM_MOUSELEAVE, 0, 0);
        UpdateWindow(upDown);
        CHECK(reddish(pixel(upDown, 0, 9)) == s.upLit);
        CHECK(reddish(pixel(upDown, 0, 29)) == s.downLit);
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
