#include "ImageFiles.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace imagefiles {
namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}
std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}
int le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

int paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

// Undoes the per-row filters of an 8-bit RGBA image.
bool unfilter(const Bytes& raw, std::uint32_t width, std::uint32_t height, Bytes& out) {
    const std::size_t stride = std::size_t{width} * 4;
    if (raw.size() != (stride + 1) * height) return false;
    out.assign(stride * height, 0);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t filter = raw[y * (stride + 1)];
        const std::uint8_t* in = &raw[y * (stride + 1) + 1];
        std::uint8_t* row = &out[y * stride];
        const std::uint8_t* up = y ? &out[(y - 1) * stride] : nullptr;
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= 4 ? row[i - 4] : 0, b = up ? up[i] : 0, c = (up && i >= 4) ? up[i - 4] : 0;
            int v = in[i];
            switch (filter) {
            case 0: break;
            case 1: v += a; break;
            case 2: v += b; break;
            case 3: v += (a + b) / 2; break;
            case 4: v += paeth(a, b, c); break;
            default: return false;
            }
            row[i] = static_cast<std::uint8_t>(v);
        }
    }
    return true;
}

}  // namespace

Png readPng(ByteView file) {
    Png png;
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (file.size() < 8 || std::memcmp(file.data(), signature, 8) != 0) return png;
    Bytes compressed;
    bool ended = false;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = be32(&file[at]);
        if (at + 12 + length > file.size()) return png;
        const std::uint8_t* type = &file[at + 4];
        const std::uint8_t* data = &file[at + 8];
        if (crc32(crc32(0, type, 4), data, length) != be32(data + length)) return png;
        if (std::memcmp(type, "IHDR", 4) == 0 && length == 13) {
            png.width = be32(data);
            png.height = be32(data + 4);
            png.bitDepth = data[8];
            png.colourType = data[9];
            png.interlace = data[12];
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            compressed.insert(compressed.end(), data, data + length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            ended = true;
            break;
        }
        at += 12 + length;
    }
    if (!ended || png.width == 0 || png.height == 0) return png;
    if (png.colourType == 6 && png.bitDepth == 8 && png.interlace == 0) {
        Bytes raw((std::size_t{png.width} * 4 + 1) * png.height);
        uLongf size = static_cast<uLongf>(raw.size());
        if (uncompress(raw.data(), &size, compressed.data(), static_cast<uLong>(compressed.size())) != Z_OK ||
            size != raw.size() || !unfilter(raw, png.width, png.height, png.rgba))
            return png;
    }
    png.ok = true;
    return png;
}

Bmp readBmp(ByteView file) {
    Bmp bmp;
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return bmp;
    const std::uint8_t* p = file.data();
    bmp.fileSize = le32(p + 2);
    bmp.pixelOffset = le32(p + 10);
    bmp.headerSize = le32(p + 14);
    bmp.width = static_cast<std::int32_t>(le32(p + 18));
    bmp.height = static_cast<std::int32_t>(le32(p + 22));
    bmp.planes = le16(p + 26);
    bmp.bitCount = le16(p + 28);
    bmp.compression = le32(p + 30);
    bmp.xPixelsPerMetre = static_cast<std::int32_t>(le32(p + 38));
    bmp.yPixelsPerMetre = static_cast<std::int32_t>(le32(p + 42));
    bmp.coloursUsed = le32(p + 46);
    bmp.ok = true;
    return bmp;
}

Jpeg readJpeg(ByteView file) {
    Jpeg jpeg;
    if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) return jpeg;
    std::size_t at = 2;
    while (at + 4 <= file.size()) {
        if (file[at] != 0xFF) return jpeg;
        const std::uint8_t marker = file[at + 1];
        if (marker == 0xD9) break;
        const std::size_t length = (std::size_t{file[at + 2]} << 8) | file[at + 3];
        if (at + 2 + length > file.size()) return jpeg;
        const std::uint8_t* data = &file[at + 4];
        if (marker == 0xE0 && length >= 7 && std::memcmp(data, "JFIF\0", 5) == 0 && jpeg.frameMarkers.empty() &&
            at == 2)
            jpeg.jfif = true;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && length >= 8) {
            jpeg.frameMarkers.push_back(marker);
            jpeg.height = (data[1] << 8) | data[2];
            jpeg.width = (data[3] << 8) | data[4];
        }
        at += 2 + length;
        if (marker == 0xDA) {
            // Entropy-coded data runs to the next marker that is not a stuffed byte or a restart.
            while (at + 1 < file.size() &&
                   !(file[at] == 0xFF && file[at + 1] != 0x00 && !(file[at + 1] >= 0xD0 && file[at + 1] <= 0xD7)))
                ++at;
        }
    }
    jpeg.ok = at + 2 <= file.size() && file[at] == 0xFF && file[at + 1] == 0xD9;
    return jpeg;
}

