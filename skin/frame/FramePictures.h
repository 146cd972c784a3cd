// Preparation of background pictures for framed windows: their average colour and
// edges faded into it.
#pragma once

#include <windows.h>

#include <optional>

#include "assets/ByteSet.h"

class GxBitmap;

namespace skin {

// A picture given either as a file name (when not empty) or as the bytes of an image file.
struct PictureSource {
    const char* fileName = nullptr;
    ByteView bytes;
    bool empty() const noexcept { return (!fileName || !*fileName) && bytes.empty(); }
};

bool loadPicture(const PictureSource& source, GxBitmap& bitmap);

// The mean colour of samples points inside the picture (or inside the last marginX
// columns / marginY rows when those are at least 1), with 0xFF in the top byte. The
// points are fixed for a given size, so the same picture always gives the same colour.
COLORREF averageColor(const PictureSource& source, int samples = 2000, int marginX = 0, int marginY = 0);

// The picture with its left and right (or top and bottom) edges faded into colour, as
// PNG bytes; fadeLength defaults to 30 % of the width. Empty when the picture cannot
// be read.
Bytes fadeImageEdges(const PictureSource& source, std::optional<int> fadeLength, COLORREF colour,
                     bool horizontal = true);

// The picture a framed window stores for a background mode: faded edges for modes 0
// and 1, else the bytes as given (a file is re-encoded as PNG).
Bytes prepareBackground(const PictureSource& source, int mode, COLORREF backColor);

}  // namespace skin
