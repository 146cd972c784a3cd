// Framed windows on real windows: layout of the caption strip, the painted frame,
// caption-button hover and commands, resizing regions, status bar and settings.
#include <doctest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "SkinTestWindows.h"
#include "assets/Assets.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxImage.h"
#include "graphics/GxBrush.h"
#include "skin/SkinCore.h"
#include "skin/frame/FramePainting.h"
#include "skin/frame/FramePictures.h"
#include "support/GuiObjects.h"
#include "support/RealInput.h"

using namespace skin;
using skintest::blend;
using skintest::closeColour;
namespace input = testing::input;

namespace {

SkinEngine& engine() {
    static SkinEngine object;
    static const bool started = (initSkinModule(), true);
    (void)started;
    return object;
}

const char* frameClass() {
    static const char* name = skintest::registerWindowClass("SkinTestFrame", DefWindowProcA, CS_DBLCLKS);
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
    SUBCASE("rounded region, no key colour inside it, and the double outline") {
        Framed f(200, 120);
        f.paint();
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        REQUIRE(GetWindowRgn(f.hwnd, region) != ERROR);
        CHECK_FALSE(PtInRegion(region, 0, 0));
        CHECK(PtInRegion(region, 100, 60));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                if (PtInRegion(region, x, y)) CHECK(f.pixel(x, y) != RGB(255, 0, 255));
        DeleteObject(region);
        CHECK(closeColour(f.pixel(100, 0), blend(RGB(0, 0, 0), 180, back)));
        CHECK(closeColour(f.pixel(100, 1), blend(RGB(255, 255, 255), 180, back)));
        CHECK(closeColour(f.pixel(100, 60), back));
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
    SUBCASE("the maximise button pressed while maximised shows the restore glyph") {
        Framed f(200, 120, WS_POPUP | WS_MAXIMIZEBOX);
        f.paint();
        SkinRecord& r = f.record();
        const FloatRect& box = r.captionButtons[0].rect;
        auto glyphSum = [&] {
            long total = 0;
            for (int y = 0; y < 18; ++y)
                for (int x = 0; x < 24; ++x)
                    total += f.pixel(static_cast<int>(box.x) + x, static_cast<int>(box.y) + y) & 0xFFFFFF;
            return total;
        };
        for (const bool pressed : {true, false}) {  // a fade step's kept face follows the glyph too
            CAPTURE(pressed);
            engine().paintCaptionButton(f.index, 1, nullptr, pressed, 240);
            const long maximiseGlyph = glyphSum();
            r.maximized = 1;
            engine().paintCaptionButton(f.index, 1, nullptr, pressed, 240);
            CHECK(glyphSum() != maximiseGlyph);
            r.maximized = 0;
            engine().paintCaptionButton(f.index, 1, nullptr, pressed, 240);
            CHECK(glyphSum() == maximiseGlyph);
        }
    }
    SUBCASE("text changes and fade steps restore and put on the screen exactly what they draw") {
        Framed f(300, 120, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
        const gdi::WindowDc window = gdi::WindowDc::client(f.hwnd);
        auto band = [&](HDC dc) {  // the caption band inside the rounded corners
            std::vector<COLORREF> pixels;
            for (int y = 3; y < 40; ++y)
                for (int x = 3; x < 297; ++x) pixels.push_back(GetPixel(dc, x, y));
            return pixels;
        };
        auto repeated = [&](const std::function<void()>& change) {
            change();
            const std::vector<COLORREF> once = band(f.record().backgroundDc.get());
            for (int i = 0; i < 3; ++i) change();
            CHECK(band(f.record().backgroundDc.get()) == once);  // no layer piles up
            CHECK(band(window.get()) == once);                   // and the screen has all of it
        };
        repeated([&] { SetWindowTextA(f.hwnd, "A long caption that runs on under the buttons"); });
        for (int button : {1, 2, 3}) {
            CAPTURE(button);
            repeated([&] { engine().paintCaptionButton(f.index, button, nullptr, false, 120); });
        }
        // After the window's picture changed, steps show the new one behind the buttons, as in
        // a window that never showed the old picture.
        Framed fresh(300, 120, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
        const Bytes picture = colourPicture(300, 120, 0xFF2080C0);
        for (const Framed* framed : {&f, &fresh}) {
            SetWindowTextA(framed->hwnd, "A long caption that runs on under the buttons");
            engine().setWindowBackground(framed->hwnd, picture, 3);
            engine().paintFrame(framed->index);
            for (int button : {1, 2, 3}) engine().paintCaptionButton(framed->index, button, nullptr, false, 120);
        }
        CHECK(band(f.record().backgroundDc.get()) == band(fresh.record().backgroundDc.get()));
    }
    SUBCASE("the first paint, a resize and SW_SHOWNA leave another window active") {
        const HWND other = skintest::makeTopWindow(700, 700, 50, 50);
        SetActiveWindow(other);
        Framed f(200, 120);
        ShowWindow(f.hwnd, SW_SHOWNA);
        skintest::pump();
        SetWindowPos(f.hwnd, nullptr, 0, 0, 220, 130, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        skintest::pump();
        CHECK(GetActiveWindow() == other);
        DestroyWindow(other);
    }
    SUBCASE("no GDI object growth over 1,000 full frame paints") {
        Framed f(120, 90, WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 40, {.statusBarHeight = 25});
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

TEST_CASE("caption buttons, dragging and closing under a real pointer") {
    plainBackground(RGB(90, 90, 90));
    const DWORD style = WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    Framed f(300, 200, style);
    SkinRecord& r = f.record();
    auto centreOf = [](const Framed& window, int button) {
        const FloatRect& b = window.record().captionButtons[static_cast<std::size_t>(button - 1)].rect;
        return input::onScreen(window.hwnd, static_cast<int>(b.x + b.width / 2), static_cast<int>(b.y + 9));
    };
    auto centre = [&](int button) { return centreOf(f, button); };
    input::moveTo({1200, 1000});
    SUBCASE("moving from one button to the next fades the first out and the second in, in the same ticks") {
        input::moveTo(centre(1));
        CHECK(r.fadeTimerOn == 1);
        REQUIRE(input::waitFor([&] { return r.fadeIn.buttonIndex == 1 && r.fadeIn.step >= 3; }));
        input::moveTo(centre(2));
        CHECK(r.hotButton == 2);
        bool together = true;
        CHECK(input::waitFor([&] {
            together = together && r.fadeIn.step == r.fadeOut.step;
            return r.fadeIn.buttonIndex == 2 && r.fadeOut.buttonIndex == 1 && r.fadeOut.step == 8;
        }));
        CHECK(together);
        input::moveTo({1200, 1000});  // leaving fades the second out, and the timer stops
        CHECK(input::waitFor([&] { return r.fadeTimerOn == 0 && r.fadeOut.buttonIndex == 0; }));
    }
    SUBCASE("only a press and release on the same button is a click") {
        input::moveTo(centre(3));
        input::mouse({{centre(3), MOUSEEVENTF_LEFTUP}});  // an up without its down
        input::press(centre(3));
        input::release(centre(2));  // released over another button
        input::press(centre(2));
        input::release(centre(2));  // maximise, then restore through the same button below
        CHECK(r.maximized == 1);
        input::click(centre(2));
        CHECK(r.maximized == 0);
        input::moveTo(centre(3));
        input::mouse({{centre(3), MOUSEEVENTF_LEFTUP}});  // the command did not stay armed
        REQUIRE(IsWindow(f.hwnd));
        input::click(centre(3));
        CHECK_FALSE(IsWindow(f.hwnd));
    }
    SUBCASE("with a second framed window, a press on one's button and a release on the other's is no click") {
        Framed g(300, 200, style);
        SetWindowPos(g.hwnd, nullptr, 400, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const POINT otherClose = centreOf(g, 3);
        input::press(centre(3));
        input::release(otherClose);
        input::moveTo(centre(3));
        input::mouse({{centre(3), MOUSEEVENTF_LEFTUP}});  // the press left with the pointer
        CHECK(IsWindow(f.hwnd));
        CHECK(IsWindow(g.hwnd));
        input::click(otherClose);
        CHECK_FALSE(IsWindow(g.hwnd));
    }
    SUBCASE("a drag by the caption or the client area moves the window by the pointer's travel") {
        for (const POINT grab : {POINT{100, 20}, POINT{150, 150}}) {
            RECT before{}, after{};
            GetWindowRect(f.hwnd, &before);
            const POINT from = input::onScreen(f.hwnd, grab.x, grab.y);
            input::drag(from, {from.x + 40, from.y + 30});
            GetWindowRect(f.hwnd, &after);
            CHECK(after.left - before.left == 40);
            CHECK(after.top - before.top == 30);
        }
    }
}

TEST_CASE("a double click down to the caption's last row toggles maximise to the monitor's work area") {
    plainBackground(RGB(90, 90, 90));
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    for (const RECT taskbarLeft : {work, RECT{60, 0, screen.right, screen.bottom}}) {
        SystemParametersInfoA(SPI_SETWORKAREA, 0, const_cast<RECT*>(&taskbarLeft), 0);
        MONITORINFO monitor{sizeof(monitor)};
        GetMonitorInfoA(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
        Framed f(300, 200, WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 40);
        SendMessageA(f.hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 41));
        CHECK(f.record().maximized == 0);
        SendMessageA(f.hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 40));
        CHECK(f.record().maximized == 1);
        RECT r{};
        GetWindowRect(f.hwnd, &r);
        CHECK(EqualRect(&r, &monitor.rcWork));
        CHECK(r.bottom - r.top > 0);
        SendMessageA(f.hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 40));
        CHECK(f.record().maximized == 0);
    }
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0);
}

TEST_CASE("border regions: 10 pixels from a corner resize the corner, 11 the edge") {
    struct Row {
        int x, y;
        WPARAM command;
    };
    const int w = 300, h = 200;
    const Row rows[] = {
        {10, 2, 0xF004},         {11, 2, 0xF003},         {2, 10, 0xF004},   {2, 11, 0xF001},
        {w - 10, 2, 0xF005},     {w - 11, 2, 0xF003},     {w - 2, 50, 0xF002}, {50, h - 2, 0xF006},
        {10, h - 10, 0xF007},    {w - 10, h - 10, 0xF008}, {11, 11, 0},       {150, 100, 0},
    };
    for (const Row& row : rows) {
        CAPTURE(row.x);
        CAPTURE(row.y);
        CHECK(resizeHitAt(row.x, row.y, w, h, 3).command == row.command);
    }
}

TEST_CASE("settings and the status bar") {
    plainBackground(RGB(90, 90, 90));
    SUBCASE("configure without an alpha switches transparent mode off and restores the veil") {
        engine().configure(1, 0);
        CHECK(transparentControls == 1);
        CHECK(veilAlpha == 0);
        engine().configure(1);
        CHECK(transparentControls == 0);
        CHECK(veilAlpha == 160);
        CHECK(trackbarFrame == 1);
    }
    SUBCASE("a status item of width -1 after over-wide items draws nothing") {
        Framed f(300, 200, WS_POPUP, 40,
                 {.statusBarHeight = 25, .statusItems = {{"a", {}, 200}, {"b", {}, 200}, {"c", {}, -1}}});
        f.paint();
        SkinRecord& r = f.record();
        CHECK(r.statusItemRects[2].width == 300 - 6 - 400);
        const COLORREF under = f.pixel(150, r.statusRect.y + 5);
        engine().paintStatusItem(f.index, nullptr, 3);
        CHECK(f.pixel(150, r.statusRect.y + 5) == under);
    }
    SUBCASE("new caption text and status text show at once") {
        Framed f(300, 200, WS_POPUP, 40, {.statusBarHeight = 25, .statusItems = {{"", {}, -1}}});
        f.paint();
        SkinRecord& r = f.record();
        auto sum = [&](int x0, int y0, int w, int h) {
            long total = 0;
            for (int y = y0; y < y0 + h; ++y)
                for (int x = x0; x < x0 + w; ++x) total += GetPixel(r.backgroundDc.get(), x, y) & 0xFF;
            return total;
        };
        const long caption = sum(30, 8, 150, 20);
        SetWindowTextA(f.hwnd, "WWWWWWWWWW");
        CHECK(sum(30, 8, 150, 20) != caption);
        const long status = sum(5, r.statusRect.y, 150, 25);
        CHECK(engine().setStatusItem(f.hwnd, 1, "WWWWWWWW"));
        CHECK(sum(5, r.statusRect.y, 150, 25) != status);
        CHECK_FALSE(engine().setStatusItem(f.hwnd, 2, "none"));
    }
    SUBCASE("deactivation trims memory without writing or starting any program") {
        Framed f(300, 200);
        char windir[MAX_PATH] = {};
        GetWindowsDirectoryA(windir, MAX_PATH);
        const std::string helper = std::string(windir) + "\\empty.exe";
        SendMessageA(f.hwnd, WM_ACTIVATEAPP, 0, 0);
        Sleep(200);
        CHECK(GetFileAttributesA(helper.c_str()) == INVALID_FILE_ATTRIBUTES);
    }
}

TEST_CASE("glass and picture buttons take the button over once") {
    plainBackground(RGB(90, 90, 90));
    Framed f(300, 200);
    for (int kind : {1, 3}) {
        HWND button = skintest::makeChild(f.hwnd, 10, 60, 80, 26, "Button", WS_CHILD | BS_PUSHBUTTON);
        const Bytes picture(CheckOnGlyph.data(), CheckOnGlyph.data() + CheckOnGlyph.size());
        for (int call = 0; call < 2; ++call) {
            const char* tip = call == 0 ? "tip" : "second tip";
            const bool made = kind == 1 ? engine().makeGlassButton(button, picture, 1, tip)
                                        : engine().makePictureButton(button, picture, {}, {}, {}, tip);
            CHECK(made);
        }
        CAPTURE(kind);
        const int index = getPropInt(button, prop::index);
        REQUIRE(f.record().buttons.at(index) != nullptr);
        const ButtonSkin& entry = *f.record().buttons.at(index);
        CHECK(entry.hwnd == button);
        CHECK(entry.kind == kind);
        CHECK(entry.picture == picture);
        CHECK(reinterpret_cast<LONG_PTR>(entry.oldProc) != GetWindowLongPtrA(button, GWLP_WNDPROC));
        CHECK((GetWindowLongA(button, GWL_STYLE) & BS_OWNERDRAW) == BS_OWNERDRAW);
        // One tool, showing the text of the last call.
        char text[32] = {};
        TTTOOLINFOA tool{TTTOOLINFOA_V1_SIZE, 0, button, 1};
        tool.lpszText = text;
        SendMessageA(entry.tooltip.handle(), TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
        CHECK(SendMessageA(entry.tooltip.handle(), TTM_GETTOOLCOUNT, 0, 0) == 1);
        CHECK(std::string(text) == "second tip");
    }
    CHECK_FALSE(engine().makeGlassButton(f.hwnd, {}, 0, ""));
}

TEST_CASE("setSkinBackground prepares the picture for its mode and picks the colours") {
    engine();
    const Bytes jpeg(ImgBackdrop.data(), ImgBackdrop.data() + ImgBackdrop.size());
    const std::string png = "\x89PNG";
    struct Row {
        bool picture;
        std::optional<COLORREF> backColor;
        std::optional<COLORREF> theme;
        int mode;
    };
    const Row rows[] = {
        {true, std::nullopt, 0x0051AE51, 3}, {true, RGB(1, 2, 3), std::nullopt, 0},
        {true, std::nullopt, themeFromBackground, 1}, {false, std::nullopt, themeFromBackground, 4},
        {false, RGB(9, 8, 7), 0x00112233, 2},
    };
    for (const Row& row : rows) {
        CAPTURE(row.mode);
        engine().setSkinBackground("", row.picture ? ByteView(jpeg) : ByteView(), row.backColor, row.theme, row.mode);
        CHECK(skinBackMode == row.mode);
        const COLORREF expectedBack = row.backColor ? *row.backColor
                                      : row.picture ? averageColor({nullptr, jpeg})
                                                    : GetSysColor(COLOR_BTNFACE);
        CHECK(skinBackColor == expectedBack);
        const COLORREF expectedTheme =
            row.theme == themeFromBackground ? expectedBack & 0xFFFFFF : row.theme.value_or(0x00DDCA22);
        CHECK(themeColor == expectedTheme);
        if (!row.picture) CHECK(skinBackImage.empty());
        else if (row.mode >= 2) CHECK(skinBackImage == jpeg);
        else CHECK(std::string(skinBackImage.begin(), skinBackImage.begin() + 4) == png);
    }
}

TEST_CASE("WM_CTLCOLOR answers of transparent mode keep one brush per control") {
    plainBackground(RGB(90, 90, 90));
    Framed f(300, 200);
    HWND label = skintest::makeChild(f.hwnd, 20, 60, 100, 20, "Static");
    f.paint();
    HDC dc = GetDC(label);
    auto ask = [&] {
        return SendMessageA(f.hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    };
    engine().configure(1, 0);
    const LRESULT first = ask();
    CHECK(first == getProp(label, prop::colorBrush));
    const long objects = testing::gdiObjectCount();
    for (int i = 0; i < 50; ++i) ask();
    CHECK(testing::gdiObjectCount() == objects);
    engine().configure(1);
    const LRESULT plain = ask();
    CHECK(plain != getProp(label, prop::colorBrush));
    ReleaseDC(label, dc);
}
