// The transform operations that pens and the gradient and texture brushes share: each
// class forwards them to its own flat functions.
#pragma once

#include "graphics/GxObject.h"

class GxMatrix;

template <class Base, class Native, auto GetFn, auto SetFn, auto ResetFn, auto MultiplyFn, auto TranslateFn,
          auto ScaleFn, auto RotateFn>
class GxTransformable : public Base {
public:
    // Fills `matrix` (made first when empty).
    bool GetTransform(GxMatrix& matrix);
    bool SetTransform(const GxMatrix& matrix);
    bool ResetTransform();
    // Order 0 prepends, 1 appends.
    bool MultiplyTransform(const GxMatrix& matrix, int order = 0);
    bool TranslateTransform(float dx, float dy, int order = 0);
    bool ScaleTransform(float sx, float sy, int order = 0);
    bool ScaleAt(float sx, float sy, float x, float y, int order = 0);
    bool RotateTransform(float angle, int order = 0);
    bool RotateAt(float angle, float x, float y, int order = 0);

private:
    Native* Target() const noexcept { return static_cast<Native*>(this->GetNative()); }
};
