#include "graphics/GxGraphics.h"

#include "graphics/GxBrush.h"
#include "graphics/GxCall.h"
#include "graphics/GxImage.h"
#include "graphics/GxMatrix.h"
#include "graphics/GxPath.h"
#include "graphics/GxPen.h"
#include "graphics/GxRegion.h"
#include "graphics/GxText.h"

using namespace gxcall;

bool GxGraphics::Flush(FlushIntention intention) { return Check(GdipFlush(handle, intention)); }

bool GxGraphics::FromHwnd(HWND hwnd, bool useIcm) {
    return Make([&](GpGraphics** out) { return useIcm ? GdipCreateFromHWNDICM(hwnd, out) : GdipCreateFromHWND(hwnd, out); });
}

bool GxGraphics::FromHdc(HDC hdc, std::optional<HANDLE> device) {
    return Make([&](GpGraphics** out) { return device ? GdipCreateFromHDC2(hdc, *device, out) : GdipCreateFromHDC(hdc, out); });
}

bool GxGraphics::FromImage(const GxImage& image) {
    return Make([&](GpGraphics** out) { return GdipGetImageGraphicsContext(image.Handle(), out); });
}

HDC GxGraphics::GetDC() { return Get<HDC>([&](HDC* v) { return GdipGetDC(handle, v); }); }
bool GxGraphics::ReleaseDC(HDC hdc) { return Check(GdipReleaseDC(handle, hdc)); }
bool GxGraphics::GetRenderingOrigin(int& x, int& y) { return Check(GdipGetRenderingOrigin(handle, &x, &y)); }
bool GxGraphics::SetRenderingOrigin(int x, int y) { return Check(GdipSetRenderingOrigin(handle, x, y)); }
CompositingMode GxGraphics::GetCompositingMode() {
    return Get<CompositingMode>([&](CompositingMode* v) { return GdipGetCompositingMode(handle, v); });
}
bool GxGraphics::SetCompositingMode(CompositingMode mode) { return Check(GdipSetCompositingMode(handle, mode)); }
CompositingQuality GxGraphics::GetCompositingQuality() {
    return Get<CompositingQuality>([&](CompositingQuality* v) { return GdipGetCompositingQuality(handle, v); });
}
bool GxGraphics::SetCompositingQuality(CompositingQuality quality) {
    return Check(GdipSetCompositingQuality(handle, quality));
}
bool GxGraphics::SetTextRenderingHint(TextRenderingHint hint) { return Check(GdipSetTextRenderingHint(handle, hint)); }
TextRenderingHint GxGraphics::GetTextRenderingHint() {
    return Get<TextRenderingHint>([&](TextRenderingHint* v) { return GdipGetTextRenderingHint(handle, v); });
}
bool GxGraphics::SetTextContrast(UINT contrast) { return Check(GdipSetTextContrast(handle, contrast)); }
UINT GxGraphics::GetTextContrast() { return Get<UINT>([&](UINT* v) { return GdipGetTextContrast(handle, v); }); }
bool GxGraphics::SetInterpolationMode(InterpolationMode mode) { return Check(GdipSetInterpolationMode(handle, mode)); }
InterpolationMode GxGraphics::GetInterpolationMode() {
    return Get<InterpolationMode>([&](InterpolationMode* v) { return GdipGetInterpolationMode(handle, v); });
}
bool GxGraphics::SetSmoothingMode(SmoothingMode mode) { return Check(GdipSetSmoothingMode(handle, mode)); }
SmoothingMode GxGraphics::GetSmoothingMode() {
    return Get<SmoothingMode>([&](SmoothingMode* v) { return GdipGetSmoothingMode(handle, v); });
}
bool GxGraphics::SetPixelOffsetMode(PixelOffsetMode mode) { return Check(GdipSetPixelOffsetMode(handle, mode)); }
PixelOffsetMode GxGraphics::GetPixelOffsetMode() {
    return Get<PixelOffsetMode>([&](PixelOffsetMode* v) { return GdipGetPixelOffsetMode(handle, v); });
}

