// What every control painter draws on: a backdrop of one area of the control with a
// GDI+ surface on it, and the few shape fills the painters repeat.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "graphics/GxBrush.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxImage.h"
#include "graphics/GxPath.h"
#include "graphics/GxPen.h"
#include "skin/Backdrop.h"
#include "skin/DcGraphics.h"
#include "skin/Primitives.h"

namespace skin {

// Whether shapes get smoothed edges; painters of square frames keep them sharp.
enum class Edges { smooth, sharp };

class ControlCanvas {
public:
    // area in the control's window coordinates; the canvas is empty (false) when no
    // skinned window lies behind the control.
    ControlCanvas(HWND control, const RECT& area, Edges edges = Edges::smooth, Tinting tinting = Tinting::now);
    ControlCanvas(const ControlCanvas&) = delete;
    ControlCanvas& operator=(const ControlCanvas&) = delete;

    explicit operator bool() const noexcept { return static_cast<bool>(backdrop_); }
    // The GDI+ surface, made at the first use: a canvas that only shows a kept face
    // never needs one.
    GxGraphics& graphics();
    int width() const noexcept { return w_; }
    int height() const noexcept { return h_; }

    // The picture, with everything drawn so far in it, for GDI to draw on or copy
    // from; drawing may go on afterwards.
    HDC picture();
    // Finishes drawing and copies the picture to (0, 0) of target.
    void copyTo(HDC target);
    // The picture's pixels (width x height, top-down rows), with all drawing so far.
    std::span<const std::uint32_t> pixels();
    // Lays the white veil of transparent mode over the whole canvas.
    void veil();

    void fill(const GxPath& path, Argb colour);
    void stroke(const GxPath& path, Argb colour, float width = 1.0f);
    // A linear gradient from colour1 at p1 to colour2 at p2 (tiled beyond them).
    void fillLinear(const GxPath& path, GxPointF p1, GxPointF p2, Argb colour1, Argb colour2);

private:
    ScopedBackdrop backdrop_;
    std::optional<DcGraphics> surface_;
    Edges edges_;
    int w_;
    int h_;
};

// A path holding one rounded rectangle (addRoundRect), one rectangle or one ellipse.
GxPath roundRectPath(float x, float y, float w, float h, int d);
GxPath rectPath(float x, float y, float w, float h);
GxPath ellipsePath(float x, float y, float w, float h);

// An embedded picture (PNG bytes) decoded for one paint; empty when bytes are empty.
GxImage decodePicture(ByteView bytes);

}  // namespace skin
