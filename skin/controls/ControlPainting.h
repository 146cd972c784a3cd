// Small pieces the control painters of edits, combo boxes and lists share.
#pragma once

#include <windows.h>

#include "graphics/GxBrush.h"
#include "graphics/GxGraphics.h"
#include "skin/Primitives.h"
#include "skin/SkinCore.h"

namespace skin {

inline constexpr COLORREF colourKey = RGB(255, 0, 255);  // pixels never copied to the screen
inline constexpr Argb opaqueWhite = 0xFFFFFFFFu;
inline constexpr Argb opaqueKey = 0xFFFF00FFu;

inline SIZE windowSize(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// The client rectangle in window coordinates.
inline RECT clientInWindow(HWND hwnd) {
    RECT whole{}, client{};
    GetWindowRect(hwnd, &whole);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    OffsetRect(&client, origin.x - whole.left, origin.y - whole.top);
    return client;
}

// The face of a frame ring or client area: the white veil over the backdrop in
// transparent mode, opaque white otherwise. Clear and fills keep to the clip.
inline void fillFace(GxGraphics& graphics, int x, int y, int w, int h) {
    if (transparentControls == 1) {
        GxSolidBrush veil;
        veil.Create(toArgb(0x00FFFFFF, veilAlpha));
        graphics.FillRectangleI(veil, x, y, w, h);
    } else {
        graphics.Clear(opaqueWhite);
    }
}

}  // namespace skin
