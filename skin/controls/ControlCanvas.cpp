#include "skin/controls/ControlCanvas.h"

#include <algorithm>

#include "skin/KeptFace.h"
#include "skin/SkinCore.h"

namespace skin {

ControlCanvas::ControlCanvas(HWND control, const RECT& area, Edges edges, Tinting tinting)
    : backdrop_(makeBackdrop(control, area, tinting)), edges_(edges), w_(area.right - area.left), h_(area.bottom - area.top) {}

GxGraphics& ControlCanvas::graphics() {
    if (!surface_) {
        surface_.emplace(backdrop_.get());
        if (edges_ == Edges::smooth) surface_->graphics().SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    }
    return surface_->graphics();
}

HDC ControlCanvas::picture() {
    if (surface_) surface_->graphics().Flush();
    return backdrop_.get();
}

void ControlCanvas::copyTo(HDC target) {
    if (!backdrop_) return;
    surface_.reset();  // GDI+ may hold drawing back until its surface goes
    BitBlt(target, 0, 0, w_, h_, backdrop_.get(), 0, 0, SRCCOPY);
}

std::span<const std::uint32_t> ControlCanvas::pixels() { return dibPixels(picture(), w_, h_); }

bool KeptFace::restore(ControlCanvas& canvas, std::string key) {
    const std::span<const std::uint32_t> backdrop = canvas.pixels();
    if (holds_ && width_ == canvas.width() && height_ == canvas.height() && source_.same(backdrop, key)) {
        BitBlt(canvas.picture(), 0, 0, width_, height_, face_.get(), 0, 0, SRCCOPY);
        return true;
    }
    holds_ = false;
    source_.take(backdrop, std::move(key));
    if (!face_ || width_ != canvas.width() || height_ != canvas.height()) {
        width_ = canvas.width();
        height_ = canvas.height();
        face_.select(gdi::makeDibPicture(width_, height_));
    }
    return false;
}

void KeptFace::keep(ControlCanvas& canvas) {
    if (!face_ || source_.empty()) return;
    BitBlt(face_.get(), 0, 0, width_, height_, canvas.picture(), 0, 0, SRCCOPY);
    holds_ = true;
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
