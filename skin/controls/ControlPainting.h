// Small pieces the control painters of edits, combo boxes and lists share.
#pragma once

#include <windows.h>

#include <optional>

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

// The DC a painter draws on: the client DC WM_PRINTCLIENT hands over, or, without
// one, a DC of the window itself. A given DC is set up like the window's own (origin,
// clip) and set back when this goes.
class TargetDc {
public:
    enum class Area { client, clientWithoutChildren, whole };
    TargetDc(HWND hwnd, HDC given, Area area) : dc_(given) {
        if (!given) {
            own_.emplace(area == Area::whole    ? gdi::WindowDc::whole(hwnd)
                         : area == Area::client ? gdi::WindowDc::client(hwnd)
                                                : excludeChildClip(hwnd));
            dc_ = own_->get();
            return;
        }
        saved_ = SaveDC(given);
        if (area == Area::clientWithoutChildren) excludeChildClip(hwnd, given);
        if (area == Area::whole) {
            const RECT client = clientInWindow(hwnd);
            OffsetViewportOrgEx(given, -client.left, -client.top, nullptr);
        }
    }
    ~TargetDc() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    TargetDc(const TargetDc&) = delete;
    TargetDc& operator=(const TargetDc&) = delete;

    HDC get() const noexcept { return dc_; }

private:
    std::optional<gdi::WindowDc> own_;
    HDC dc_;
    int saved_ = 0;
};

// WM_PAINT and WM_PRINTCLIENT of a control the skin paints completely reach the one
// painter alike: it gets WM_PRINTCLIENT's DC, or none (the window itself) while
// WM_PAINT validates the update region. The control's own procedure never paints.
template <class Paint>
LRESULT answerPaint(HWND hwnd, UINT message, WPARAM wParam, Paint&& paint) {
    if (message == WM_PRINTCLIENT) {
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    gdi::PaintDc validate(hwnd);
    paint(HDC{});
    return 0;
}

// WM_ERASEBKGND of such a control: nothing is erased, and text goes on transparently
// (in the colour given).
inline LRESULT eraseNothing(WPARAM wParam, std::optional<COLORREF> textColour = std::nullopt) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    if (textColour) SetTextColor(dc, *textColour);
    return 1;
}

}  // namespace skin
