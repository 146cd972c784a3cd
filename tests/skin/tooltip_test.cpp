// The tooltip wrapper against a real tooltip control.
#include <doctest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "SkinTestWindows.h"
#include "skin/Tooltip.h"
#include "skin/WindowUtils.h"

using skin::Tooltip;

namespace {

struct ToolState {
    bool found = false;
    UINT flags = 0;
    RECT rect{};
    std::string text;
};

ToolState readTool(HWND tip, HWND owner, int id) {
    char text[256] = {};
    TTTOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.hwnd = owner;
    info.uId = static_cast<UINT_PTR>(id);
    info.lpszText = text;
    ToolState state;
    state.found = SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    state.flags = info.uFlags;
    state.rect = info.rect;
    info.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&info));
    state.text = text;
    return state;
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST_CASE("a tooltip is created for its owner's client area") {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    HWND owner = skintest::makeTopWindow(0, 0, 300, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Tooltip tip;
    CHECK(tip.handle() == nullptr);

    SUBCASE("without the balloon argument it always tips and has no balloon") {
        HWND made = tip.create(owner);
        REQUIRE(made != nullptr);
        CHECK(tip.handle() == made);
        CHECK(skin::isClass(made, TOOLTIPS_CLASSA));
        const LONG style = GetWindowLongA(made, GWL_STYLE);
        CHECK((style & TTS_ALWAYSTIP) != 0);
        CHECK((style & TTS_BALLOON) == 0);
        CHECK(GetParent(made) == nullptr);
    }
    SUBCASE("balloon given as true") {
        CHECK((GetWindowLongA(tip.create(owner, true), GWL_STYLE) & TTS_BALLOON) != 0);
    }
    SUBCASE("balloon given as false") {
        CHECK((GetWindowLongA(tip.create(owner, false), GWL_STYLE) & TTS_BALLOON) == 0);
    }
    DestroyWindow(owner);
}

TEST_CASE("tools are added, moved and retitled by id") {
    HWND owner = skintest::makeTopWindow(0, 0, 300, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Tooltip tip;
    tip.create(owner);
    tip.addTool(RECT{200, 0, 226, 18}, "最小化", 1);
    tip.addTool(RECT{227, 0, 265, 18}, "关闭", 2);
    CHECK(SendMessageA(tip.handle(), TTM_GETTOOLCOUNT, 0, 0) == 2);

    ToolState close = readTool(tip.handle(), owner, 2);
    REQUIRE(close.found);
    CHECK((close.flags & TTF_SUBCLASS) != 0);
    CHECK(sameRect(close.rect, RECT{227, 0, 265, 18}));
    CHECK(close.text == "关闭");

    SUBCASE("after a new layout the tool follows the button") {
        tip.setToolRect(2, RECT{150, 1, 190, 19});
        CHECK(sameRect(readTool(tip.handle(), owner, 2).rect, RECT{150, 1, 190, 19}));
        CHECK(sameRect(readTool(tip.handle(), owner, 1).rect, RECT{200, 0, 226, 18}));
        CHECK(readTool(tip.handle(), owner, 2).text == "关闭");
    }
    SUBCASE("new text replaces the old one") {
        std::string text = "帮助";
        tip.setToolText(1, text.c_str());
        text.assign("xxxx");  // the control keeps its own copy
        CHECK(readTool(tip.handle(), owner, 1).text == "帮助");
    }
    SUBCASE("colours and width go to the control") {
        tip.setBackColor(RGB(1, 2, 3));
        tip.setTextColor(RGB(4, 5, 6));
        tip.setMaxWidth(120);
        CHECK(static_cast<COLORREF>(SendMessageA(tip.handle(), TTM_GETTIPBKCOLOR, 0, 0)) == RGB(1, 2, 3));
        CHECK(static_cast<COLORREF>(SendMessageA(tip.handle(), TTM_GETTIPTEXTCOLOR, 0, 0)) == RGB(4, 5, 6));
        CHECK(SendMessageA(tip.handle(), TTM_GETMAXTIPWIDTH, 0, 0) == 120);
    }
    DestroyWindow(owner);
}

TEST_CASE("the tooltip window lives exactly as long as its owner object") {
    HWND owner = skintest::makeTopWindow(0, 0, 100, 100);
    HWND first = nullptr;
    HWND moved = nullptr;
    {
        Tooltip tip;
        first = tip.create(owner);
        REQUIRE(IsWindow(first));
        Tooltip other = std::move(tip);
        moved = other.handle();
        CHECK(tip.handle() == nullptr);
        CHECK(IsWindow(moved));
        HWND second = other.create(owner);
        CHECK(!IsWindow(first));
        CHECK(IsWindow(second));
        moved = second;
    }
    CHECK(!IsWindow(moved));

    SUBCASE("requests before create go nowhere") {
        Tooltip idle;
        idle.addTool(RECT{0, 0, 1, 1}, "x", 1);
        idle.setToolRect(1, RECT{});
        CHECK(idle.handle() == nullptr);
    }
    DestroyWindow(owner);
}
