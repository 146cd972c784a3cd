#include "skin/frame/FramePictures.h"

#include <algorithm>
#include <cstdint>

#include "graphics/GxBrush.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxImage.h"
#include "skin/Primitives.h"
#include "skin/SkinRecord.h"

namespace skin {

bool loadPicture(const PictureSource& source, GxBitmap& bitmap) {
    if (source.fileName && *source.fileName) return bitmap.FromFile(source.fileName);
    return !source.bytes.empty() && bitmap.FromBytes(source.bytes);
}

COLORREF averageColor(const PictureSource& source, int samples, int marginX, int marginY) {
    GxBitmap bitmap;
    if (samples < 1 || !loadPicture(source, bitmap)) return 0xFF000000;
    const int w = bitmap.GetWidth();
    const int h = bitmap.GetHeight();
    if (w < 1 || h < 1) return 0xFF000000;
    Gdiplus::BitmapData data{};
    const GxRect all{0, 0, w, h};
    if (!bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, data)) return 0xFF000000;
    const int x0 = marginX < 1 ? 0 : std::max(0, w - marginX);
    const int y0 = marginY < 1 ? 0 : std::max(0, h - marginY);
    // A fixed linear congruential sequence: the same points on every run and every day.
    std::uint32_t state = 0x2545F491u;
    auto next = [&state](int range) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(range));
    };
    std::uint64_t sumR = 0, sumG = 0, sumB = 0;
    const auto* base = static_cast<const std::uint8_t*>(data.Scan0);
    for (int i = 0; i < samples; ++i) {
        const int x = x0 + next(w - x0);
        const int y = y0 + next(h - y0);
        const auto* pixel = base + static_cast<std::ptrdiff_t>(y) * data.Stride + x * 4;
        sumB += pixel[0];
        sumG += pixel[1];
        sumR += pixel[2];
    }
    bitmap.UnlockBits(data);
    const auto n = static_cast<std::uint64_t>(samples);
    return 0xFF000000u | RGB(sumR / n, sumG / n, sumB / n);
}

Bytes fadeImageEdges(const PictureSource& source, std::optional<int> fadeLength, COLORREF colour, bool horizontal) {
    GxBitmap picture;
    if (!loadPicture(source, picture)) return {};
    const int w = picture.GetWidth();
    const int h = picture.GetHeight();
    GxBitmap result;
    if (!result.Create(w, h, PixelFormat32bppARGB)) return {};
    {
        GxGraphics graphics;
        graphics.FromImage(result);
        graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighSpeed);
        graphics.DrawImageRect(picture, 0, 0, static_cast<float>(w), static_cast<float>(h));
        const float fade = static_cast<float>(fadeLength.value_or(static_cast<int>(w * 0.3)));
        const auto fw = static_cast<float>(w);
        const auto fh = static_cast<float>(h);
        GxLinearBrush start, end;
        if (horizontal) {
            start.Create({0, 0}, {fade, 0}, toArgb(colour), toArgb(colour, 0));
            end.Create({fw - fade, 0}, {fw + 1, 0}, toArgb(colour, 0), toArgb(colour, 255));
            graphics.FillRectangle(start, 0, 0, fade, fh);
            graphics.FillRectangle(end, fw - fade, 0, fade + 1, fh);
        } else {
            start.Create({0, 0}, {0, fade}, toArgb(colour), toArgb(colour, 0));
            end.Create({0, fh - fade}, {0, fh + 1}, toArgb(colour, 0), toArgb(colour, 255));
            graphics.FillRectangle(start, 0, 0, fw, fade);
            graphics.FillRectangle(end, 0, fh - fade, fw, fade + 1);
        }
    }
    return result.SaveToBytes(GxFormat::Png);
}

Bytes prepareBackground(const PictureSource& source, int mode, COLORREF backColor) {
    if (mode == backFadedSides || mode == backFadedEnds)
        return fadeImageEdges(source, std::nullopt, backColor, mode == backFadedSides);
    if (source.fileName && *source.fileName) {
        GxBitmap picture;
        return loadPicture(source, picture) ? picture.SaveToBytes(GxFormat::Png) : Bytes{};
    }
    return Bytes(source.bytes.begin(), source.bytes.end());
}

}  // namespace skin
