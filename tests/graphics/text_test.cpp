// Fonts, families, string formats and text drawing (the test bench maps 宋体 and 黑体 to
// an installed CJK font).
#include <doctest.h>

#include "GxTestSupport.h"
#include "graphics/GdiHandles.h"
#include "graphics/GxPath.h"
#include "graphics/GxRegion.h"
#include "graphics/GxText.h"

namespace {
int InkedPixels(Canvas& canvas, int width, int height) {
    int inked = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (canvas.Pixel(x, y) != 0xFFFFFFFF) ++inked;
    return inked;
}
}  // namespace

TEST_CASE("fonts by name") {
    SUBCASE("a Chinese face name reaches GDI+ as UTF-16 from the ANSI code page") {
        GxFont font;
        REQUIRE(font.CreateByName("宋体", 12, Gdiplus::FontStyleBold, Gdiplus::UnitPixel));
        CHECK(LastStatus == 0);
        CHECK(font.GetSize() == doctest::Approx(12));
        CHECK(font.GetStyle() == Gdiplus::FontStyleBold);
        CHECK(font.GetUnit() == Gdiplus::UnitPixel);
        GxFontFamily family;
        REQUIRE(font.GetFamily(family));
        CHECK_FALSE(family.GetName().empty());
        CHECK(family.GetName() == GxNarrow(family.GetNameW().c_str()));
        CHECK(family.Delete());
    }
    SUBCASE("a face that is not installed fails and leaves the font empty") {
        GxFont font;
        CHECK_FALSE(font.CreateByName("No Such Face 42", 12));
        CHECK(LastStatus != 0);
        CHECK(font.IsEmpty());
    }
    SUBCASE("a family's name comes back in the program's code page") {
        GxFontFamily family;
        REQUIRE(family.Create("文泉驿正黑"));
        const std::string name = family.GetName();
        CHECK_FALSE(name.empty());
        GxFontFamily again;
        CHECK(again.Create(name.c_str()));
        CHECK(family.Delete());
        CHECK(again.Delete());
    }
    SUBCASE("destroying a family wrapper leaves the family alive") {
        GxFontFamily kept;
        {
            GxFontFamily family;
            REQUIRE(family.Create("文泉驿正黑"));
            kept.SetNative(family.GetNative());
        }
        CHECK(kept.GetEmHeight(0) > 0);
        CHECK(kept.Delete());
    }
}

TEST_CASE("a font collection supplied from outside") {
    Gdiplus::GpFontCollection* installed = nullptr;
    REQUIRE(Gdiplus::DllExports::GdipNewInstalledFontCollection(&installed) == Gdiplus::Ok);
    GxFontCollection collection;
    collection.SetNative(installed);
    const int count = collection.GetFamilyCount();
    CHECK(count > 0);
    std::vector<GxFontFamily> families;
    REQUIRE(collection.GetFamilies(families));
    CHECK(families.size() == static_cast<std::size_t>(count));
    CHECK_FALSE(families.front().GetName().empty());
    GxFontFamily fromCollection;
    CHECK(fromCollection.Create(families.front().GetName().c_str(), &collection));
    fromCollection.Delete();

    GxFontCollection moved(std::move(collection));
    CHECK(collection.Handle() == nullptr);
    CHECK(moved.Handle() == installed);
    CHECK(moved.GetFamilyCount() == count);
}

TEST_CASE("fonts from GDI") {
    const gdi::WindowDc screen = gdi::WindowDc::client(nullptr);
    SUBCASE("the stock GUI font") {
        GxFont font;
        CHECK(font.FromStockFont());
        CHECK(font.GetSize() > 0);
    }
    SUBCASE("FromHdc with a font handle, and with the selected font") {
        LOGFONTA logfont{};
        logfont.lfHeight = -20;
        lstrcpyA(logfont.lfFaceName, "宋体");
        const gdi::UniqueFont gdiFont(CreateFontIndirectA(&logfont));
        GxFont font;
        REQUIRE(font.FromHdc(screen.get(), gdiFont.get()));
        CHECK(font.GetSize() == doctest::Approx(20).epsilon(0.1));
        const gdi::SelectGuard select(screen.get(), gdiFont.get());
        GxFont selected;
        CHECK(selected.FromHdc(screen.get()));
        CHECK(selected.GetSize() == doctest::Approx(20).epsilon(0.1));
    }
}

TEST_CASE("string formats and text drawing") {
    Canvas canvas(120, 40);
    GxFont font;
    REQUIRE(font.CreateByName("黑体", 16, 0, Gdiplus::UnitPixel));
    GxSolidBrush black;
    REQUIRE(black.Create(0xFF000000));
    GxStringFormat format;
    REQUIRE(format.Create());
    CHECK(format.SetAlignment(Gdiplus::StringAlignmentCenter));
    CHECK(format.SetLineAlignment(Gdiplus::StringAlignmentFar));
    CHECK(format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter));
    CHECK(format.GetAlignment() == Gdiplus::StringAlignmentCenter);
    CHECK(format.GetLineAlignment() == Gdiplus::StringAlignmentFar);
    CHECK(format.GetTrimming() == Gdiplus::StringTrimmingEllipsisCharacter);

    SUBCASE("a string is drawn inside its layout rectangle") {
        CHECK(canvas.graphics.DrawString("下一步", font, black, GxRectF(0, 0, 120, 40), &format));
        CHECK(InkedPixels(canvas, 120, 40) > 20);
        CHECK(InkedPixels(canvas, 120, 15) == 0);  // aligned to the bottom
    }
    SUBCASE("measuring without and with a format") {
        GxRectF one, two;
        CHECK(canvas.graphics.MeasureString("安装", font, GxRectF(0, 0, 500, 100), nullptr, one));
        CHECK(canvas.graphics.MeasureString("安装安装", font, GxRectF(0, 0, 500, 100), &format, two));
        CHECK(one.Width > 10);
        CHECK(two.Width > one.Width);
        CHECK(one.Height >= 14);
    }
    SUBCASE("text as a path") {
        GxFontFamily family;
        REQUIRE(font.GetFamily(family));
        GxPath path;
        REQUIRE(path.Create());
        CHECK(path.AddString("Velmora", family, 16, GxRectF(0, 0, 120, 40), Gdiplus::FontStyleRegular, &format));
        CHECK(path.GetPointCount() > 10);
        family.Delete();
    }
    SUBCASE("measurable character ranges give one region per range") {
        const Gdiplus::CharacterRange ranges[] = {{0, 1}, {2, 2}};
        CHECK(format.SetMeasurableCharacterRanges(ranges));
        CHECK(format.GetMeasurableCharacterRangeCount() == 2);
        std::vector<GxRegion> regions;
        CHECK(canvas.graphics.MeasureCharacterRanges("abcd", font, GxRectF(0, 0, 120, 40), &format, 2, regions));
        REQUIRE(regions.size() == 2);
        GxRectF first, second;
        regions[0].GetBounds(canvas.graphics, first);
        regions[1].GetBounds(canvas.graphics, second);
        CHECK(second.X > first.X);
    }
    SUBCASE("tab stops round trip") {
        const float stops[] = {20, 40};
        CHECK(format.SetTabStops(4, stops));
        float first = 0;
        std::vector<float> got;
        CHECK(format.GetTabStops(first, got));
        CHECK(first == 4);
        CHECK(got == std::vector<float>{20, 40});
    }
}
