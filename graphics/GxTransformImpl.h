// Bodies of GxTransformable, for the units that instantiate it (pens and brushes).
#pragma once

#include "graphics/GxCall.h"
#include "graphics/GxMatrix.h"
#include "graphics/GxTransform.h"

#define GX_TRANSFORMABLE                                                                                   \
    template <class Base, class Native, auto GetFn, auto SetFn, auto ResetFn, auto MultiplyFn, auto TranslateFn, \
              auto ScaleFn, auto RotateFn>
#define GX_TRANSFORMABLE_CLASS \
    GxTransformable<Base, Native, GetFn, SetFn, ResetFn, MultiplyFn, TranslateFn, ScaleFn, RotateFn>

GX_TRANSFORMABLE bool GX_TRANSFORMABLE_CLASS::GetTransform(GxMatrix& matrix) {
    if (matrix.IsEmpty() && !matrix.Create()) return false;
    return gxcall::Check(GetFn(Target(), matrix.Handle()));
}
GX_TRANSFORMABLE bool GX_TRANSFORMABLE_CLASS::SetTransform(const GxMatrix& matrix) {
    return gxcall::Check(SetFn(Target(), matrix.Handle()));
}
GX_TRANSFORMABLE bool GX_TRANSFORMABLE_CLASS::ResetTransform() { return gxcall::Check(ResetFn(Target())); }
GX_TRANSFORMABLE bool GX_TRANSFORMABLE_CLASS::MultiplyTransform(const GxMatrix& matrix, int order) {
    return gxcall::Check(MultiplyFn(Target(), matrix.Handle(), gxcall::Ord(order)));
}
GX_TRANSFORMABLE bool GX_TRANSFORMABLE_CLASS::TranslateTransform(float dx, float dy, int order) {
    return gxcall::Check(TranslateFn(Target(), dx, dy, gxcall::Ord(order)));
}
GX_TRANSFORMABLE bool GX_TRANSFORMABLE_CLASS::ScaleTransform(float sx, float sy, int order) {
    return gxcall::Check(ScaleFn(Target(), sx, sy, gxcall::Ord(order)));
}
GX_TRANSFORMABLE bool GX_TRANSFORMABLE_CLASS::ScaleAt(float sx, float sy, float x, float y, int order) {
    return gxcall::AroundPoint(
        x, y, order, [&](float dx, float dy, Gdiplus::MatrixOrder o) { return TranslateFn(Target(), dx, dy, o); },
        [&](Gdiplus::MatrixOrder o) { return ScaleFn(Target(), sx, sy, o); });
}
GX_TRANSFORMABLE bool GX_TRANSFORMABLE_CLASS::RotateTransform(float angle, int order) {
    return gxcall::Check(RotateFn(Target(), angle, gxcall::Ord(order)));
}
GX_TRANSFORMABLE bool GX_TRANSFORMABLE_CLASS::RotateAt(float angle, float x, float y, int order) {
    return gxcall::AroundPoint(
        x, y, order, [&](float dx, float dy, Gdiplus::MatrixOrder o) { return TranslateFn(Target(), dx, dy, o); },
        [&](Gdiplus::MatrixOrder o) { return RotateFn(Target(), angle, o); });
}

#undef GX_TRANSFORMABLE_CLASS
#undef GX_TRANSFORMABLE
