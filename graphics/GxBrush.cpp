#include "graphics/GxBrush.h"

#include "graphics/GxCall.h"
#include "graphics/GxImage.h"
#include "graphics/GxMatrix.h"
#include "graphics/GxPath.h"
#include "graphics/GxTransformImpl.h"

using namespace gxcall;

namespace {
template <class Count, class Fill>
bool GetTwoArrays(std::vector<float>& a, std::vector<float>& b, Count&& count, Fill&& fill) {
    INT n = 0;
    if (!Check(count(&n))) return false;
    std::vector<float> first(static_cast<std::size_t>(n > 0 ? n : 0)), second(first.size());
    if (n > 0 && !Check(fill(first.data(), second.data(), n))) return false;
    a = std::move(first);
    b = std::move(second);
    return true;
}

template <class Count, class Fill>
bool GetPreset(std::vector<GxArgb>& colors, std::vector<float>& positions, Count&& count, Fill&& fill) {
    INT n = 0;
    if (!Check(count(&n))) return false;
    std::vector<GxArgb> c(static_cast<std::size_t>(n > 0 ? n : 0));
    std::vector<float> p(c.size());
    if (n > 0 && !Check(fill(reinterpret_cast<ARGB*>(c.data()), p.data(), n))) return false;
    colors = std::move(c);
    positions = std::move(p);
    return true;
}
}  // namespace

bool GxBrush::Clone(GxBrush& result) const {
    GpBrush* copy = nullptr;
    const bool ok = Check(GdipCloneBrush(handle, &copy));
    result.Adopt(copy);
    return ok;
}
BrushType GxBrush::GetType() { return Get<BrushType>([&](BrushType* v) { return GdipGetBrushType(handle, v); }); }

bool GxSolidBrush::Create(GxArgb color) {
    return MakeTyped([&](GpSolidFill** out) { return GdipCreateSolidFill(color, out); });
}
bool GxSolidBrush::SetColor(GxArgb color) { return Check(GdipSetSolidFillColor(Typed(), color)); }
GxArgb GxSolidBrush::GetColor() { return Get<ARGB>([&](ARGB* v) { return GdipGetSolidFillColor(Typed(), v); }); }

// Linear gradients

