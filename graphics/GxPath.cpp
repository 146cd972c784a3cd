#include "graphics/GxPath.h"

#include <algorithm>

#include "graphics/GxCall.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxMatrix.h"
#include "graphics/GxPen.h"
#include "graphics/GxText.h"

using namespace gxcall;

bool GxPath::Create(FillMode mode) {
    return Make([&](GpPath** out) { return GdipCreatePath(mode, out); });
}
bool GxPath::Create2(std::span<const GxPointF> points, std::span<const BYTE> types, FillMode mode) {
    if (!SameLength(points, types)) return false;
    return Make([&](GpPath** out) { return GdipCreatePath2(points.data(), types.data(), Count(points.size()), mode, out); });
}
bool GxPath::Create2I(std::span<const GxPoint> points, std::span<const BYTE> types, FillMode mode) {
    if (!SameLength(points, types)) return false;
    return Make([&](GpPath** out) { return GdipCreatePath2I(points.data(), types.data(), Count(points.size()), mode, out); });
}
bool GxPath::Clone(GxPath& result) const {
    GpPath* copy = nullptr;
    const bool ok = Check(GdipClonePath(handle, &copy));
    result.Adopt(copy);
    return ok;
}
bool GxPath::Reset() { return Check(GdipResetPath(handle)); }
GxPath::FillMode GxPath::GetFillMode() {
    return Get<FillMode>([&](FillMode* v) { return GdipGetPathFillMode(handle, v); });
}
bool GxPath::SetFillMode(FillMode mode) { return Check(GdipSetPathFillMode(handle, mode)); }

bool GxPath::GetPathData(std::vector<GxPointF>& points, std::vector<BYTE>& types) {
    INT n = 0;
    if (!Check(GdipGetPointCount(handle, &n))) return false;
    const std::size_t count = static_cast<std::size_t>(std::max(n, 0));
    // GDI+ fills caller-provided arrays; they come from its own allocator.
    auto* pointBuffer = static_cast<GxPointF*>(Alloc(std::max<std::size_t>(count, 1) * sizeof(GxPointF)));
    auto* typeBuffer = static_cast<BYTE*>(Alloc(std::max<std::size_t>(count, 1)));
    bool ok = false;
    if (pointBuffer && typeBuffer) {
        // The layout of GDI+'s path data record (its C++ form frees its arrays itself).
        struct {
            INT Count;
            GxPointF* Points;
            BYTE* Types;
        } data{n, pointBuffer, typeBuffer};
        ok = Check(GdipGetPathData(handle, reinterpret_cast<GpPathData*>(&data)));
        if (ok) {
            points.assign(pointBuffer, pointBuffer + count);
            types.assign(typeBuffer, typeBuffer + count);
        }
    } else {
        Check(OutOfMemory);
    }
    Free(pointBuffer);
    Free(typeBuffer);
    return ok;
}
bool GxPath::GetTypes(std::vector<BYTE>& types) {
    return GetArray(types, [&](INT* n) { return GdipGetPointCount(handle, n); },
                    [&](BYTE* v, INT n) { return GdipGetPathTypes(handle, v, n); });
}
bool GxPath::GetPoints(std::vector<GxPointF>& points) {
    return GetArray(points, [&](INT* n) { return GdipGetPointCount(handle, n); },
                    [&](GxPointF* v, INT n) { return GdipGetPathPoints(handle, v, n); });
}
bool GxPath::GetPointsI(std::vector<GxPoint>& points) {
    return GetArray(points, [&](INT* n) { return GdipGetPointCount(handle, n); },
                    [&](GxPoint* v, INT n) { return GdipGetPathPointsI(handle, v, n); });
}

bool GxPath::StartFigure() { return Check(GdipStartPathFigure(handle)); }
bool GxPath::CloseFigure() { return Check(GdipClosePathFigure(handle)); }
bool GxPath::CloseFigures() { return Check(GdipClosePathFigures(handle)); }
bool GxPath::SetMarker() { return Check(GdipSetPathMarker(handle)); }
bool GxPath::ClearMarkers() { return Check(GdipClearPathMarkers(handle)); }
bool GxPath::Reverse() { return Check(GdipReversePath(handle)); }
bool GxPath::GetLastPoint(GxPointF& point) { return Check(GdipGetPathLastPoint(handle, &point)); }

