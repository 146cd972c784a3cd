// Backdrops cut from a skinned window's background, with container tints, and their
// release.
#include <doctest.h>
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <tuple>

#include "SkinTestWindows.h"
#include "support/GuiObjects.h"
#include "skin/Backdrop.h"
#include "skin/SkinCore.h"

using namespace skin;
using skintest::blend;
using skintest::closeColour;
using skintest::makeChild;
using skintest::makeTopWindow;
using skintest::positionColour;

namespace {

void startSkinModule() {
    static const bool started = (initSkinModule(), true);
    (void)started;
}

// A skinned 300 x 200 window whose background shows positions.
struct SkinnedWindow {
    HWND top = makeTopWindow(100, 100, 300, 200);
    int index = skintest::skinTestWindow(top);
    SkinRecord& record = *skinRecords.at(index);
    SkinnedWindow() {
        startSkinModule();
        skintest::paintPositionPattern(record, 300, 200);
    }
    ~SkinnedWindow() { DestroyWindow(top); }

    int addContainer(HWND hwnd, COLORREF tint, int alpha, int paintsBackground = 1, int groupBox = 0) {
        const int i = record.containers.takeEntry();
        ContainerSkin& c = *record.containers.at(i);
        c.hwnd = hwnd;
        c.tintColor = tint;
        c.tintAlpha = alpha;
        c.paintsBackground = paintsBackground;
        c.isGroupBox = groupBox;
        return i;
    }
};

}  // namespace

TEST_CASE("a control takes the window background of its own position") {
    SkinnedWindow w;
    HWND panel = makeChild(w.top, 50, 40, 200, 100);
    HWND control = makeChild(panel, 10, 10, 40, 20);
    const std::size_t live = backdropList.size();

    SUBCASE("two levels below the window, with no container in between") {
        HDC dc = makeBackdrop(control, RECT{0, 0, 40, 20});
        REQUIRE(dc != nullptr);
        CHECK(backdropList.size() == live + 1);
        CHECK(GetPixel(dc, 0, 0) == positionColour(60, 50));
        CHECK(GetPixel(dc, 39, 19) == positionColour(99, 69));
        CHECK(freeBackdrop(dc));
    }
    SUBCASE("an area inside the control") {
        HDC dc = makeBackdrop(control, RECT{5, 3, 15, 13});
        CHECK(GetPixel(dc, 0, 0) == positionColour(65, 53));
        freeBackdrop(dc);
    }
    SUBCASE("the skinned window itself") {
        HDC dc = makeBackdrop(w.top, RECT{0, 0, 300, 200});
        CHECK(GetPixel(dc, 123, 45) == positionColour(123, 45));
        freeBackdrop(dc);
    }
    CHECK(backdropList.size() == live);
}

