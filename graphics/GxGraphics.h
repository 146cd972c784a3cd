// Drawing surface: a GDI+ graphics object on a device context, a window or an image.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "graphics/GxObject.h"

class GxPen;
class GxBrush;
class GxPath;
class GxRegion;
class GxMatrix;
class GxFont;
class GxStringFormat;
class GxImage;

class GxGraphics : public GxHandleObject<Gdiplus::GpGraphics, Gdiplus::DllExports::GdipDeleteGraphics> {
public:
    using Unit = Gdiplus::Unit;
    using Order = Gdiplus::MatrixOrder;

    // Life cycle
    bool Flush(Gdiplus::FlushIntention intention = Gdiplus::FlushIntentionFlush);
    bool FromHwnd(HWND hwnd, bool useIcm = false);
    bool FromHdc(HDC hdc, std::optional<HANDLE> device = std::nullopt);
    bool FromImage(const GxImage& image);

    // Settings
    HDC GetDC();
    bool ReleaseDC(HDC hdc);
    bool GetRenderingOrigin(int& x, int& y);
    bool SetRenderingOrigin(int x, int y);
    Gdiplus::CompositingMode GetCompositingMode();
    bool SetCompositingMode(Gdiplus::CompositingMode mode);
    Gdiplus::CompositingQuality GetCompositingQuality();
    bool SetCompositingQuality(Gdiplus::CompositingQuality quality);
    bool SetTextRenderingHint(Gdiplus::TextRenderingHint hint);
    Gdiplus::TextRenderingHint GetTextRenderingHint();
    bool SetTextContrast(UINT contrast);
    UINT GetTextContrast();
    bool SetInterpolationMode(Gdiplus::InterpolationMode mode);
    Gdiplus::InterpolationMode GetInterpolationMode();
    bool SetSmoothingMode(Gdiplus::SmoothingMode mode);
    Gdiplus::SmoothingMode GetSmoothingMode();
    bool SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode);
    Gdiplus::PixelOffsetMode GetPixelOffsetMode();

    // World transform (order 0 = prepend, 1 = append)
    bool SetWorldTransform(const GxMatrix& matrix);
    // Fills `matrix` (made first when empty).
    bool GetWorldTransform(GxMatrix& matrix);
    bool ResetWorldTransform();
    bool MultiplyWorldTransform(const GxMatrix& matrix, int order = 0);
    bool TranslateWorldTransform(float dx, float dy, int order = 0);
    bool ScaleWorldTransform(float sx, float sy, int order = 0);
    bool ScaleAt(float sx, float sy, float x, float y, int order = 0);
    bool RotateWorldTransform(float angle, int order = 0);
    bool RotateAt(float angle, float x, float y, int order = 0);

    // Page and points
    bool SetPageUnit(Unit unit);
    Unit GetPageUnit();
    bool SetPageScale(float scale);
    float GetPageScale();
    float GetDpiX();
    float GetDpiY();
    bool TransformPoints(Gdiplus::CoordinateSpace dest, Gdiplus::CoordinateSpace src, std::span<GxPointF> points);
    bool TransformPointsI(Gdiplus::CoordinateSpace dest, Gdiplus::CoordinateSpace src, std::span<GxPoint> points);
    GxArgb GetNearestColor(GxArgb color);

    // Outlines
    bool DrawLine(const GxPen& pen, float x1, float y1, float x2, float y2);
    bool DrawLineI(const GxPen& pen, int x1, int y1, int x2, int y2);
    bool DrawLines(const GxPen& pen, std::span<const GxPointF> points);
    bool DrawLinesI(const GxPen& pen, std::span<const GxPoint> points);
    bool DrawArc(const GxPen& pen, float x, float y, float w, float h, float start, float sweep);
    bool DrawArcI(const GxPen& pen, int x, int y, int w, int h, float start, float sweep);
    bool DrawBezier(const GxPen& pen, float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
    bool DrawBezierI(const GxPen& pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    bool DrawBeziers(const GxPen& pen, std::span<const GxPointF> points);
    bool DrawBeziersI(const GxPen& pen, std::span<const GxPoint> points);
    bool DrawRectangle(const GxPen& pen, float x, float y, float w, float h);
    bool DrawRectangleI(const GxPen& pen, int x, int y, int w, int h);
    bool DrawRectangles(const GxPen& pen, std::span<const GxRectF> rects);
    bool DrawRectanglesI(const GxPen& pen, std::span<const GxRect> rects);
    bool DrawEllipse(const GxPen& pen, float x, float y, float w, float h);
    bool DrawEllipseI(const GxPen& pen, int x, int y, int w, int h);
    bool DrawPie(const GxPen& pen, float x, float y, float w, float h, float start, float sweep);
    bool DrawPieI(const GxPen& pen, int x, int y, int w, int h, float start, float sweep);
    bool DrawPolygon(const GxPen& pen, std::span<const GxPointF> points);
    bool DrawPolygonI(const GxPen& pen, std::span<const GxPoint> points);
    bool DrawPath(const GxPen& pen, const GxPath& path);
    bool DrawCurve(const GxPen& pen, std::span<const GxPointF> points);
    bool DrawCurveI(const GxPen& pen, std::span<const GxPoint> points);
    bool DrawCurve2(const GxPen& pen, std::span<const GxPointF> points, float tension);
    bool DrawCurve2I(const GxPen& pen, std::span<const GxPoint> points, float tension);
    bool DrawCurve3(const GxPen& pen, std::span<const GxPointF> points, int offset, int segments, float tension);
    bool DrawCurve3I(const GxPen& pen, std::span<const GxPoint> points, int offset, int segments, float tension);
    bool DrawClosedCurve(const GxPen& pen, std::span<const GxPointF> points);
    bool DrawClosedCurveI(const GxPen& pen, std::span<const GxPoint> points);
    bool DrawClosedCurve2(const GxPen& pen, std::span<const GxPointF> points, float tension);
    bool DrawClosedCurve2I(const GxPen& pen, std::span<const GxPoint> points, float tension);

    // Fills
    bool Clear(GxArgb color);
    bool FillRectangle(const GxBrush& brush, float x, float y, float w, float h);
    bool FillRectangleR(const GxBrush& brush, const GxRectF& rect);
    bool FillRectangleI(const GxBrush& brush, int x, int y, int w, int h);
    bool FillRectangles(const GxBrush& brush, std::span<const GxRectF> rects);
    bool FillRectanglesI(const GxBrush& brush, std::span<const GxRect> rects);
    bool FillPolygon(const GxBrush& brush, std::span<const GxPointF> points, Gdiplus::FillMode mode = Gdiplus::FillModeAlternate);
    bool FillPolygonI(const GxBrush& brush, std::span<const GxPoint> points, Gdiplus::FillMode mode = Gdiplus::FillModeAlternate);
    bool FillEllipse(const GxBrush& brush, float x, float y, float w, float h);
    bool FillEllipseI(const GxBrush& brush, int x, int y, int w, int h);
    bool FillPie(const GxBrush& brush, float x, float y, float w, float h, float start, float sweep);
    bool FillPieI(const GxBrush& brush, int x, int y, int w, int h, float start, float sweep);
    bool FillPath(const GxBrush& brush, const GxPath& path);
    bool FillClosedCurve(const GxBrush& brush, std::span<const GxPointF> points);
    bool FillClosedCurve2(const GxBrush& brush, std::span<const GxPointF> points, float tension, Gdiplus::FillMode mode = Gdiplus::FillModeAlternate);
    bool FillClosedCurveI(const GxBrush& brush, std::span<const GxPoint> points);
    bool FillClosedCurve2I(const GxBrush& brush, std::span<const GxPoint> points, float tension, Gdiplus::FillMode mode = Gdiplus::FillModeAlternate);
    bool FillRegion(const GxBrush& brush, const GxRegion& region);

    // Text (the W variants take text that is already UTF-16)
    bool DrawString(const char* text, const GxFont& font, const GxBrush& brush, const GxRectF& layout,
                    const GxStringFormat* format = nullptr);
    bool DrawStringW(const wchar_t* text, const GxFont& font, const GxBrush& brush, const GxRectF& layout,
                     const GxStringFormat* format = nullptr);
    bool MeasureString(const char* text, const GxFont& font, const GxRectF& layout, const GxStringFormat* format,
                       GxRectF& bounds);
    bool MeasureStringW(const wchar_t* text, const GxFont& font, const GxRectF& layout, const GxStringFormat* format,
                        GxRectF& bounds);
    // One region per measurable range of the format; `count` must equal their number.
    bool MeasureCharacterRanges(const char* text, const GxFont& font, const GxRectF& layout,
                                const GxStringFormat* format, int count, std::vector<GxRegion>& regions);
    bool MeasureCharacterRangesW(const wchar_t* text, const GxFont& font, const GxRectF& layout,
                                 const GxStringFormat* format, int count, std::vector<GxRegion>& regions);
    bool DrawDriverString(const char* text, const GxFont& font, const GxBrush& brush,
                          std::span<const GxPointF> positions, int flags, const GxMatrix* matrix = nullptr);
    bool DrawDriverStringW(const wchar_t* text, const GxFont& font, const GxBrush& brush,
                           std::span<const GxPointF> positions, int flags, const GxMatrix* matrix = nullptr);

    // Images
    bool DrawImage(const GxImage& image, float x, float y);
    bool DrawImageI(const GxImage& image, int x, int y);
    bool DrawCachedBitmap(Gdiplus::GpCachedBitmap* cached, float x, float y);
    // The whole image scaled into the rectangle.
    bool DrawImageRect(const GxImage& image, float x, float y, float w, float h, Unit unit = Gdiplus::UnitPixel);
    bool DrawImageRectI(const GxImage& image, int x, int y, int w, int h, Unit unit = Gdiplus::UnitPixel);
    // Destination points: upper-left, upper-right, lower-left.
    bool DrawImagePoints(const GxImage& image, std::span<const GxPointF> points);
    bool DrawImagePointsI(const GxImage& image, std::span<const GxPoint> points);
    bool DrawImagePointRect(const GxImage& image, float x, float y, float srcX, float srcY, float srcW, float srcH,
                            Unit unit = Gdiplus::UnitPixel);
    bool DrawImagePointRectI(const GxImage& image, int x, int y, int srcX, int srcY, int srcW, int srcH,
                             Unit unit = Gdiplus::UnitPixel);
    bool DrawImageRectRect(const GxImage& image, float x, float y, float w, float h, float srcX, float srcY,
                           float srcW, float srcH, Unit unit = Gdiplus::UnitPixel,
                           Gdiplus::GpImageAttributes* attributes = nullptr);
    bool DrawImageRectRectI(const GxImage& image, int x, int y, int w, int h, int srcX, int srcY, int srcW, int srcH,
                            Unit unit = Gdiplus::UnitPixel, Gdiplus::GpImageAttributes* attributes = nullptr);
    bool DrawImagePointsRect(const GxImage& image, std::span<const GxPointF> points, float srcX, float srcY,
                             float srcW, float srcH, Unit unit = Gdiplus::UnitPixel,
                             Gdiplus::GpImageAttributes* attributes = nullptr);
    bool DrawImagePointsRectI(const GxImage& image, std::span<const GxPoint> points, int srcX, int srcY, int srcW,
                              int srcH, Unit unit = Gdiplus::UnitPixel,
                              Gdiplus::GpImageAttributes* attributes = nullptr);

    // Metafile enumeration
    using MetafileProc = Gdiplus::EnumerateMetafileProc;
    using GpMetafile = Gdiplus::GpMetafile;
    using GpImageAttributes = Gdiplus::GpImageAttributes;
    bool EnumerateMetafileDestPoint(const GpMetafile* metafile, const GxPointF& dest, MetafileProc proc, void* data,
                                    const GpImageAttributes* attributes = nullptr);
    bool EnumerateMetafileDestPointI(const GpMetafile* metafile, const GxPoint& dest, MetafileProc proc, void* data,
                                     const GpImageAttributes* attributes = nullptr);
    bool EnumerateMetafileDestPoints(const GpMetafile* metafile, std::span<const GxPointF> dest, MetafileProc proc,
                                     void* data, const GpImageAttributes* attributes = nullptr);
    bool EnumerateMetafileDestPointsI(const GpMetafile* metafile, std::span<const GxPoint> dest, MetafileProc proc,
                                      void* data, const GpImageAttributes* attributes = nullptr);
    bool EnumerateMetafileDestRect(const GpMetafile* metafile, const GxRectF& dest, MetafileProc proc, void* data,
                                   const GpImageAttributes* attributes = nullptr);
    bool EnumerateMetafileDestRectI(const GpMetafile* metafile, const GxRect& dest, MetafileProc proc, void* data,
                                    const GpImageAttributes* attributes = nullptr);
    bool EnumerateMetafileSrcRectDestPoint(const GpMetafile* metafile, const GxPointF& dest, const GxRectF& src,
                                           Unit unit, MetafileProc proc, void* data,
                                           const GpImageAttributes* attributes = nullptr);
    bool EnumerateMetafileSrcRectDestPointI(const GpMetafile* metafile, const GxPoint& dest, const GxRect& src,
                                            Unit unit, MetafileProc proc, void* data,
                                            const GpImageAttributes* attributes = nullptr);
    bool EnumerateMetafileSrcRectDestPoints(const GpMetafile* metafile, std::span<const GxPointF> dest,
                                            const GxRectF& src, Unit unit, MetafileProc proc, void* data,
                                            const GpImageAttributes* attributes = nullptr);
    bool EnumerateMetafileSrcRectDestPointsI(const GpMetafile* metafile, std::span<const GxPoint> dest,
                                             const GxRect& src, Unit unit, MetafileProc proc, void* data,
                                             const GpImageAttributes* attributes = nullptr);
    bool EnumerateMetafileSrcRectDestRect(const GpMetafile* metafile, const GxRectF& dest, const GxRectF& src,
                                          Unit unit, MetafileProc proc, void* data,
                                          const GpImageAttributes* attributes = nullptr);
    bool EnumerateMetafileSrcRectDestRectI(const GpMetafile* metafile, const GxRect& dest, const GxRect& src,
                                           Unit unit, MetafileProc proc, void* data,
                                           const GpImageAttributes* attributes = nullptr);

    // Clipping
    using Combine = Gdiplus::CombineMode;
    bool SetClipGraphics(const GxGraphics& source, Combine mode = Gdiplus::CombineModeReplace);
    bool SetClipPath(const GxPath& path, Combine mode = Gdiplus::CombineModeReplace);
    bool SetClipRect(float x, float y, float w, float h, Combine mode = Gdiplus::CombineModeReplace);
    bool SetClipRectI(int x, int y, int w, int h, Combine mode = Gdiplus::CombineModeReplace);
    bool SetClipRegion(const GxRegion& region, Combine mode = Gdiplus::CombineModeReplace);
    bool SetClipHrgn(HRGN region, Combine mode = Gdiplus::CombineModeReplace);
    bool ResetClip();
    bool TranslateClip(float dx, float dy);
    bool TranslateClipI(int dx, int dy);
    // Fills `region` (made first when empty).
    bool GetClip(GxRegion& region);
    bool GetClipBounds(GxRectF& bounds);
    bool GetClipBoundsI(GxRect& bounds);
    bool GetVisibleClipBounds(GxRectF& bounds);
    bool GetVisibleClipBoundsI(GxRect& bounds);
    BOOL IsClipEmpty();
    BOOL IsVisibleClipEmpty();
    BOOL IsVisiblePoint(float x, float y);
    BOOL IsVisiblePointI(int x, int y);
    BOOL IsVisibleRect(float x, float y, float w, float h);
    BOOL IsVisibleRectI(int x, int y, int w, int h);

    // State
    Gdiplus::GraphicsState Save();
    bool Restore(Gdiplus::GraphicsState state);
    Gdiplus::GraphicsContainer BeginContainer(const GxRectF& dest, const GxRectF& src, Unit unit);
    Gdiplus::GraphicsContainer BeginContainerI(const GxRect& dest, const GxRect& src, Unit unit);
    Gdiplus::GraphicsContainer BeginContainer2();
    bool EndContainer(Gdiplus::GraphicsContainer state);
    bool Comment(ByteView data);
};
