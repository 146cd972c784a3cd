// Memory streams, image decoding and encoding, encoders, frames and property items.
#include <doctest.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "GxTestSupport.h"
#include "assets/Assets.h"
#include "graphics/GxMemStream.h"

namespace {
Bytes Sequence(std::size_t n) {
    Bytes bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return bytes;
}
bool StartsWith(const Bytes& bytes, const char* prefix) {
    const std::size_t n = std::strlen(prefix);
    return bytes.size() >= n && std::memcmp(bytes.data(), prefix, n) == 0;
}
const char pngSignature[] = "\x89PNG\r\n\x1a\n";
}  // namespace

static_assert(!std::is_copy_constructible_v<GxMemStream> && std::is_nothrow_move_constructible_v<GxMemStream>);
static_assert(!std::is_copy_constructible_v<GxImage> && !std::is_copy_assignable_v<GxBitmap>);
static_assert(std::is_nothrow_move_constructible_v<GxBitmap> && std::is_nothrow_move_assignable_v<GxBitmap>);

TEST_CASE("memory stream") {
    GxMemStream stream;
    const Bytes data = Sequence(1000);

    SUBCASE("ReadBytes returns exactly the bytes it was made from") {
        REQUIRE(stream.CreateFromBytes(data) != nullptr);
        CHECK(stream.GetSize() == 1000);
        CHECK(stream.ReadBytes() == data);
    }
    SUBCASE("an explicit size takes the first bytes; one past the buffer is cut to it") {
        stream.CreateFromBytes(data, 10);
        CHECK(stream.ReadBytes() == Bytes(data.begin(), data.begin() + 10));
        stream.CreateFromBytes(data, 5000);
        CHECK(stream.ReadBytes() == data);
        stream.CreateFromBytes(data, -3);
        CHECK(stream.ReadBytes().empty());
    }
    SUBCASE("a second CreateFromBytes replaces the first block and stream") {
        IStream* first = stream.CreateFromBytes(data);
        IStream* second = stream.CreateFromBytes(Sequence(3));
        CHECK(second != nullptr);
        CHECK(stream.GetStream() == second);
        CHECK(stream.ReadBytes() == Sequence(3));
        (void)first;
    }
    SUBCASE("an empty buffer gives a zero-length block that does not decode") {
        REQUIRE(stream.CreateFromBytes({}) != nullptr);
        CHECK(stream.GetSize() == 0);
        CHECK(stream.ReadBytes().empty());
        GxImage image;
        CHECK_FALSE(image.FromBytes(ByteView{}));
        CHECK(LastStatus != 0);
        CHECK(image.IsEmpty());
    }
    SUBCASE("Release empties; moving hands the stream over") {
        stream.CreateFromBytes(data);
        GxMemStream moved(std::move(stream));
        CHECK(stream.GetStream() == nullptr);
        CHECK(moved.ReadBytes() == data);
        moved.Release();
        CHECK(moved.GetStream() == nullptr);
        CHECK(moved.GetHGlobal() == nullptr);
        moved.Release();
    }
    SUBCASE("AttachStream takes over a stream, with or without a global block") {
        IStream* global = nullptr;
        REQUIRE(SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &global)));
        ULONG written = 0;
        global->Write(data.data(), 100, &written);
        CHECK(stream.AttachStream(global));
        CHECK(stream.ReadBytes() == Bytes(data.begin(), data.begin() + 100));

        IStream* plain = SHCreateMemStream(data.data(), 16);
        REQUIRE(plain != nullptr);
        HGLOBAL behind = nullptr;
        if (SUCCEEDED(GetHGlobalFromStream(plain, &behind))) {
            MESSAGE("this platform's memory stream is backed by a global block");
            plain->Release();
        } else {
            CHECK_FALSE(stream.AttachStream(plain));
            CHECK(stream.GetHGlobal() == nullptr);
            CHECK(stream.GetStream() == plain);  // still held, released with the object
        }
    }
}

