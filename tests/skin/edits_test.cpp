// Edit and combo box skins on real controls in a skinned window.
#include <doctest.h>
#include <windows.h>

#include "ControlProbes.h"
#include "support/GuiObjects.h"
#include "skin/controls/Edits.h"
#include "skin/controls/Installers.h"

using namespace skin;
using namespace skintest;

namespace {

constexpr COLORREF white = RGB(255, 255, 255);

void hover(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
}

void repaintAll(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace

TEST_CASE("the edit ring follows hover and focus") {
    SkinnedWindow w;
    HWND edit = w.add("Edit", 20, 20, 160, 26, 0, WS_EX_CLIENTEDGE);
    HWND other = w.add("Edit", 20, 80, 160, 26, 0, WS_EX_CLIENTEDGE);
    skinEdits(w.index, w.top);
    REQUIRE(w.record.edits.indexOf(edit) == 1);
    CHECK(getPropInt(edit, prop::textColor) == 0);
    SetFocus(other);
    const COLORREF rest = blend(RGB(0, 0, 0), 80, white);
    const COLORREF theme = blend(RGB(0x22, 0xCA, 0xDD), 180, white);

    struct Case {
        const char* state;
        void (*enter)(HWND);
        int x;
        COLORREF expected;
    } cases[] = {
        {"at rest", [](HWND e) { paintEditFrame(e); }, 0, rest},
        {"focused", [](HWND e) { SetFocus(e); }, 0, theme},
        {"hot: two pixels wide", hover, 1, theme},
        {"left again, still focused", [](HWND e) { SetFocus(e); hover(e); SendMessageA(e, WM_MOUSELEAVE, 0, 0); }, 0,
         theme},
    };
    for (const Case& c : cases) {
        INFO(c.state);
        c.enter(edit);
        CHECK(closeColour(screenPixel(edit, c.x, 13), c.expected));
        CHECK(closeColour(screenPixel(edit, 80, 0), c.expected));
    }
    SUBCASE("a repaint while the mouse rests on the edit keeps it hot") {
        hover(edit);
        RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        CHECK(closeColour(screenPixel(edit, 1, 13), theme));
    }
    SUBCASE("transparent mode veils the ring and the client area over the window background") {
        ScopedSetting<int> transparent(transparentControls, 1);
        SetFocus(other);
        repaintAll(edit);
        CHECK(closeColour(screenPixel(edit, 0, 13), blend(RGB(0, 0, 0), 80, blend(white, 160, positionColour(20, 33)))));
        gdi::BitmapDc erased;
        erased.select(gdi::makeDibPicture(160, 26));
        CHECK(SendMessageA(edit, WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.get()), 0) == 1);
        CHECK(closeColour(GetPixel(erased.get(), 150, 10), blend(white, 160, positionColour(172, 32))));
    }
}

TEST_CASE("hover targets: the parent tells the edit of a combo box from a stand-alone edit") {
    SkinnedWindow w;
    HWND alone = w.add("Edit", 20, 20, 160, 26, 0, WS_EX_CLIENTEDGE);
    HWND combo = w.add("ComboBox", 20, 80, 160, 200, CBS_DROPDOWN);
    skinEdits(w.index, w.top);
    HWND inner = FindWindowExA(combo, nullptr, "Edit", nullptr);
    const int index = w.record.edits.indexOf(inner);
    REQUIRE(index >= 1);
    REQUIRE(w.record.combos.indexOf(combo) == 1);

    // The record as a hover left it: which control index, kind and edit parent.
    struct Case {
        const char* before;
        int lastIndex;
        HotKind lastKind;
        HWND lastParent;
        bool repaintsHot;
    } cases[] = {
        {"a stand-alone edit with the same index", index, HotKind::edit, w.top, true},
        {"a combo box with the same index", index, HotKind::combo, combo, true},
        {"this very edit", index, HotKind::edit, combo, false},
        {"another edit of the same combo box", index + 1, HotKind::edit, combo, true},
    };
    for (const Case& c : cases) {
        INFO(c.before);
        w.record.edits.at(index)->hot = 0;
        w.record.lastHotIndex = c.lastIndex;
        w.record.lastHotKind = static_cast<int>(c.lastKind);
        w.record.hotEditParent = c.lastParent;
        hover(inner);
        CHECK(w.record.edits.at(index)->hot == (c.repaintsHot ? 1 : 0));
        CHECK(w.record.lastHotIndex == index);
        CHECK(w.record.hotEditParent == combo);
    }
    CHECK(w.record.edits.indexOf(alone) != index);
}

TEST_CASE("an edit with scroll bars keeps them painted by the system") {
    SkinnedWindow w;
    HWND edit = w.add("Edit", 20, 20, 200, 120, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL,
                      WS_EX_CLIENTEDGE);
    skinEdits(w.index, w.top);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(bar);
    REQUIRE(GetScrollBarInfo(edit, OBJID_VSCROLL, &bar));
    RECT window{};
    GetWindowRect(edit, &window);
    const int barX = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2 - window.left;
    const int barY = (bar.rcScrollBar.top + bar.rcScrollBar.bottom) / 2 - window.top;

    gdi::UniqueRegion region = scrollBarRegion(edit);
    RECT box{};
    GetRgnBox(region.get(), &box);
    CHECK(box.right == bar.rcScrollBar.right);
    CHECK(box.top == bar.rcScrollBar.top);
    CHECK(box.left < bar.rcScrollBar.left);  // the horizontal bar is in the region too

    {
        gdi::WindowDc dc = gdi::WindowDc::whole(edit);
        gdi::UniqueBrush key(CreateSolidBrush(RGB(255, 0, 255)));
        RECT all{0, 0, window.right - window.left, window.bottom - window.top};
        FillRect(dc.get(), &all, key.get());
    }
    SendMessageA(edit, WM_NCPAINT, 1, 0);
    CHECK(screenPixel(edit, barX, barY) != RGB(255, 0, 255));
    CHECK(closeColour(screenPixel(edit, 0, 60), blend(RGB(0, 0, 0), 80, white)));
    CHECK(screenPixel(edit, 5, 60) == RGB(255, 0, 255));  // the client area is left alone
}

TEST_CASE("combo boxes repaint with their drop button and never show the colour key") {
    SkinnedWindow w;
    struct Case {
        const char* kind;
        DWORD style;
        int buttonWidth;
    } cases[] = {{"drop-down list", CBS_DROPDOWNLIST, 17}, {"drop-down", CBS_DROPDOWN, 18}};
    for (const Case& c : cases) {
        INFO(c.kind);
        HWND combo = w.add("ComboBox", 20, 20, 160, 200, c.style | WS_VSCROLL);
        for (const char* item : {"MMMM first", "second"})
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        skinEdits(w.index, w.top);
        char text[32] = {};
        GetWindowTextA(combo, text, sizeof(text));
        CHECK(std::string(text) == "MMMM first");

        repaintAll(w.top);
        RECT r{};
        GetWindowRect(combo, &r);
        const int h = r.bottom - r.top;
        const int buttonLeft = 160 - c.buttonWidth - 2;
        CHECK(Snapshot(combo).keyLike() == 0);
        CHECK(closeColour(screenPixel(combo, 0, h / 2), blend(RGB(0, 0, 0), 80, white)));
        CHECK(screenPixel(combo, buttonLeft - 1, h / 2) == white);
        CHECK(screenPixel(combo, buttonLeft, h / 2) != white);
        CHECK(Snapshot(combo).count(RECT{3, 2, 40, h - 2}, isDark) > 3);  // the selected text shows
        SUBCASE("hot and focused borders take the theme colour") {
            hover(combo);
            CHECK(closeColour(screenPixel(combo, 0, h / 2), blend(RGB(0x22, 0xCA, 0xDD), 200, white)));
            CHECK(Snapshot(combo).keyLike() == 0);
        }
        DestroyWindow(combo);
    }
}

TEST_CASE("1,000 repaints of edits and combo boxes leave no GDI object behind") {
    SkinnedWindow w;
    HWND edit = w.add("Edit", 20, 20, 160, 26, 0, WS_EX_CLIENTEDGE);
    HWND combo = w.add("ComboBox", 20, 80, 160, 200, CBS_DROPDOWNLIST);
    ScopedSetting<int> transparent(transparentControls, 1);
    skinEdits(w.index, w.top);
    const int comboIndex = w.record.combos.indexOf(combo);
    repaintAll(w.top);
    const long before = testing::gdiObjectCount();
    for (int i = 0; i < 1000; ++i) {
        paintEditFrame(edit, i % 2 == 0, i % 3 == 0);
        paintCombo(w.index, comboIndex, i % 2 == 0);
        RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    CHECK(testing::gdiObjectCount() <= before);
}
