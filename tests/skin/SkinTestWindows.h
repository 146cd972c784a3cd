// Windows and skinned records for the skin tests, made with the core operations the
// frame and dialog skins use.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <memory>

#include "runtime/Services.h"
#include "skin/SkinCore.h"

namespace skintest {

using runtime::registerWindowClass;

// A plain window class whose procedure is DefWindowProcA.
const char* plainClass();

HWND makeTopWindow(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE, DWORD exStyle = 0);
HWND makeChild(HWND parent, int x, int y, int w, int h, const char* className = nullptr,
               DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0);

// Procedure of the skinned test windows: releases the record on WM_NCDESTROY, as
// the frame and dialog procedures do.
LRESULT CALLBACK recordWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Adds a record for window and subclasses it; returns the skin index.
int skinTestWindow(HWND window);

// Fills the record's background with a picture whose pixel (x, y) has red x % 256,
// green y % 256 and blue 7, so every copy shows where it was taken from.
void paintPositionPattern(skin::SkinRecord& record, int w, int h);
COLORREF positionColour(int x, int y);

// Colour over laid on under at alpha (0-255), rounded.
inline COLORREF blend(COLORREF over, int alpha, COLORREF under) {
    auto mix = [alpha](int o, int u) { return (o * alpha + u * (255 - alpha) + 127) / 255; };
    return RGB(mix(GetRValue(over), GetRValue(under)), mix(GetGValue(over), GetGValue(under)),
               mix(GetBValue(over), GetBValue(under)));
}

inline bool closeColour(COLORREF a, COLORREF b, int tolerance = 3) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Processes the messages waiting on this thread.
void pump();

}  // namespace skintest