TEST_CASE("images decoded from bytes") {
    SUBCASE("a PNG round trip keeps size and pixels") {
        Canvas canvas(5, 3, 0xFF204060);
        canvas.bitmap.SetPixel(4, 2, 0x80FF0000);
        canvas.graphics.Delete();
        const Bytes png = canvas.bitmap.SaveToBytes(GxFormat::Png);
        REQUIRE(StartsWith(png, pngSignature));

        GxBitmap decoded;
        REQUIRE(decoded.FromBytes(png));
        CHECK(LastStatus == 0);
        CHECK(decoded.GetWidth() == 5);
        CHECK(decoded.GetHeight() == 3);
        CHECK(decoded.GetRawFormat() == GxFormat::Png);
        GxArgb pixel = 0;
        CHECK(decoded.GetPixel(0, 0, pixel));
        CHECK(pixel == 0xFF204060);
        CHECK(decoded.GetPixel(4, 2, pixel));
        CHECK(ColorDistance(pixel, 0x80FF0000) <= 1);
    }
    SUBCASE("the image keeps its own copy of the bytes") {
        GxImage image;
        {
            Bytes transient = SolidPng(6, 6, 0xFF00FF00);
            REQUIRE(image.FromBytes(transient));
            std::memset(transient.data(), 0, transient.size());
        }
        Canvas canvas(6, 6, 0);
        CHECK(canvas.graphics.DrawImage(image, 0, 0));
        CHECK(canvas.Pixel(3, 3) == 0xFF00FF00);
    }
    SUBCASE("a moved image still draws after the source wrapper is gone") {
        GxBitmap target;
        {
            GxBitmap source;
            REQUIRE(source.FromBytes(SolidPng(4, 4, 0xFF0000FF)));
            target = std::move(source);
            CHECK(source.IsEmpty());
        }
        Canvas canvas(4, 4, 0);
        CHECK(canvas.graphics.DrawImageRect(target, 0, 0, 4, 4));
        CHECK(canvas.Pixel(1, 1) == 0xFF0000FF);
    }
    SUBCASE("a second load replaces the first image; a failed load leaves the wrapper empty") {
        GxBitmap bitmap;
        REQUIRE(bitmap.FromBytes(SolidPng(2, 2, 0xFFFFFFFF)));
        REQUIRE(bitmap.FromBytes(SolidPng(7, 9, 0xFFFFFFFF)));
        CHECK(bitmap.GetWidth() == 7);
        const Bytes junk = Sequence(64);
        CHECK_FALSE(bitmap.FromBytes(junk));
        CHECK(LastStatus != 0);
        CHECK(bitmap.IsEmpty());
        CHECK(bitmap.GetWidth() == 0);
    }
    SUBCASE("Dispose twice: the second returns false without a call") {
        GxImage image;
        REQUIRE(image.FromBytes(SolidPng(2, 2, 0xFF000000)));
        CHECK(image.Dispose());
        LastStatus = 1234;
        CHECK_FALSE(image.Dispose());
        CHECK(LastStatus == 1234);
    }
}

