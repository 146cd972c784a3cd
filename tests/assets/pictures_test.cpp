// The embedded pictures as stored: formats, sizes and alpha styles read from the bytes.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <set>

#include "ImageFiles.h"
#include "assets/Assets.h"

using namespace imagefiles;

namespace {

struct GlyphFact {
    const char* name;
    const ByteSet& bytes;
    std::uint32_t width, height;
    enum Alpha { Binary, Smooth, Opaque, CheckBox } alpha;
};

const GlyphFact glyphs[] = {
    {"DialogCloseGlyph", DialogCloseGlyph, 38, 18, GlyphFact::Binary},
    {"CheckOffGlyph", CheckOffGlyph, 13, 13, GlyphFact::CheckBox},
    {"CheckOnGlyph", CheckOnGlyph, 13, 13, GlyphFact::Opaque},
    {"ArrowDownGlyph", ArrowDownGlyph, 7, 4, GlyphFact::Binary},
    {"ArrowUpGlyph", ArrowUpGlyph, 7, 4, GlyphFact::Binary},
    {"ArrowLeftGlyph", ArrowLeftGlyph, 4, 7, GlyphFact::Binary},
    {"ArrowRightGlyph", ArrowRightGlyph, 4, 7, GlyphFact::Binary},
    {"CaptionHelpGlyph", CaptionHelpGlyph, 26, 18, GlyphFact::Smooth},
    {"CaptionMenuGlyph", CaptionMenuGlyph, 26, 18, GlyphFact::Smooth},
    {"CaptionMinimizeGlyph", CaptionMinimizeGlyph, 26, 18, GlyphFact::Smooth},
    {"CaptionMaximizeGlyph", CaptionMaximizeGlyph, 26, 18, GlyphFact::Smooth},
    {"CaptionRestoreGlyph", CaptionRestoreGlyph, 26, 18, GlyphFact::Smooth},
    {"CaptionCloseGlyph", CaptionCloseGlyph, 38, 18, GlyphFact::Smooth},
};

bool isBorder(std::uint32_t x, std::uint32_t y, std::uint32_t size) {
    return x == 0 || y == 0 || x == size - 1 || y == size - 1;
}

bool rgbIs(const std::uint8_t* p, std::uint32_t rgb) {
    return p[0] == ((rgb >> 16) & 0xFF) && p[1] == ((rgb >> 8) & 0xFF) && p[2] == (rgb & 0xFF);
}

// Rows of an arrow glyph: the opaque pixels of each row (or column) as a run.
std::vector<int> runLengths(const Png& png, bool alongRows) {
    std::vector<int> runs;
    const std::uint32_t outer = alongRows ? png.height : png.width, inner = alongRows ? png.width : png.height;
    for (std::uint32_t i = 0; i < outer; ++i) {
        int n = 0;
        for (std::uint32_t j = 0; j < inner; ++j) {
            const std::uint8_t* p = alongRows ? png.pixel(j, i) : png.pixel(i, j);
            if (p[3] == 255) {
                CHECK(rgbIs(p, 0x000000));
                ++n;
            }
        }
        runs.push_back(n);
    }
    return runs;
}

}  // namespace

