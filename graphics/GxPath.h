// Paths: figures of lines, curves, shapes and text, used to fill, outline and clip.
#pragma once

#include <span>
#include <vector>

#include "graphics/GxObject.h"

class GxFontFamily;
class GxGraphics;
class GxMatrix;
class GxPen;
class GxStringFormat;

class GxPath : public GxHandleObject<Gdiplus::GpPath, Gdiplus::DllExports::GdipDeletePath> {
public:
    using FillMode = Gdiplus::FillMode;
    static constexpr float defaultFlatness = 0.25f;

    // Life cycle
    bool Create(FillMode mode = Gdiplus::FillModeAlternate);
    bool Create2(std::span<const GxPointF> points, std::span<const BYTE> types,
                 FillMode mode = Gdiplus::FillModeAlternate);
    bool Create2I(std::span<const GxPoint> points, std::span<const BYTE> types,
                  FillMode mode = Gdiplus::FillModeAlternate);
    bool Clone(GxPath& result) const;
    bool Reset();
    FillMode GetFillMode();
    bool SetFillMode(FillMode mode);

    // Data
    bool GetPathData(std::vector<GxPointF>& points, std::vector<BYTE>& types);
    bool GetTypes(std::vector<BYTE>& types);
    bool GetPoints(std::vector<GxPointF>& points);
    bool GetPointsI(std::vector<GxPoint>& points);

    // Figures
    bool StartFigure();
    bool CloseFigure();
    bool CloseFigures();
    bool SetMarker();
    bool ClearMarkers();
    bool Reverse();
    bool GetLastPoint(GxPointF& point);

    // Shapes
    bool AddLine(float x1, float y1, float x2, float y2);
    bool AddLine2(std::span<const GxPointF> points);
    bool AddArc(float x, float y, float w, float h, float start, float sweep);
    bool AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
    bool AddBeziers(std::span<const GxPointF> points);
    bool AddCurve(std::span<const GxPointF> points);
    bool AddCurve2(std::span<const GxPointF> points, float tension);
    bool AddCurve3(std::span<const GxPointF> points, int offset, int segments, float tension);
    bool AddCurveI(std::span<const GxPoint> points);
    bool AddCurve2I(std::span<const GxPoint> points, float tension);
    bool AddCurve3I(std::span<const GxPoint> points, int offset, int segments, float tension);
    bool AddClosedCurve(std::span<const GxPointF> points);
    bool AddClosedCurve2(std::span<const GxPointF> points, float tension);
    bool AddClosedCurveI(std::span<const GxPoint> points);
    bool AddClosedCurve2I(std::span<const GxPoint> points, float tension);
    bool AddRectangle(float x, float y, float w, float h);
    // A closed rectangle with elliptic corners whose diameters are `percent` (1..100) of
    // the width and height; 100 gives the inscribed ellipse.
    bool AddRoundRect(float x, float y, float w, float h, int percent);
    bool AddRectangles(std::span<const GxRectF> rects);
    bool AddRectangleI(int x, int y, int w, int h);
    bool AddRectanglesI(std::span<const GxRect> rects);
    bool AddEllipse(float x, float y, float w, float h);
    bool AddEllipseI(int x, int y, int w, int h);
    bool AddPie(float x, float y, float w, float h, float start, float sweep);
    bool AddPieI(int x, int y, int w, int h, float start, float sweep);
    bool AddPolygon(std::span<const GxPointF> points);
    bool AddPolygonI(std::span<const GxPoint> points);
    bool AddPath(const GxPath& other, bool connect);
    bool AddString(const char* text, const GxFontFamily& family, float emSize, const GxRectF& layout, int style = 0,
                   const GxStringFormat* format = nullptr);
    bool AddStringW(const wchar_t* text, const GxFontFamily& family, float emSize, const GxRectF& layout,
                    int style = 0, const GxStringFormat* format = nullptr);
    bool AddStringI(const char* text, const GxFontFamily& family, float emSize, const GxRect& layout, int style = 0,
                    const GxStringFormat* format = nullptr);
    bool AddStringIW(const wchar_t* text, const GxFontFamily& family, float emSize, const GxRect& layout,
                     int style = 0, const GxStringFormat* format = nullptr);

    // Geometry
    bool Transform(const GxMatrix& matrix);
    bool GetWorldBounds(GxRectF& bounds, const GxMatrix* matrix = nullptr, const GxPen* pen = nullptr);
    bool GetWorldBoundsI(GxRect& bounds, const GxMatrix* matrix = nullptr, const GxPen* pen = nullptr);
    bool Flatten(const GxMatrix* matrix = nullptr, float flatness = defaultFlatness);
    bool Widen(const GxPen& pen, const GxMatrix* matrix = nullptr, float flatness = defaultFlatness);
    bool WindingModeOutline(const GxMatrix* matrix = nullptr, float flatness = defaultFlatness);
    bool Warp(std::span<const GxPointF> points, const GxRectF& source, const GxMatrix* matrix = nullptr,
              Gdiplus::WarpMode mode = Gdiplus::WarpModePerspective, float flatness = defaultFlatness);
    int GetPointCount();
    BOOL IsVisiblePoint(float x, float y, const GxGraphics* graphics = nullptr);
    BOOL IsVisiblePointI(int x, int y, const GxGraphics* graphics = nullptr);
    BOOL IsOutlineVisiblePoint(float x, float y, const GxPen& pen, const GxGraphics* graphics = nullptr);
    BOOL IsOutlineVisiblePointI(int x, int y, const GxPen& pen, const GxGraphics* graphics = nullptr);
};
