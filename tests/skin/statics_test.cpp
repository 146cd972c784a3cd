// Labels and icons of skinned dialogs: which statics are taken, and what a label shows.
#include <doctest.h>
#include <windows.h>

#include "ControlProbes.h"
#include "SkinTestWindows.h"
#include "support/GuiObjects.h"
#include "skin/controls/Installers.h"
#include "skin/controls/Statics.h"

using namespace skin;

namespace {

struct LabelWindow {
    HWND top = skintest::makeTopWindow(100, 100, 300, 120);
    int index = (initSkinModule(), skintest::skinTestWindow(top));
    LabelWindow() { skintest::paintPositionPattern(*skinRecords.at(index), 300, 120); }
    ~LabelWindow() { DestroyWindow(top); }
    HWND add(DWORD style, const char* text = "") {
        HWND s = skintest::makeChild(top, 10, 10, 200, 40, "Static", WS_CHILD | WS_VISIBLE | style);
        SetWindowTextA(s, text);
        return s;
    }
};

// Pixels of the label (at 10, 10 in the window) on screen: ink darker than the pattern
// behind it, and halo wherever white lifts the pattern's blue of 7.
struct Ink {
    int dark = 0, halo = 0;
};
Ink inkOf(HWND label) {
    Ink ink;
    HDC dc = GetDC(label);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            const COLORREF c = GetPixel(dc, x, y), under = skintest::positionColour(x + 10, y + 10);
            if (GetBValue(c) > 40) ++ink.halo;
            else if (GetRValue(under) + GetGValue(under) - GetRValue(c) - GetGValue(c) > 80) ++ink.dark;
        }
    ReleaseDC(label, dc);
    return ink;
}

}  // namespace

TEST_CASE("statics are taken by type: labels, icon-like types, and the ones that keep their own look") {
    LabelWindow w;
    const struct {
        DWORD style;
        int kind;  // 0: not skinned
    } cases[] = {{SS_LEFT, 1}, {SS_CENTER, 1}, {SS_ICON, 2}, {SS_BLACKFRAME, 2}, {SS_BITMAP, 0}, {SS_SIMPLE, 0}};
    for (const auto& c : cases) {
        HWND s = w.add(c.style);
        skinStatics(w.index, w.top);
        const int i = skinRecords.at(w.index)->statics.indexOf(s);
        CAPTURE(c.style);
        CHECK((i ? skinRecords.at(w.index)->statics.at(i)->kind : 0) == c.kind);
        DestroyWindow(s);
    }
}

TEST_CASE("a label is drawn dark over a white halo and follows its text at once") {
    LabelWindow w;
    HWND label = w.add(SS_LEFT, "标签文字 Label");
    skinStatics(w.index, w.top);
    RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const Ink drawn = inkOf(label);
    CHECK(drawn.dark > 20);
    CHECK(drawn.halo > drawn.dark);

    // Every kind of line break breaks the line, and no control character shows.
    auto inkFor = [&](const char* text) {
        SetWindowTextA(label, text);
        const Ink atOnce = inkOf(label);  // a change shows at once, in the skin's look
        RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const Ink ink = inkOf(label);
        CHECK(atOnce.halo == ink.halo);
        return ink;
    };
    const int plain = inkFor("标签\n文字").dark;
    for (const char* text : {"标签\r\n文字", "标签\r文字", "标签\r\n\x01文字\x7f"}) CHECK(inkFor(text).dark == plain);
    CHECK(inkFor("").dark == 0);
    // In a bordered label the backdrop lines up with the client area.
    HWND framed = skintest::makeChild(w.top, 10, 60, 200, 40, "Static", WS_CHILD | WS_VISIBLE | WS_BORDER);
    skinStatics(w.index, w.top);
    RedrawWindow(framed, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CHECK(skintest::screenPixel(framed, 5, 20) == skintest::positionColour(10 + 5, 60 + 20));

    SUBCASE("repainting leaves no GDI object behind") {
        SetWindowTextA(label, "标签");
        const long before = testing::gdiObjectCount();
        for (int i = 0; i < 300; ++i) paintStatic(*skinRecords.at(w.index)->statics.at(1));
        CHECK(testing::gdiObjectCount() <= before);
    }
}
