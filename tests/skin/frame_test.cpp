// Framed windows on real windows: layout of the caption strip, the painted frame,
// caption-button hover and commands, resizing regions, status bar and settings.
#include <doctest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "SkinTestWindows.h"
#include "assets/Assets.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxImage.h"
#include "graphics/GxBrush.h"
#include "skin/SkinCore.h"
#include "skin/frame/FramePainting.h"
#include "skin/frame/FramePictures.h"
#include "support/GuiObjects.h"

using namespace skin;

namespace {

SkinEngine& engine() {
    static SkinEngine object;
    static const bool started = (initSkinModule(), true);
    (void)started;
    return object;
}

const char* frameClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        wc.lpszClassName = "SkinTestFrame";
        RegisterClassA(&wc);
        return "SkinTestFrame";
    }();
    return name;
}

// A framed window, skinned right after creation as the application does it. Hidden
// unless asked: without a window manager a shown window takes seconds to destroy.
struct Framed {
    HWND hwnd;
    int index;
    Framed(int w, int h, DWORD style = WS_POPUP, int captionHeight = 40, FrameOptions options = {})
        : hwnd(CreateWindowExA(0, frameClass(), "Frame", style, 50, 50, w, h, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr)) {
        engine().skinWindow(hwnd, captionHeight, options);
        index = findSkinIndex(hwnd);
        skintest::pump();
    }
    ~Framed() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    SkinRecord& record() const { return *skinRecords.at(findSkinIndex(hwnd)); }
    COLORREF pixel(int x, int y) const { return GetPixel(record().backgroundDc.get(), x, y); }
    void paint() const { engine().paintFrame(index); }
};

bool closeTo(COLORREF a, COLORREF b, int tolerance = 3) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

COLORREF blend(COLORREF over, int alpha, COLORREF under) {
    auto mix = [alpha](int o, int u) { return (o * alpha + u * (255 - alpha)) / 255; };
    return RGB(mix(GetRValue(over), GetRValue(under)), mix(GetGValue(over), GetGValue(under)),
               mix(GetBValue(over), GetBValue(under)));
}

// A plain background of one colour, no picture.
void plainBackground(COLORREF colour, COLORREF theme = 0x00DDCA22) {
    engine().setSkinBackground("", {}, colour, theme, 3);
}

Bytes colourPicture(int w, int h, GxArgb colour) {
    GxBitmap bitmap;
    bitmap.Create(w, h);
    {
        GxGraphics g;
        g.FromImage(bitmap);
        g.Clear(colour);
    }
    return bitmap.SaveToBytes(GxFormat::Png);
}

}  // namespace

TEST_CASE("skinWindow builds the caption strip from the window style") {
    plainBackground(RGB(90, 90, 90));
    struct Row {
        DWORD style;
        int captionHeight;
        int buttons;
        int stripWidth;
    };
    const Row rows[] = {
        {WS_POPUP, 10, 1, 41},
        {WS_POPUP | WS_MINIMIZEBOX, 60, 2, 38 + 26 + 1 + 3},
        {WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 25, 3, 38 + 52 + 2 + 3},
    };
    for (const Row& row : rows) {
        Framed f(300, 200, row.style, row.captionHeight);
        SkinRecord& r = f.record();
        CAPTURE(row.stripWidth);
        CHECK(r.captionHeight == std::max(row.captionHeight, 25));
        REQUIRE(r.captionButtons.size() == static_cast<std::size_t>(row.buttons));
        CHECK(r.buttonStrip.width == row.stripWidth);
        CHECK(r.buttonStrip.x == 300 - row.stripWidth + 1);
        CHECK(r.captionButtons.back().kind == 0);
        CHECK(r.captionButtons.back().rect.width == 40.0f);
        CHECK((GetWindowLongA(f.hwnd, GWL_STYLE) & WS_SYSMENU) != 0);
    }
    SUBCASE("the close-only strip starts 40 pixels from the right") {
        Framed f(300, 200);
        CHECK(f.record().buttonStrip.x == 260);
    }
    SUBCASE("a second skinWindow leaves the window as it is") {
        Framed f(300, 200);
        const int records = skinRecords.count();
        const LONG_PTR proc = GetWindowLongPtrA(f.hwnd, GWLP_WNDPROC);
        engine().skinWindow(f.hwnd, 90, {.hasHelpButton = 1});
        CHECK(skinRecords.count() == records);
        CHECK(GetWindowLongPtrA(f.hwnd, GWLP_WNDPROC) == proc);
        CHECK(f.record().captionButtons.size() == 1);
        CHECK(f.record().captionHeight == 40);
    }
}