TEST_CASE("every glyph is an 8-bit RGBA PNG of its size with its alpha style") {
    for (const GlyphFact& g : glyphs) {
        CAPTURE(g.name);
        CHECK(g.bytes.dimensionCount == 1);
        const Png png = readPng(g.bytes.bytes());
        REQUIRE(png.ok);
        CHECK(png.width == g.width);
        CHECK(png.height == g.height);
        CHECK(png.colourType == 6);
        CHECK(png.bitDepth == 8);
        CHECK(png.interlace == 0);
        REQUIRE(png.rgba.size() == std::size_t{g.width} * g.height * 4);

        std::set<int> alphas;
        for (std::size_t i = 3; i < png.rgba.size(); i += 4) alphas.insert(png.rgba[i]);
        switch (g.alpha) {
        case GlyphFact::Binary:
            CHECK(alphas == std::set<int>{0, 255});
            break;
        case GlyphFact::Opaque:
            CHECK(alphas == std::set<int>{255});
            break;
        case GlyphFact::Smooth: {
            // Anti-aliased edges, and a white glyph that is fully opaque somewhere.
            const bool partial = std::any_of(alphas.begin(), alphas.end(), [](int a) { return a > 0 && a < 255; });
            CHECK(partial);
            CHECK(alphas.count(0) == 1);
            bool white = false;
            for (std::size_t i = 0; i < png.rgba.size(); i += 4)
                white = white || (png.rgba[i + 3] == 255 && rgbIs(&png.rgba[i], 0xFFFFFF));
            CHECK(white);
            break;
        }
        case GlyphFact::CheckBox:
            for (std::uint32_t y = 0; y < 13; ++y)
                for (std::uint32_t x = 0; x < 13; ++x) {
                    CAPTURE(x);
                    CAPTURE(y);
                    CHECK(png.pixel(x, y)[3] == (isBorder(x, y, 13) ? 230 : 255));
                }
            break;
        }
    }
}

TEST_CASE("check box glyphs: border colours, gradient and the check mark") {
    const Png off = readPng(CheckOffGlyph.bytes());
    const Png on = readPng(CheckOnGlyph.bytes());
    REQUIRE(off.ok);
    REQUIRE(on.ok);
    CHECK(rgbIs(off.pixel(0, 0), 0x030303));
    CHECK(rgbIs(off.pixel(12, 7), 0x030303));
    CHECK(rgbIs(on.pixel(0, 0), 0x185184));
    CHECK(rgbIs(on.pixel(6, 12), 0x185184));
    // Diagonal gradient inside, light grey-green at the top left to near white at the bottom right.
    CHECK(rgbIs(off.pixel(1, 1), 0xDEDFD6));
    CHECK(rgbIs(off.pixel(11, 11), 0xFDFCFC));
    CHECK(rgbIs(on.pixel(1, 1), 0xDEDFD6));

    int firstColumn = 13, lastColumn = -1, markPixels = 0;
    for (std::uint32_t y = 1; y < 12; ++y)
        for (std::uint32_t x = 1; x < 12; ++x)
            if (rgbIs(on.pixel(x, y), 0x246E75)) {
                ++markPixels;
                firstColumn = std::min(firstColumn, static_cast<int>(x));
                lastColumn = std::max(lastColumn, static_cast<int>(x));
            }
    CHECK(firstColumn == 3);
    CHECK(lastColumn == 9);
    CHECK(markPixels >= 14);
    // The long stroke rises: column 9's mark sits higher than column 5's (the bottom of the tick).
    auto topOf = [&](std::uint32_t x) {
        for (std::uint32_t y = 1; y < 12; ++y)
            if (rgbIs(on.pixel(x, y), 0x246E75)) return static_cast<int>(y);
        return 99;
    };
    CHECK(topOf(9) < topOf(5));
    CHECK(topOf(3) < topOf(5));
}

TEST_CASE("arrow glyphs are solid black triangles of 7, 5, 3, 1 pixels") {
    CHECK(runLengths(readPng(ArrowDownGlyph.bytes()), true) == std::vector<int>{7, 5, 3, 1});
    CHECK(runLengths(readPng(ArrowUpGlyph.bytes()), true) == std::vector<int>{1, 3, 5, 7});
    CHECK(runLengths(readPng(ArrowRightGlyph.bytes()), false) == std::vector<int>{7, 5, 3, 1});
    CHECK(runLengths(readPng(ArrowLeftGlyph.bytes()), false) == std::vector<int>{1, 3, 5, 7});
}

