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

// The face of the ring between the window edge and inner, as four strips, so that
// only the ring's own pixels are touched.
inline void fillRing(GxGraphics& graphics, int w, int h, const RECT& inner) {
    GxSolidBrush face;
    face.Create(transparentControls == 1 ? toArgb(0x00FFFFFF, veilAlpha) : opaqueWhite);
    const int ih = inner.bottom - inner.top;
    const GxRect strips[] = {{0, 0, w, inner.top},
                             {0, inner.bottom, w, h - inner.bottom},
                             {0, inner.top, inner.left, ih},
                             {inner.right, inner.top, w - inner.right, ih}};
    for (const GxRect& strip : strips)
        if (strip.Width > 0 && strip.Height > 0) graphics.FillRectangleI(face, strip.X, strip.Y, strip.Width, strip.Height);
}

}  // namespace skin
