#include "skin/controls/ControlCanvas.h"

#include "skin/SkinCore.h"

namespace skin {

ControlCanvas::ControlCanvas(HWND control, const RECT& area, Edges edges)
    : backdrop_(makeBackdrop(control, area)),
      surface_(backdrop_.get()),
      w_(area.right - area.left),
      h_(area.bottom - area.top) {
    if (backdrop_ && edges == Edges::smooth) graphics().SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
}

HDC ControlCanvas::picture() {
    graphics().Flush();
    return backdrop_.get();
}

void ControlCanvas::copyTo(HDC target) {
    if (!backdrop_) return;
    surface_.finish();
    BitBlt(target, 0, 0, w_, h_, backdrop_.get(), 0, 0, SRCCOPY);
}

void ControlCanvas::veil() {
    GxSolidBrush brush;
    brush.Create(toArgb(0x00FFFFFF, veilAlpha));
    graphics().FillRectangleI(brush, 0, 0, w_, h_);
}

void ControlCanvas::fill(const GxPath& path, Argb colour) {
    GxSolidBrush brush;
    brush.Create(colour);
    graphics().FillPath(brush, path);
}

void ControlCanvas::stroke(const GxPath& path, Argb colour, float width) {
    GxPen pen;
    pen.Create(colour, width);
    graphics().DrawPath(pen, path);
}

void ControlCanvas::fillLinear(const GxPath& path, GxPointF p1, GxPointF p2, Argb colour1, Argb colour2) {
    GxLinearBrush brush;
    // Two equal points make no gradient; the layer is left out.
    if (brush.Create(p1, p2, colour1, colour2)) graphics().FillPath(brush, path);
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