bool GxPath::AddLine(float x1, float y1, float x2, float y2) { return Check(GdipAddPathLine(handle, x1, y1, x2, y2)); }
bool GxPath::AddLine2(std::span<const GxPointF> points) {
    return Check(GdipAddPathLine2(handle, points.data(), Count(points.size())));
}
bool GxPath::AddArc(float x, float y, float w, float h, float start, float sweep) {
    return Check(GdipAddPathArc(handle, x, y, w, h, start, sweep));
}
bool GxPath::AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
    return Check(GdipAddPathBezier(handle, x1, y1, x2, y2, x3, y3, x4, y4));
}
bool GxPath::AddBeziers(std::span<const GxPointF> points) {
    return Check(GdipAddPathBeziers(handle, points.data(), Count(points.size())));
}
bool GxPath::AddCurve(std::span<const GxPointF> points) {
    return Check(GdipAddPathCurve(handle, points.data(), Count(points.size())));
}
bool GxPath::AddCurve2(std::span<const GxPointF> points, float tension) {
    return Check(GdipAddPathCurve2(handle, points.data(), Count(points.size()), tension));
}
bool GxPath::AddCurve3(std::span<const GxPointF> points, int offset, int segments, float tension) {
    return Check(GdipAddPathCurve3(handle, points.data(), Count(points.size()), offset, segments, tension));
}
bool GxPath::AddCurveI(std::span<const GxPoint> points) {
    return Check(GdipAddPathCurveI(handle, points.data(), Count(points.size())));
}
bool GxPath::AddCurve2I(std::span<const GxPoint> points, float tension) {
    return Check(GdipAddPathCurve2I(handle, points.data(), Count(points.size()), tension));
}
bool GxPath::AddCurve3I(std::span<const GxPoint> points, int offset, int segments, float tension) {
    return Check(GdipAddPathCurve3I(handle, points.data(), Count(points.size()), offset, segments, tension));
}
bool GxPath::AddClosedCurve(std::span<const GxPointF> points) {
    return Check(GdipAddPathClosedCurve(handle, points.data(), Count(points.size())));
}
bool GxPath::AddClosedCurve2(std::span<const GxPointF> points, float tension) {
    return Check(GdipAddPathClosedCurve2(handle, points.data(), Count(points.size()), tension));
}
bool GxPath::AddClosedCurveI(std::span<const GxPoint> points) {
    return Check(GdipAddPathClosedCurveI(handle, points.data(), Count(points.size())));
}
bool GxPath::AddClosedCurve2I(std::span<const GxPoint> points, float tension) {
    return Check(GdipAddPathClosedCurve2I(handle, points.data(), Count(points.size()), tension));
}
bool GxPath::AddRectangle(float x, float y, float w, float h) { return Check(GdipAddPathRectangle(handle, x, y, w, h)); }
bool GxPath::AddRoundRect(float x, float y, float w, float h, int percent) {
    const int p = std::clamp(percent, 1, 100);
    const auto dw = static_cast<float>(static_cast<int>(w * static_cast<float>(p) / 100.0f));
    const auto dh = static_cast<float>(static_cast<int>(h * static_cast<float>(p) / 100.0f));
    GdipAddPathArc(handle, x + w - dw, y, dw, dh, 270, 90);
    GdipAddPathArc(handle, x + w - dw, y + h - dh, dw, dh, 0, 90);
    GdipAddPathArc(handle, x, y + h - dh, dw, dh, 90, 90);
    GdipAddPathArc(handle, x, y, dw, dh, 180, 90);
    return Check(GdipClosePathFigure(handle));
}
bool GxPath::AddRectangles(std::span<const GxRectF> rects) {
    return Check(GdipAddPathRectangles(handle, rects.data(), Count(rects.size())));
}
bool GxPath::AddRectangleI(int x, int y, int w, int h) { return Check(GdipAddPathRectangleI(handle, x, y, w, h)); }
bool GxPath::AddRectanglesI(std::span<const GxRect> rects) {
    return Check(GdipAddPathRectanglesI(handle, rects.data(), Count(rects.size())));
}
bool GxPath::AddEllipse(float x, float y, float w, float h) { return Check(GdipAddPathEllipse(handle, x, y, w, h)); }
bool GxPath::AddEllipseI(int x, int y, int w, int h) { return Check(GdipAddPathEllipseI(handle, x, y, w, h)); }
bool GxPath::AddPie(float x, float y, float w, float h, float start, float sweep) {
    return Check(GdipAddPathPie(handle, x, y, w, h, start, sweep));
}
bool GxPath::AddPieI(int x, int y, int w, int h, float start, float sweep) {
    return Check(GdipAddPathPieI(handle, x, y, w, h, start, sweep));
}
bool GxPath::AddPolygon(std::span<const GxPointF> points) {
    return Check(GdipAddPathPolygon(handle, points.data(), Count(points.size())));
}
bool GxPath::AddPolygonI(std::span<const GxPoint> points) {
    return Check(GdipAddPathPolygonI(handle, points.data(), Count(points.size())));
}
bool GxPath::AddPath(const GxPath& other, bool connect) { return Check(GdipAddPathPath(handle, other.handle, connect)); }
bool GxPath::AddString(const char* text, const GxFontFamily& family, float emSize, const GxRectF& layout, int style,
                       const GxStringFormat* format) {
    return AddStringW(GxWiden(text).c_str(), family, emSize, layout, style, format);
}
bool GxPath::AddStringW(const wchar_t* text, const GxFontFamily& family, float emSize, const GxRectF& layout,
                        int style, const GxStringFormat* format) {
    return Check(GdipAddPathString(handle, text, lstrlenW(text), family.Handle(), style, emSize, &layout,
                                NativeOf(format)));
}
bool GxPath::AddStringI(const char* text, const GxFontFamily& family, float emSize, const GxRect& layout, int style,
                        const GxStringFormat* format) {
    return AddStringIW(GxWiden(text).c_str(), family, emSize, layout, style, format);
}
bool GxPath::AddStringIW(const wchar_t* text, const GxFontFamily& family, float emSize, const GxRect& layout,
                         int style, const GxStringFormat* format) {
    return Check(GdipAddPathStringI(handle, text, lstrlenW(text), family.Handle(), style, emSize, &layout,
                                 NativeOf(format)));
}

