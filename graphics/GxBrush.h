// Brushes: the shared base and the solid, linear-gradient, path-gradient and texture kinds.
#pragma once

#include <span>
#include <utility>
#include <vector>

#include "graphics/GxObject.h"
#include "graphics/GxTransform.h"

class GxImage;
class GxMatrix;
class GxPath;

// Base of every brush (no instances of its own): delete, clone and type.
class GxBrush : public GxHandleObject<Gdiplus::GpBrush, Gdiplus::DllExports::GdipDeleteBrush> {
public:
    // Stores an independent copy in `result` (any brush wrapper).
    bool Clone(GxBrush& result) const;
    Gdiplus::BrushType GetType();

protected:
    GxBrush() = default;
};

// A brush kind with its own native type; Typed() is the handle seen as that type.
template <class Native>
class GxTypedBrush : public GxBrush {
public:
    Native* Typed() const noexcept { return static_cast<Native*>(handle); }

protected:
    template <class Create>
    bool MakeTyped(Create&& create) noexcept {
        return Make<Native>(std::forward<Create>(create));
    }
};

namespace gxdetail {
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
using LinearBrushBase =
    GxTransformable<GxTypedBrush<GpLineGradient>, GpLineGradient, GdipGetLineTransform, GdipSetLineTransform,
                    GdipResetLineTransform, GdipMultiplyLineTransform, GdipTranslateLineTransform,
                    GdipScaleLineTransform, GdipRotateLineTransform>;
using PathBrushBase =
    GxTransformable<GxTypedBrush<GpPathGradient>, GpPathGradient, GdipGetPathGradientTransform,
                    GdipSetPathGradientTransform, GdipResetPathGradientTransform, GdipMultiplyPathGradientTransform,
                    GdipTranslatePathGradientTransform, GdipScalePathGradientTransform,
                    GdipRotatePathGradientTransform>;
using TextureBrushBase =
    GxTransformable<GxTypedBrush<GpTexture>, GpTexture, GdipGetTextureTransform, GdipSetTextureTransform,
                    GdipResetTextureTransform, GdipMultiplyTextureTransform, GdipTranslateTextureTransform,
                    GdipScaleTextureTransform, GdipRotateTextureTransform>;
}  // namespace gxdetail

class GxSolidBrush : public GxTypedBrush<Gdiplus::GpSolidFill> {
public:
    bool Create(GxArgb color);
    bool SetColor(GxArgb color);
    GxArgb GetColor();
};

class GxLinearBrush : public gxdetail::LinearBrushBase {
public:
    using LinearGradientMode = Gdiplus::LinearGradientMode;
    using WrapMode = Gdiplus::WrapMode;

    // Every creation tiles the gradient beyond its ends.
    bool Create(const GxPointF& point1, const GxPointF& point2, GxArgb color1, GxArgb color2);
    bool CreateI(const GxPoint& point1, const GxPoint& point2, GxArgb color1, GxArgb color2);
    bool CreateFromRect(const GxRectF& rect, GxArgb color1, GxArgb color2, LinearGradientMode mode);
    bool CreateFromRectI(const GxRect& rect, GxArgb color1, GxArgb color2, LinearGradientMode mode);
    bool CreateFromRectWithAngle(const GxRectF& rect, GxArgb color1, GxArgb color2, float angle, bool scalable);
    bool CreateFromRectWithAngleI(const GxRect& rect, GxArgb color1, GxArgb color2, float angle, bool scalable);
    bool GetColors(GxArgb& color1, GxArgb& color2);
    bool SetColors(GxArgb color1, GxArgb color2);
    bool GetRect(GxRectF& rect);
    bool GetRectI(GxRect& rect);
    bool SetGammaCorrection(bool use);
    bool GetGammaCorrection();
    bool SetBlend(std::span<const float> factors, std::span<const float> positions);
    int GetBlendCount();
    bool GetBlend(std::vector<float>& factors, std::vector<float>& positions);
    bool SetPresetBlend(std::span<const GxArgb> colors, std::span<const float> positions);
    int GetPresetBlendCount();
    bool GetPresetBlend(std::vector<GxArgb>& colors, std::vector<float>& positions);
    bool SetSigmaBlend(float focus, float scale);
    bool SetLinearBlend(float focus, float scale);
    WrapMode GetWrapMode();
    bool SetWrapMode(WrapMode mode);
};

class GxPathBrush : public gxdetail::PathBrushBase {
public:
    using WrapMode = Gdiplus::WrapMode;

    bool Create(std::span<const GxPointF> points, WrapMode mode = Gdiplus::WrapModeClamp);
    bool CreateI(std::span<const GxPoint> points, WrapMode mode = Gdiplus::WrapModeClamp);
    bool CreateFromPath(const GxPath& path);
    GxArgb GetCenterColor();
    bool SetCenterColor(GxArgb color);
    int GetPointCount();
    int GetSurroundColorCount();
    bool GetSurroundColors(std::vector<GxArgb>& colors);
    bool SetSurroundColors(std::span<const GxArgb> colors);
    // Fills `path` (made first when empty).
    bool GetPath(GxPath& path);
    bool SetPath(const GxPath& path);
    bool GetCenterPoint(GxPointF& point);
    bool GetCenterPointI(GxPoint& point);
    bool SetCenterPoint(const GxPointF& point);
    bool SetCenterPointI(const GxPoint& point);
    bool GetRect(GxRectF& rect);
    bool GetRectI(GxRect& rect);
    bool SetGammaCorrection(bool use);
    bool GetGammaCorrection();
    int GetBlendCount();
    bool SetBlend(std::span<const float> factors, std::span<const float> positions);
    bool GetBlend(std::vector<float>& factors, std::vector<float>& positions);
    int GetPresetBlendCount();
    bool SetPresetBlend(std::span<const GxArgb> colors, std::span<const float> positions);
    bool GetPresetBlend(std::vector<GxArgb>& colors, std::vector<float>& positions);
    bool SetSigmaBlend(float focus, float scale);
    bool SetLinearBlend(float focus, float scale);
    bool GetFocusScales(float& x, float& y);
    bool SetFocusScales(float x, float y);
    WrapMode GetWrapMode();
    bool SetWrapMode(WrapMode mode);
};

class GxTextureBrush : public gxdetail::TextureBrushBase {
public:
    using WrapMode = Gdiplus::WrapMode;

    bool Create(const GxImage& image, WrapMode mode = Gdiplus::WrapModeTile);
    bool Create2(const GxImage& image, WrapMode mode, float x, float y, float w, float h);
    bool Create2I(const GxImage& image, WrapMode mode, int x, int y, int w, int h);
    bool CreateIA(const GxImage& image, const Gdiplus::GpImageAttributes* attributes, float x, float y, float w,
                  float h);
    bool CreateIAI(const GxImage& image, const Gdiplus::GpImageAttributes* attributes, int x, int y, int w, int h);
    WrapMode GetWrapMode();
    bool SetWrapMode(WrapMode mode);
    // Stores the brush's image (a new native image) in `result`.
    bool GetImage(GxImage& result);
};
