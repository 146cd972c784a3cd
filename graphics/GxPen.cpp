#include "graphics/GxPen.h"

#include "graphics/GxBrush.h"
#include "graphics/GxCall.h"
#include "graphics/GxMatrix.h"
#include "graphics/GxTransformImpl.h"

using namespace gxcall;

bool GxPen::Create(GxArgb color, float width, Unit unit) {
    return Make([&](GpPen** out) { return GdipCreatePen1(color, width, unit, out); });
}
bool GxPen::CreateFromBrush(const GxBrush& brush, float width, Unit unit) {
    return Make([&](GpPen** out) { return GdipCreatePen2(brush.Handle(), width, unit, out); });
}
bool GxPen::Clone(GxPen& result) const {
    GpPen* copy = nullptr;
    const bool ok = Check(GdipClonePen(handle, &copy));
    result.Adopt(copy);
    return ok;
}
float GxPen::GetWidth() { return Get<REAL>([&](REAL* v) { return GdipGetPenWidth(handle, v); }); }
bool GxPen::SetWidth(float width) { return Check(GdipSetPenWidth(handle, width)); }
float GxPen::GetUnit() { return static_cast<float>(Get<Unit>([&](Unit* v) { return GdipGetPenUnit(handle, v); })); }
bool GxPen::SetUnit(float unit) { return Check(GdipSetPenUnit(handle, static_cast<Unit>(static_cast<int>(unit)))); }
bool GxPen::SetLineCap(LineCap start, LineCap end, DashCap dash) {
    return Check(GdipSetPenLineCap197819(handle, start, end, dash));
}
bool GxPen::SetStartCap(LineCap cap) { return Check(GdipSetPenStartCap(handle, cap)); }
bool GxPen::SetEndCap(LineCap cap) { return Check(GdipSetPenEndCap(handle, cap)); }
bool GxPen::SetDashCap(DashCap cap) { return Check(GdipSetPenDashCap197819(handle, cap)); }
GxPen::LineCap GxPen::GetStartCap() { return Get<LineCap>([&](LineCap* v) { return GdipGetPenStartCap(handle, v); }); }
GxPen::LineCap GxPen::GetEndCap() { return Get<LineCap>([&](LineCap* v) { return GdipGetPenEndCap(handle, v); }); }
GxPen::DashCap GxPen::GetDashCap() {
    return Get<DashCap>([&](DashCap* v) { return GdipGetPenDashCap197819(handle, v); });
}
bool GxPen::SetLineJoin(LineJoin join) { return Check(GdipSetPenLineJoin(handle, join)); }
LineJoin GxPen::GetLineJoin() { return Get<LineJoin>([&](LineJoin* v) { return GdipGetPenLineJoin(handle, v); }); }
bool GxPen::SetCustomStartCap(const GxCustomLineCap& cap) {
    return Check(GdipSetPenCustomStartCap(handle, cap.Handle()));
}
bool GxPen::GetCustomStartCap(GxCustomLineCap& result) {
    GpCustomLineCap* cap = nullptr;
    const bool ok = Check(GdipGetPenCustomStartCap(handle, &cap));
    result.Adopt(cap);
    return ok;
}
bool GxPen::SetCustomEndCap(const GxCustomLineCap& cap) { return Check(GdipSetPenCustomEndCap(handle, cap.Handle())); }
bool GxPen::GetCustomEndCap(GxCustomLineCap& result) {
    GpCustomLineCap* cap = nullptr;
    const bool ok = Check(GdipGetPenCustomEndCap(handle, &cap));
    result.Adopt(cap);
    return ok;
}
bool GxPen::SetMiterLimit(float limit) { return Check(GdipSetPenMiterLimit(handle, limit)); }
float GxPen::GetMiterLimit() { return Get<REAL>([&](REAL* v) { return GdipGetPenMiterLimit(handle, v); }); }
bool GxPen::SetMode(PenAlignment mode) { return Check(GdipSetPenMode(handle, mode)); }
PenAlignment GxPen::GetMode() { return Get<PenAlignment>([&](PenAlignment* v) { return GdipGetPenMode(handle, v); }); }
GxArgb GxPen::GetColor() { return Get<ARGB>([&](ARGB* v) { return GdipGetPenColor(handle, v); }); }
bool GxPen::SetColor(GxArgb color) { return Check(GdipSetPenColor(handle, color)); }
bool GxPen::SetBrushFill(const GxBrush& brush) { return Check(GdipSetPenBrushFill(handle, brush.Handle())); }
bool GxPen::GetBrushFill(GxBrush& result) {
    GpBrush* brush = nullptr;
    const bool ok = Check(GdipGetPenBrushFill(handle, &brush));
    result.Adopt(brush);
    return ok;
}
PenType GxPen::GetFillType() { return Get<PenType>([&](PenType* v) { return GdipGetPenFillType(handle, v); }); }
bool GxPen::SetDashStyle(DashStyle style) { return Check(GdipSetPenDashStyle(handle, style)); }
DashStyle GxPen::GetDashStyle() { return Get<DashStyle>([&](DashStyle* v) { return GdipGetPenDashStyle(handle, v); }); }
float GxPen::GetDashOffset() { return Get<REAL>([&](REAL* v) { return GdipGetPenDashOffset(handle, v); }); }
bool GxPen::SetDashOffset(float offset) { return Check(GdipSetPenDashOffset(handle, offset)); }
bool GxPen::GetDashArray(std::vector<float>& dashes) {
    return GetArray(dashes, [&](INT* n) { return GdipGetPenDashCount(handle, n); },
                    [&](REAL* v, INT n) { return GdipGetPenDashArray(handle, v, n); });
}
bool GxPen::SetDashArray(std::span<const float> dashes) {
    return Check(GdipSetPenDashArray(handle, dashes.data(), Count(dashes.size())));
}
bool GxPen::SetCompoundArray(std::span<const float> values) {
    return Check(GdipSetPenCompoundArray(handle, values.data(), Count(values.size())));
}
bool GxPen::GetCompoundArray(std::vector<float>& values) {
    return GetArray(values, [&](INT* n) { return GdipGetPenCompoundCount(handle, n); },
                    [&](REAL* v, INT n) { return GdipGetPenCompoundArray(handle, v, n); });
}

template class GxTransformable<GxHandleObject<GpPen, GdipDeletePen>, GpPen, GdipGetPenTransform, GdipSetPenTransform,
                               GdipResetPenTransform, GdipMultiplyPenTransform, GdipTranslatePenTransform,
                               GdipScalePenTransform, GdipRotatePenTransform>;
