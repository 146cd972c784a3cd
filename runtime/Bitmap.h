// Pictures from BMP file bytes, as picture boxes show them.
#pragma once

#include <windows.h>

#include "assets/ByteSet.h"
#include "graphics/GdiHandles.h"

namespace runtime {

struct Picture {
    gdi::UniqueBitmap bitmap;  // a DIB section
    SIZE size{};
};

// Decodes an uncompressed BMP file (BITMAPFILEHEADER, a header of at least 40 bytes,
// 24 bits per pixel or 8 bits with a palette, bottom-up or top-down). Bytes that are not
// such a file, or that end before the pixels do, give an empty Picture.
Picture decodeBmp(ByteView bytes);
// Whether decodeBmp would take the bytes; decodes nothing.
bool isBmp(ByteView bytes);

}  // namespace runtime
