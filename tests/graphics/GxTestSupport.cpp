#include "GxTestSupport.h"

#include <cstdlib>

#include "graphics/GdipLifetime.h"

namespace {
// GDI+ stays started for the whole test program.
struct Session {
    Session() { GdipLifetime::Startup(); }
    ~Session() { GdipLifetime::Shutdown(); }
} session;

void Put16(Bytes& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
}  // namespace

Canvas::Canvas(int width, int height, GxArgb background) {
    bitmap.Create(width, height);
    graphics.FromImage(bitmap);
    graphics.Clear(background);
}

GxArgb Canvas::Pixel(int x, int y) {
    graphics.Flush(Gdiplus::FlushIntentionSync);
    GxArgb color = 0;
    bitmap.GetPixel(x, y, color);
    return color;
}

Bytes SolidPng(int width, int height, GxArgb color) {
    Canvas canvas(width, height, color);
    canvas.graphics.Delete();
    return canvas.bitmap.SaveToBytes(GxFormat::Png);
}

Bytes AnimatedGif(const std::vector<int>& delays) {
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(gif, 1);
    Put16(gif, 1);
    gif.insert(gif.end(), {0x80, 0x00, 0x00});               // global table of 2 colours
    gif.insert(gif.end(), {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00});  // black, red
    gif.insert(gif.end(), {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01, 0x00,
                           0x00, 0x00});  // loop forever
    for (std::size_t i = 0; i < delays.size(); ++i) {
        gif.insert(gif.end(), {0x21, 0xF9, 0x04, 0x08});  // disposal 2
        Put16(gif, delays[i]);
        gif.insert(gif.end(), {0x00, 0x00});
        gif.push_back(0x2C);
        Put16(gif, 0);
        Put16(gif, 0);
        Put16(gif, 1);
        Put16(gif, 1);
        gif.push_back(0x00);
        // LZW, minimum code size 2, 3-bit codes packed from the low bit: clear (4), the
        // pixel (alternating colours), end (5).
        const std::uint8_t pixel = static_cast<std::uint8_t>(i % 2);
        gif.insert(gif.end(), {0x02, 0x02, static_cast<std::uint8_t>(0x44 | (pixel << 3)), 0x01, 0x00});
    }
    gif.push_back(0x3B);
    return gif;
}

int ColorDistance(GxArgb a, GxArgb b) {
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        worst = d > worst ? d : worst;
    }
    return worst;
}
