// Cost of the paint every skinned control makes: a 680 x 432 32-bit bitmap in a memory DC,
// a graphics on it, a rounded path filled with a linear gradient, a string, everything
// deleted again. Once through the wrappers, once straight on the flat API; prints medians.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "graphics/GdiHandles.h"
#include "graphics/Gx.h"

namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

constexpr int width = 680, height = 432;
const wchar_t caption[] = L"Velmora\x7801\x5B57 2.0";

// A 32-bit DIB section selected into a memory DC.
struct Surface {
    gdi::BitmapDc dc;
    Surface() { dc.select(gdi::makeDibPicture(width, height)); }
};

void PaintWrapped() {
    Surface surface;
    GxGraphics g;
    g.FromHdc(surface.dc.get());
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    GxPath path;
    path.Create();
    path.AddRoundRect(10, 10, width - 20, height - 20, 10);
    GxLinearBrush gradient;
    gradient.Create(GxPointF(0, 0), GxPointF(0, height), 0xFFDDE6F0, 0xFF7A9CC6);
    g.FillPath(gradient, path);
    GxFont font;
    font.CreateByNameW(L"WenQuanYi Zen Hei", 14, 0, UnitPixel);
    GxStringFormat format;
    format.Create();
    format.SetAlignment(StringAlignmentCenter);
    GxSolidBrush text;
    text.Create(0xFF000000);
    g.DrawStringW(caption, font, text, GxRectF(0, 0, width, 40), &format);
}

void PaintFlat() {
    Surface surface;
    GpGraphics* g = nullptr;
    GdipCreateFromHDC(surface.dc.get(), &g);
    GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
    GpPath* path = nullptr;
    GdipCreatePath(FillModeAlternate, &path);
    const REAL w = width - 20, h = height - 20, dw = static_cast<REAL>(static_cast<int>(w / 10)),
               dh = static_cast<REAL>(static_cast<int>(h / 10));
    GdipAddPathArc(path, 10 + w - dw, 10, dw, dh, 270, 90);
    GdipAddPathArc(path, 10 + w - dw, 10 + h - dh, dw, dh, 0, 90);
    GdipAddPathArc(path, 10, 10 + h - dh, dw, dh, 90, 90);
    GdipAddPathArc(path, 10, 10, dw, dh, 180, 90);
    GdipClosePathFigure(path);
    const PointF p1(0, 0), p2(0, height);
    GpLineGradient* gradient = nullptr;
    GdipCreateLineBrush(&p1, &p2, 0xFFDDE6F0, 0xFF7A9CC6, WrapModeTile, &gradient);
    GdipFillPath(g, gradient, path);
    GpFontFamily* family = nullptr;
    GdipCreateFontFamilyFromName(L"WenQuanYi Zen Hei", nullptr, &family);
    GpFont* font = nullptr;
    GdipCreateFont(family, 14, 0, UnitPixel, &font);
    GdipDeleteFontFamily(family);
    GpStringFormat* format = nullptr;
    GdipCreateStringFormat(0, 0, &format);
    GdipSetStringFormatAlign(format, StringAlignmentCenter);
    GpSolidFill* text = nullptr;
    GdipCreateSolidFill(0xFF000000, &text);
    const RectF layout(0, 0, width, 40);
    GdipDrawString(g, caption, lstrlenW(caption), font, &layout, format, text);
    GdipDeleteBrush(text);
    GdipDeleteStringFormat(format);
    GdipDeleteFont(font);
    GdipDeleteBrush(gradient);
    GdipDeletePath(path);
    GdipDeleteGraphics(g);
}

double Micros(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    GdipLifetime::Startup();
    constexpr int rounds = 300;
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < 20; ++i) {
        PaintWrapped();
        PaintFlat();
    }
    std::vector<double> wrapped, flat;
    // Interleaved, each side first in every other round, so that drift of the machine and
    // the order touch both sides alike.
    auto time = [&](void (*paint)(), std::vector<double>& into) {
        QueryPerformanceCounter(&t0);
        paint();
        QueryPerformanceCounter(&t1);
        into.push_back(Micros(t0, t1, frequency));
    };
    for (int i = 0; i < rounds; ++i) {
        if (i % 2) {
            time(PaintWrapped, wrapped);
            time(PaintFlat, flat);
        } else {
            time(PaintFlat, flat);
            time(PaintWrapped, wrapped);
        }
    }
    const double w = Median(wrapped), f = Median(flat);
    std::printf("paint %dx%d, %d rounds each (median per paint)\n", width, height, rounds);
    std::printf("wrappers:  %.1f us\n", w);
    std::printf("flat API:  %.1f us\n", f);
    std::printf("difference: %+.1f us (%+.2f %%)\n", w - f, (w - f) * 100.0 / f);
    GdipLifetime::Shutdown();
    return 0;
}