TEST_CASE("a control inside a tinted container gets the tint over the background") {
    SkinnedWindow w;
    HWND box = makeChild(w.top, 50, 40, 200, 100);
    HWND inner = makeChild(box, 20, 30, 40, 20);
    HWND deeper = makeChild(inner, 5, 5, 10, 10);
    w.addContainer(box, RGB(0, 0, 255), 128);

    SUBCASE("direct child of the container") {
        HDC dc = makeBackdrop(inner, RECT{0, 0, 40, 20});
        REQUIRE(dc != nullptr);
        CHECK(closeColour(GetPixel(dc, 0, 0), blend(RGB(0, 0, 255), 128, positionColour(70, 70))));
        CHECK(closeColour(GetPixel(dc, 39, 0), blend(RGB(0, 0, 255), 128, positionColour(109, 70))));
        ScopedBackdrop plain(makeBackdrop(inner, RECT{0, 0, 40, 20}, Tinting::later));
        CHECK(GetPixel(plain.get(), 0, 0) == positionColour(70, 70));
        tintBackdrop(inner, plain.get(), RECT{0, 0, 40, 20});
        CHECK(GetPixel(plain.get(), 39, 0) == GetPixel(dc, 39, 0));
        freeBackdrop(dc);
    }
    SUBCASE("inside a shared backdrop's area a backdrop is cut from it; beyond it, it is composed") {
        auto share = std::make_unique<BackdropShare>(inner, RECT{0, 0, 40, 20});
        w.record.containers.at(1)->tintColor = RGB(255, 0, 0);  // seen in composed backdrops only
        for (const auto& [control, area, tint] : {std::tuple{inner, RECT{5, 5, 15, 13}, RGB(0, 0, 255)},
                                                  std::tuple{inner, RECT{5, 5, 45, 13}, RGB(255, 0, 0)},
                                                  std::tuple{deeper, RECT{0, 0, 5, 5}, RGB(255, 0, 0)}}) {
            ScopedBackdrop dc(makeBackdrop(control, area));
            CHECK(closeColour(GetPixel(dc.get(), 0, 0), blend(tint, 128, positionColour(75, 75))));
        }
        share.reset();
        ScopedBackdrop after(makeBackdrop(inner, RECT{5, 5, 15, 13}));
        CHECK(closeColour(GetPixel(after.get(), 0, 0), blend(RGB(255, 0, 0), 128, positionColour(75, 75))));
    }
    SUBCASE("two levels inside the container") {
        HDC dc = makeBackdrop(deeper, RECT{0, 0, 10, 10});
        CHECK(closeColour(GetPixel(dc, 0, 0), blend(RGB(0, 0, 255), 128, positionColour(75, 75))));
        freeBackdrop(dc);
    }
    SUBCASE("the container itself, as a group box, keeps its caption rows clear") {
        w.record.containers.at(1)->isGroupBox = 1;
        HDC dc = makeBackdrop(box, RECT{0, 0, 200, 100});
        CHECK(GetPixel(dc, 100, 2) == positionColour(150, 42));
        CHECK(closeColour(GetPixel(dc, 100, 50), blend(RGB(0, 0, 255), 128, positionColour(150, 90))));
        freeBackdrop(dc);
    }
    SUBCASE("a container without a tint colour adds nothing") {
        w.record.containers.at(1)->tintColor = 0;
        HDC dc = makeBackdrop(inner, RECT{0, 0, 40, 20});
        CHECK(GetPixel(dc, 0, 0) == positionColour(70, 70));
        freeBackdrop(dc);
    }
}

TEST_CASE("a window that keeps its own background stands for the window's") {
    SkinnedWindow w;
    HWND panel = makeChild(w.top, 30, 20, 200, 150);
    HWND control = makeChild(panel, 15, 25, 40, 20);
    gdi::BitmapDc picture;
    {
        SkinRecord scratch;
        skintest::paintPositionPattern(scratch, 200, 150);
        picture = std::move(scratch.backgroundDc);
    }
    // The panel's own picture: the position pattern shifted, so its copies differ from the window's.
    PatBlt(picture.get(), 0, 0, 200, 150, DSTINVERT);
    setProp(panel, prop::keepsBackground, 1);
    setPropHandle(panel, prop::backgroundDc, picture.get());
    const COLORREF inverted = GetPixel(picture.get(), 15, 25);

    HDC dc = makeBackdrop(control, RECT{0, 0, 40, 20});
    REQUIRE(dc != nullptr);
    CHECK(GetPixel(dc, 0, 0) == inverted);
    freeBackdrop(dc);

    SUBCASE("the panel itself takes the window's background") {
        HDC self = makeBackdrop(panel, RECT{0, 0, 200, 150});
        CHECK(GetPixel(self, 0, 0) == positionColour(30, 20));
        freeBackdrop(self);
    }
    SUBCASE("a tinting container between the control and the panel") {
        HWND box = makeChild(panel, 100, 50, 80, 80);
        HWND boxed = makeChild(box, 10, 10, 20, 20);
        w.addContainer(box, RGB(255, 0, 0), 255);
        setPropHandle(box, prop::backgroundOwner, panel);
        HDC tinted = makeBackdrop(boxed, RECT{0, 0, 20, 20});
        CHECK(closeColour(GetPixel(tinted, 3, 3), RGB(255, 0, 0)));
        freeBackdrop(tinted);
    }
    setProp(panel, prop::keepsBackground, 0);
}