bool GxGraphics::SetWorldTransform(const GxMatrix& matrix) { return Check(GdipSetWorldTransform(handle, matrix.Handle())); }
bool GxGraphics::GetWorldTransform(GxMatrix& matrix) {
    if (matrix.IsEmpty() && !matrix.Create()) return false;
    return Check(GdipGetWorldTransform(handle, matrix.Handle()));
}
bool GxGraphics::ResetWorldTransform() { return Check(GdipResetWorldTransform(handle)); }
bool GxGraphics::MultiplyWorldTransform(const GxMatrix& matrix, int order) {
    return Check(GdipMultiplyWorldTransform(handle, matrix.Handle(), Ord(order)));
}
bool GxGraphics::TranslateWorldTransform(float dx, float dy, int order) {
    return Check(GdipTranslateWorldTransform(handle, dx, dy, Ord(order)));
}
bool GxGraphics::ScaleWorldTransform(float sx, float sy, int order) {
    return Check(GdipScaleWorldTransform(handle, sx, sy, Ord(order)));
}
bool GxGraphics::ScaleAt(float sx, float sy, float x, float y, int order) {
    return AroundPoint(
        x, y, order, [&](float dx, float dy, MatrixOrder o) { return GdipTranslateWorldTransform(handle, dx, dy, o); },
        [&](MatrixOrder o) { return GdipScaleWorldTransform(handle, sx, sy, o); });
}
bool GxGraphics::RotateWorldTransform(float angle, int order) {
    return Check(GdipRotateWorldTransform(handle, angle, Ord(order)));
}
bool GxGraphics::RotateAt(float angle, float x, float y, int order) {
    return AroundPoint(
        x, y, order, [&](float dx, float dy, MatrixOrder o) { return GdipTranslateWorldTransform(handle, dx, dy, o); },
        [&](MatrixOrder o) { return GdipRotateWorldTransform(handle, angle, o); });
}

bool GxGraphics::SetPageUnit(Unit unit) { return Check(GdipSetPageUnit(handle, unit)); }
GxGraphics::Unit GxGraphics::GetPageUnit() { return Get<Unit>([&](Unit* v) { return GdipGetPageUnit(handle, v); }); }
bool GxGraphics::SetPageScale(float scale) { return Check(GdipSetPageScale(handle, scale)); }
float GxGraphics::GetPageScale() { return Get<REAL>([&](REAL* v) { return GdipGetPageScale(handle, v); }); }
float GxGraphics::GetDpiX() { return Get<REAL>([&](REAL* v) { return GdipGetDpiX(handle, v); }); }
float GxGraphics::GetDpiY() { return Get<REAL>([&](REAL* v) { return GdipGetDpiY(handle, v); }); }
bool GxGraphics::TransformPoints(CoordinateSpace dest, CoordinateSpace src, std::span<GxPointF> points) {
    return Check(GdipTransformPoints(handle, dest, src, points.data(), Count(points.size())));
}
bool GxGraphics::TransformPointsI(CoordinateSpace dest, CoordinateSpace src, std::span<GxPoint> points) {
    return Check(GdipTransformPointsI(handle, dest, src, points.data(), Count(points.size())));
}
GxArgb GxGraphics::GetNearestColor(GxArgb color) {
    ARGB value = color;
    Check(GdipGetNearestColor(handle, &value));
    return value;
}

