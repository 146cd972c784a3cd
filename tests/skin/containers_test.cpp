// Child and keyed containers on real windows: registration rules, what reaches the
// screen, and the brushes their children are answered with.
#include <doctest.h>
#include <windows.h>

#include <string>

#include "ControlProbes.h"
#include "SkinTestWindows.h"
#include "skin/Backdrop.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/Containers.h"

using namespace skin;
using skintest::makeChild;
using skintest::blend;
using skintest::closeColour;
using skintest::positionColour;
using skintest::registerWindowClass;

namespace {

constexpr COLORREF magenta = RGB(255, 0, 255);

bool same(WNDPROC a, WNDPROC b) { return a == b; }

// Parent of the test controls: answers their WM_CTLCOLORSTATIC with the key colour,
// as the application's form does for its magenta labels.
LRESULT CALLBACK magentaParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static HBRUSH brush = CreateSolidBrush(magenta);
    if (message == WM_CTLCOLORSTATIC) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(brush);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A window that paints only through BeginPaint: key colour with a black square.
LRESULT CALLBACK selfPainterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
    gdi::PaintDc paint(hwnd);
    gdi::UniqueBrush key(CreateSolidBrush(magenta));
    RECT r{};
    GetClientRect(hwnd, &r);
    FillRect(paint.get(), &r, key.get());
    RECT square{10, 10, 20, 20};
    FillRect(paint.get(), &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return 0;
}

// The position-pattern window of the control tests, with the engine and a parent for
// the test controls that leaves the background as it is.
struct SkinnedWindow : skintest::SkinnedWindow {
    SkinEngine& engine = theEngine();
    HWND holder = makeChild(top, 0, 0, 480, 360, registerWindowClass("ContainerTestHolder", magentaParentProc));

    static SkinEngine& theEngine() {
        static SkinEngine engine;
        return engine;
    }
    // A new backdrop behind every control: the window's background turns green.
    void paintBackgroundGreen() {
        gdi::UniqueBrush green(CreateSolidBrush(RGB(0, 160, 0)));
        const RECT all{0, 0, 480, 360};
        FillRect(record.backgroundDc.get(), &all, green.get());
    }
    // A kept face: a repaint (look) shows the same, a new text and then a new backdrop
    // show at the next paint; the backdrop is probed at clear.
    template <typename Look>
    void checkKeptFace(HWND control, Look look, const char* newText, POINT clear) {
        const auto before = look();
        CHECK(look() == before);
        SetWindowTextA(control, newText);
        CHECK(look() != before);
        paintBackgroundGreen();
        look();
        CHECK(skintest::screenPixel(control, clear.x, clear.y) == RGB(0, 160, 0));
    }
};

}  // namespace

