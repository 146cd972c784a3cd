// Small drawing operations every skinned control shares: colour conversion, rounded
// outlines, the glow, and font queries.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class GxBitmap;
class GxGraphics;
class GxPath;

namespace skin {

using Argb = std::uint32_t;

// COLORREF 0x00BBGGRR to ARGB 0xAARRGGBB; the low byte of alpha goes to the top.
constexpr Argb toArgb(COLORREF colour, int alpha = 255) {
    return (static_cast<Argb>(alpha & 0xFF) << 24) | ((colour & 0xFF) << 16) | (colour & 0xFF00) |
           ((colour >> 16) & 0xFF);
}

// A closed rounded rectangle with corner-arc diameter d (1..100); the bottom-right arc
// is one pixel larger and one pixel further in, which every rounded outline shows.
void addRoundRect(GxPath& path, float x, float y, float w, float h, int d);
// Rounded top corners of diameter d; the bottom stays open.
void addTopRoundRect(GxPath& path, float x, float y, float w, float h, int d);
// Strokes addRoundRect's outline with a one-pixel pen.
void strokeRoundRect(GxGraphics& graphics, float x, float y, float w, float h, int d, Argb colour);
// Strokes path count times with widths 1..count: a halo that fades outwards.
void drawGlow(GxGraphics& graphics, const GxPath& path, int count, COLORREF colour, int alpha);
// The first half of a blur: picture drawn smoothly into a new w x h one, empty when
// that has no pixel. The glow text composites the shrink at high quality.
GxBitmap shrinkPicture(const GxBitmap& picture, int w, int h, bool highQualityCompositing);

struct WindowFont {
    std::string faceName;
    int size = 0;
    int style = 0;
};
// The window's font as GDI+ sees it; the font itself stays the window's.
WindowFont getWindowFont(HWND hwnd);
// Width of text in the font, as an integer plus 1.
int measureTextWidth(const char* text, const char* faceName, int size, int style);

}  // namespace skin
