// Window geometry and style queries shared by the painters of every skinned control.
#pragma once

#include <windows.h>

#include <string>

#include "graphics/GdiHandles.h"

namespace skin {

std::string getClassName(HWND hwnd);
std::string windowText(HWND hwnd);
bool isClass(HWND hwnd, const char* className);

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