TEST_CASE("registering containers") {
    SkinnedWindow w;
    HWND panel = makeChild(w.holder, 20, 20, 200, 100);
    const int first = w.engine.registerContainer(panel, 1, RGB(0, 0, 200), 80);
    REQUIRE(first > 0);
    ContainerSkin& entry = *skinRecords.at(w.index)->containers.at(first);

    SUBCASE("a second registration returns the index and changes no colour") {
        CHECK(w.engine.registerContainer(panel, 0, RGB(9, 9, 9), 7, 1) == first);
        CHECK(entry.tintColor == RGB(0, 0, 200));
        CHECK(entry.paintsBackground == 1);
        CHECK(GetWindowLongPtrA(panel, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(containerProc));
        CHECK_FALSE(same(getPropHandle<WNDPROC>(panel, prop::keptProc), containerProc));
    }
    SUBCASE("setContainerAlpha changes only containers with a colour") {
        w.engine.setContainerAlpha(panel, 0x1FF);
        CHECK(entry.tintAlpha == 0xFF);
        entry.tintColor = 0;
        w.engine.setContainerAlpha(panel, 3);
        CHECK(entry.tintAlpha == 0xFF);
    }
    SUBCASE("windows that cannot be containers") {
        HWND loose = skintest::makeTopWindow(0, 0, 50, 50);
        CHECK(w.engine.registerContainer(loose) == 0);
        CHECK(w.engine.registerContainer(w.top) == 0);  // subclassed already
        DestroyWindow(loose);
    }
    SUBCASE("a keyed container registered twice is subclassed once; with children it is a child container too") {
        HWND bar = makeChild(w.holder, 10, 150, 200, 30);
        makeChild(bar, 0, 0, 10, 10);
        const int keyed = w.engine.registerKeyedContainer(bar, magenta);
        CHECK(w.engine.registerKeyedContainer(bar, RGB(1, 2, 3)) == keyed);
        CHECK(skinRecords.at(w.index)->toolbars.at(keyed)->keyColor == magenta);
        CHECK_FALSE(same(getPropHandle<WNDPROC>(bar, prop::keyedProc), keyedContainerProc));
        CHECK(same(getPropHandle<WNDPROC>(bar, prop::keptProc), keyedContainerProc));
        const int child = findContainer(w.index, bar);
        REQUIRE(child > 0);
        CHECK(skinRecords.at(w.index)->containers.at(child)->paintsBackground == 0);
        SendMessageA(bar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("passes both procedures once"));
    }
    SUBCASE("only group boxes are group boxes") {
        struct Case {
            const char* className;
            DWORD style;
            bool groupBox;
        };
        for (const Case& c : {Case{"Button", BS_GROUPBOX, true}, Case{"Button", BS_RADIOBUTTON, false},
                              Case{"Button", BS_AUTO3STATE, false}, Case{"Static", BS_GROUPBOX, false}}) {
            HWND hwnd = makeChild(w.holder, 0, 0, 10, 10, c.className, WS_CHILD | c.style);
            CHECK(isGroupBoxButton(hwnd) == c.groupBox);
        }
    }
}

TEST_CASE("a keyed container's key colour never reaches the screen") {
    SkinnedWindow w;
    skintest::ScopedSetting<int> noVeil(veilAlpha, 0);
    struct Case {
        const char* what;
        HWND hwnd;
        bool square;  // the black square at (10, 10, 20, 20)
    };
    const char* painterClass = registerWindowClass("KeyedSelfPainter", selfPainterProc);
    auto label = [&](int y, DWORD border) {
        HWND hwnd = makeChild(w.holder, 30, y, 120, 30, "Static", WS_CHILD | WS_VISIBLE | SS_LEFT | border);
        SetWindowTextA(hwnd, "label");
        return hwnd;
    };
    constexpr DWORD plain = WS_CHILD | WS_VISIBLE;
    HWND kept = label(40, 0);
    for (const Case& c : {Case{"a label that paints into the DC it is given", kept, false},
                          Case{"a window that paints only through BeginPaint",
                               makeChild(w.holder, 200, 60, 60, 40, painterClass), true},
                          Case{"a bordered label", label(100, WS_BORDER), false},
                          Case{"a bordered window painting through BeginPaint",
                               makeChild(w.holder, 200, 160, 60, 40, painterClass, plain | WS_BORDER), true}}) {
        INFO(std::string(c.what));
        w.engine.registerKeyedContainer(c.hwnd, magenta);
        InvalidateRect(c.hwnd, nullptr, TRUE);
        UpdateWindow(c.hwnd);
        const skintest::Snapshot shot(c.hwnd);
        CHECK(shot.count([](COLORREF p) { return p == magenta; }) == 0);
        const RECT at = rectInSkinWindow(c.hwnd);  // (1, 1) lies inside any border
        CHECK(skintest::screenPixel(c.hwnd, 1, 1) == positionColour(at.left + 1, at.top + 1));
        if (c.square) CHECK(skintest::screenPixel(c.hwnd, 15, 15) == RGB(0, 0, 0));
    }
    // A label's composed face is kept: new text and a new backdrop show at the next paint.
    auto ink = [kept] {
        InvalidateRect(kept, nullptr, TRUE);
        UpdateWindow(kept);
        return skintest::Snapshot(kept).count(skintest::isDark);
    };
    w.checkKeptFace(kept, ink, "label, longer", {1, 1});
}

TEST_CASE("a group box gets its children skinned, is tinted below its caption band and framed") {
    SkinnedWindow w;
    HWND box = makeChild(w.holder, 40, 30, 200, 120, "Button", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_LEFT);
    SetWindowTextA(box, ".");  // ink only low in the caption band, which starts at x 10
    HWND push = makeChild(box, 10, 80, 60, 24, "Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
    HWND check = makeChild(box, 80, 80, 60, 24, "Button", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX);
    REQUIRE(w.engine.registerContainer(box, 1, RGB(0, 0, 255), 128) > 0);
    CHECK(isSubclassed(push));
    CHECK(isSubclassed(check));
    InvalidateRect(box, nullptr, TRUE);
    UpdateWindow(box);
    const RECT at = rectInSkinWindow(box);
    auto under = [&](int x, int y) { return positionColour(at.left + x, at.top + y); };
    CHECK(closeColour(skintest::screenPixel(box, 100, 60), blend(RGB(0, 0, 255), 128, under(100, 60)), 3));
    CHECK(skintest::screenPixel(box, 30, 2) == under(30, 2));  // the caption band stays clear
    // Under the caption the tint starts on the box's row 5 and has no corner of its own.
    for (int x : {10, 11})
        for (int y : {4, 5, 6, 7}) {
            CAPTURE(x);
            CAPTURE(y);
            const COLORREF tinted = blend(RGB(0, 0, 255), 128, under(x, y));
            CHECK(closeColour(skintest::screenPixel(box, x, y), y < 5 ? under(x, y) : tinted, 3));
        }
    CHECK(skintest::screenPixel(box, 0, 60) != skintest::screenPixel(box, 5, 60));  // the outline

    // A repaint copies the kept face; a new caption or backdrop shows.
    const auto captionRow = [&] {  // through the capitals, above the dot
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        std::string row;
        for (int x = 10; x < 60; ++x) row += std::to_string(skintest::screenPixel(box, x, 9)) + ' ';
        return row;
    };
    w.checkKeptFace(box, captionRow, "WWWW", {150, 2});
    w.engine.setContainerAlpha(box, 200);  // and a new tint
    UpdateWindow(box);
    CHECK(closeColour(skintest::screenPixel(box, 100, 60), blend(RGB(0, 0, 255), 200, RGB(0, 160, 0)), 3));
}

TEST_CASE("in transparent mode a container answers its children with their backdrop, freed with the child") {
    SkinnedWindow w;
    skintest::ScopedSetting<int> transparent(transparentControls, 1);
    HWND box = makeChild(w.holder, 20, 20, 200, 100);
    w.engine.registerContainer(box, 1, RGB(0, 0, 255), 100);
    HWND text = makeChild(box, 10, 10, 80, 20, "Static", WS_CHILD | WS_VISIBLE);
    HWND owned = makeChild(box, 10, 40, 80, 40, "ListBox", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED);
    gdi::WindowDc dc = gdi::WindowDc::client(text);
    auto answer = [&] {
        return reinterpret_cast<HBRUSH>(
            SendMessageA(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(text)));
    };
    const HBRUSH brush = answer();
    CHECK(GetObjectType(brush) == OBJ_BRUSH);
    CHECK(answer() == brush);  // kept while the backdrop is the same
    w.paintBackgroundGreen();
    const HBRUSH renewed = answer();
    CHECK(renewed != brush);
    CHECK(GetObjectType(brush) == 0);
    const auto bitmap = getPropHandle<HBITMAP>(text, prop::colorBrushBitmap);
    CHECK(GetObjectType(bitmap) == OBJ_BITMAP);
    CHECK(getPropHandle<HBRUSH>(text, prop::colorBrush) == renewed);

    SendMessageA(box, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(owned));
    CHECK(GetPropA(owned, prop::colorBrush) == nullptr);  // an owner-draw list keeps its own background

    DestroyWindow(text);
    CHECK(GetObjectType(renewed) == 0);
    CHECK(GetObjectType(bitmap) == 0);
}