TEST_CASE("every embedded picture decodes to its listed size") {
    struct Picture {
        const char* name;
        const ByteSet& bytes;
        int width, height;
        const char* format;
    };
    const Picture pictures[] = {
        {"ImgTutorial0", ImgTutorial0, 759, 398, GxFormat::Bmp},
        {"ImgTutorial1", ImgTutorial1, 620, 304, GxFormat::Bmp},
        {"ImgTutorial2", ImgTutorial2, 365, 511, GxFormat::Bmp},
        {"ImgTutorial3", ImgTutorial3, 352, 405, GxFormat::Bmp},
        {"ImgBackdrop", ImgBackdrop, 400, 300, GxFormat::Jpeg},
        {"ImgAnimation", ImgAnimation, 208, 240, GxFormat::Gif},
        {"DialogCloseGlyph", DialogCloseGlyph, 38, 18, GxFormat::Png},
        {"CheckOffGlyph", CheckOffGlyph, 13, 13, GxFormat::Png},
        {"CheckOnGlyph", CheckOnGlyph, 13, 13, GxFormat::Png},
        {"ArrowDownGlyph", ArrowDownGlyph, 7, 4, GxFormat::Png},
        {"ArrowUpGlyph", ArrowUpGlyph, 7, 4, GxFormat::Png},
        {"ArrowLeftGlyph", ArrowLeftGlyph, 4, 7, GxFormat::Png},
        {"ArrowRightGlyph", ArrowRightGlyph, 4, 7, GxFormat::Png},
        {"CaptionHelpGlyph", CaptionHelpGlyph, 26, 18, GxFormat::Png},
        {"CaptionMenuGlyph", CaptionMenuGlyph, 26, 18, GxFormat::Png},
        {"CaptionMinimizeGlyph", CaptionMinimizeGlyph, 26, 18, GxFormat::Png},
        {"CaptionMaximizeGlyph", CaptionMaximizeGlyph, 26, 18, GxFormat::Png},
        {"CaptionRestoreGlyph", CaptionRestoreGlyph, 26, 18, GxFormat::Png},
        {"CaptionCloseGlyph", CaptionCloseGlyph, 38, 18, GxFormat::Png},
    };
    for (const Picture& picture : pictures) {
        CAPTURE(picture.name);
        GxBitmap bitmap;
        REQUIRE(bitmap.FromBytes(picture.bytes.bytes()));
        CHECK(bitmap.GetWidth() == picture.width);
        CHECK(bitmap.GetHeight() == picture.height);
        CHECK(bitmap.GetRawFormat() == picture.format);
        GxRectF bounds;
        Gdiplus::Unit unit{};
        CHECK(bitmap.GetBounds(bounds, unit));
        CHECK(bounds.Width == doctest::Approx(picture.width));
    }
    SUBCASE("the check box border is translucent, its inside opaque") {
        GxBitmap check;
        REQUIRE(check.FromBytes(CheckOffGlyph.bytes()));
        GxArgb border = 0, inside = 0;
        CHECK(check.GetPixel(0, 6, border));
        CHECK(check.GetPixel(6, 6, inside));
        CHECK((border >> 24) == 230);
        CHECK((inside >> 24) == 255);
    }
    SUBCASE("the animation: 5 frames in time, delays 10,10,10,10,20, frame 5 does not exist") {
        GxImage animation;
        REQUIRE(animation.FromBytes(ImgAnimation));
        std::vector<std::string> dimensions;
        CHECK(animation.GetFrameDimensions(dimensions) == 1);
        CHECK(dimensions == std::vector<std::string>{GxFormat::FrameTime});
        CHECK(animation.GetFrameCount(GxFormat::FrameTime) == 5);
        std::vector<std::int32_t> delays;
        CHECK(animation.GetFrameDelays(delays));
        CHECK(delays == std::vector<std::int32_t>{10, 10, 10, 10, 20});
        GxPropertyRecord record;
        CHECK(animation.GetPropertyItem(GxFrameDelayProperty, record));
        CHECK(record.id == 0x5100);
        CHECK(record.length == 20);
        CHECK(record.type == 4);
        CHECK(animation.SelectActiveFrame(GxFormat::FrameTime, 4));
        CHECK_FALSE(animation.SelectActiveFrame(GxFormat::FrameTime, 5));
        Canvas canvas(110, 140, 0);
        CHECK(canvas.graphics.DrawImageRect(animation, 0, 0, 110, 140));
    }
}

TEST_CASE("frames and properties of a generated animation") {
    GxImage gif;
    REQUIRE(gif.FromBytes(AnimatedGif({3, 7, 250})));
    CHECK(gif.GetFrameCount(GxFormat::FrameTime) == 3);
    std::vector<std::int32_t> delays{99};
    CHECK(gif.GetFrameDelays(delays));
    CHECK(delays == std::vector<std::int32_t>{3, 7, 250});

    Canvas canvas(1, 1, 0xFFFFFFFF);
    CHECK(gif.SelectActiveFrame(GxFormat::FrameTime, 1));
    canvas.graphics.DrawImage(gif, 0, 0);
    CHECK(canvas.Pixel(0, 0) == 0xFFFF0000);
    CHECK_FALSE(gif.SelectActiveFrame(GxFormat::FrameTime, 3));
    if (!KnownDifference("frame dimension checked")) CHECK_FALSE(gif.SelectActiveFrame(GxFormat::FramePage, 1));

    std::vector<std::int32_t> ids;
    CHECK(gif.GetPropertyIdList(ids));
    CHECK(std::find(ids.begin(), ids.end(), 0x5100) != ids.end());

    SUBCASE("a picture without the delay property leaves the array alone") {
        GxImage png;
        REQUIRE(png.FromBytes(SolidPng(2, 2, 0xFF000000)));
        std::vector<std::int32_t> untouched{1, 2};
        CHECK_FALSE(png.GetFrameDelays(untouched));
        CHECK(untouched == std::vector<std::int32_t>{1, 2});
        GxPropertyRecord record{7, 8, 9, {}};
        CHECK_FALSE(png.GetPropertyItem(0x5100, record));
        CHECK(record.id == 7);
        CHECK(png.GetFrameCount(GxFormat::FrameTime) <= 1);
    }
}

