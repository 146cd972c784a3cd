// Pens: outline colour or brush fill, width, caps, joins, dashes and a transform.
#pragma once

#include <span>
#include <vector>

#include "graphics/GxObject.h"
#include "graphics/GxTransform.h"

class GxBrush;
class GxMatrix;

namespace gxdetail {
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
using PenBase = GxTransformable<GxHandleObject<GpPen, GdipDeletePen>, GpPen, GdipGetPenTransform, GdipSetPenTransform,
                                GdipResetPenTransform, GdipMultiplyPenTransform, GdipTranslatePenTransform,
                                GdipScalePenTransform, GdipRotatePenTransform>;
}  // namespace gxdetail

// A custom line cap read from a pen: the wrapper owns it and deletes it.
class GxCustomLineCap
    : public GxHandleObject<Gdiplus::GpCustomLineCap, Gdiplus::DllExports::GdipDeleteCustomLineCap> {};

class GxPen : public gxdetail::PenBase {
public:
    using Unit = Gdiplus::Unit;
    using LineCap = Gdiplus::LineCap;
    using DashCap = Gdiplus::DashCap;

    bool Create(GxArgb color, float width = 1.0f, Unit unit = Gdiplus::UnitWorld);
    bool CreateFromBrush(const GxBrush& brush, float width = 1.0f, Unit unit = Gdiplus::UnitWorld);
    // Stores an independent copy in `result`.
    bool Clone(GxPen& result) const;
    float GetWidth();
    bool SetWidth(float width);
    // The unit travels as a float (truncated toward zero on the way in).
    float GetUnit();
    bool SetUnit(float unit);
    bool SetLineCap(LineCap start, LineCap end, DashCap dash);
    bool SetStartCap(LineCap cap);
    bool SetEndCap(LineCap cap);
    bool SetDashCap(DashCap cap);
    LineCap GetStartCap();
    LineCap GetEndCap();
    DashCap GetDashCap();
    bool SetLineJoin(Gdiplus::LineJoin join);
    Gdiplus::LineJoin GetLineJoin();
    bool SetCustomStartCap(const GxCustomLineCap& cap);
    // Stores a copy of the pen's cap in `result` (left empty when the pen has none).
    bool GetCustomStartCap(GxCustomLineCap& result);
    bool SetCustomEndCap(const GxCustomLineCap& cap);
    bool GetCustomEndCap(GxCustomLineCap& result);
    bool SetMiterLimit(float limit);
    float GetMiterLimit();
    bool SetMode(Gdiplus::PenAlignment mode);
    Gdiplus::PenAlignment GetMode();
    GxArgb GetColor();
    bool SetColor(GxArgb color);
    bool SetBrushFill(const GxBrush& brush);
    // Stores a new brush in `result` (any brush wrapper).
    bool GetBrushFill(GxBrush& result);
    Gdiplus::PenType GetFillType();
    bool SetDashStyle(Gdiplus::DashStyle style);
    Gdiplus::DashStyle GetDashStyle();
    float GetDashOffset();
    bool SetDashOffset(float offset);
    bool GetDashArray(std::vector<float>& dashes);
    bool SetDashArray(std::span<const float> dashes);
    bool SetCompoundArray(std::span<const float> values);
    bool GetCompoundArray(std::vector<float>& values);
};
