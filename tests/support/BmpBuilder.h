// BMP files built in memory for the picture tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace testing {

// A BMP file of the given size; pixel (x, y) (y counted from the top) gets colour(x, y)
// for 24-bit files or palette index index(x, y) for 8-bit files.
template <typename Pixel>
std::vector<std::uint8_t> makeBmp(int width, int height, int bitCount, bool topDown, Pixel pixel,
                                  const std::vector<RGBQUAD>& palette = {}) {
    const int stride = ((width * bitCount + 31) / 32) * 4;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = topDown ? -height : height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bitCount);
    info.biCompression = BI_RGB;
    info.biXPelsPerMeter = info.biYPelsPerMeter = 2835;
    info.biClrUsed = static_cast<DWORD>(palette.size());
    const std::size_t paletteBytes = palette.size() * sizeof(RGBQUAD);
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof info + paletteBytes);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + static_cast<std::size_t>(stride) * height);

    std::vector<std::uint8_t> bytes(file.bfSize);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    if (paletteBytes != 0) std::memcpy(bytes.data() + sizeof file + sizeof info, palette.data(), paletteBytes);
    for (int y = 0; y < height; ++y) {
        const int row = topDown ? y : height - 1 - y;
        std::uint8_t* line = bytes.data() + file.bfOffBits + static_cast<std::size_t>(row) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = pixel(x, y);
            if (bitCount == 8) {
                line[x] = static_cast<std::uint8_t>(value);
            } else {
                line[x * 3 + 0] = GetBValue(value);
                line[x * 3 + 1] = GetGValue(value);
                line[x * 3 + 2] = GetRValue(value);
            }
        }
    }
    return bytes;
}

}  // namespace testing
