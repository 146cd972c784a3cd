// 3 x 2 affine matrices (m11, m12, m21, m22, dx, dy).
#pragma once

#include <array>
#include <span>

#include "graphics/GxObject.h"

class GxMatrix : public GxHandleObject<Gdiplus::GpMatrix, Gdiplus::DllExports::GdipDeleteMatrix> {
public:
    using Elements = std::array<float, 6>;

    // The identity.
    bool Create();
    bool Create2(float m11, float m12, float m21, float m22, float dx, float dy);
    // Maps the rectangle onto the parallelogram of three points (upper-left, upper-right, lower-left).
    bool Create3(const GxRectF& rect, std::span<const GxPointF, 3> points);
    bool Create3I(const GxRect& rect, std::span<const GxPoint, 3> points);
    bool Clone(GxMatrix& result) const;
    bool SetElements(float m11, float m12, float m21, float m22, float dx, float dy);
    // All zero when the call fails.
    Elements GetElements();
    float GetOffsetX();
    float GetOffsetY();
    bool Reset();
    bool Multiply(const GxMatrix& other, int order = 0);
    bool Translate(float dx, float dy, int order = 0);
    bool Rotate(float angle, int order = 0);
    bool RotateAt(float angle, float x, float y, int order = 0);
    bool Invert();
    bool Scale(float sx, float sy, int order = 0);
    bool ScaleAt(float sx, float sy, float x, float y, int order = 0);
    bool Shear(float sx, float sy, int order = 0);
    bool TransformPoints(std::span<GxPointF> points);
    bool TransformPointsI(std::span<GxPoint> points);
    bool VectorTransformPoints(std::span<GxPointF> points);
    bool VectorTransformPointsI(std::span<GxPoint> points);
    BOOL IsInvertible();
    BOOL IsIdentity();
    BOOL IsEqual(const GxMatrix& other);
};