bool GxLinearBrush::Create(const GxPointF& p1, const GxPointF& p2, GxArgb c1, GxArgb c2) {
    return MakeTyped([&](GpLineGradient** out) { return GdipCreateLineBrush(&p1, &p2, c1, c2, WrapModeTile, out); });
}
bool GxLinearBrush::CreateI(const GxPoint& p1, const GxPoint& p2, GxArgb c1, GxArgb c2) {
    return MakeTyped([&](GpLineGradient** out) { return GdipCreateLineBrushI(&p1, &p2, c1, c2, WrapModeTile, out); });
}
bool GxLinearBrush::CreateFromRect(const GxRectF& rect, GxArgb c1, GxArgb c2, LinearGradientMode mode) {
    return MakeTyped([&](GpLineGradient** out) {
        return GdipCreateLineBrushFromRect(&rect, c1, c2, mode, WrapModeTile, out);
    });
}
bool GxLinearBrush::CreateFromRectI(const GxRect& rect, GxArgb c1, GxArgb c2, LinearGradientMode mode) {
    return MakeTyped([&](GpLineGradient** out) {
        return GdipCreateLineBrushFromRectI(&rect, c1, c2, mode, WrapModeTile, out);
    });
}
bool GxLinearBrush::CreateFromRectWithAngle(const GxRectF& rect, GxArgb c1, GxArgb c2, float angle, bool scalable) {
    return MakeTyped([&](GpLineGradient** out) {
        return GdipCreateLineBrushFromRectWithAngle(&rect, c1, c2, angle, scalable, WrapModeTile, out);
    });
}
bool GxLinearBrush::CreateFromRectWithAngleI(const GxRect& rect, GxArgb c1, GxArgb c2, float angle, bool scalable) {
    return MakeTyped([&](GpLineGradient** out) {
        return GdipCreateLineBrushFromRectWithAngleI(&rect, c1, c2, angle, scalable, WrapModeTile, out);
    });
}
bool GxLinearBrush::GetColors(GxArgb& c1, GxArgb& c2) {
    ARGB colors[2] = {};
    if (!Check(GdipGetLineColors(Typed(), colors))) return false;
    c1 = colors[0];
    c2 = colors[1];
    return true;
}
bool GxLinearBrush::SetColors(GxArgb c1, GxArgb c2) { return Check(GdipSetLineColors(Typed(), c1, c2)); }
bool GxLinearBrush::GetRect(GxRectF& rect) { return Check(GdipGetLineRect(Typed(), &rect)); }
bool GxLinearBrush::GetRectI(GxRect& rect) { return Check(GdipGetLineRectI(Typed(), &rect)); }
bool GxLinearBrush::SetGammaCorrection(bool use) { return Check(GdipSetLineGammaCorrection(Typed(), use)); }
bool GxLinearBrush::GetGammaCorrection() {
    return Get<BOOL>([&](BOOL* v) { return GdipGetLineGammaCorrection(Typed(), v); }) != FALSE;
}
bool GxLinearBrush::SetBlend(std::span<const float> factors, std::span<const float> positions) {
    if (!SameLength(factors, positions)) return false;
    return Check(GdipSetLineBlend(Typed(), factors.data(), positions.data(), Count(factors.size())));
}
int GxLinearBrush::GetBlendCount() { return Get<INT>([&](INT* v) { return GdipGetLineBlendCount(Typed(), v); }); }
bool GxLinearBrush::GetBlend(std::vector<float>& factors, std::vector<float>& positions) {
    return GetTwoArrays(factors, positions, [&](INT* n) { return GdipGetLineBlendCount(Typed(), n); },
                        [&](REAL* f, REAL* p, INT n) { return GdipGetLineBlend(Typed(), f, p, n); });
}
bool GxLinearBrush::SetPresetBlend(std::span<const GxArgb> colors, std::span<const float> positions) {
    if (!SameLength(colors, positions)) return false;
    return Check(GdipSetLinePresetBlend(Typed(), reinterpret_cast<const ARGB*>(colors.data()), positions.data(),
                                     Count(colors.size())));
}
int GxLinearBrush::GetPresetBlendCount() {
    return Get<INT>([&](INT* v) { return GdipGetLinePresetBlendCount(Typed(), v); });
}
bool GxLinearBrush::GetPresetBlend(std::vector<GxArgb>& colors, std::vector<float>& positions) {
    return GetPreset(colors, positions, [&](INT* n) { return GdipGetLinePresetBlendCount(Typed(), n); },
                     [&](ARGB* c, REAL* p, INT n) { return GdipGetLinePresetBlend(Typed(), c, p, n); });
}
bool GxLinearBrush::SetSigmaBlend(float focus, float scale) { return Check(GdipSetLineSigmaBlend(Typed(), focus, scale)); }
bool GxLinearBrush::SetLinearBlend(float focus, float scale) {
    return Check(GdipSetLineLinearBlend(Typed(), focus, scale));
}
WrapMode GxLinearBrush::GetWrapMode() { return Get<WrapMode>([&](WrapMode* v) { return GdipGetLineWrapMode(Typed(), v); }); }
bool GxLinearBrush::SetWrapMode(WrapMode mode) { return Check(GdipSetLineWrapMode(Typed(), mode)); }

// Path gradients