bool GxPath::Transform(const GxMatrix& matrix) { return Check(GdipTransformPath(handle, matrix.Handle())); }
bool GxPath::GetWorldBounds(GxRectF& bounds, const GxMatrix* matrix, const GxPen* pen) {
    return Check(GdipGetPathWorldBounds(handle, &bounds, NativeOf(matrix), NativeOf(pen)));
}
bool GxPath::GetWorldBoundsI(GxRect& bounds, const GxMatrix* matrix, const GxPen* pen) {
    return Check(GdipGetPathWorldBoundsI(handle, &bounds, NativeOf(matrix), NativeOf(pen)));
}
bool GxPath::Flatten(const GxMatrix* matrix, float flatness) {
    return Check(GdipFlattenPath(handle, NativeOf(matrix), flatness));
}
bool GxPath::Widen(const GxPen& pen, const GxMatrix* matrix, float flatness) {
    return Check(GdipWidenPath(handle, pen.Handle(), NativeOf(matrix), flatness));
}
bool GxPath::WindingModeOutline(const GxMatrix* matrix, float flatness) {
    return Check(GdipWindingModeOutline(handle, NativeOf(matrix), flatness));
}
bool GxPath::Warp(std::span<const GxPointF> points, const GxRectF& source, const GxMatrix* matrix, WarpMode mode,
                  float flatness) {
    return Check(GdipWarpPath(handle, NativeOf(matrix), points.data(), Count(points.size()), source.X, source.Y,
                           source.Width, source.Height, mode, flatness));
}
int GxPath::GetPointCount() { return Get<INT>([&](INT* v) { return GdipGetPointCount(handle, v); }); }
BOOL GxPath::IsVisiblePoint(float x, float y, const GxGraphics* graphics) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsVisiblePathPoint(handle, x, y, NativeOf(graphics), v); });
}
BOOL GxPath::IsVisiblePointI(int x, int y, const GxGraphics* graphics) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsVisiblePathPointI(handle, x, y, NativeOf(graphics), v); });
}
BOOL GxPath::IsOutlineVisiblePoint(float x, float y, const GxPen& pen, const GxGraphics* graphics) {
    return Get<BOOL>([&](BOOL* v) {
        return GdipIsOutlineVisiblePathPoint(handle, x, y, pen.Handle(), NativeOf(graphics), v);
    });
}
BOOL GxPath::IsOutlineVisiblePointI(int x, int y, const GxPen& pen, const GxGraphics* graphics) {
    return Get<BOOL>([&](BOOL* v) {
        return GdipIsOutlineVisiblePathPointI(handle, x, y, pen.Handle(), NativeOf(graphics), v);
    });
}
