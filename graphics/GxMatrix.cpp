#include "graphics/GxMatrix.h"

#include "graphics/GxCall.h"

using namespace gxcall;

bool GxMatrix::Create() {
    return Make([&](GpMatrix** out) { return GdipCreateMatrix(out); });
}
bool GxMatrix::Create2(float m11, float m12, float m21, float m22, float dx, float dy) {
    return Make([&](GpMatrix** out) { return GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, out); });
}
bool GxMatrix::Create3(const GxRectF& rect, std::span<const GxPointF, 3> points) {
    return Make([&](GpMatrix** out) { return GdipCreateMatrix3(&rect, points.data(), out); });
}
bool GxMatrix::Create3I(const GxRect& rect, std::span<const GxPoint, 3> points) {
    return Make([&](GpMatrix** out) { return GdipCreateMatrix3I(&rect, points.data(), out); });
}
bool GxMatrix::Clone(GxMatrix& result) const {
    GpMatrix* copy = nullptr;
    const bool ok = Check(GdipCloneMatrix(handle, &copy));
    result.Adopt(copy);
    return ok;
}
bool GxMatrix::SetElements(float m11, float m12, float m21, float m22, float dx, float dy) {
    return Check(GdipSetMatrixElements(handle, m11, m12, m21, m22, dx, dy));
}
GxMatrix::Elements GxMatrix::GetElements() {
    Elements elements{};
    if (!Check(GdipGetMatrixElements(handle, elements.data()))) elements.fill(0.0f);
    return elements;
}
float GxMatrix::GetOffsetX() { return GetElements()[4]; }
float GxMatrix::GetOffsetY() { return GetElements()[5]; }
bool GxMatrix::Reset() { return Check(GdipSetMatrixElements(handle, 1, 0, 0, 1, 0, 0)); }
bool GxMatrix::Multiply(const GxMatrix& other, int order) {
    return Check(GdipMultiplyMatrix(handle, other.handle, Ord(order)));
}
bool GxMatrix::Translate(float dx, float dy, int order) { return Check(GdipTranslateMatrix(handle, dx, dy, Ord(order))); }
bool GxMatrix::Rotate(float angle, int order) { return Check(GdipRotateMatrix(handle, angle, Ord(order))); }
bool GxMatrix::RotateAt(float angle, float x, float y, int order) {
    return AroundPoint(
        x, y, order, [&](float dx, float dy, MatrixOrder o) { return GdipTranslateMatrix(handle, dx, dy, o); },
        [&](MatrixOrder o) { return GdipRotateMatrix(handle, angle, o); });
}
bool GxMatrix::Invert() { return Check(GdipInvertMatrix(handle)); }
bool GxMatrix::Scale(float sx, float sy, int order) { return Check(GdipScaleMatrix(handle, sx, sy, Ord(order))); }
bool GxMatrix::ScaleAt(float sx, float sy, float x, float y, int order) {
    return AroundPoint(
        x, y, order, [&](float dx, float dy, MatrixOrder o) { return GdipTranslateMatrix(handle, dx, dy, o); },
        [&](MatrixOrder o) { return GdipScaleMatrix(handle, sx, sy, o); });
}
bool GxMatrix::Shear(float sx, float sy, int order) { return Check(GdipShearMatrix(handle, sx, sy, Ord(order))); }
bool GxMatrix::TransformPoints(std::span<GxPointF> points) {
    return Check(GdipTransformMatrixPoints(handle, points.data(), Count(points.size())));
}
bool GxMatrix::TransformPointsI(std::span<GxPoint> points) {
    return Check(GdipTransformMatrixPointsI(handle, points.data(), Count(points.size())));
}
bool GxMatrix::VectorTransformPoints(std::span<GxPointF> points) {
    return Check(GdipVectorTransformMatrixPoints(handle, points.data(), Count(points.size())));
}
bool GxMatrix::VectorTransformPointsI(std::span<GxPoint> points) {
    return Check(GdipVectorTransformMatrixPointsI(handle, points.data(), Count(points.size())));
}
BOOL GxMatrix::IsInvertible() { return Get<BOOL>([&](BOOL* v) { return GdipIsMatrixInvertible(handle, v); }); }
BOOL GxMatrix::IsIdentity() { return Get<BOOL>([&](BOOL* v) { return GdipIsMatrixIdentity(handle, v); }); }
BOOL GxMatrix::IsEqual(const GxMatrix& other) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsMatrixEqual(handle, other.handle, v); });
}
