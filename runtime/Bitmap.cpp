#include "runtime/Bitmap.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace runtime {

namespace {

template <typename T>
T readAt(ByteView bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// Larger pictures than this are refused rather than allocated.
constexpr std::int64_t kMaxSide = 16384;

// Where the parts of a BMP file lie, once its headers have been checked against its size.
struct BmpLayout {
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    std::int64_t width, height;
    std::uint32_t colours;
    std::uint64_t paletteOffset, pixelBytes;
};

std::optional<BmpLayout> bmpLayout(ByteView bytes) {
    constexpr std::size_t fileHeaderSize = sizeof(BITMAPFILEHEADER);
    if (bytes.size() < fileHeaderSize + sizeof(BITMAPINFOHEADER)) return {};
    const auto file = readAt<BITMAPFILEHEADER>(bytes, 0);
    const auto info = readAt<BITMAPINFOHEADER>(bytes, fileHeaderSize);
    if (file.bfType != 0x4D42 || info.biSize < sizeof(BITMAPINFOHEADER) || info.biPlanes != 1) return {};
    if (info.biCompression != BI_RGB || (info.biBitCount != 24 && info.biBitCount != 8)) return {};

    const std::int64_t width = info.biWidth;
    const std::int64_t height = info.biHeight < 0 ? -static_cast<std::int64_t>(info.biHeight) : info.biHeight;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return {};

    std::uint32_t colours = 0;
    if (info.biBitCount == 8) {
        colours = info.biClrUsed == 0 ? 256u : info.biClrUsed;
        if (colours > 256) return {};
    }
    const std::uint64_t paletteOffset = fileHeaderSize + static_cast<std::uint64_t>(info.biSize);
    const std::uint64_t paletteEnd = paletteOffset + colours * sizeof(RGBQUAD);
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * info.biBitCount + 31) / 32) * 4;
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(height);
    if (paletteEnd > bytes.size() || file.bfOffBits < paletteEnd || file.bfOffBits + pixelBytes > bytes.size()) return {};
    return BmpLayout{file, info, width, height, colours, paletteOffset, pixelBytes};
}

}  // namespace

bool isBmp(ByteView bytes) { return bmpLayout(bytes).has_value(); }

Picture decodeBmp(ByteView bytes) {
    const std::optional<BmpLayout> layout = bmpLayout(bytes);
    if (!layout) return {};
    const auto& [file, info, width, height, colours, paletteOffset, pixelBytes] = *layout;

    // BITMAPINFO with room for a full palette.
    std::vector<std::uint8_t> header(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* bitmapInfo = reinterpret_cast<BITMAPINFO*>(header.data());
    bitmapInfo->bmiHeader = info;
    bitmapInfo->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bitmapInfo->bmiHeader.biClrUsed = colours;
    bitmapInfo->bmiHeader.biSizeImage = 0;
    std::memcpy(bitmapInfo->bmiColors, bytes.data() + paletteOffset, colours * sizeof(RGBQUAD));

    void* bits = nullptr;
    Picture picture;
    picture.bitmap.reset(CreateDIBSection(nullptr, bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture.bitmap || bits == nullptr) return {};
    std::memcpy(bits, bytes.data() + file.bfOffBits, static_cast<std::size_t>(pixelBytes));
    picture.size = {static_cast<LONG>(width), static_cast<LONG>(height)};
    return picture;
}

}  // namespace runtime
