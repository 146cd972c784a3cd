// Shared by the graphics tests: a GDI+ session for the whole test program, drawing
// canvases and generated pictures (where Wine's GDI+ differs: WineGaps.h).
#pragma once

#include <cstdint>
#include <string>

#include "graphics/GxBrush.h"
#include "graphics/GxGraphics.h"
#include "WineGaps.h"
#include "graphics/GxImage.h"

// A 32-bit ARGB bitmap cleared to `background`, with a graphics object on it.
struct Canvas {
    GxBitmap bitmap;
    GxGraphics graphics;
    Canvas(int width, int height, GxArgb background = 0xFFFFFFFF);
    GxArgb Pixel(int x, int y);
};

// PNG bytes of a w x h bitmap filled with one colour.
Bytes SolidPng(int width, int height, GxArgb color);

// A GIF 89a of 1 x 1 frames with the given delays (1/100 s), built byte by byte.
Bytes AnimatedGif(const std::vector<int>& delays);

// Channel distance, for anti-aliased or gradient pixels.
int ColorDistance(GxArgb a, GxArgb b);