bool GxGraphics::DrawLine(const GxPen& pen, float x1, float y1, float x2, float y2) {
    return Check(GdipDrawLine(handle, pen.Handle(), x1, y1, x2, y2));
}
bool GxGraphics::DrawLineI(const GxPen& pen, int x1, int y1, int x2, int y2) {
    return Check(GdipDrawLineI(handle, pen.Handle(), x1, y1, x2, y2));
}
bool GxGraphics::DrawLines(const GxPen& pen, std::span<const GxPointF> points) {
    return Check(GdipDrawLines(handle, pen.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawLinesI(const GxPen& pen, std::span<const GxPoint> points) {
    return Check(GdipDrawLinesI(handle, pen.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawArc(const GxPen& pen, float x, float y, float w, float h, float start, float sweep) {
    return Check(GdipDrawArc(handle, pen.Handle(), x, y, w, h, start, sweep));
}
bool GxGraphics::DrawArcI(const GxPen& pen, int x, int y, int w, int h, float start, float sweep) {
    return Check(GdipDrawArcI(handle, pen.Handle(), x, y, w, h, start, sweep));
}
bool GxGraphics::DrawBezier(const GxPen& pen, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                            float y4) {
    return Check(GdipDrawBezier(handle, pen.Handle(), x1, y1, x2, y2, x3, y3, x4, y4));
}
bool GxGraphics::DrawBezierI(const GxPen& pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return Check(GdipDrawBezierI(handle, pen.Handle(), x1, y1, x2, y2, x3, y3, x4, y4));
}
bool GxGraphics::DrawBeziers(const GxPen& pen, std::span<const GxPointF> points) {
    return Check(GdipDrawBeziers(handle, pen.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawBeziersI(const GxPen& pen, std::span<const GxPoint> points) {
    return Check(GdipDrawBeziersI(handle, pen.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawRectangle(const GxPen& pen, float x, float y, float w, float h) {
    return Check(GdipDrawRectangle(handle, pen.Handle(), x, y, w, h));
}
bool GxGraphics::DrawRectangleI(const GxPen& pen, int x, int y, int w, int h) {
    return Check(GdipDrawRectangleI(handle, pen.Handle(), x, y, w, h));
}
bool GxGraphics::DrawRectangles(const GxPen& pen, std::span<const GxRectF> rects) {
    return Check(GdipDrawRectangles(handle, pen.Handle(), rects.data(), Count(rects.size())));
}
bool GxGraphics::DrawRectanglesI(const GxPen& pen, std::span<const GxRect> rects) {
    return Check(GdipDrawRectanglesI(handle, pen.Handle(), rects.data(), Count(rects.size())));
}
bool GxGraphics::DrawEllipse(const GxPen& pen, float x, float y, float w, float h) {
    return Check(GdipDrawEllipse(handle, pen.Handle(), x, y, w, h));
}
bool GxGraphics::DrawEllipseI(const GxPen& pen, int x, int y, int w, int h) {
    return Check(GdipDrawEllipseI(handle, pen.Handle(), x, y, w, h));
}
bool GxGraphics::DrawPie(const GxPen& pen, float x, float y, float w, float h, float start, float sweep) {
    return Check(GdipDrawPie(handle, pen.Handle(), x, y, w, h, start, sweep));
}
bool GxGraphics::DrawPieI(const GxPen& pen, int x, int y, int w, int h, float start, float sweep) {
    return Check(GdipDrawPieI(handle, pen.Handle(), x, y, w, h, start, sweep));
}
bool GxGraphics::DrawPolygon(const GxPen& pen, std::span<const GxPointF> points) {
    return Check(GdipDrawPolygon(handle, pen.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawPolygonI(const GxPen& pen, std::span<const GxPoint> points) {
    return Check(GdipDrawPolygonI(handle, pen.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawPath(const GxPen& pen, const GxPath& path) {
    return Check(GdipDrawPath(handle, pen.Handle(), path.Handle()));
}
bool GxGraphics::DrawCurve(const GxPen& pen, std::span<const GxPointF> points) {
    return Check(GdipDrawCurve(handle, pen.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawCurveI(const GxPen& pen, std::span<const GxPoint> points) {
    return Check(GdipDrawCurveI(handle, pen.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawCurve2(const GxPen& pen, std::span<const GxPointF> points, float tension) {
    return Check(GdipDrawCurve2(handle, pen.Handle(), points.data(), Count(points.size()), tension));
}
bool GxGraphics::DrawCurve2I(const GxPen& pen, std::span<const GxPoint> points, float tension) {
    return Check(GdipDrawCurve2I(handle, pen.Handle(), points.data(), Count(points.size()), tension));
}
bool GxGraphics::DrawCurve3(const GxPen& pen, std::span<const GxPointF> points, int offset, int segments,
                            float tension) {
    return Check(GdipDrawCurve3(handle, pen.Handle(), points.data(), Count(points.size()), offset, segments, tension));
}
bool GxGraphics::DrawCurve3I(const GxPen& pen, std::span<const GxPoint> points, int offset, int segments,
                             float tension) {
    return Check(GdipDrawCurve3I(handle, pen.Handle(), points.data(), Count(points.size()), offset, segments, tension));
}
bool GxGraphics::DrawClosedCurve(const GxPen& pen, std::span<const GxPointF> points) {
    return Check(GdipDrawClosedCurve(handle, pen.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawClosedCurveI(const GxPen& pen, std::span<const GxPoint> points) {
    return Check(GdipDrawClosedCurveI(handle, pen.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawClosedCurve2(const GxPen& pen, std::span<const GxPointF> points, float tension) {
    return Check(GdipDrawClosedCurve2(handle, pen.Handle(), points.data(), Count(points.size()), tension));
}
bool GxGraphics::DrawClosedCurve2I(const GxPen& pen, std::span<const GxPoint> points, float tension) {
    return Check(GdipDrawClosedCurve2I(handle, pen.Handle(), points.data(), Count(points.size()), tension));
}

bool GxGraphics::Clear(GxArgb color) { return Check(GdipGraphicsClear(handle, color)); }
bool GxGraphics::FillRectangle(const GxBrush& brush, float x, float y, float w, float h) {
    return Check(GdipFillRectangle(handle, brush.Handle(), x, y, w, h));
}
bool GxGraphics::FillRectangleR(const GxBrush& brush, const GxRectF& r) {
    return Check(GdipFillRectangle(handle, brush.Handle(), r.X, r.Y, r.Width, r.Height));
}
bool GxGraphics::FillRectangleI(const GxBrush& brush, int x, int y, int w, int h) {
    return Check(GdipFillRectangleI(handle, brush.Handle(), x, y, w, h));
}
bool GxGraphics::FillRectangles(const GxBrush& brush, std::span<const GxRectF> rects) {
    return Check(GdipFillRectangles(handle, brush.Handle(), rects.data(), Count(rects.size())));
}
bool GxGraphics::FillRectanglesI(const GxBrush& brush, std::span<const GxRect> rects) {
    return Check(GdipFillRectanglesI(handle, brush.Handle(), rects.data(), Count(rects.size())));
}
bool GxGraphics::FillPolygon(const GxBrush& brush, std::span<const GxPointF> points, FillMode mode) {
    return Check(GdipFillPolygon(handle, brush.Handle(), points.data(), Count(points.size()), mode));
}
bool GxGraphics::FillPolygonI(const GxBrush& brush, std::span<const GxPoint> points, FillMode mode) {
    return Check(GdipFillPolygonI(handle, brush.Handle(), points.data(), Count(points.size()), mode));
}
bool GxGraphics::FillEllipse(const GxBrush& brush, float x, float y, float w, float h) {
    return Check(GdipFillEllipse(handle, brush.Handle(), x, y, w, h));
}
bool GxGraphics::FillEllipseI(const GxBrush& brush, int x, int y, int w, int h) {
    return Check(GdipFillEllipseI(handle, brush.Handle(), x, y, w, h));
}
bool GxGraphics::FillPie(const GxBrush& brush, float x, float y, float w, float h, float start, float sweep) {
    return Check(GdipFillPie(handle, brush.Handle(), x, y, w, h, start, sweep));
}
bool GxGraphics::FillPieI(const GxBrush& brush, int x, int y, int w, int h, float start, float sweep) {
    return Check(GdipFillPieI(handle, brush.Handle(), x, y, w, h, start, sweep));
}
bool GxGraphics::FillPath(const GxBrush& brush, const GxPath& path) {
    return Check(GdipFillPath(handle, brush.Handle(), path.Handle()));
}
bool GxGraphics::FillClosedCurve(const GxBrush& brush, std::span<const GxPointF> points) {
    return Check(GdipFillClosedCurve(handle, brush.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::FillClosedCurve2(const GxBrush& brush, std::span<const GxPointF> points, float tension,
                                  FillMode mode) {
    return Check(GdipFillClosedCurve2(handle, brush.Handle(), points.data(), Count(points.size()), tension, mode));
}
bool GxGraphics::FillClosedCurveI(const GxBrush& brush, std::span<const GxPoint> points) {
    return Check(GdipFillClosedCurveI(handle, brush.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::FillClosedCurve2I(const GxBrush& brush, std::span<const GxPoint> points, float tension,
                                   FillMode mode) {
    return Check(GdipFillClosedCurve2I(handle, brush.Handle(), points.data(), Count(points.size()), tension, mode));
}
bool GxGraphics::FillRegion(const GxBrush& brush, const GxRegion& region) {
    return Check(GdipFillRegion(handle, brush.Handle(), region.Handle()));
}

bool GxGraphics::DrawString(const char* text, const GxFont& font, const GxBrush& brush, const GxRectF& layout,
                            const GxStringFormat* format) {
    return DrawStringW(GxWiden(text).c_str(), font, brush, layout, format);
}
bool GxGraphics::DrawStringW(const wchar_t* text, const GxFont& font, const GxBrush& brush, const GxRectF& layout,
                             const GxStringFormat* format) {
    return Check(GdipDrawString(handle, text, lstrlenW(text), font.Handle(), &layout, NativeOf(format), brush.Handle()));
}
bool GxGraphics::MeasureString(const char* text, const GxFont& font, const GxRectF& layout,
                               const GxStringFormat* format, GxRectF& bounds) {
    return MeasureStringW(GxWiden(text).c_str(), font, layout, format, bounds);
}
bool GxGraphics::MeasureStringW(const wchar_t* text, const GxFont& font, const GxRectF& layout,
                                const GxStringFormat* format, GxRectF& bounds) {
    return Check(GdipMeasureString(handle, text, lstrlenW(text), font.Handle(), &layout, NativeOf(format), &bounds,
                                nullptr, nullptr));
}
bool GxGraphics::MeasureCharacterRanges(const char* text, const GxFont& font, const GxRectF& layout,
                                        const GxStringFormat* format, int count, std::vector<GxRegion>& regions) {
    return MeasureCharacterRangesW(GxWiden(text).c_str(), font, layout, format, count, regions);
}
bool GxGraphics::MeasureCharacterRangesW(const wchar_t* text, const GxFont& font, const GxRectF& layout,
                                         const GxStringFormat* format, int count, std::vector<GxRegion>& regions) {
    if (count < 0) return Check(InvalidParameter);
    // Each region gets its owner before the measuring call, so none leaks on failure.
    std::vector<GxRegion> made(static_cast<std::size_t>(count));
    std::vector<GpRegion*> natives;
    for (auto& region : made) {
        if (!region.Create()) return false;
        natives.push_back(region.Handle());
    }
    if (!Check(GdipMeasureCharacterRanges(handle, text, lstrlenW(text), font.Handle(), layout, NativeOf(format), count,
                                       natives.data())))
        return false;
    regions = std::move(made);
    return true;
}
bool GxGraphics::DrawDriverString(const char* text, const GxFont& font, const GxBrush& brush,
                                  std::span<const GxPointF> positions, int flags, const GxMatrix* matrix) {
    return DrawDriverStringW(GxWiden(text).c_str(), font, brush, positions, flags, matrix);
}
bool GxGraphics::DrawDriverStringW(const wchar_t* text, const GxFont& font, const GxBrush& brush,
                                   std::span<const GxPointF> positions, int flags, const GxMatrix* matrix) {
    const int length = lstrlenW(text);
    // GDI+ reads one position per character (or one in all with the realized-advance flag).
    const bool oneOrigin = (flags & DriverStringOptionsRealizedAdvance) != 0;
    if (positions.size() < (oneOrigin ? 1u : static_cast<std::size_t>(length))) return Check(InvalidParameter);
    return Check(GdipDrawDriverString(handle, reinterpret_cast<const UINT16*>(text), length, font.Handle(),
                                   brush.Handle(), positions.data(), flags, NativeOf(matrix)));
}

bool GxGraphics::DrawImage(const GxImage& image, float x, float y) {
    return Check(GdipDrawImage(handle, image.Handle(), x, y));
}
bool GxGraphics::DrawImageI(const GxImage& image, int x, int y) {
    return Check(GdipDrawImageI(handle, image.Handle(), x, y));
}
bool GxGraphics::DrawCachedBitmap(GpCachedBitmap* cached, float x, float y) {
    return Check(GdipDrawCachedBitmap(handle, cached, static_cast<INT>(x), static_cast<INT>(y)));
}
bool GxGraphics::DrawImageRect(const GxImage& image, float x, float y, float w, float h, Unit unit) {
    UINT iw = 0, ih = 0;
    GdipGetImageWidth(image.Handle(), &iw);
    GdipGetImageHeight(image.Handle(), &ih);
    return Check(GdipDrawImageRectRect(handle, image.Handle(), x, y, w, h, 0, 0, static_cast<REAL>(iw),
                                    static_cast<REAL>(ih), unit, nullptr, nullptr, nullptr));
}
bool GxGraphics::DrawImageRectI(const GxImage& image, int x, int y, int w, int h, Unit unit) {
    UINT iw = 0, ih = 0;
    GdipGetImageWidth(image.Handle(), &iw);
    GdipGetImageHeight(image.Handle(), &ih);
    return Check(GdipDrawImageRectRectI(handle, image.Handle(), x, y, w, h, 0, 0, static_cast<INT>(iw),
                                     static_cast<INT>(ih), unit, nullptr, nullptr, nullptr));
}
bool GxGraphics::DrawImagePoints(const GxImage& image, std::span<const GxPointF> points) {
    return Check(GdipDrawImagePoints(handle, image.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawImagePointsI(const GxImage& image, std::span<const GxPoint> points) {
    return Check(GdipDrawImagePointsI(handle, image.Handle(), points.data(), Count(points.size())));
}
bool GxGraphics::DrawImagePointRect(const GxImage& image, float x, float y, float srcX, float srcY, float srcW,
                                    float srcH, Unit unit) {
    return Check(GdipDrawImagePointRect(handle, image.Handle(), x, y, srcX, srcY, srcW, srcH, unit));
}
bool GxGraphics::DrawImagePointRectI(const GxImage& image, int x, int y, int srcX, int srcY, int srcW, int srcH,
                                     Unit unit) {
    return Check(GdipDrawImagePointRectI(handle, image.Handle(), x, y, srcX, srcY, srcW, srcH, unit));
}
bool GxGraphics::DrawImageRectRect(const GxImage& image, float x, float y, float w, float h, float srcX, float srcY,
                                   float srcW, float srcH, Unit unit, GpImageAttributes* attributes) {
    return Check(GdipDrawImageRectRect(handle, image.Handle(), x, y, w, h, srcX, srcY, srcW, srcH, unit, attributes,
                                    nullptr, nullptr));
}
bool GxGraphics::DrawImageRectRectI(const GxImage& image, int x, int y, int w, int h, int srcX, int srcY, int srcW,
                                    int srcH, Unit unit, GpImageAttributes* attributes) {
    return Check(GdipDrawImageRectRectI(handle, image.Handle(), x, y, w, h, srcX, srcY, srcW, srcH, unit, attributes,
                                     nullptr, nullptr));
}
bool GxGraphics::DrawImagePointsRect(const GxImage& image, std::span<const GxPointF> points, float srcX, float srcY,
                                     float srcW, float srcH, Unit unit, GpImageAttributes* attributes) {
    return Check(GdipDrawImagePointsRect(handle, image.Handle(), points.data(), Count(points.size()), srcX, srcY, srcW,
                                      srcH, unit, attributes, nullptr, nullptr));
}
bool GxGraphics::DrawImagePointsRectI(const GxImage& image, std::span<const GxPoint> points, int srcX, int srcY,
                                      int srcW, int srcH, Unit unit, GpImageAttributes* attributes) {
    return Check(GdipDrawImagePointsRectI(handle, image.Handle(), points.data(), Count(points.size()), srcX, srcY, srcW,
                                       srcH, unit, attributes, nullptr, nullptr));
}

bool GxGraphics::EnumerateMetafileDestPoint(const GpMetafile* metafile, const GxPointF& dest, MetafileProc proc,
                                            void* data, const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileDestPoint(handle, metafile, dest, proc, data, attributes));
}
bool GxGraphics::EnumerateMetafileDestPointI(const GpMetafile* metafile, const GxPoint& dest, MetafileProc proc,
                                             void* data, const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileDestPointI(handle, metafile, dest, proc, data, attributes));
}
bool GxGraphics::EnumerateMetafileDestPoints(const GpMetafile* metafile, std::span<const GxPointF> dest,
                                             MetafileProc proc, void* data, const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileDestPoints(handle, metafile, dest.data(), Count(dest.size()), proc, data,
                                              attributes));
}
bool GxGraphics::EnumerateMetafileDestPointsI(const GpMetafile* metafile, std::span<const GxPoint> dest,
                                              MetafileProc proc, void* data, const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileDestPointsI(handle, metafile, dest.data(), Count(dest.size()), proc, data,
                                               attributes));
}
bool GxGraphics::EnumerateMetafileDestRect(const GpMetafile* metafile, const GxRectF& dest, MetafileProc proc,
                                           void* data, const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileDestRect(handle, metafile, dest, proc, data, attributes));
}
bool GxGraphics::EnumerateMetafileDestRectI(const GpMetafile* metafile, const GxRect& dest, MetafileProc proc,
                                            void* data, const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileDestRectI(handle, metafile, dest, proc, data, attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestPoint(const GpMetafile* metafile, const GxPointF& dest,
                                                   const GxRectF& src, Unit unit, MetafileProc proc, void* data,
                                                   const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileSrcRectDestPoint(handle, metafile, dest, src, unit, proc, data, attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestPointI(const GpMetafile* metafile, const GxPoint& dest,
                                                    const GxRect& src, Unit unit, MetafileProc proc, void* data,
                                                    const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileSrcRectDestPointI(handle, metafile, dest, src, unit, proc, data, attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestPoints(const GpMetafile* metafile, std::span<const GxPointF> dest,
                                                    const GxRectF& src, Unit unit, MetafileProc proc, void* data,
                                                    const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileSrcRectDestPoints(handle, metafile, dest.data(), Count(dest.size()), src, unit,
                                                     proc, data, attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestPointsI(const GpMetafile* metafile, std::span<const GxPoint> dest,
                                                     const GxRect& src, Unit unit, MetafileProc proc, void* data,
                                                     const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileSrcRectDestPointsI(handle, metafile, dest.data(), Count(dest.size()), src, unit,
                                                      proc, data, attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestRect(const GpMetafile* metafile, const GxRectF& dest, const GxRectF& src,
                                                  Unit unit, MetafileProc proc, void* data,
                                                  const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileSrcRectDestRect(handle, metafile, dest, src, unit, proc, data, attributes));
}
bool GxGraphics::EnumerateMetafileSrcRectDestRectI(const GpMetafile* metafile, const GxRect& dest, const GxRect& src,
                                                   Unit unit, MetafileProc proc, void* data,
                                                   const GpImageAttributes* attributes) {
    return Check(GdipEnumerateMetafileSrcRectDestRectI(handle, metafile, dest, src, unit, proc, data, attributes));
}

bool GxGraphics::SetClipGraphics(const GxGraphics& source, Combine mode) {
    return Check(GdipSetClipGraphics(handle, source.Handle(), mode));
}
bool GxGraphics::SetClipPath(const GxPath& path, Combine mode) { return Check(GdipSetClipPath(handle, path.Handle(), mode)); }
bool GxGraphics::SetClipRect(float x, float y, float w, float h, Combine mode) {
    return Check(GdipSetClipRect(handle, x, y, w, h, mode));
}
bool GxGraphics::SetClipRectI(int x, int y, int w, int h, Combine mode) {
    return Check(GdipSetClipRectI(handle, x, y, w, h, mode));
}
bool GxGraphics::SetClipRegion(const GxRegion& region, Combine mode) {
    return Check(GdipSetClipRegion(handle, region.Handle(), mode));
}
bool GxGraphics::SetClipHrgn(HRGN region, Combine mode) { return Check(GdipSetClipHrgn(handle, region, mode)); }
bool GxGraphics::ResetClip() { return Check(GdipResetClip(handle)); }
bool GxGraphics::TranslateClip(float dx, float dy) { return Check(GdipTranslateClip(handle, dx, dy)); }
bool GxGraphics::TranslateClipI(int dx, int dy) { return Check(GdipTranslateClipI(handle, dx, dy)); }
bool GxGraphics::GetClip(GxRegion& region) {
    if (region.IsEmpty() && !region.Create()) return false;
    return Check(GdipGetClip(handle, region.Handle()));
}
bool GxGraphics::GetClipBounds(GxRectF& bounds) { return Check(GdipGetClipBounds(handle, &bounds)); }
bool GxGraphics::GetClipBoundsI(GxRect& bounds) { return Check(GdipGetClipBoundsI(handle, &bounds)); }
bool GxGraphics::GetVisibleClipBounds(GxRectF& bounds) { return Check(GdipGetVisibleClipBounds(handle, &bounds)); }
bool GxGraphics::GetVisibleClipBoundsI(GxRect& bounds) { return Check(GdipGetVisibleClipBoundsI(handle, &bounds)); }
BOOL GxGraphics::IsClipEmpty() { return Get<BOOL>([&](BOOL* v) { return GdipIsClipEmpty(handle, v); }); }
BOOL GxGraphics::IsVisibleClipEmpty() { return Get<BOOL>([&](BOOL* v) { return GdipIsVisibleClipEmpty(handle, v); }); }
BOOL GxGraphics::IsVisiblePoint(float x, float y) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsVisiblePoint(handle, x, y, v); });
}
BOOL GxGraphics::IsVisiblePointI(int x, int y) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsVisiblePointI(handle, x, y, v); });
}
BOOL GxGraphics::IsVisibleRect(float x, float y, float w, float h) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsVisibleRect(handle, x, y, w, h, v); });
}
BOOL GxGraphics::IsVisibleRectI(int x, int y, int w, int h) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsVisibleRectI(handle, x, y, w, h, v); });
}

GraphicsState GxGraphics::Save() { return Get<GraphicsState>([&](GraphicsState* v) { return GdipSaveGraphics(handle, v); }); }
bool GxGraphics::Restore(GraphicsState state) { return Check(GdipRestoreGraphics(handle, state)); }
GraphicsContainer GxGraphics::BeginContainer(const GxRectF& dest, const GxRectF& src, Unit unit) {
    return Get<GraphicsContainer>([&](GraphicsContainer* v) { return GdipBeginContainer(handle, &dest, &src, unit, v); });
}
GraphicsContainer GxGraphics::BeginContainerI(const GxRect& dest, const GxRect& src, Unit unit) {
    return Get<GraphicsContainer>([&](GraphicsContainer* v) { return GdipBeginContainerI(handle, &dest, &src, unit, v); });
}
GraphicsContainer GxGraphics::BeginContainer2() {
    return Get<GraphicsContainer>([&](GraphicsContainer* v) { return GdipBeginContainer2(handle, v); });
}
bool GxGraphics::EndContainer(GraphicsContainer state) { return Check(GdipEndContainer(handle, state)); }
bool GxGraphics::Comment(ByteView data) { return Check(GdipComment(handle, static_cast<UINT>(data.size()), data.data())); }