bool GxPathBrush::Create(std::span<const GxPointF> points, WrapMode mode) {
    return MakeTyped([&](GpPathGradient** out) {
        return GdipCreatePathGradient(points.data(), Count(points.size()), mode, out);
    });
}
bool GxPathBrush::CreateI(std::span<const GxPoint> points, WrapMode mode) {
    return MakeTyped([&](GpPathGradient** out) {
        return GdipCreatePathGradientI(points.data(), Count(points.size()), mode, out);
    });
}
bool GxPathBrush::CreateFromPath(const GxPath& path) {
    return MakeTyped([&](GpPathGradient** out) { return GdipCreatePathGradientFromPath(path.Handle(), out); });
}
GxArgb GxPathBrush::GetCenterColor() {
    return Get<ARGB>([&](ARGB* v) { return GdipGetPathGradientCenterColor(Typed(), v); });
}
bool GxPathBrush::SetCenterColor(GxArgb color) { return Check(GdipSetPathGradientCenterColor(Typed(), color)); }
int GxPathBrush::GetPointCount() { return Get<INT>([&](INT* v) { return GdipGetPathGradientPointCount(Typed(), v); }); }
int GxPathBrush::GetSurroundColorCount() {
    return Get<INT>([&](INT* v) { return GdipGetPathGradientSurroundColorCount(Typed(), v); });
}
bool GxPathBrush::GetSurroundColors(std::vector<GxArgb>& colors) {
    return GetArray(colors, [&](INT* n) { return GdipGetPathGradientSurroundColorCount(Typed(), n); },
                    [&](GxArgb* v, INT n) {
                        return GdipGetPathGradientSurroundColorsWithCount(Typed(), reinterpret_cast<ARGB*>(v), &n);
                    });
}
bool GxPathBrush::SetSurroundColors(std::span<const GxArgb> colors) {
    INT n = Count(colors.size());
    return Check(GdipSetPathGradientSurroundColorsWithCount(Typed(), reinterpret_cast<const ARGB*>(colors.data()), &n));
}
bool GxPathBrush::GetPath(GxPath& path) {
    if (path.IsEmpty() && !path.Create()) return false;
    return Check(GdipGetPathGradientPath(Typed(), path.Handle()));
}
bool GxPathBrush::SetPath(const GxPath& path) { return Check(GdipSetPathGradientPath(Typed(), path.Handle())); }
bool GxPathBrush::GetCenterPoint(GxPointF& point) { return Check(GdipGetPathGradientCenterPoint(Typed(), &point)); }
bool GxPathBrush::GetCenterPointI(GxPoint& point) { return Check(GdipGetPathGradientCenterPointI(Typed(), &point)); }
bool GxPathBrush::SetCenterPoint(const GxPointF& point) { return Check(GdipSetPathGradientCenterPoint(Typed(), &point)); }
bool GxPathBrush::SetCenterPointI(const GxPoint& point) {
    const GxPointF p(static_cast<REAL>(point.X), static_cast<REAL>(point.Y));
    return Check(GdipSetPathGradientCenterPoint(Typed(), &p));
}
bool GxPathBrush::GetRect(GxRectF& rect) { return Check(GdipGetPathGradientRect(Typed(), &rect)); }
bool GxPathBrush::GetRectI(GxRect& rect) { return Check(GdipGetPathGradientRectI(Typed(), &rect)); }
bool GxPathBrush::SetGammaCorrection(bool use) { return Check(GdipSetPathGradientGammaCorrection(Typed(), use)); }
bool GxPathBrush::GetGammaCorrection() {
    return Get<BOOL>([&](BOOL* v) { return GdipGetPathGradientGammaCorrection(Typed(), v); }) != FALSE;
}
int GxPathBrush::GetBlendCount() { return Get<INT>([&](INT* v) { return GdipGetPathGradientBlendCount(Typed(), v); }); }
bool GxPathBrush::SetBlend(std::span<const float> factors, std::span<const float> positions) {
    if (!SameLength(factors, positions)) return false;
    return Check(GdipSetPathGradientBlend(Typed(), factors.data(), positions.data(), Count(factors.size())));
}
bool GxPathBrush::GetBlend(std::vector<float>& factors, std::vector<float>& positions) {
    return GetTwoArrays(factors, positions, [&](INT* n) { return GdipGetPathGradientBlendCount(Typed(), n); },
                        [&](REAL* f, REAL* p, INT n) { return GdipGetPathGradientBlend(Typed(), f, p, n); });
}
int GxPathBrush::GetPresetBlendCount() {
    return Get<INT>([&](INT* v) { return GdipGetPathGradientPresetBlendCount(Typed(), v); });
}
bool GxPathBrush::SetPresetBlend(std::span<const GxArgb> colors, std::span<const float> positions) {
    if (!SameLength(colors, positions)) return false;
    return Check(GdipSetPathGradientPresetBlend(Typed(), reinterpret_cast<const ARGB*>(colors.data()), positions.data(),
                                             Count(colors.size())));
}
bool GxPathBrush::GetPresetBlend(std::vector<GxArgb>& colors, std::vector<float>& positions) {
    return GetPreset(colors, positions, [&](INT* n) { return GdipGetPathGradientPresetBlendCount(Typed(), n); },
                     [&](ARGB* c, REAL* p, INT n) { return GdipGetPathGradientPresetBlend(Typed(), c, p, n); });
}
bool GxPathBrush::SetSigmaBlend(float focus, float scale) {
    return Check(GdipSetPathGradientSigmaBlend(Typed(), focus, scale));
}
bool GxPathBrush::SetLinearBlend(float focus, float scale) {
    return Check(GdipSetPathGradientLinearBlend(Typed(), focus, scale));
}
bool GxPathBrush::GetFocusScales(float& x, float& y) { return Check(GdipGetPathGradientFocusScales(Typed(), &x, &y)); }
bool GxPathBrush::SetFocusScales(float x, float y) { return Check(GdipSetPathGradientFocusScales(Typed(), x, y)); }
WrapMode GxPathBrush::GetWrapMode() {
    return Get<WrapMode>([&](WrapMode* v) { return GdipGetPathGradientWrapMode(Typed(), v); });
}
bool GxPathBrush::SetWrapMode(WrapMode mode) { return Check(GdipSetPathGradientWrapMode(Typed(), mode)); }

