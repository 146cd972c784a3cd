#include "skin/controls/ControlCanvas.h"

namespace skin {

ControlCanvas::ControlCanvas(HWND control, const RECT& area)
    : backdrop_(makeBackdrop(control, area)), w_(area.right - area.left), h_(area.bottom - area.top) {
    if (!backdrop_) return;
    // GDI+ draws straight into the backdrop's pixels, as an opaque picture: far cheaper
    // than drawing through the DC, which copies the pixels out and back for every shape.
    DIBSECTION dib{};
    const auto bitmap = static_cast<HBITMAP>(GetCurrentObject(backdrop_.get(), OBJ_BITMAP));
    if (GetObjectA(bitmap, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBits && dib.dsBm.bmBitsPixel == 32 &&
        dib.dsBmih.biHeight < 0) {
        GdiFlush();
        pixels_.FromScan0(w_, h_, dib.dsBm.bmWidthBytes, PixelFormat32bppRGB, static_cast<BYTE*>(dib.dsBm.bmBits));
    }
    if (!pixels_.IsEmpty()) graphics_.FromImage(pixels_);
    else graphics_.FromHdc(backdrop_.get());
    graphics_.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
}

void ControlCanvas::copyTo(HDC target) {
    if (!backdrop_) return;
    // GDI+ may hold drawing back until its surface goes.
    graphics_.Delete();
    pixels_.Dispose();
    BitBlt(target, 0, 0, w_, h_, backdrop_.get(), 0, 0, SRCCOPY);
}

void ControlCanvas::fill(const GxPath& path, Argb colour) {
    GxSolidBrush brush;
    brush.Create(colour);
    graphics_.FillPath(brush, path);
}

void ControlCanvas::stroke(const GxPath& path, Argb colour, float width) {
    GxPen pen;
    pen.Create(colour, width);
    graphics_.DrawPath(pen, path);
}

void ControlCanvas::fillLinear(const GxPath& path, GxPointF p1, GxPointF p2, Argb colour1, Argb colour2) {
    GxLinearBrush brush;
    // Two equal points make no gradient; the layer is left out.
    if (brush.Create(p1, p2, colour1, colour2)) graphics_.FillPath(brush, path);
}

GxPath roundRectPath(float x, float y, float w, float h, int d) {
    GxPath path;
    path.Create();
    addRoundRect(path, x, y, w, h, d);
    return path;
}

GxPath rectPath(float x, float y, float w, float h) {
    GxPath path;
    path.Create();
    path.AddRectangle(x, y, w, h);
    return path;
}

GxPath ellipsePath(float x, float y, float w, float h) {
    GxPath path;
    path.Create();
    path.AddEllipse(x, y, w, h);
    return path;
}

GxImage decodePicture(ByteView bytes) {
    GxImage image;
    if (!bytes.empty()) image.FromBytes(bytes);
    return image;
}

}  // namespace skin
