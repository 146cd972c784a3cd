// Skinned buttons on a skinned window: which styles are taken, clicks, text, the
// colours of focus and hover, and handle use over many paints.
#include <doctest.h>
#include <windows.h>

#include <vector>

#include "ControlWindow.h"
#include "assets/Assets.h"
#include "skin/controls/Buttons.h"
#include "skin/controls/Installers.h"
#include "support/GuiObjects.h"

using namespace skin;
using skintest::ControlWindow;
using skintest::Shot;

namespace {

ButtonSkin& entryOf(const ControlWindow& w, HWND b) { return *w.record->buttons.at(w.record->buttons.indexOf(b)); }

// What the push-button painter leaves on a picture of the button's size.
Shot painted(HWND b, UINT state) {
    gdi::BitmapDc dc;
    dc.select(gdi::makeDibPicture(100, 26));
    paintPushButton(b, dc.get(), state, RECT{0, 0, 100, 26});
    return Shot(dc.get(), 100, 26);
}

}  // namespace

TEST_CASE("buttons are skinned by style; the others keep the system look; a second run changes nothing") {
    ControlWindow w;
    const struct {
        LONG style;
        int kind;  // -1: not skinned
    } cases[] = {
        {BS_PUSHBUTTON, pushButtonKind}, {BS_DEFPUSHBUTTON, pushButtonKind}, {BS_USERBUTTON, pushButtonKind},
        {BS_CHECKBOX, checkBoxKind}, {BS_AUTOCHECKBOX, checkBoxKind}, {BS_PUSHBOX, checkBoxKind},
        {BS_AUTORADIOBUTTON, radioButtonKind}, {BS_RADIOBUTTON, -1}, {BS_3STATE, -1}, {BS_AUTO3STATE, -1},
        {BS_GROUPBOX, -1}, {BS_OWNERDRAW, -1},
    };
    std::vector<HWND> made;
    for (const auto& c : cases) made.push_back(w.add("BUTTON", c.style, 0, 20 * static_cast<int>(made.size()), 90, 20, "x"));
    SendMessageA(made[4], BM_SETCHECK, BST_CHECKED, 0);
    for (int run = 0; run < 2; ++run) {
        skinChildControls(w.index, w.top);
        CHECK(w.record->buttons.count() == 7);
        for (std::size_t i = 0; i < made.size(); ++i) {
            INFO("style " << cases[i].style);
            const LONG_PTR type = GetWindowLongPtrA(made[i], GWL_STYLE) & 0x0F;
            REQUIRE(isSubclassed(made[i]) == (cases[i].kind >= 0));
            if (cases[i].kind < 0) continue;
            const ButtonSkin& b = entryOf(w, made[i]);
            CHECK(GetPropA(made[i], prop::keptProc) == reinterpret_cast<HANDLE>(b.oldProc));
            CHECK(b.kind == cases[i].kind);
            CHECK(b.text == "x");
            CHECK(b.fontSize > 0);
            CHECK(b.checked == (i == 4 ? 1 : 0));
            // push buttons paint through their parent from now on; the others keep their style
            CHECK(type == (b.kind == pushButtonKind ? BS_OWNERDRAW : cases[i].style));
            CHECK(b.parent == (b.kind == pushButtonKind ? nullptr : w.top));
        }
    }
}