TEST_CASE("encoders and saving") {
    std::vector<GxCodecInfo> codecs;
    const int n = ListEncoders(codecs);
    CHECK(n >= 5);
    CHECK(codecs.size() == static_cast<std::size_t>(n));
    bool havePng = false;
    for (const GxCodecInfo& codec : codecs) {
        CHECK(codec.clsid.size() == 38);
        if (codec.formatId == GxFormat::Png) {
            havePng = true;
            CHECK(codec.mimeType == "image/png");
            CHECK(codec.sigPattern.size() == static_cast<std::size_t>(codec.sigCount * codec.sigSize));
        }
    }
    CHECK(havePng);

    SUBCASE("FindEncoder compares the format text exactly") {
        const std::string png = FindEncoder(GxFormat::Png);
        CHECK(png.size() == 38);
        CHECK(png.front() == '{');
        CHECK(FindEncoder("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}").empty());
        CHECK(FindEncoder("").empty());
        CHECK(FindEncoder(nullptr).empty());
    }
    SUBCASE("SaveToBytes: own format by default, BMP on request, nothing for a memory bitmap") {
        GxBitmap decoded;
        REQUIRE(decoded.FromBytes(SolidPng(3, 3, 0xFF112233)));
        CHECK(StartsWith(decoded.SaveToBytes(), pngSignature));
        const Bytes bmp = decoded.SaveToBytes(GxFormat::Bmp);
        CHECK(StartsWith(bmp, "BM"));

        GxBitmap memory;
        REQUIRE(memory.Create(3, 3));
        CHECK(memory.GetRawFormat() == GxFormat::MemoryBmp);
        CHECK(memory.SaveToBytes().empty());
        CHECK(LastStatus != 0);
        CHECK(StartsWith(memory.SaveToBytes(GxFormat::Png), pngSignature));
        CHECK(memory.SaveToBytes("{00000000-0000-0000-0000-000000000000}").empty());
    }
    SUBCASE("SaveToFile writes BMP unless told otherwise") {
        GxBitmap decoded;
        REQUIRE(decoded.FromBytes(SolidPng(3, 2, 0xFF445566)));
        const char* path = "gx_save_test.img";
        REQUIRE(decoded.SaveToFile(path));
        GxBitmap reread;
        REQUIRE(reread.FromFile(path));
        CHECK(reread.GetRawFormat() == GxFormat::Bmp);
        CHECK(reread.GetWidth() == 3);
        reread.Dispose();  // GDI+ keeps the file open while the image lives
        REQUIRE(decoded.SaveToFile(path, GxFormat::Png));
        reread.Dispose();
        REQUIRE(reread.FromFile(path));
        CHECK(reread.GetRawFormat() == GxFormat::Png);
        reread.Dispose();
        DeleteFileA(path);
        CHECK_FALSE(decoded.SaveToFile(path, "{12345678-0000-0000-0000-000000000000}"));
        CHECK(GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES);
    }
    SUBCASE("encoder parameters: a quality for JPEG") {
        GxBitmap photo;
        REQUIRE(photo.FromBytes(ImgBackdrop.bytes()));
        std::int32_t quality = 10;
        GxEncoderParameterList list{1, {{GxFormat::EncoderQuality, 1, 4, Bytes(4)}}};
        std::memcpy(list.parameters[0].values.data(), &quality, 4);
        const Bytes low = photo.SaveToBytes(GxFormat::Jpeg, &list);
        quality = 95;
        std::memcpy(list.parameters[0].values.data(), &quality, 4);
        const Bytes high = photo.SaveToBytes(GxFormat::Jpeg, &list);
        CHECK(StartsWith(low, "\xFF\xD8"));
        CHECK(StartsWith(high, "\xFF\xD8"));
        if (!KnownDifference("JPEG quality")) CHECK(low.size() < high.size());

        // Value bytes shorter than the values they announce are refused before GDI+ reads them.
        GxEncoderParameterList shortList{1, {{GxFormat::EncoderQuality, 4, 4, Bytes(4)}}};
        CHECK(photo.SaveToBytes(GxFormat::Jpeg, &shortList).empty());
        CHECK(LastStatus == Gdiplus::InvalidParameter);
    }
}