// Textures

bool GxTextureBrush::Create(const GxImage& image, WrapMode mode) {
    return MakeTyped([&](GpTexture** out) { return GdipCreateTexture(image.Handle(), mode, out); });
}
bool GxTextureBrush::Create2(const GxImage& image, WrapMode mode, float x, float y, float w, float h) {
    return MakeTyped([&](GpTexture** out) { return GdipCreateTexture2(image.Handle(), mode, x, y, w, h, out); });
}
bool GxTextureBrush::Create2I(const GxImage& image, WrapMode mode, int x, int y, int w, int h) {
    return MakeTyped([&](GpTexture** out) { return GdipCreateTexture2I(image.Handle(), mode, x, y, w, h, out); });
}
bool GxTextureBrush::CreateIA(const GxImage& image, const GpImageAttributes* attributes, float x, float y, float w,
                              float h) {
    return MakeTyped([&](GpTexture** out) { return GdipCreateTextureIA(image.Handle(), attributes, x, y, w, h, out); });
}
bool GxTextureBrush::CreateIAI(const GxImage& image, const GpImageAttributes* attributes, int x, int y, int w, int h) {
    return MakeTyped([&](GpTexture** out) { return GdipCreateTextureIAI(image.Handle(), attributes, x, y, w, h, out); });
}
WrapMode GxTextureBrush::GetWrapMode() {
    return Get<WrapMode>([&](WrapMode* v) { return GdipGetTextureWrapMode(Typed(), v); });
}
bool GxTextureBrush::SetWrapMode(WrapMode mode) { return Check(GdipSetTextureWrapMode(Typed(), mode)); }
bool GxTextureBrush::GetImage(GxImage& result) {
    GpImage* image = nullptr;
    const bool ok = Check(GdipGetTextureImage(Typed(), &image));
    result.Adopt(image);
    return ok;
}

template class GxTransformable<GxTypedBrush<GpLineGradient>, GpLineGradient, GdipGetLineTransform, GdipSetLineTransform,
                               GdipResetLineTransform, GdipMultiplyLineTransform, GdipTranslateLineTransform,
                               GdipScaleLineTransform, GdipRotateLineTransform>;
template class GxTransformable<GxTypedBrush<GpPathGradient>, GpPathGradient, GdipGetPathGradientTransform,
                               GdipSetPathGradientTransform, GdipResetPathGradientTransform,
                               GdipMultiplyPathGradientTransform, GdipTranslatePathGradientTransform,
                               GdipScalePathGradientTransform, GdipRotatePathGradientTransform>;
template class GxTransformable<GxTypedBrush<GpTexture>, GpTexture, GdipGetTextureTransform, GdipSetTextureTransform,
                               GdipResetTextureTransform, GdipMultiplyTextureTransform, GdipTranslateTextureTransform,
                               GdipScaleTextureTransform, GdipRotateTextureTransform>;
