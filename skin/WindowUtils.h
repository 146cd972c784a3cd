// Window geometry and style queries shared by the painters of every skinned control.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "graphics/GdiHandles.h"

namespace skin {

std::string getClassName(HWND hwnd);
std::string windowText(HWND hwnd);
// The text with every line break ("\r\n", "\n" or a lone "\r") as "\n" and no other
// control character but the tab: GDI+ draws a "\r" as a glyph of its own.
std::string plainLines(std::string_view text);
bool isClass(HWND hwnd, const char* className);

// Sizes and rectangles of a window, each with its origin at 0, 0.
inline RECT clientRect(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}
inline SIZE clientSize(HWND hwnd) {
    const RECT r = clientRect(hwnd);
    return {r.right - r.left, r.bottom - r.top};
}
inline SIZE windowSize(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}
inline RECT windowArea(HWND hwnd) {
    const SIZE size = windowSize(hwnd);
    return {0, 0, size.cx, size.cy};
}
// A bitmap's size; 0 x 0 for none.
inline SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

// The rounded outline of a skinned window of w x h pixels.
inline gdi::UniqueRegion roundWindowRegion(int w, int h) {
    return gdi::UniqueRegion(CreateRoundRectRgn(0, 0, w + 1, h + 1, 5, 5));
}
// Gives a framed window its rounded outline; one that has it already is left alone.
void applyRoundRegion(HWND window, int w, int h);

// b's window rectangle relative to the top-left corner of a's window rectangle.
RECT rectRelativeTo(HWND a, HWND b);
// The control's window rectangle relative to its root window.
RECT rectInRoot(HWND control);
// The control's window rectangle relative to the window of its skin record.
RECT rectInSkinWindow(HWND control);
// The control's window rectangle in its parent's client coordinates; empty for a
// skinned top-level window.
RECT childRectInParent(HWND control);
// The client area plus the scroll bars, centred in the window rectangle, in window
// coordinates.
RECT innerRect(HWND window);

// Clips the visible, non-transparent direct children out of dc.
void excludeChildClip(HWND window, HDC dc);
// The same on a DC of the window's client area, which the result gives back.
gdi::WindowDc excludeChildClip(HWND window);
void invalidateChildren(HWND window);

bool hasFrame(HWND window);
bool isOwnerDrawListBox(HWND window);
bool isTransparentWindow(HWND window);

}  // namespace skin
