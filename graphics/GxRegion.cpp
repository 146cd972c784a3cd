#include "graphics/GxRegion.h"

#include <algorithm>

#include "graphics/GxCall.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxMatrix.h"
#include "graphics/GxPath.h"

using namespace gxcall;

bool GxRegion::Create() {
    return Make([&](GpRegion** out) { return GdipCreateRegion(out); });
}
bool GxRegion::CreateRect(const GxRectF& rect) {
    return Make([&](GpRegion** out) { return GdipCreateRegionRect(&rect, out); });
}
bool GxRegion::CreateRectI(const GxRect& rect) {
    return Make([&](GpRegion** out) { return GdipCreateRegionRectI(&rect, out); });
}
bool GxRegion::CreatePath(const GxPath& path) {
    return Make([&](GpRegion** out) { return GdipCreateRegionPath(path.Handle(), out); });
}
bool GxRegion::CreateHrgn(HRGN region) {
    return Make([&](GpRegion** out) { return GdipCreateRegionHrgn(region, out); });
}
bool GxRegion::CreateRgnData(ByteView data) {
    return Make([&](GpRegion** out) { return GdipCreateRegionRgnData(data.data(), Count(data.size()), out); });
}
bool GxRegion::Clone(GxRegion& result) const {
    GpRegion* copy = nullptr;
    const bool ok = Check(GdipCloneRegion(handle, &copy));
    result.Adopt(copy);
    return ok;
}
bool GxRegion::SetInfinite() { return Check(GdipSetInfinite(handle)); }
bool GxRegion::SetEmpty() { return Check(GdipSetEmpty(handle)); }
bool GxRegion::CombineRect(const GxRectF& rect, Combine mode) { return Check(GdipCombineRegionRect(handle, &rect, mode)); }
bool GxRegion::CombineRectI(const GxRect& rect, Combine mode) { return Check(GdipCombineRegionRectI(handle, &rect, mode)); }
bool GxRegion::CombineRegion(const GxRegion& other, Combine mode) {
    return Check(GdipCombineRegionRegion(handle, other.handle, mode));
}
bool GxRegion::CombinePath(const GxPath& path, Combine mode) {
    return Check(GdipCombineRegionPath(handle, path.Handle(), mode));
}
bool GxRegion::Translate(float dx, float dy) { return Check(GdipTranslateRegion(handle, dx, dy)); }
bool GxRegion::TranslateI(int dx, int dy) { return Check(GdipTranslateRegionI(handle, dx, dy)); }
bool GxRegion::Transform(const GxMatrix& matrix) { return Check(GdipTransformRegion(handle, matrix.Handle())); }
bool GxRegion::GetBounds(const GxGraphics& graphics, GxRectF& bounds) {
    return Check(GdipGetRegionBounds(handle, graphics.Handle(), &bounds));
}
bool GxRegion::GetBoundsI(const GxGraphics& graphics, GxRect& bounds) {
    return Check(GdipGetRegionBoundsI(handle, graphics.Handle(), &bounds));
}
UINT GxRegion::GetDataSize() { return Get<UINT>([&](UINT* v) { return GdipGetRegionDataSize(handle, v); }); }
Bytes GxRegion::GetData() {
    UINT size = 0;
    if (!Check(GdipGetRegionDataSize(handle, &size))) return {};
    Bytes data(size);
    UINT filled = 0;
    if (!Check(GdipGetRegionData(handle, data.data(), size, &filled))) return {};
    data.resize(std::min<std::size_t>(filled, data.size()));
    return data;
}
HRGN GxRegion::GetHRgn(const GxGraphics& graphics) {
    return Get<HRGN>([&](HRGN* v) { return GdipGetRegionHRgn(handle, graphics.Handle(), v); });
}
BOOL GxRegion::IsEmpty(const GxGraphics& graphics) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsEmptyRegion(handle, graphics.Handle(), v); });
}
BOOL GxRegion::IsInfinite(const GxGraphics& graphics) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsInfiniteRegion(handle, graphics.Handle(), v); });
}
BOOL GxRegion::IsEqual(const GxRegion& other, const GxGraphics& graphics) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsEqualRegion(handle, other.handle, graphics.Handle(), v); });
}
BOOL GxRegion::IsVisiblePoint(float x, float y, const GxGraphics* graphics) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsVisibleRegionPoint(handle, x, y, NativeOf(graphics), v); });
}
BOOL GxRegion::IsVisiblePointI(int x, int y, const GxGraphics* graphics) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsVisibleRegionPointI(handle, x, y, NativeOf(graphics), v); });
}
BOOL GxRegion::IsVisibleRect(float x, float y, float w, float h, const GxGraphics* graphics) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsVisibleRegionRect(handle, x, y, w, h, NativeOf(graphics), v); });
}
BOOL GxRegion::IsVisibleRectI(int x, int y, int w, int h, const GxGraphics* graphics) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsVisibleRegionRectI(handle, x, y, w, h, NativeOf(graphics), v); });
}
UINT GxRegion::GetScansCount(const GxMatrix& matrix) {
    return Get<UINT>([&](UINT* v) { return GdipGetRegionScansCount(handle, v, matrix.Handle()); });
}
bool GxRegion::GetScans(std::vector<GxRectF>& rects, const GxMatrix& matrix) {
    return GetArray(
        rects,
        [&](INT* n) { return GdipGetRegionScansCount(handle, reinterpret_cast<UINT*>(n), matrix.Handle()); },
        [&](GxRectF* v, INT n) { return GdipGetRegionScans(handle, v, &n, matrix.Handle()); });
}
bool GxRegion::GetScansI(std::vector<GxRect>& rects, const GxMatrix& matrix) {
    return GetArray(
        rects,
        [&](INT* n) { return GdipGetRegionScansCount(handle, reinterpret_cast<UINT*>(n), matrix.Handle()); },
        [&](GxRect* v, INT n) { return GdipGetRegionScansI(handle, v, &n, matrix.Handle()); });
}
