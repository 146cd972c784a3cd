// Skinned buttons on a skinned window: which styles are taken, clicks, text, the
// colours of focus and hover, and handle use over many paints.
#include <doctest.h>
#include <windows.h>

#include "SkinTestWindows.h"
#include "assets/Assets.h"
#include "skin/SkinCore.h"
#include "skin/controls/Buttons.h"
#include "skin/controls/Installers.h"
#include "support/GuiObjects.h"

using namespace skin;

namespace {

int clicks = 0;

// The parent's side of owner-drawn buttons, as the frame procedure does it.
LRESULT CALLBACK parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        drawItemButton(findSkinIndex(hwnd), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++clicks;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* parentClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = parentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ButtonTestParent";
        RegisterClassA(&wc);
        return "ButtonTestParent";
    }();
    return name;
}

constexpr COLORREF backColour = RGB(0, 0, 160);

// A skinned 400 x 300 window with a plain dark blue background.
struct ButtonWindow {
    HWND top;
    SkinRecord* record;
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "SimSun");
    ButtonWindow() {
        static const bool started = (initSkinModule(), true);
        (void)started;
        top = CreateWindowExA(0, parentClass(), "t", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
        record = skinRecords.at(skintest::skinTestWindow(top));
        record->backgroundDc.select(gdi::makeDibPicture(400, 300));
        gdi::UniqueBrush brush(CreateSolidBrush(backColour));
        RECT all{0, 0, 400, 300};
        FillRect(record->backgroundDc.get(), &all, brush.get());
    }
    ~ButtonWindow() {
        DestroyWindow(top);
        DeleteObject(font);
    }
    HWND add(LONG style, const char* text, int x = 10, int y = 10, int w = 100, int h = 26) {
        HWND b = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, top, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return b;
    }
    ButtonSkin* entry(HWND b) { return record->buttons.at(record->buttons.indexOf(b)); }
};

// What a painter leaves on a 32-bit picture of the button's size.
struct Painted {
    gdi::BitmapDc dc;
    Painted(HWND b, UINT state, void (*painter)(HWND, HDC, UINT, const RECT&) = paintPushButton) {
        RECT rc{};
        GetClientRect(b, &rc);
        dc.select(gdi::makeDibPicture(rc.right, rc.bottom));
        painter(b, dc.get(), state, rc);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc.get(), x, y); }
    bool sameAs(const Painted& other, int w, int h) const {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (at(x, y) != other.at(x, y)) return false;
        return true;
    }
};

bool cyanish(COLORREF c) { return GetGValue(c) > GetRValue(c) + 50 && GetBValue(c) > GetRValue(c) + 50; }

}  // namespace

TEST_CASE("buttons are skinned by style; the others keep the system look") {
    ButtonWindow w;
    struct Case {
        LONG style;
        int kind;  // -1: not skinned
    };
    const Case cases[] = {
        {BS_PUSHBUTTON, pushButtonKind}, {BS_DEFPUSHBUTTON, pushButtonKind}, {BS_USERBUTTON, pushButtonKind},
        {BS_CHECKBOX, checkBoxKind},     {BS_AUTOCHECKBOX, checkBoxKind},    {BS_PUSHBOX, checkBoxKind},
        {BS_AUTORADIOBUTTON, radioButtonKind}, {BS_RADIOBUTTON, -1}, {BS_3STATE, -1},
        {BS_AUTO3STATE, -1},             {BS_GROUPBOX, -1},                  {BS_OWNERDRAW, -1},
    };
    HWND made[std::size(cases)];
    for (std::size_t i = 0; i < std::size(cases); ++i) made[i] = w.add(cases[i].style, "x", 0, 30 * static_cast<int>(i));
    SendMessageA(made[4], BM_SETCHECK, BST_CHECKED, 0);
    skinChildControls(findSkinIndex(w.top), w.top);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        INFO("style " << cases[i].style);
        const LONG_PTR style = GetWindowLongPtrA(made[i], GWL_STYLE);
        CHECK(isSubclassed(made[i]) == (cases[i].kind >= 0));
        if (cases[i].kind < 0) {
            CHECK((style & 0x0F) == cases[i].style);
            continue;
        }
        CHECK(w.entry(made[i])->kind == cases[i].kind);
        CHECK(w.entry(made[i])->text == "x");
        CHECK(w.entry(made[i])->fontSize > 0);
        // push buttons paint through their parent from now on; the others keep their style
        CHECK((style & 0x0F) == (cases[i].kind == pushButtonKind ? BS_OWNERDRAW : cases[i].style));
        CHECK(w.entry(made[i])->parent == (cases[i].kind == pushButtonKind ? nullptr : w.top));
    }
    CHECK(w.entry(made[4])->checked == 1);
    CHECK(w.entry(made[3])->checked == 0);

    SUBCASE("a second run leaves every button as it is") {
        const int count = w.record->buttons.count();
        const HANDLE kept[] = {GetPropA(made[0], prop::keptProc), GetPropA(made[4], prop::keptProc)};
        skinPushButtons(findSkinIndex(w.top), w.top);
        skinCheckButtons(findSkinIndex(w.top), w.top);
        CHECK(w.record->buttons.count() == count);
        CHECK(GetPropA(made[0], prop::keptProc) == kept[0]);
        CHECK(GetPropA(made[4], prop::keptProc) == kept[1]);
    }
}

