// The GDI+ flat API and its value types, without the platform's own C++ classes:
// everything in this library is built on the flat functions alone.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <math.h>
#include <stddef.h>

#ifndef __GDIPLUS_H
struct IDirectDrawSurface7;
namespace Gdiplus {
typedef float REAL;
typedef SHORT INT16;
typedef WORD UINT16;
#include <gdiplus/gdiplusenums.h>
#include <gdiplus/gdiplustypes.h>
#include <gdiplus/gdiplusgpstubs.h>
#include <gdiplus/gdiplusimaging.h>
#include <gdiplus/gdiplusinit.h>
#include <gdiplus/gdiplusmem.h>
#include <gdiplus/gdiplusmetaheader.h>
#include <gdiplus/gdipluspixelformats.h>
#include <gdiplus/gdipluscolor.h>
#include <gdiplus/gdipluscolormatrix.h>
#include <gdiplus/gdiplusflat.h>
#include <gdiplus/gdipluseffects.h>
#include <gdiplus/gdiplusimagecodec.h>
}  // namespace Gdiplus
#endif

#include <cstdint>

// Value types shared by every wrapper: the layouts GDI+ itself takes, so arrays of them
// pass to the flat functions without repacking.
using GxPointF = Gdiplus::PointF;
using GxPoint = Gdiplus::Point;
using GxRectF = Gdiplus::RectF;
using GxRect = Gdiplus::Rect;
using GxSizeF = Gdiplus::SizeF;
using GxArgb = std::uint32_t;  // 0xAARRGGBB