TEST_CASE("bitmaps: creation, pixels, GDI handles, rotation") {
    SUBCASE("Create defaults to 32-bit ARGB, all pixels transparent black") {
        GxBitmap bitmap;
        REQUIRE(bitmap.Create(8, 5));
        CHECK(bitmap.GetPixelFormat() == 0x0026200A);
        GxArgb pixel = 1;
        CHECK(bitmap.GetPixel(7, 4, pixel));
        CHECK(pixel == 0);
    }
    SUBCASE("GetPixel outside the bitmap fails") {
        GxBitmap bitmap;
        REQUIRE(bitmap.Create(8, 5));
        GxArgb pixel = 0x12345678;
        CHECK_FALSE(bitmap.GetPixel(8, 0, pixel));
        CHECK(LastStatus != 0);
        CHECK(pixel == 0x12345678);
        CHECK_FALSE(bitmap.GetPixel(0, -1, pixel));
    }
    SUBCASE("ToHbitmap: an empty object gives 0; a bitmap gives a GDI bitmap of its size") {
        GxBitmap empty;
        CHECK(empty.ToHbitmap(0) == nullptr);
        CHECK(LastStatus != 0);

        GxBitmap bitmap;
        REQUIRE(bitmap.FromBytes(SolidPng(9, 4, 0xFF336699)));
        HBITMAP gdi = bitmap.ToHbitmap(0);
        REQUIRE(gdi != nullptr);
        BITMAP info{};
        GetObjectA(gdi, sizeof info, &info);
        CHECK(info.bmWidth == 9);
        CHECK(info.bmHeight == 4);

        GxBitmap back;
        CHECK(back.FromHbitmap(gdi));
        CHECK(back.GetWidth() == 9);
        DeleteObject(gdi);
    }
    SUBCASE("icons both ways") {
        GxBitmap bitmap;
        REQUIRE(bitmap.FromBytes(SolidPng(16, 16, 0xFFFF8000)));
        HICON icon = bitmap.ToHicon();
        REQUIRE(icon != nullptr);
        GxBitmap fromIcon;
        CHECK(fromIcon.FromHicon(icon));
        CHECK(fromIcon.GetWidth() == 16);
        DestroyIcon(icon);
    }
    SUBCASE("RotatedSize and RotateToBitmap") {
        const GxSizeF same = GxBitmap::RotatedSize(40, 20, 0);
        CHECK(same.Width == doctest::Approx(39));
        CHECK(same.Height == doctest::Approx(19));
        const GxSizeF quarter = GxBitmap::RotatedSize(40, 20, 90);
        CHECK(quarter.Width == doctest::Approx(19).epsilon(0.001));
        CHECK(quarter.Height == doctest::Approx(39).epsilon(0.001));
        const GxSizeF diagonal = GxBitmap::RotatedSize(11, 11, 45);
        CHECK(diagonal.Width == doctest::Approx(14.142).epsilon(0.001));

        GxBitmap source;
        REQUIRE(source.FromBytes(SolidPng(40, 20, 0xFF0000FF)));
        GxBitmap result;
        REQUIRE(source.RotateToBitmap(90, result, 0xFFFFFFFF));
        CHECK(result.GetWidth() == static_cast<int>(quarter.Width));
        CHECK(result.GetHeight() == static_cast<int>(quarter.Height));
        GxArgb centre = 0;
        CHECK(result.GetPixel(9, 19, centre));
        CHECK(centre == 0xFF0000FF);
        GxBitmap sized;
        REQUIRE(source.RotateToBitmap(45, sized, std::nullopt, Gdiplus::InterpolationModeBilinear, GxSizeF(64, 48)));
        CHECK(sized.GetWidth() == 64);
        CHECK(sized.GetHeight() == 48);
    }
    SUBCASE("an effect without a native effect is refused") {
        struct NoEffect : GxEffect {
            Gdiplus::CGpEffect* NativeEffect() override { return nullptr; }
        } effect;
        GxBitmap bitmap;
        REQUIRE(bitmap.Create(4, 4));
        CHECK_FALSE(bitmap.ApplyEffect(effect));
        CHECK(LastStatus != 0);
    }
    SUBCASE("area clones, lock and unlock") {
        GxBitmap bitmap;
        REQUIRE(bitmap.Create(10, 10));
        bitmap.SetPixel(6, 7, 0xFF010203);
        GxBitmap area;
        REQUIRE(bitmap.CloneAreaI(5, 5, 3, 3, PixelFormat32bppARGB, area));
        GxArgb pixel = 0;
        CHECK(area.GetPixel(1, 2, pixel));
        CHECK(pixel == 0xFF010203);
        Gdiplus::BitmapData data{};
        const GxRect rect(0, 0, 10, 10);
        REQUIRE(bitmap.LockBits(&rect, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, data));
        const auto* row = static_cast<const std::uint32_t*>(data.Scan0) + 7 * (data.Stride / 4);
        CHECK(row[6] == 0xFF010203);
        CHECK(bitmap.UnlockBits(data));
    }
}
