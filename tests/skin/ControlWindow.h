// A skinned window with a flat dark blue background for the control tests, and
// pictures of what a control shows.
#pragma once

#include <windows.h>

#include <vector>

#include "skin/SkinCore.h"

namespace skintest {

inline constexpr COLORREF flatBackground = RGB(0, 0, 160);

// 400 x 300, answering WM_DRAWITEM as framed windows do and counting BN_CLICKED.
struct ControlWindow {
    HWND top;
    int index;
    skin::SkinRecord* record;
    HFONT font;
    ControlWindow();
    ~ControlWindow();
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;
    HWND add(const char* className, LONG style, int x, int y, int w, int h, const char* text = "");
    // Runs the class installers over the window and paints everything.
    void skin();
    static int clicks;
};

// The pixels of a DC's w x h area.
struct Shot {
    int w = 0, h = 0;
    std::vector<COLORREF> pixels;
    Shot(HDC dc, int width, int height);
    // The whole window rectangle of a control, as it shows on the screen.
    explicit Shot(HWND control);
    COLORREF at(int x, int y) const { return pixels[static_cast<std::size_t>(y * w + x)]; }
    template <class Test>
    int count(RECT r, Test&& test) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += test(at(x, y)) ? 1 : 0;
        return n;
    }
    bool operator==(const Shot&) const = default;
};

inline bool reddish(COLORREF c) { return GetRValue(c) > GetGValue(c) + 60 && GetRValue(c) > GetBValue(c) + 60; }
inline bool bright(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200; }

}  // namespace skintest
