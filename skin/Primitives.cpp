#include "skin/Primitives.h"

#include <algorithm>
#include <cmath>

#include "graphics/GxGraphics.h"
#include "graphics/GxImage.h"
#include "graphics/GxPath.h"
#include "graphics/GxPen.h"
#include "graphics/GxText.h"
#include "graphics/GdiHandles.h"
#include "skin/DcGraphics.h"

namespace skin {

void addRoundRect(GxPath& path, float x, float y, float w, float h, int d) {
    const float s = static_cast<float>(std::clamp(d, 1, 100));
    path.AddArc(x + w - s, y, s, s, 270.0f, 90.0f);
    path.AddArc(x + w - s - 1.0f, y + h - s - 1.0f, s + 1.0f, s + 1.0f, 0.0f, 90.0f);
    path.AddArc(x, y + h - s, s, s, 90.0f, 90.0f);
    path.AddArc(x, y, s, s, 180.0f, 90.0f);
    path.CloseFigure();
}

void addTopRoundRect(GxPath& path, float x, float y, float w, float h, int d) {
    const float s = static_cast<float>(d);
    path.AddLine(x, y + h, x, y + s);
    path.AddArc(x, y, s, s, 180.0f, 90.0f);
    path.AddLine(x + s, y, x + w - s, y);
    path.AddArc(x + w - s, y, s, s, 270.0f, 90.0f);
    path.AddLine(x + w, y + s, x + w, y + h);
}

void strokeRoundRect(GxGraphics& graphics, float x, float y, float w, float h, int d, Argb colour) {
    GxPath path;
    path.Create();
    addRoundRect(path, x, y, w, h, d);
    GxPen pen;
    pen.Create(colour, 1.0f);
    graphics.DrawPath(pen, path);
}

void drawGlow(GxGraphics& graphics, const GxPath& path, int count, COLORREF colour, int alpha) {
    GxPen pen;
    pen.Create(toArgb(colour, alpha), 1.0f);
    for (int i = 1; i <= count; ++i) {
        pen.SetWidth(static_cast<float>(i));
        graphics.DrawPath(pen, path);
    }
}

GxBitmap shrinkPicture(const GxBitmap& picture, int w, int h, bool highQualityCompositing) {
    GxBitmap small;
    if (w <= 0 || h <= 0 || !small.Create(w, h)) return small;
    GxGraphics g;
    g.FromImage(small);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    if (highQualityCompositing) g.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    g.DrawImageRect(picture, 0, 0, static_cast<float>(w), static_cast<float>(h));
    return small;
}

WindowFont getWindowFont(HWND hwnd) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    gdi::WindowDc dc = gdi::WindowDc::client(hwnd);
    GxFont gxFont;
    gxFont.FromHdc(dc.get(), font);
    WindowFont result;
    if (gxFont.IsEmpty()) return result;
    result.size = static_cast<int>(gxFont.GetSize());
    result.style = static_cast<int>(gxFont.GetStyle());
    GxFontFamily family;
    if (gxFont.GetFamily(family)) {
        result.faceName = family.GetName();
        family.Delete();
    }
    return result;
}

int measureTextWidth(const char* text, const char* faceName, int size, int style) {
    gdi::WindowDc screen = gdi::WindowDc::client(nullptr);
    gdi::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    DcGraphics surface(dc.get());
    GxFont font;
    font.CreateByName(faceName, static_cast<float>(size), style, Gdiplus::UnitWorld);
    GxRectF bounds{};
    surface.graphics().MeasureString(text, font, GxRectF{}, nullptr, bounds);
    return static_cast<int>(std::floor(bounds.Width)) + 1;
}

}  // namespace skin
