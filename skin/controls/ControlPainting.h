// Small pieces the control painters of edits, combo boxes and lists share.
#pragma once

#include <windows.h>

#include "graphics/GxBrush.h"
#include "graphics/GxGraphics.h"
#include "skin/Primitives.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"

namespace skin {

inline constexpr COLORREF colourKey = RGB(255, 0, 255);  // pixels never copied to the screen
inline constexpr Argb opaqueWhite = 0xFFFFFFFFu;
inline constexpr Argb opaqueKey = 0xFFFF00FFu;

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
    if (transparentMode()) {
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
    face.Create(transparentMode() ? toArgb(0x00FFFFFF, veilAlpha) : opaqueWhite);
    const int ih = inner.bottom - inner.top;
    const GxRect strips[] = {{0, 0, w, inner.top},
                             {0, inner.bottom, w, h - inner.bottom},
                             {0, inner.top, inner.left, ih},
                             {inner.right, inner.top, w - inner.right, ih}};
    for (const GxRect& strip : strips)
        if (strip.Width > 0 && strip.Height > 0)
            graphics.FillRectangleI(face, strip.X, strip.Y, strip.Width, strip.Height);
}

// WM_PAINT of a control the skin paints completely: the update region is validated
// and the skin paints; the control's own procedure never paints.
template <class Paint>
LRESULT paintFromWmPaint(HWND hwnd, Paint&& paint) {
    gdi::PaintDc validate(hwnd);
    paint();
    return 0;
}

// WM_ERASEBKGND of such a control: nothing is erased, and text goes on transparently.
inline LRESULT eraseNothing(WPARAM wParam) {
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    return 1;
}

}  // namespace skin
