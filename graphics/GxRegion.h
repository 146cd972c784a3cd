// Regions: areas built from rectangles, paths and GDI regions, combined and tested.
#pragma once

#include <span>
#include <vector>

#include "graphics/GxObject.h"

class GxGraphics;
class GxMatrix;
class GxPath;

class GxRegion : public GxHandleObject<Gdiplus::GpRegion, Gdiplus::DllExports::GdipDeleteRegion> {
public:
    using Combine = Gdiplus::CombineMode;

    // An infinite region.
    bool Create();
    bool CreateRect(const GxRectF& rect);
    bool CreateRectI(const GxRect& rect);
    bool CreatePath(const GxPath& path);
    bool CreateHrgn(HRGN region);
    bool CreateRgnData(ByteView data);
    bool Clone(GxRegion& result) const;
    bool SetInfinite();
    bool SetEmpty();
    bool CombineRect(const GxRectF& rect, Combine mode);
    bool CombineRectI(const GxRect& rect, Combine mode);
    bool CombineRegion(const GxRegion& other, Combine mode);
    bool CombinePath(const GxPath& path, Combine mode);
    bool Translate(float dx, float dy);
    bool TranslateI(int dx, int dy);
    bool Transform(const GxMatrix& matrix);
    bool GetBounds(const GxGraphics& graphics, GxRectF& bounds);
    bool GetBoundsI(const GxGraphics& graphics, GxRect& bounds);
    UINT GetDataSize();
    // The region's data record (empty on failure).
    Bytes GetData();
    // A new GDI region owned by the caller (null on failure).
    HRGN GetHRgn(const GxGraphics& graphics);
    BOOL IsEmpty(const GxGraphics& graphics);
    BOOL IsInfinite(const GxGraphics& graphics);
    BOOL IsEqual(const GxRegion& other, const GxGraphics& graphics);
    BOOL IsVisiblePoint(float x, float y, const GxGraphics* graphics = nullptr);
    BOOL IsVisiblePointI(int x, int y, const GxGraphics* graphics = nullptr);
    BOOL IsVisibleRect(float x, float y, float w, float h, const GxGraphics* graphics = nullptr);
    BOOL IsVisibleRectI(int x, int y, int w, int h, const GxGraphics* graphics = nullptr);
    UINT GetScansCount(const GxMatrix& matrix);
    bool GetScans(std::vector<GxRectF>& rects, const GxMatrix& matrix);
    bool GetScansI(std::vector<GxRect>& rects, const GxMatrix& matrix);

    using GxObject::IsEmpty;
};
