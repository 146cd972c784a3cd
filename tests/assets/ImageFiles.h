// Small readers for the image files the tests inspect: they read the bytes as stored,
// independent of the graphics layer, so the tests see the file forms themselves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/ByteSet.h"

namespace imagefiles {

struct Png {
    bool ok = false;
    std::uint32_t width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = -1;
    std::vector<std::uint8_t> rgba;  // decoded pixels when colour type 6 / 8 bit

    const std::uint8_t* pixel(std::uint32_t x, std::uint32_t y) const { return &rgba[(y * width + x) * 4]; }
};
Png readPng(ByteView file);

struct Bmp {
    bool ok = false;
    std::uint32_t fileSize = 0, pixelOffset = 0, headerSize = 0;
    std::int32_t width = 0, height = 0;  // height > 0: bottom-up rows
    int planes = 0, bitCount = 0;
    std::uint32_t compression = 0, coloursUsed = 0;
    std::int32_t xPixelsPerMetre = 0, yPixelsPerMetre = 0;
};
Bmp readBmp(ByteView file);

struct Jpeg {
    bool ok = false;
    bool jfif = false;
    std::vector<std::uint8_t> frameMarkers;  // second byte of every SOFn marker
    int width = 0, height = 0;
};
Jpeg readJpeg(ByteView file);

struct GifFrame {
    int disposal = -1;
    bool transparency = false;
    int transparentIndex = -1;
    int delay = -1;
    int left = 0, top = 0, width = 0, height = 0;
    bool localTable = false;
    bool interlaced = false;
    std::vector<std::uint8_t> indices;  // decoded LZW data
};

struct Gif {
    bool ok = false;
    std::string version;
    int width = 0, height = 0;
    bool globalTable = false;
    int globalTableSize = 0;
    int loopCount = -1;  // -1: no looping extension
    std::vector<GifFrame> frames;
};
Gif readGif(ByteView file);

}  // namespace imagefiles