TEST_CASE("a double click gives one click; new text shows at the next paint") {
    ControlWindow w;
    HWND push = w.add("BUTTON", BS_PUSHBUTTON, 10, 10, 100, 26, "one");
    HWND check = w.add("BUTTON", BS_AUTOCHECKBOX, 10, 50, 100, 26, "box");
    w.skin();
    for (HWND b : {push, check}) {
        ControlWindow::clicks = 0;
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            SendMessageA(b, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
        CHECK(ControlWindow::clicks == 1);
    }
    CHECK(SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED);

    const Shot before = painted(push, 0);
    SetWindowTextA(push, "two, longer");
    CHECK(entryOf(w, push).text == "two, longer");
    CHECK(!(painted(push, 0) == before));
    SetWindowTextA(push, "one");
    CHECK(painted(push, 0) == before);

    SUBCASE("a face that cannot be made falls back to the system's GUI font") {
        entryOf(w, push).fontName = "no such face";
        const Shot named = painted(push, 0);
        entryOf(w, push).text.clear();
        CHECK(!(painted(push, 0) == named));
    }
}

TEST_CASE("the focus glow keeps its own colour; hover follows the theme colour") {
    ControlWindow w;
    HWND push = w.add("BUTTON", BS_PUSHBUTTON, 10, 10, 100, 26);
    w.skin();
    const Shot focused = painted(push, buttonFocused);
    const COLORREF glow = focused.at(0, 13);
    CHECK(GetGValue(glow) > GetRValue(glow) + 50);
    CHECK(GetBValue(glow) > GetRValue(glow) + 50);
    const struct {
        COLORREF theme;
        bool red, green, blue;  // strong channels of the hovered outline
    } cases[] = {{RGB(255, 0, 0), true, false, false}, {RGB(0, 255, 0), false, true, false},
                 {0x00DDCA22, false, true, true}};
    for (const auto& c : cases) {
        themeColor = c.theme;
        CHECK(painted(push, buttonFocused) == focused);
        const COLORREF edge = painted(push, buttonHot | buttonFocused).at(0, 13);
        INFO("theme " << c.theme << " edge " << edge);
        CHECK((GetRValue(edge) > 190) == c.red);
        CHECK((GetGValue(edge) > 190) == c.green);
        CHECK((GetBValue(edge) > 190) == c.blue);
    }

    SUBCASE("hover reaches the screen through the button's procedure, paint through the parent") {
        themeColor = RGB(255, 0, 0);
        SendMessageA(push, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        CHECK(skintest::reddish(Shot(push).at(0, 13)));
        InvalidateRect(push, nullptr, TRUE);
        UpdateWindow(push);
        const COLORREF face = Shot(push).at(50, 13);  // the blue background shows through
        CHECK(GetBValue(face) > GetRValue(face) + 40);
    }
}

TEST_CASE("1,000 repaints of each button kind leave no GDI object behind") {
    ControlWindow w;
    HWND buttons[] = {w.add("BUTTON", BS_PUSHBUTTON, 10, 10, 90, 26, "push"),
                      w.add("BUTTON", BS_AUTOCHECKBOX, 10, 40, 90, 26, "check"),
                      w.add("BUTTON", BS_AUTORADIOBUTTON, 10, 70, 90, 26, "radio"),
                      w.add("BUTTON", BS_PUSHBUTTON, 10, 100, 80, 60, "glass"),
                      w.add("BUTTON", BS_PUSHBUTTON, 10, 170, 40, 40)};
    SendMessageA(buttons[1], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(buttons[2], BM_SETCHECK, BST_CHECKED, 0);
    w.skin();
    entryOf(w, buttons[3]).kind = glassButtonKind;
    entryOf(w, buttons[3]).picture.assign(CheckOnGlyph.data(), CheckOnGlyph.data() + CheckOnGlyph.size());
    entryOf(w, buttons[4]).kind = pictureButtonKind;
    entryOf(w, buttons[4]).picture.assign(CheckOffGlyph.data(), CheckOffGlyph.data() + CheckOffGlyph.size());
    const UINT states[] = {0, buttonFocused, buttonPressed, buttonDisabled};
    for (HWND b : buttons) {
        for (int i = 0; i < 4; ++i) paintButtonState(b, states[i], i % 2 == 0);
        const long before = testing::gdiObjectCount();
        for (int i = 0; i < 1000; ++i) paintButtonState(b, states[i % 4], i % 2 == 0);
        CHECK(testing::gdiObjectCount() == before);
    }
}