TEST_CASE("the painted frame") {
    const COLORREF back = RGB(40, 80, 120);
    plainBackground(back, RGB(0, 0, 255));
    SUBCASE("rounded region, magenta corners and the double outline") {
        Framed f(200, 120);
        f.paint();
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        REQUIRE(GetWindowRgn(f.hwnd, region) != ERROR);
        CHECK_FALSE(PtInRegion(region, 0, 0));
        CHECK(PtInRegion(region, 100, 60));
        DeleteObject(region);
        CHECK(f.pixel(0, 0) == RGB(255, 0, 255));
        CHECK(closeTo(f.pixel(100, 0), blend(RGB(0, 0, 0), 180, back)));
        CHECK(closeTo(f.pixel(100, 1), blend(RGB(255, 255, 255), 180, back)));
        CHECK(closeTo(f.pixel(100, 60), back));
    }
    SUBCASE("a 2 x 2 window still gets a region and a background") {
        Framed f(2, 2);
        f.paint();
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        CHECK(GetWindowRgn(f.hwnd, region) != ERROR);
        DeleteObject(region);
        CHECK(f.record().backgroundDc);
    }
    SUBCASE("a hovered caption button shows the theme colour, the close button red") {
        Framed f(200, 120, WS_POPUP | WS_MINIMIZEBOX);
        f.paint();
        SkinRecord& r = f.record();
        for (int button : {1, 2}) {
            const int x = static_cast<int>(r.captionButtons[static_cast<std::size_t>(button - 1)].rect.x) + 1;
            const int y = r.buttonStrip.y + 2;
            const COLORREF before = f.pixel(x, y);
            engine().paintCaptionButton(f.index, button, nullptr, false, 240);
            const COLORREF hovered = f.pixel(x, y);
            CAPTURE(button);
            if (button == 1) CHECK(GetBValue(hovered) > GetBValue(before) + 60);
            else CHECK(GetRValue(hovered) > GetRValue(before) + 60);
        }
    }
    SUBCASE("no GDI object growth over 1,000 full frame paints") {
        Framed f(300, 200, WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 40, {.statusBarHeight = 25});
        f.paint();
        const long before = testing::gdiObjectCount();
        for (int i = 0; i < 1000; ++i) engine().paintFrame(f.index, nullptr, i % 2 == 0);
        CHECK(testing::gdiObjectCount() <= before);
    }
}

TEST_CASE("background pictures: average colour and faded edges") {
    engine();
    const Bytes plain = colourPicture(37, 23, 0xFF336699);
    const PictureSource source{nullptr, plain};
    SUBCASE("a picture of one colour averages to exactly that colour, every time") {
        CHECK(averageColor(source) == (0xFF000000u | RGB(0x33, 0x66, 0x99)));
        CHECK(averageColor(source, 5, 1, 1) == (0xFF000000u | RGB(0x33, 0x66, 0x99)));
        const Bytes backdrop(ImgBackdrop.data(), ImgBackdrop.data() + ImgBackdrop.size());
        CHECK(averageColor({nullptr, backdrop}) == averageColor({nullptr, backdrop}));
    }
    SUBCASE("faded edges reach the colour at the border and keep the middle") {
        const Bytes faded = fadeImageEdges(source, std::nullopt, RGB(255, 0, 0), true);
        GxBitmap bitmap;
        REQUIRE(bitmap.FromBytes(faded));
        GxArgb edge = 0, middle = 0;
        bitmap.GetPixel(0, 10, edge);
        bitmap.GetPixel(18, 10, middle);
        CHECK(edge == 0xFFFF0000u);
        CHECK(middle == 0xFF336699u);
    }
}