TEST_CASE("backdrops are released once and nothing leaks") {
    startSkinModule();
    const std::size_t live = backdropList.size();

    SUBCASE("no skinned window behind the control: no backdrop and nothing kept") {
        HWND plain = makeTopWindow(0, 0, 100, 100);
        HWND child = makeChild(plain, 0, 0, 10, 10);
        CHECK(makeBackdrop(child, RECT{0, 0, 10, 10}) == nullptr);
        CHECK(backdropList.size() == live);
        DestroyWindow(plain);
    }
    SUBCASE("freeing the same backdrop twice") {
        SkinnedWindow w;
        HDC dc = makeBackdrop(w.top, RECT{0, 0, 72, 24});
        HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
        CHECK(freeBackdrop(dc));
        CHECK(GetObjectType(dc) == 0);
        CHECK(GetObjectType(bitmap) == 0);
        CHECK_FALSE(freeBackdrop(dc));
        CHECK_FALSE(freeBackdrop(nullptr));
        HDC foreign = CreateCompatibleDC(nullptr);
        CHECK_FALSE(freeBackdrop(foreign));
        CHECK(GetObjectType(foreign) == OBJ_MEMDC);
        DeleteDC(foreign);
    }
    SUBCASE("1,000 make and free cycles leave no GDI object behind") {
        SkinnedWindow w;
        HWND control = makeChild(w.top, 10, 10, 72, 24);
        const long before = testing::gdiObjectCount();
        int released = 0;
        for (int i = 0; i < 1000; ++i) {
            HDC dc = makeBackdrop(control, RECT{0, 0, 72, 24});
            HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
            freeBackdrop(dc);
            if (GetObjectType(dc) == 0 && GetObjectType(bitmap) == 0) ++released;
        }
        CHECK(released == 1000);
        CHECK(testing::gdiObjectCount() == before);
        CHECK(before > 0);
    }
    CHECK(backdropList.size() == live);
}

TEST_CASE("veiled backdrops and their bitmaps") {
    SkinnedWindow w;
    HWND framed = makeChild(w.top, 40, 30, 100, 60, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER);
    veilAlpha = 160;
    const std::size_t live = backdropList.size();

    SUBCASE("veiledBackdrop veils the client area only") {
        HDC dc = veiledBackdrop(framed);
        REQUIRE(dc != nullptr);
        CHECK(GetPixel(dc, 0, 0) == positionColour(40, 30));  // the border
        CHECK(closeColour(GetPixel(dc, 10, 10), blend(RGB(255, 255, 255), 160, positionColour(50, 40))));
        freeBackdrop(dc);
    }
    SUBCASE("veiledBackdropBitmap is a bitmap of the client area the caller owns") {
        HBITMAP bitmap = veiledBackdropBitmap(framed);
        REQUIRE(bitmap != nullptr);
        CHECK(backdropList.size() == live);
        BITMAP info{};
        GetObjectA(bitmap, sizeof(info), &info);
        CHECK(info.bmWidth == 98);
        CHECK(info.bmHeight == 58);
        gdi::BitmapDc reader;
        reader.select(bitmap);  // now owned by the reader
        CHECK(closeColour(GetPixel(reader.get(), 0, 0), blend(RGB(255, 255, 255), 160, positionColour(41, 31))));
    }
    SUBCASE("dcToBitmap copies and frees the backdrop") {
        HDC dc = makeBackdrop(framed, RECT{0, 0, 20, 10});
        HBITMAP bitmap = dcToBitmap(dc, 20, 10);
        CHECK_FALSE(freeBackdrop(dc));
        gdi::BitmapDc reader;
        reader.select(bitmap);
        CHECK(GetPixel(reader.get(), 19, 9) == positionColour(59, 39));
    }
    CHECK(backdropList.size() == live);
}
