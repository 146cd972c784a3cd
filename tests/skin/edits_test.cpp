// Edit and combo box skins on real controls in a skinned window.
#include <doctest.h>
#include <windows.h>

#include <string>

#include "ControlProbes.h"
#include "skin/controls/Edits.h"
#include "skin/controls/Installers.h"

using namespace skin;
using namespace skintest;

namespace {
constexpr COLORREF white = RGB(255, 255, 255), theme = RGB(0x22, 0xCA, 0xDD);
}  // namespace

TEST_CASE("hover targets: the parent tells the edit of a combo box from a stand-alone edit") {
    SkinnedWindow w;
    w.add("Edit", 20, 20, 160, 26, 0);
    HWND combo = w.add("ComboBox", 20, 80, 160, 200, CBS_DROPDOWN, 0);
    skinEdits(w.index, w.top);
    HWND inner = FindWindowExA(combo, nullptr, "Edit", nullptr);
    const int index = w.record.edits.indexOf(inner);
    REQUIRE(index == 2);
    // The record as the last hover left it: control index, kind and edit parent.
    const struct { const char* before; int lastIndex; HotKind lastKind; HWND lastParent; int hot; } cases[] = {
        {"a stand-alone edit with the same index", index, HotKind::edit, w.top, 1},
        {"a combo box with the same index", index, HotKind::combo, combo, 1},
        {"this very edit", index, HotKind::edit, combo, 0},
        {"another edit of the same parent", index + 1, HotKind::edit, combo, 1},
    };
    for (const auto& c : cases) {
        INFO(c.before);
        w.record.edits.at(index)->hot = 0;
        w.record.lastHotIndex = c.lastIndex;
        w.record.lastHotKind = static_cast<int>(c.lastKind);
        w.record.hotEditParent = c.lastParent;
        sendMouseMove(inner);
        CHECK(w.record.edits.at(index)->hot == c.hot);  // repainted hot
        CHECK(w.record.hotEditParent == combo);
    }
}

TEST_CASE("an edit with scroll bars keeps them, and their corner, painted by the system") {
    SkinnedWindow w;
    HWND edit = w.add("Edit", 20, 20, 200, 120, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL);
    skinEdits(w.index, w.top);
    SCROLLBARINFO bar{sizeof(bar)};
    REQUIRE(GetScrollBarInfo(edit, OBJID_VSCROLL, &bar));
    RECT window{}, box{};
    GetWindowRect(edit, &window);
    GetRgnBox(scrollBarRegion(edit).get(), &box);  // screen coordinates, both bars and their corner
    {
        gdi::WindowDc dc = gdi::WindowDc::whole(edit);
        gdi::UniqueBrush key(CreateSolidBrush(RGB(255, 0, 255)));
        RECT all{0, 0, window.right - window.left, window.bottom - window.top};
        FillRect(dc.get(), &all, key.get());
    }
    SendMessageA(edit, WM_NCPAINT, 1, 0);
    const Snapshot shot(edit);
    const int barX = bar.rcScrollBar.left + 5 - window.left;
    CHECK_FALSE(isKeyLike(shot.at(barX, (bar.rcScrollBar.top + bar.rcScrollBar.bottom) / 2 - window.top)));
    CHECK_FALSE(isKeyLike(shot.at(barX, box.bottom - 3 - window.top)));  // the corner
    CHECK(closeColour(shot.at(0, 60), blend(RGB(0, 0, 0), 80, white)));  // the ring
    CHECK(isKeyLike(shot.at(5, 60)));                                     // the client area is left alone
}

TEST_CASE("combo boxes repaint with their drop button and never show the colour key") {
    SkinnedWindow w;
    const struct { const char* kind; DWORD style; int buttonWidth; } cases[] = {
        {"drop-down list", CBS_DROPDOWNLIST, 17}, {"drop-down", CBS_DROPDOWN, 18}};
    for (const auto& c : cases) {
        INFO(c.kind);
        HWND combo = w.add("ComboBox", 20, 20, 160, 200, c.style | WS_VSCROLL, 0);
        for (const char* item : {"MMMM first", "second"})
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        skinEdits(w.index, w.top);
        char text[32] = {};
        GetWindowTextA(combo, text, sizeof(text));
        CHECK(std::string(text) == "MMMM first");  // the selection became the window text
        repaintNow(w.top);
        RECT r{};
        GetWindowRect(combo, &r);
        const int h = r.bottom - r.top, buttonLeft = 160 - c.buttonWidth - 2;
        const Snapshot shot(combo);
        CHECK(shot.count(isKeyLike) == 0);
        CHECK(closeColour(shot.at(0, h / 2), blend(RGB(0, 0, 0), 80, white)));
        CHECK(shot.at(buttonLeft - 1, h / 2) == white);
        CHECK(shot.at(buttonLeft, h / 2) != white);
        CHECK(shot.count(isDark, RECT{3, 2, 40, h - 2}) > 3);  // the selected text
        hover(combo, 150, h / 2);
        CHECK(closeColour(Snapshot(combo).at(0, h / 2), blend(theme, 200, white)));
        CHECK(Snapshot(combo).count(isKeyLike) == 0);
        DestroyWindow(combo);
    }
}
