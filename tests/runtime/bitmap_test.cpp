// Pictures from BMP bytes: both pixel formats the tutorial uses, both row orders, and
// files that must be refused rather than read past their end.
#include <doctest.h>

#include <cstring>

#include "assets/Assets.h"
#include "runtime/Bitmap.h"
#include "support/BmpBuilder.h"

using runtime::decodeBmp;

namespace {

COLORREF pixelAt(const runtime::Picture& picture, int x, int y) {
    gdi::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    gdi::SelectGuard select(dc.get(), picture.bitmap.get());
    return GetPixel(dc.get(), x, y);
}

COLORREF gradient(int x, int y) { return RGB(x * 40, y * 60, 200); }

}  // namespace

TEST_CASE("24-bit pictures keep their pixels in both row orders") {
    for (bool topDown : {false, true}) {
        CAPTURE(topDown);
        const auto bytes = testing::makeBmp(5, 3, 24, topDown, gradient);
        const runtime::Picture picture = decodeBmp(bytes);
        REQUIRE(picture.bitmap);
        CHECK(picture.size.cx == 5);
        CHECK(picture.size.cy == 3);
        CHECK(pixelAt(picture, 0, 0) == gradient(0, 0));
        CHECK(pixelAt(picture, 4, 2) == gradient(4, 2));
        CHECK(pixelAt(picture, 2, 1) == gradient(2, 1));
    }
}

TEST_CASE("8-bit pictures take their colours from the palette") {
    const std::vector<RGBQUAD> palette{{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
    const auto bytes = testing::makeBmp(4, 4, 8, false, [](int x, int y) { return (x + y) % 3; }, palette);
    const runtime::Picture picture = decodeBmp(bytes);
    REQUIRE(picture.bitmap);
    CHECK(pixelAt(picture, 0, 0) == RGB(255, 0, 0));
    CHECK(pixelAt(picture, 1, 0) == RGB(0, 255, 0));
    CHECK(pixelAt(picture, 2, 0) == RGB(0, 0, 255));
    CHECK(pixelAt(picture, 3, 3) == RGB(255, 0, 0));
}

TEST_CASE("files that are not uncompressed 24- or 8-bit BMPs are refused") {
    const auto good = testing::makeBmp(4, 4, 24, false, gradient);
    auto patched = [&](std::size_t offset, auto value) {
        auto bytes = good;
        std::memcpy(bytes.data() + offset, &value, sizeof value);
        return bytes;
    };
    constexpr std::size_t info = sizeof(BITMAPFILEHEADER);
    SUBCASE("empty") { CHECK_FALSE(decodeBmp({}).bitmap); }
    SUBCASE("header only") { CHECK_FALSE(decodeBmp(ByteView(good).first(40)).bitmap); }
    SUBCASE("pixels cut short") { CHECK_FALSE(decodeBmp(ByteView(good).first(good.size() - 1)).bitmap); }
    SUBCASE("wrong signature") { CHECK_FALSE(decodeBmp(patched(0, WORD{0x5A4D})).bitmap); }
    SUBCASE("pixel offset past the end") { CHECK_FALSE(decodeBmp(patched(10, DWORD{0x7FFFFFF0})).bitmap); }
    SUBCASE("32 bits per pixel") { CHECK_FALSE(decodeBmp(patched(info + 14, WORD{32})).bitmap); }
    SUBCASE("run-length compressed") { CHECK_FALSE(decodeBmp(patched(info + 16, DWORD{BI_RLE8})).bitmap); }
    SUBCASE("zero width") { CHECK_FALSE(decodeBmp(patched(info + 4, LONG{0})).bitmap); }
    SUBCASE("absurd height") { CHECK_FALSE(decodeBmp(patched(info + 8, LONG{0x40000000})).bitmap); }
    SUBCASE("palette larger than 256") {
        const std::vector<RGBQUAD> palette(4);
        auto bytes = testing::makeBmp(4, 4, 8, false, [](int, int) { return 0; }, palette);
        const DWORD colours = 300;
        std::memcpy(bytes.data() + info + 32, &colours, sizeof colours);
        CHECK_FALSE(decodeBmp(bytes).bitmap);
    }
}

TEST_CASE("the tutorial pictures decode at their sizes") {
    struct Expected {
        const ByteSet* asset;
        LONG width, height;
    };
    for (const Expected& e : {Expected{&ImgTutorial0, 759, 398}, Expected{&ImgTutorial1, 620, 304},
                              Expected{&ImgTutorial2, 365, 511}, Expected{&ImgTutorial3, 352, 405}}) {
        const runtime::Picture picture = decodeBmp(e.asset->bytes());
        REQUIRE(picture.bitmap);
        CHECK(picture.size.cx == e.width);
        CHECK(picture.size.cy == e.height);
    }
}
