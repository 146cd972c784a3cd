#include "skin/DcGraphics.h"

namespace skin {

DcGraphics::DcGraphics(HDC dc) {
    DIBSECTION dib{};
    const auto bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    // Every picture of the skin is made top-down by makeDibPicture (Wine does not keep
    // the sign of the height for GetObject to tell).
    if (GetObjectA(bitmap, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBits && dib.dsBm.bmBitsPixel == 32) {
        GdiFlush();
        pixels_.FromScan0(dib.dsBm.bmWidth, dib.dsBm.bmHeight, dib.dsBm.bmWidthBytes, PixelFormat32bppRGB,
                          static_cast<BYTE*>(dib.dsBm.bmBits));
    }
    if (!pixels_.IsEmpty()) graphics_.FromImage(pixels_);
    else graphics_.FromHdc(dc);
}

void DcGraphics::finish() {
    graphics_.Delete();
    pixels_.Dispose();
}

}  // namespace skin
