// Skinned buttons, trackbars, progress bars and up-downs on a skinned window with a flat
// background: which controls are taken, clicks, text, what the painters leave on the
// screen in each state (the colours the skin fixes), and handle use over many paints.
#include <doctest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <span>
#include <utility>
#include <vector>

#include "SkinTestWindows.h"
#include "assets/Assets.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/Buttons.h"
#include "skin/controls/Installers.h"
#include "support/GuiObjects.h"
#include "support/RealInput.h"

using namespace skin;
namespace input = testing::input;

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

HWND makeParent() {
    static const char* name = [] {
        initSkinModule();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        return skintest::registerWindowClass("ControlTestParent", parentProc);
    }();
    return CreateWindowExA(0, name, "t", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// A skinned 400 x 300 window with a flat dark blue background; the theme colour is
// put back when it goes.
struct ControlWindow {
    HWND top = makeParent();
    int index = skintest::skinTestWindow(top);
    SkinRecord* record = skinRecords.at(index);
    gdi::UniqueFont font{CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "SimSun")};
    ControlWindow() {
        record->backgroundDc.select(gdi::makeDibPicture(400, 300));
        gdi::UniqueBrush brush(CreateSolidBrush(RGB(0, 0, 160)));
        const RECT all{0, 0, 400, 300};
        FillRect(record->backgroundDc.get(), &all, brush.get());
    }
    ~ControlWindow() {
        themeColor = 0x00DDCA22;
        DestroyWindow(top);
    }
    HWND add(const char* className, LONG style, int x, int y, int w, int h, const char* text = "") {
        HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, top, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        return control;
    }
    // Runs the class installers over the window and paints everything.
    void skin() {
        skinChildControls(index, top);
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    ButtonSkin& button(HWND b) { return *record->buttons.at(record->buttons.indexOf(b)); }
};

// A window whose theme colour is red while it lives.
struct RangeWindow : ControlWindow {
    RangeWindow() { themeColor = RGB(255, 0, 0); }
};

// The pixels of a DC's w x h area.
struct Shot {
    int w = 0, h = 0;
    std::vector<COLORREF> pixels;
    Shot(HDC dc, int width, int height) : w(width), h(height) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels.push_back(GetPixel(dc, x, y));
    }
    // The whole window rectangle of a control, as it shows on the screen.
    static Shot of(HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        return Shot(gdi::WindowDc::whole(control).get(), r.right - r.left, r.bottom - r.top);
    }
    COLORREF at(int x, int y) const { return pixels[static_cast<std::size_t>(y * w + x)]; }
    template <class Test>
    int count(RECT r, Test&& test) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += test(at(x, y)) ? 1 : 0;
        return n;
    }
    bool operator==(const Shot&) const = default;
};

bool reddish(COLORREF c) { return GetRValue(c) > GetGValue(c) + 60 && GetRValue(c) > GetBValue(c) + 60; }
bool bright(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200; }

// What the push-button painter leaves on a picture of the button's size.
Shot painted(HWND b, UINT state) {
    gdi::BitmapDc dc;
    dc.select(gdi::makeDibPicture(100, 26));
    paintPushButton(b, dc.get(), state, RECT{0, 0, 100, 26});
    return Shot(dc.get(), 100, 26);
}

void repaint(HWND control) {
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
}

RECT thumbOf(HWND trackbar) {
    RECT r{};
    SendMessageA(trackbar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    InflateRect(&r, 2, 2);
    return r;
}

// Width and height of the smallest rectangle holding every reddish pixel.
SIZE reddishExtent(const Shot& shot) {
    int left = shot.w, top = shot.h, right = 0, bottom = 0;
    for (int y = 0; y < shot.h; ++y)
        for (int x = 0; x < shot.w; ++x)
            if (reddish(shot.at(x, y))) {
                left = std::min(left, x), top = std::min(top, y);
                right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
            }
    return {right - left, bottom - top};
}

}  // namespace