namespace {

// GIF's LZW: codes packed LSB first, width growing to 12 bits, clear and end codes.
bool decodeLzw(const Bytes& data, int minCodeSize, std::size_t expected, Bytes& out) {
    if (minCodeSize < 2 || minCodeSize > 8) return false;
    const int clear = 1 << minCodeSize, end = clear + 1;
    std::vector<std::pair<int, std::uint8_t>> table;  // prefix code, last byte
    auto reset = [&] {
        table.clear();
        for (int i = 0; i < clear + 2; ++i) table.push_back({-1, static_cast<std::uint8_t>(i)});
    };
    auto expand = [&](int code, Bytes& s) {
        s.clear();
        for (int c = code; c >= 0; c = table[c].first) s.push_back(table[c].second);
        std::reverse(s.begin(), s.end());
    };
    reset();
    int width = minCodeSize + 1, previous = -1;
    std::size_t bit = 0;
    Bytes s, p;
    while (bit + width <= data.size() * 8) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit) code |= ((data[bit >> 3] >> (bit & 7)) & 1) << i;
        if (code == clear) {
            reset();
            width = minCodeSize + 1;
            previous = -1;
            continue;
        }
        if (code == end) return out.size() == expected;
        if (previous < 0) {
            if (code >= clear) return false;
            out.push_back(static_cast<std::uint8_t>(code));
            previous = code;
            continue;
        }
        expand(previous, p);
        if (code < static_cast<int>(table.size())) {
            expand(code, s);
            if (table.size() < 4096) table.push_back({previous, s[0]});
        } else if (code == static_cast<int>(table.size())) {
            s = p;
            s.push_back(p[0]);
            if (table.size() < 4096) table.push_back({previous, p[0]});
        } else {
            return false;
        }
        out.insert(out.end(), s.begin(), s.end());
        if (static_cast<int>(table.size()) == (1 << width) && width < 12) ++width;
        previous = code;
    }
    return false;
}

}  // namespace

Gif readGif(ByteView file) {
    Gif gif;
    if (file.size() < 13) return gif;
    gif.version.assign(reinterpret_cast<const char*>(file.data()), 6);
    gif.width = le16(&file[6]);
    gif.height = le16(&file[8]);
    const std::uint8_t packed = file[10];
    gif.globalTable = packed & 0x80;
    gif.globalTableSize = gif.globalTable ? 2 << (packed & 7) : 0;
    std::size_t at = 13 + 3 * static_cast<std::size_t>(gif.globalTableSize);
    GifFrame pending;
    auto subBlocks = [&](Bytes* into) {
        while (at < file.size()) {
            const std::size_t n = file[at++];
            if (n == 0) return true;
            if (at + n > file.size()) return false;
            if (into) into->insert(into->end(), &file[at], &file[at] + n);
            at += n;
        }
        return false;
    };
    while (at < file.size()) {
        const std::uint8_t block = file[at++];
        if (block == 0x3B) {
            gif.ok = true;
            return gif;
        }
        if (block == 0x21 && at < file.size()) {
            const std::uint8_t label = file[at++];
            Bytes data;
            if (!subBlocks(&data)) return gif;
            if (label == 0xF9 && data.size() == 4) {
                pending.disposal = (data[0] >> 2) & 7;
                pending.transparency = data[0] & 1;
                pending.delay = le16(&data[1]);
                pending.transparentIndex = data[3];
            } else if (label == 0xFF && data.size() >= 14 && std::memcmp(data.data(), "NETSCAPE2.0", 11) == 0 &&
                       data[11] == 1) {
                gif.loopCount = le16(&data[12]);
            }
        } else if (block == 0x2C && at + 10 <= file.size()) {
            GifFrame frame = pending;
            pending = GifFrame{};
            frame.left = le16(&file[at]);
            frame.top = le16(&file[at + 2]);
            frame.width = le16(&file[at + 4]);
            frame.height = le16(&file[at + 6]);
            frame.localTable = file[at + 8] & 0x80;
            frame.interlaced = file[at + 8] & 0x40;
            at += 9;
            if (frame.localTable) at += 3 * (std::size_t{2} << (file[at - 1] & 7));
            if (at >= file.size()) return gif;
            const int minCodeSize = file[at++];
            Bytes data;
            if (!subBlocks(&data)) return gif;
            if (!decodeLzw(data, minCodeSize, std::size_t(frame.width) * frame.height, frame.indices)) return gif;
            gif.frames.push_back(std::move(frame));
        } else {
            return gif;
        }
    }
    return gif;
}

}  // namespace imagefiles
