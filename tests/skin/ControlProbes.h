// A skinned test window for the control skins, and probes of what the controls put on
// the screen.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "SkinTestWindows.h"
#include "graphics/GdiHandles.h"
#include "skin/SkinCore.h"
#include "support/RealInput.h"

namespace skintest {

// The skin module and the common control classes, once per program.
inline void startSkinModule() {
    static const bool started = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_INTERNET_CLASSES |
                                                    ICC_DATE_CLASSES};
        InitCommonControlsEx(&init);
        skin::initSkinModule();
        return true;
    }();
    (void)started;
}

inline bool isDark(COLORREF c) { return GetRValue(c) < 130 && GetGValue(c) < 130; }  // text and lines
inline bool isKeyLike(COLORREF c) { return GetRValue(c) > 200 && GetBValue(c) > 200 && GetGValue(c) < 120; }
inline bool isRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }

// What the screen shows at (x, y) of the window (window coordinates).
inline COLORREF screenPixel(HWND hwnd, int x, int y) {
    gdi::WindowDc dc = gdi::WindowDc::whole(hwnd);
    return GetPixel(dc.get(), x, y);
}

// What the screen shows of a window, in window coordinates.
class Snapshot {
public:
    explicit Snapshot(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        w_ = r.right - r.left;
        h_ = r.bottom - r.top;
        picture_.select(gdi::makeDibPicture(w_, h_, reinterpret_cast<void**>(&bits_)));
        gdi::WindowDc dc = gdi::WindowDc::whole(hwnd);
        BitBlt(picture_.get(), 0, 0, w_, h_, dc.get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    COLORREF at(int x, int y) const {
        const DWORD p = bits_[y * w_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels of the area that match; the whole window when no area is given.
    int count(bool (*match)(COLORREF), RECT area = {0, 0, 0, 0}) const {
        if (IsRectEmpty(&area)) area = RECT{0, 0, w_, h_};
        int n = 0;
        for (int y = area.top; y < area.bottom && y < h_; ++y)
            for (int x = area.left; x < area.right && x < w_; ++x) n += match(at(x, y)) ? 1 : 0;
        return n;
    }

private:
    gdi::BitmapDc picture_;
    DWORD* bits_ = nullptr;
    int w_ = 0, h_ = 0;
};

// A skinned 480 x 360 window on screen whose background shows positions.
struct SkinnedWindow {
    HWND top = (startSkinModule(), makeTopWindow(40, 40, 480, 360));
    int index = skinTestWindow(top);
    skin::SkinRecord& record = *skin::skinRecords.at(index);
    SkinnedWindow() { paintPositionPattern(record, 480, 360); }
    ~SkinnedWindow() { DestroyWindow(top); }
    HWND add(const char* className, int x, int y, int w, int h, DWORD style, DWORD exStyle = WS_EX_CLIENTEDGE) {
        return makeChild(top, x, y, w, h, className, WS_CHILD | WS_VISIBLE | style, exStyle);
    }
};

// Sets a module setting for one scope.
template <class T>
struct ScopedSetting {
    T& setting;
    T saved;
    ScopedSetting(T& s, T value) : setting(s), saved(s) { setting = value; }
    ~ScopedSetting() { setting = saved; }
};

// The pointer arrives on the control (x, y from its window's corner) as a user's mouse
// does: from afar, so that it moves even when it rested there already.
inline void hover(HWND hwnd, int x = 3, int y = 3) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    testing::input::moveAway();
    testing::input::moveTo({r.left + x, r.top + y});
}

// The control's procedure told that the pointer moved to (x, y), for tests of how it
// answers that one message in a given state.
inline void sendMouseMove(HWND hwnd, int x = 3, int y = 3) {
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

inline void repaintNow(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace skintest
