// GDI+ drawing on a memory picture.
#pragma once

#include <windows.h>

#include "graphics/GxGraphics.h"
#include "graphics/GxImage.h"

namespace skin {

// Draws straight into the pixels of the 32-bit top-down DIB selected into dc, as an
// opaque picture: under Wine several times cheaper than drawing through the DC, which
// copies the pixels out and back for every shape, and every operation lands in the
// pixels at once, so GDI copies in between see it. Any other picture is drawn through
// the DC.
class DcGraphics {
public:
    explicit DcGraphics(HDC dc);
    DcGraphics(const DcGraphics&) = delete;
    DcGraphics& operator=(const DcGraphics&) = delete;

    GxGraphics& graphics() noexcept { return graphics_; }
    // Ends the drawing before GDI reads the picture: GDI+ may hold drawing back until
    // its surface goes.
    void finish();

private:
    GxBitmap pixels_;  // declared first: the graphics on it goes first
    GxGraphics graphics_;
};

}  // namespace skin
