#include "skin/controls/Statics.h"

#include <string>

#include "skin/Primitives.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/ControlCanvas.h"
#include "skin/controls/ControlPainting.h"
#include "skin/controls/Installers.h"

namespace skin {

namespace {

constexpr LONG unskinnedTypeBits = 0x0A;  // SS_USERITEM, SS_SIMPLE, SS_BITMAP, SS_ENHMETAFILE ...
constexpr LONG iconTypeBits = 0x03;       // SS_ICON, SS_BLACKFRAME ...

bool hasBits(LONG style, LONG bits) { return (style & bits) == bits; }

void setTextFormat(GxStringFormat& format, const GlowTextFont& font) {
    format.Create(0);
    format.SetAlignment(font.alignment);
    format.SetLineAlignment(font.lineAlignment);
}

}  // namespace

void skinStatics(int skinIndex, HWND parent) {
    skinControls(
        skinIndex, parent, "Static", &SkinRecord::statics, staticProc,
        [](HWND control) { return !hasBits(GetWindowLongA(control, GWL_STYLE), unskinnedTypeBits); },
        [](StaticSkin& entry, HWND control) {
            WindowFont font = getWindowFont(control);
            if (font.faceName.empty()) font = getWindowFont(GetParent(control));
            entry.fontName = font.faceName;
            entry.fontSize = font.size ? font.size : 12;
            entry.fontStyle = font.style;
            if (hasBits(GetWindowLongA(control, GWL_STYLE), iconTypeBits)) {
                entry.kind = staticIcon;
                return;
            }
            entry.kind = staticText;
            // Moving the label onto its own rectangle makes it take its new place.
            const RECT r = childRectInParent(control);
            SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOOWNERZORDER);
        });
}

LRESULT CALLBACK staticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedProc(hwnd, message, wParam, lParam, [&]() -> LRESULT {
        const auto at = locate(hwnd, &SkinRecord::statics);
        if (!at.entry) return callKeptProc(hwnd, message, wParam, lParam);
        switch (message) {
        case WM_MOVE:
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_SETTEXT:
        case WM_ENABLE:
        case STM_SETICON: {
            // The control paints such a change at once, in its own look: the skin's comes after.
            const LRESULT result = callKeptProc(hwnd, message, wParam, lParam);
            if (const auto now = locate(hwnd, &SkinRecord::statics); now.entry) paintStatic(*now.entry);
            return result;
        }
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return answerPaint(hwnd, message, wParam, [&](HDC dc) { paintStatic(*at.entry, dc); });
        case WM_ERASEBKGND:
            return eraseNothing(wParam, static_cast<COLORREF>(getProp(hwnd, prop::textColor)));
        case WM_NCPAINT:
            return 1;
        default:
            break;
        }
        return callKeptProc(hwnd, message, wParam, lParam);
    });
}

void paintStatic(const StaticSkin& entry, HDC target) {
    HWND hwnd = entry.hwnd;
    const RECT r = clientRect(hwnd);
    ControlCanvas canvas(hwnd, clientInWindow(hwnd));
    if (!canvas) return;
    if (entry.kind == staticText) {
        const std::string text = plainLines(windowText(hwnd));
        const GxRectF layout{-2.0f, 2.0f, static_cast<float>(r.right + entry.fontSize + 10), static_cast<float>(r.bottom)};
        drawGlowText(canvas.graphics(), text.c_str(), layout, RGB(0, 0, 0), RGB(255, 255, 255), 4,
                     {entry.fontName.c_str(), entry.fontStyle, static_cast<float>(entry.fontSize)});
    } else if (const auto icon = reinterpret_cast<HICON>(SendMessageA(hwnd, STM_GETICON, 0, 0))) {
        DrawIcon(canvas.picture(), 0, 0, icon);  // the icon stays the control's
    }
    canvas.copyTo(TargetDc(hwnd, target, TargetDc::Area::clientWithoutChildren).get());
}

void drawGlowText(GxGraphics& target, const char* text, const GxRectF& layout, COLORREF textColor,
                  COLORREF glowColor, int blurFactor, const GlowTextFont& font) {
    const int w = static_cast<int>(layout.Width);
    const int h = static_cast<int>(layout.Height);
    // A blur factor below 1 would divide by zero when the halo is shrunk.
    const int blur = blurFactor < 1 ? 1 : blurFactor;
    const float b = static_cast<float>(blur);
    GxFont gxFont;
    if (!gxFont.CreateByName(font.fontName, font.fontSize, font.fontStyle, Gdiplus::UnitWorld)) return;
    GxStringFormat format;
    setTextFormat(format, font);

    GxBitmap halo;
    if (w > 0 && h > 0 && halo.Create(w, h)) {
        GxSolidBrush glow;
        glow.Create(toArgb(glowColor));
        {
            GxGraphics g;
            g.FromImage(halo);
            g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
            g.SetCompositingQuality(Gdiplus::CompositingQualityGammaCorrected);
            g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
            g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
            g.DrawString(text, gxFont, glow, GxRectF{b / 2, b / 2, w + b / 2, h + b / 2}, &format);
        }
        const GxBitmap small = shrinkPicture(halo, w / blur, h / blur, true);
        halo.Dispose();
        if (!small.IsEmpty() && halo.Create(w, h)) {
            GxGraphics g;
            g.FromImage(halo);
            g.SetCompositingQuality(Gdiplus::CompositingQualityGammaCorrected);
            g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
            g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
            g.DrawImageRect(small, 0, 0, static_cast<float>(w), static_cast<float>(h));
            // A faint, crisp rim around the letters.
            GxSolidBrush rim;
            rim.Create(toArgb(glowColor, 60));
            const float fw = static_cast<float>(w), fh = static_cast<float>(h);
            const GxRectF rims[] = {{b / 2 - 1, 0.7f * b, fw, fh},
                                    {b / 2 + 1, 0.7f * b, fw, fh},
                                    {b / 2, 0.7f * b - 1, fw, fh},
                                    {b / 2, 0.7f * b + 1, fw, fh}};
            for (const GxRectF& at : rims) g.DrawString(text, gxFont, rim, at, &format);
        }
    }
    target.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    if (!halo.IsEmpty()) target.DrawImage(halo, layout.X - b / 2, layout.Y - 0.6f * b);
    GxSolidBrush ink;
    ink.Create(toArgb(textColor));
    target.DrawString(text, gxFont, ink, GxRectF{layout.X, layout.Y, static_cast<float>(w), static_cast<float>(h)},
                      &format);
}

}  // namespace skin