TEST_CASE("buttons are skinned by style; the others keep the system look; a second run changes nothing") {
    ControlWindow w;
    const struct {
        LONG style;
        int kind;  // -1: not skinned
    } cases[] = {
        {BS_PUSHBUTTON, pushButtonKind}, {BS_DEFPUSHBUTTON, pushButtonKind}, {BS_USERBUTTON, pushButtonKind},
        {BS_CHECKBOX, checkBoxKind}, {BS_AUTOCHECKBOX, checkBoxKind}, {BS_PUSHBOX, pushButtonKind},
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
            const ButtonSkin& b = w.button(made[i]);
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

TEST_CASE("clicks: a double click gives one, a radio button takes the check from its mate; new text shows") {
    ControlWindow w;
    HWND push = w.add("BUTTON", BS_PUSHBUTTON, 10, 10, 100, 26, "one");
    HWND check = w.add("BUTTON", BS_AUTOCHECKBOX, 10, 50, 100, 26, "box");
    HWND radios[] = {w.add("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 10, 90, 100, 26, "a"),
                     w.add("BUTTON", BS_AUTORADIOBUTTON, 10, 130, 100, 26, "b")};
    SendMessageA(radios[0], BM_SETCHECK, BST_CHECKED, 0);
    w.skin();
    for (HWND b : {push, check}) {
        clicks = 0;
        input::doubleClick(input::onScreen(b, 5, 5));
        CHECK(clicks == 1);
        input::click(input::onScreen(b, 5, 5));  // a user's next click, spaced as users do
        CHECK(clicks == 2);
    }
    CHECK(SendMessageA(check, BM_GETCHECK, 0, 0) == BST_UNCHECKED);

    // The pointer over the text lights the mark in the theme colour.
    themeColor = RGB(255, 0, 0);
    const struct { HWND button; RECT mark; } marks[] = {{check, {0, 6, 13, 19}}, {radios[1], {3, 7, 12, 17}}};
    for (const auto& m : marks) {
        input::moveAway();
        CHECK(Shot::of(m.button).count(m.mark, reddish) == 0);
        input::moveTo(input::onScreen(m.button, 60, 13));
        CHECK(Shot::of(m.button).count(m.mark, reddish) > 0);
    }
    // A click on the unchecked radio button checks it and clears its group mate.
    input::click(input::onScreen(radios[1], 60, 13));
    CHECK(SendMessageA(radios[1], BM_GETCHECK, 0, 0) == BST_CHECKED);
    CHECK(SendMessageA(radios[0], BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    SendMessageA(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);  // as dialogs do with their default button
    CHECK((GetWindowLongPtrA(push, GWL_STYLE) & 0x0F) == BS_OWNERDRAW);

    const Shot before = painted(push, 0);
    SetWindowTextA(push, "two, longer");
    CHECK(w.button(push).text == "two, longer");
    CHECK(!(painted(push, 0) == before));
    SetWindowTextA(push, "one");
    CHECK(painted(push, 0) == before);

    SUBCASE("a face that cannot be made falls back to the system's GUI font") {
        w.button(push).fontName = "no such face";
        const Shot named = painted(push, 0);
        w.button(push).text.clear();
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
    // Focused with the pointer elsewhere: the glow reaches the screen.
    input::moveAway();
    SetFocus(push);
    input::settle();
    const COLORREF shown = Shot::of(push).at(0, 13);
    CHECK(GetGValue(shown) > GetRValue(shown) + 50);

    SUBCASE("hover reaches the screen through the button's procedure, paint through the parent") {
        themeColor = RGB(255, 0, 0);
        input::moveTo(input::onScreen(push, 5, 5));
        CHECK(reddish(Shot::of(push).at(0, 13)));
        InvalidateRect(push, nullptr, TRUE);
        UpdateWindow(push);
        const COLORREF face = Shot::of(push).at(50, 13);  // the blue background shows through
        CHECK(GetBValue(face) > GetRValue(face) + 40);
    }
}

TEST_CASE("range controls take their flags from their styles, once") {
    RangeWindow w;
    const struct {
        const char* cls;
        LONG style;
        std::array<int, 3> flags;  // vertical (horizontal for up-downs), tick placement, selection range
    } cases[] = {
        {TRACKBAR_CLASSA, 0, {0, 1, 0}}, {TRACKBAR_CLASSA, TBS_VERT | TBS_LEFT, {1, 0, 0}},
        {TRACKBAR_CLASSA, TBS_BOTH | TBS_ENABLESELRANGE, {0, 2, 1}}, {TRACKBAR_CLASSA, TBS_NOTICKS | TBS_TOP, {0, 3, 0}},
        {PROGRESS_CLASSA, PBS_VERTICAL, {1, 0, 0}}, {PROGRESS_CLASSA, 0, {0, 0, 0}},
        {UPDOWN_CLASSA, UDS_HORZ, {1, 0, 0}}, {UPDOWN_CLASSA, 0, {0, 0, 0}},
    };
    auto flagsOf = [&](HWND c) -> std::array<int, 3> {
        const int at = getPropInt(c, prop::index);
        if (isClass(c, TRACKBAR_CLASSA)) {
            const TrackbarSkin& t = *w.record->trackbars.at(at);
            return {t.hwnd == c ? t.vertical : -1, t.tickPlacement, t.selRange};
        }
        if (isClass(c, PROGRESS_CLASSA)) return {w.record->progressBars.at(at)->vertical, 0, 0};
        return {w.record->upDowns.at(at)->horizontal, 0, 0};
    };
    std::vector<HWND> made;
    for (const auto& c : cases) made.push_back(w.add(c.cls, c.style, 10, 10 + 30 * static_cast<int>(made.size()), 100, 25));
    for (int run = 0; run < 2; ++run) {
        w.skin();
        CHECK(w.record->trackbars.count() + w.record->progressBars.count() + w.record->upDowns.count() == 8);
        for (std::size_t i = 0; i < made.size(); ++i) {
            INFO(cases[i].cls << " style " << cases[i].style);
            REQUIRE(isSubclassed(made[i]));
            CHECK(flagsOf(made[i]) == cases[i].flags);
        }
    }
}

TEST_CASE("trackbars: hover and drag show the round thumb; positions count from the range minimum") {
    RangeWindow w;
    HWND bar = w.add(TRACKBAR_CLASSA, TBS_ENABLESELRANGE, 10, 10, 220, 40);
    HWND shifted = w.add(TRACKBAR_CLASSA, TBS_ENABLESELRANGE, 10, 60, 220, 40);
    HWND upright = w.add(TRACKBAR_CLASSA, TBS_VERT, 250, 10, 40, 220);
    for (auto [control, low] : {std::pair{bar, 0}, std::pair{shifted, 50}}) {
        SendMessageA(control, TBM_SETRANGE, TRUE, MAKELPARAM(low, low + 100));
        SendMessageA(control, TBM_SETSEL, TRUE, MAKELPARAM(low + 25, low + 75));
        SendMessageA(control, TBM_SETPOS, TRUE, low + 50);
    }
    SendMessageA(upright, TBM_SETPOS, TRUE, SendMessageA(upright, TBM_GETRANGEMAX, 0, 0));
    w.skin();

    CHECK(Shot::of(bar) == Shot::of(shifted));  // the same share of the range, the same picture
    const int dot = Shot::of(bar).count(thumbOf(bar), bright);
    input::moveTo(input::onScreen(bar, 5, 5));
    CHECK(Shot::of(bar).count(thumbOf(bar), bright) > dot + 30);
    input::moveTo(input::onScreen(w.top, 390, 290));
    CHECK(input::waitFor([&] { return Shot::of(bar).count(thumbOf(bar), bright) == dot; }));

    SUBCASE("dragging the thumb moves it, and the round thumb goes with it") {
        const RECT t = thumbOf(bar);
        const int x = (t.left + t.right) / 2, y = (t.top + t.bottom) / 2;
        input::drag(input::onScreen(bar, x, y), input::onScreen(bar, x + 60, y));
        UpdateWindow(bar);
        CHECK(SendMessageA(bar, TBM_GETPOS, 0, 0) > 70);
        CHECK(Shot::of(bar).count(thumbOf(bar), bright) > dot + 30);
    }
    SUBCASE("the filled track of a vertical trackbar runs down, that of a horizontal one across") {
        const SIZE down = reddishExtent(Shot::of(upright)), across = reddishExtent(Shot::of(bar));
        CHECK(down.cy > 100);
        CHECK(down.cx < 5);
        CHECK(across.cx > 50);
        CHECK(across.cy < 5);
    }
}

TEST_CASE("progress bars fill from the low end of their range") {
    RangeWindow w;
    const struct {
        int low, high, pos;
        bool quarter, threeQuarters;  // filled at a quarter and at three quarters of the width
    } cases[] = {
        {0, 100, 0, false, false},   {0, 100, 50, true, false},   {0, 100, 100, true, true},
        {50, 150, 50, false, false}, {50, 150, 100, true, false}, {50, 150, 150, true, true},
    };
    HWND bar = w.add(PROGRESS_CLASSA, 0, 10, 10, 200, 20);
    w.skin();
    for (const auto& c : cases) {
        INFO(c.low << ".." << c.high << " at " << c.pos);
        SendMessageA(bar, PBM_SETRANGE32, c.low, c.high);
        SendMessageA(bar, PBM_SETPOS, c.pos, 0);
        repaint(bar);
        const Shot shot = Shot::of(bar);
        CHECK(reddish(shot.at(50, 16)) == c.quarter);
        CHECK(reddish(shot.at(150, 16)) == c.threeQuarters);
        CHECK(reddish(shot.at(195, 16)) == c.threeQuarters);
    }
}

TEST_CASE("up-down halves light up under the mouse and when pressed") {
    RangeWindow w;
    HWND upDown = w.add(UPDOWN_CLASSA, 0, 10, 10, 20, 40);
    w.skin();
    enum Action { move, press, release, leave };
    const struct {
        Action action;
        int y;
        bool upLit, downLit;
    } steps[] = {
        {move, 5, true, false},  {move, 30, false, true},    {leave, 0, false, false},
        {press, 30, false, true}, {release, 30, false, true}, {leave, 0, false, false},
    };
    for (const auto& s : steps) {
        INFO("action " << s.action << " at y " << s.y);
        const POINT at = input::onScreen(upDown, 10, s.y);
        switch (s.action) {
        case move: input::moveTo(at); break;
        case press: input::press(at); break;
        case release: input::release(at); break;
        case leave: input::moveTo(input::onScreen(w.top, 390, 290)); break;
        }
        UpdateWindow(upDown);
        CHECK(input::waitFor([&] {
            const Shot shot = Shot::of(upDown);
            return reddish(shot.at(0, 9)) == s.upLit && reddish(shot.at(0, 29)) == s.downLit;
        }));
    }
}

TEST_CASE("WM_PRINTCLIENT shows what WM_PAINT does; 1,000 repaints of each control kind leave no GDI object behind") {
    RangeWindow w;
    HWND controls[] = {w.add("BUTTON", BS_PUSHBUTTON, 10, 10, 90, 26, "push"),
                       w.add("BUTTON", BS_AUTOCHECKBOX, 10, 40, 90, 26, "check"),
                       w.add("BUTTON", BS_AUTORADIOBUTTON, 10, 70, 90, 26, "radio"),
                       w.add("BUTTON", BS_PUSHBUTTON, 10, 100, 80, 60, "glass"),
                       w.add("BUTTON", BS_PUSHBUTTON, 10, 170, 40, 40),
                       w.add(TRACKBAR_CLASSA, TBS_ENABLESELRANGE, 120, 10, 200, 40),
                       w.add(PROGRESS_CLASSA, 0, 120, 60, 200, 20),
                       w.add(UPDOWN_CLASSA, 0, 120, 90, 20, 40)};
    SendMessageA(controls[1], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(controls[2], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(controls[6], PBM_SETPOS, 40, 0);
    w.skin();
    // WM_PRINTCLIENT reaches the painter WM_PAINT does: the picture is what the screen shows.
    for (HWND c : controls) {
        RECT r{};
        GetClientRect(c, &r);
        gdi::BitmapDc printed;
        printed.select(gdi::makeDibPicture(r.right, r.bottom));
        SendMessageA(c, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.get()), PRF_CLIENT);
        CHECK(Shot(printed.get(), r.right, r.bottom) == Shot::of(c));
    }
    w.button(controls[3]).kind = glassButtonKind;
    w.button(controls[3]).picture.assign(CheckOnGlyph.data(), CheckOnGlyph.data() + CheckOnGlyph.size());
    w.button(controls[4]).kind = pictureButtonKind;
    w.button(controls[4]).picture.assign(CheckOffGlyph.data(), CheckOffGlyph.data() + CheckOffGlyph.size());
    for (HWND c : controls) {
        // Hovered, left and (now and then) disabled; the first round fills the caches.
        auto paints = [c](int n) {
            for (int i = 0; i < n; ++i) {
                EnableWindow(c, i % 200 != 3);
                SendMessageA(c, i % 2 ? WM_MOUSELEAVE : WM_MOUSEMOVE, 0, MAKELPARAM(5, 5 + i % 30));
                repaint(c);
            }
        };
        paints(10);
        const long before = testing::gdiObjectCount();
        paints(1000);
        CHECK(testing::gdiObjectCount() == before);
    }
    // A new backdrop shows through each button at its next paint, whatever face it kept.
    gdi::UniqueBrush green(CreateSolidBrush(RGB(0, 160, 0)));
    const RECT all{0, 0, 400, 300};
    FillRect(w.record->backgroundDc.get(), &all, green.get());
    for (HWND c : std::span(controls, 5)) {
        const Shot old = Shot::of(c);
        repaint(c);
        CHECK(Shot::of(c) != old);
    }
}