TEST_CASE("a double click gives one click; new text shows at the next paint") {
    ButtonWindow w;
    HWND push = w.add(BS_PUSHBUTTON, "one");
    HWND check = w.add(BS_AUTOCHECKBOX, "box", 10, 50);
    skinChildControls(findSkinIndex(w.top), w.top);
    for (HWND b : {push, check}) {
        clicks = 0;
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            SendMessageA(b, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
        CHECK(clicks == 1);
    }
    CHECK(SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED);

    const Painted before(push, 0);
    SetWindowTextA(push, "two, longer");
    CHECK(w.entry(push)->text == "two, longer");
    CHECK(!Painted(push, 0).sameAs(before, 100, 26));
    SetWindowTextA(push, "one");
    CHECK(Painted(push, 0).sameAs(before, 100, 26));
}

TEST_CASE("the focus glow keeps its own colour; hover follows the theme colour") {
    ButtonWindow w;
    HWND push = w.add(BS_PUSHBUTTON, "");
    skinChildControls(findSkinIndex(w.top), w.top);
    struct Case {
        COLORREF theme;
        int red, green, blue;  // dominant channels of the hovered outline
    };
    const Case cases[] = {{RGB(255, 0, 0), 1, 0, 0}, {RGB(0, 255, 0), 0, 1, 0}, {0x00DDCA22, 0, 1, 1}};
    themeColor = 0x00DDCA22;
    const Painted focusedDefault(push, buttonFocused);
    CHECK(cyanish(focusedDefault.at(0, 13)));
    for (const Case& c : cases) {
        themeColor = c.theme;
        CHECK(Painted(push, buttonFocused).sameAs(focusedDefault, 100, 26));
        const COLORREF edge = Painted(push, buttonHot | buttonFocused).at(0, 13);
        INFO("theme " << c.theme << " edge " << edge);
        CHECK((GetRValue(edge) > 190) == (c.red == 1));
        CHECK((GetGValue(edge) > 190) == (c.green == 1));
        CHECK((GetBValue(edge) > 190) == (c.blue == 1));
    }
    themeColor = 0x00DDCA22;

    SUBCASE("hover reaches the screen through the button's own procedure, paint through the parent") {
        themeColor = RGB(255, 0, 0);
        SendMessageA(push, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        gdi::WindowDc dc = gdi::WindowDc::client(push);
        CHECK(GetRValue(GetPixel(dc.get(), 0, 13)) > 190);
        themeColor = 0x00DDCA22;
        InvalidateRect(push, nullptr, TRUE);
        UpdateWindow(push);
        const COLORREF face = GetPixel(dc.get(), 50, 13);  // the blue background shows through
        CHECK(GetBValue(face) > GetRValue(face) + 40);
    }
}

TEST_CASE("1,000 repaints of each button kind leave no GDI object behind") {
    ButtonWindow w;
    HWND push = w.add(BS_PUSHBUTTON, "push");
    HWND check = w.add(BS_AUTOCHECKBOX, "check", 10, 40);
    HWND radio = w.add(BS_AUTORADIOBUTTON, "radio", 10, 70);
    HWND glass = w.add(BS_PUSHBUTTON, "glass", 10, 100, 80, 60);
    HWND picture = w.add(BS_PUSHBUTTON, "", 10, 170, 40, 40);
    SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
    skinChildControls(findSkinIndex(w.top), w.top);
    w.entry(glass)->kind = glassButtonKind;
    w.entry(glass)->picture.assign(CheckOnGlyph.data(), CheckOnGlyph.data() + CheckOnGlyph.size());
    w.entry(picture)->kind = pictureButtonKind;
    w.entry(picture)->picture.assign(CheckOffGlyph.data(), CheckOffGlyph.data() + CheckOffGlyph.size());
    for (HWND b : {push, check, radio, glass, picture}) {
        const UINT states[] = {0, buttonFocused, buttonPressed, buttonDisabled};
        for (int i = 0; i < 4; ++i) paintButtonState(b, states[i], i % 2 == 0);
        const long before = testing::gdiObjectCount();
        for (int i = 0; i < 1000; ++i) paintButtonState(b, states[i % 4], i % 2 == 0);
        CHECK(testing::gdiObjectCount() == before);
    }
}