TEST_CASE("tutorial pictures are complete bottom-up BMP files at 72 dpi") {
    const struct {
        const char* name;
        const ByteSet& bytes;
        int width, height, bitCount;
    } pictures[] = {{"ImgTutorial0", ImgTutorial0, 759, 398, 24},
                    {"ImgTutorial1", ImgTutorial1, 620, 304, 24},
                    {"ImgTutorial2", ImgTutorial2, 365, 511, 24},
                    {"ImgTutorial3", ImgTutorial3, 352, 405, 8}};
    for (const auto& p : pictures) {
        CAPTURE(p.name);
        CHECK(p.bytes.dimensionCount == 1);
        const Bmp bmp = readBmp(p.bytes.bytes());
        REQUIRE(bmp.ok);
        CHECK(bmp.fileSize == p.bytes.size());
        CHECK(bmp.headerSize == 40u);
        CHECK(bmp.width == p.width);
        CHECK(bmp.height == p.height);
        CHECK(bmp.planes == 1);
        CHECK(bmp.bitCount == p.bitCount);
        CHECK(bmp.compression == 0u);
        CHECK(bmp.xPixelsPerMetre == 2835);
        CHECK(bmp.yPixelsPerMetre == 2835);
        const std::uint32_t palette = p.bitCount == 8 ? 256 * 4 : 0;
        CHECK(bmp.pixelOffset == 14 + 40 + palette);
        const std::uint32_t stride = ((p.width * p.bitCount / 8) + 3) & ~3u;
        CHECK(bmp.fileSize == bmp.pixelOffset + stride * p.height);
        if (p.bitCount == 8) CHECK(bmp.coloursUsed == 256u);

        // GDI accepts the file's info block and pixels as they are.
        const auto* info = reinterpret_cast<const BITMAPINFO*>(p.bytes.data() + 14);
        HDC screen = GetDC(nullptr);
        HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, p.bytes.data() + bmp.pixelOffset, info,
                                        DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        REQUIRE(bitmap != nullptr);
        BITMAP facts{};
        GetObjectW(bitmap, sizeof facts, &facts);
        CHECK(facts.bmWidth == p.width);
        CHECK(facts.bmHeight == p.height);
        DeleteObject(bitmap);
    }
}

TEST_CASE("the backdrop is a progressive JFIF JPEG of 400 x 300") {
    CHECK(ImgBackdrop.dimensionCount == 1);
    const Jpeg jpeg = readJpeg(ImgBackdrop.bytes());
    REQUIRE(jpeg.ok);
    CHECK(jpeg.jfif);
    CHECK(jpeg.frameMarkers == std::vector<std::uint8_t>{0xC2});
    CHECK(jpeg.width == 400);
    CHECK(jpeg.height == 300);
}

TEST_CASE("the animation: GIF 89a, 256 colours, looping, five transparent frames") {
    CHECK(ImgAnimation.dimensionCount == 1);
    const Gif gif = readGif(ImgAnimation.bytes());
    REQUIRE(gif.ok);
    CHECK(gif.version == "GIF89a");
    CHECK(gif.width == 208);
    CHECK(gif.height == 240);
    CHECK(gif.globalTable);
    CHECK(gif.globalTableSize == 256);
    CHECK(gif.loopCount == 0);
    REQUIRE(gif.frames.size() == 5u);
    const int delays[5] = {10, 10, 10, 10, 20};
    for (std::size_t i = 0; i < 5; ++i) {
        const GifFrame& f = gif.frames[i];
        CAPTURE(i);
        CHECK(f.delay == delays[i]);
        CHECK(f.disposal == 2);
        CHECK(f.transparency);
        CHECK_FALSE(f.localTable);
        CHECK_FALSE(f.interlaced);
        CHECK(f.left == 0);
        CHECK(f.top == 0);
        CHECK(f.width == 208);
        CHECK(f.height == 240);
        // The background is transparent (corners) and the figure is not.
        const auto transparent = static_cast<std::uint8_t>(f.transparentIndex);
        CHECK(f.indices.front() == transparent);
        CHECK(f.indices.back() == transparent);
        const auto solid = std::count_if(f.indices.begin(), f.indices.end(), [&](std::uint8_t v) { return v != transparent; });
        CHECK(solid > 208 * 240 / 5);
    }
    CHECK(gif.frames[0].indices != gif.frames[2].indices);
}
