// Forms built from descriptions: named controls, pages, events, timers, the message
// loop's private query, keyboard navigation, asynchronous closing and descriptions that
// cannot be built.
#include <doctest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/Form.h"
#include "runtime/Services.h"
#include "support/BmpBuilder.h"
#include "support/DialogProbe.h"
#include "support/RealInput.h"
#include "support/UserInput.h"

using runtime::ControlDesc;
using runtime::ControlKind;
using runtime::Event;
using runtime::Form;

namespace {

constexpr const char* kTitles[] = {"first", "second"};
constexpr COLORREF kRed = RGB(255, 0, 0);

const ControlDesc kControls[] = {
    {.kind = ControlKind::PageContainer, .name = "pages", .x = 0, .y = 0, .width = 300, .height = 200,
     .pageTitles = kTitles},
    {.kind = ControlKind::Button, .name = "outside", .x = 10, .y = 205, .width = 60, .height = 20, .text = "x"},
    {.kind = ControlKind::TransparentLabel, .name = "onWindow", .x = 100, .y = 205, .width = 100, .height = 30,
     .text = "WWW", .font = {20}, .textColor = kRed},
    {.kind = ControlKind::Button, .name = "push", .parent = "pages", .page = 0, .x = 10, .y = 10, .width = 60,
     .height = 20, .text = "push"},
    {.kind = ControlKind::CheckBox, .name = "box", .parent = "pages", .page = 0, .x = 10, .y = 40, .width = 80,
     .height = 20, .text = "box"},
    {.kind = ControlKind::Timer, .name = "timer", .parent = "pages", .page = 0, .visible = false},
    {.kind = ControlKind::TransparentLabel, .name = "wide", .parent = "pages", .page = 1, .x = 10, .y = 10,
     .width = 20, .height = 30, .text = "WWWWWWWW", .font = {24}, .textColor = kRed},
    {.kind = ControlKind::Label, .name = "hidden", .parent = "pages", .page = 1, .x = 10, .y = 50, .width = 40,
     .height = 20, .text = "0", .visible = false},
    {.kind = ControlKind::GroupBox, .name = "group", .parent = "pages", .page = 1, .x = 10, .y = 80, .width = 150,
     .height = 100, .text = "group"},
    {.kind = ControlKind::EditBox, .name = "log", .parent = "group", .x = 8, .y = 20, .width = 130, .height = 70,
     .multiLine = true},
    {.kind = ControlKind::PictureBox, .name = "picture", .parent = "pages", .page = 1, .x = 170, .y = 80,
     .width = 100, .height = 100},
};

// What the handlers saw; handlers are plain functions, so they report here.
struct Record {
    bool createdWhileHidden = false;
    bool controlsExistedWhenCreated = false;
    std::vector<bool> checkedInClick;
    int ticks = 0;
} record;

const runtime::EventBinding kBindings[] = {
    {nullptr, Event::Created,
     [](Form& f) {
         record.createdWhileHidden = !IsWindowVisible(f.hwnd());
         record.controlsExistedWhenCreated = f.control("log").hwnd() != nullptr;
     }},
    {"box", Event::Click, [](Form& f) { record.checkedInClick.push_back(f.control("box").checked()); }},
    {"timer", Event::Tick, [](Form&) { ++record.ticks; }},
};

const runtime::FormDesc kForm{.name = "TestForm", .caption = "test", .x = 20, .y = 20, .width = 320, .height = 260,
                              .border = false, .dragByClientArea = true, .taskbarButton = false,
                              .controls = kControls};

// A session with the test form shown; the form is closed at the end.
struct ShownForm {
    runtime::Session session;
    Form* form;
    ShownForm() {
        record = {};
        form = runtime::showForm(kForm, kBindings);
        REQUIRE(form != nullptr);
    }
    ~ShownForm() {
        if (runtime::formCount() > 0) {
            runtime::closeForm(*form);
            runtime::runMessageLoop();
        }
    }
    runtime::Control& operator[](const char* name) const { return form->control(name); }
};

bool visible(const runtime::Control& c) { return IsWindowVisible(c.hwnd()) != FALSE; }

// Renders a window's client area as its paint would and returns the bitmap's DC.
struct Snapshot {
    gdi::BitmapDc dc;
    explicit Snapshot(HWND hwnd) {
        RECT r;
        GetClientRect(hwnd, &r);
        const gdi::WindowDc screen = gdi::WindowDc::client(nullptr);
        dc.select(CreateCompatibleBitmap(screen.get(), r.right, r.bottom));
        SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    }
    int count(RECT area, COLORREF colour) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (GetPixel(dc.get(), x, y) == colour) ++n;
        return n;
    }
};

}  // namespace

TEST_CASE("a form is built with its named controls, raises created while hidden, then shows") {
    ShownForm shown;
    CHECK(record.createdWhileHidden);
    CHECK(record.controlsExistedWhenCreated);
    CHECK(IsWindowVisible(shown.form->hwnd()));
    CHECK(GetParent(shown["push"].hwnd()) == shown["pages"].hwnd());
    CHECK(GetParent(shown["log"].hwnd()) == shown["group"].hwnd());
    CHECK(GetParent(shown["outside"].hwnd()) == shown.form->hwnd());
    CHECK(shown["wide"].hwnd() == nullptr);
    CHECK(shown["timer"].hwnd() == nullptr);
    CHECK(shown.form->find("nothing") == nullptr);
    CHECK_THROWS_AS(shown.form->control("nothing"), std::out_of_range);
    // Owned by the run time's hidden window: no taskbar button.
    CHECK(GetWindow(shown.form->hwnd(), GW_OWNER) == runtime::ownerWindow());
    CHECK((GetWindowLongPtrA(shown.form->hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW) == 0);
    CHECK((GetWindowLongPtrA(shown.form->hwnd(), GWL_STYLE) & WS_CAPTION) == 0);
}

TEST_CASE("only the controls of the current page show") {
    ShownForm shown;
    runtime::Control& pages = shown["pages"];
    CHECK(pages.page() == 0);
    CHECK(visible(shown["push"]));
    CHECK_FALSE(visible(shown["group"]));
    CHECK(visible(shown["outside"]));

    pages.setPage(1);
    CHECK(pages.page() == 1);
    CHECK_FALSE(visible(shown["push"]));
    CHECK(visible(shown["group"]));
    CHECK(visible(shown["log"]));
    CHECK(shown["wide"].showing());
    CHECK_FALSE(visible(shown["hidden"]));
    CHECK(visible(shown["outside"]));

    SUBCASE("pages that do not exist are ignored") {
        pages.setPage(2);
        pages.setPage(-1);
        CHECK(pages.page() == 1);
    }
    SUBCASE("a control's own flag is kept across page changes") {
        shown["hidden"].setText("12");
        CHECK_FALSE(visible(shown["hidden"]));
        pages.setPage(0);
        shown["hidden"].setVisible(true);
        CHECK_FALSE(visible(shown["hidden"]));
        pages.setPage(1);
        CHECK(visible(shown["hidden"]));
        shown["push"].setVisible(false);
        pages.setPage(0);
        CHECK_FALSE(visible(shown["push"]));
    }
}

TEST_CASE("control properties") {
    ShownForm shown;
    SUBCASE("text of windows and of windowless labels") {
        shown["hidden"].setText("安装");
        CHECK(shown["hidden"].text() == "安装");
        shown["wide"].setText("abc");
        CHECK(shown["wide"].text() == "abc");
    }
    SUBCASE("disabled flag") {
        shown["push"].setDisabled(true);
        CHECK(shown["push"].disabled());
        CHECK_FALSE(IsWindowEnabled(shown["push"].hwnd()));
        shown["push"].setDisabled(false);
        CHECK(IsWindowEnabled(shown["push"].hwnd()));
    }
    SUBCASE("checked state") {
        CHECK_FALSE(shown["box"].checked());
        shown["box"].setChecked(true);
        CHECK(shown["box"].checked());
    }
}

TEST_CASE("a check box has toggled when its click handler runs") {
    ShownForm shown;
    SendMessageA(shown["box"].hwnd(), BM_CLICK, 0, 0);
    SendMessageA(shown["box"].hwnd(), BM_CLICK, 0, 0);
    CHECK(record.checkedInClick == std::vector<bool>{true, false});
}

TEST_CASE("timer interval: start, no change on the same value, stop, restart") {
    ShownForm shown;
    runtime::Control& timer = shown["timer"];
    runtime::delayWithMessages(150);
    CHECK(record.ticks == 0);

    timer.setInterval(300);
    runtime::delayWithMessages(200);
    timer.setInterval(300);  // must not restart the period
    runtime::delayWithMessages(220);
    CHECK(record.ticks >= 1);

    timer.setInterval(0);
    CHECK(timer.interval() == 0);
    record.ticks = 0;
    runtime::delayWithMessages(400);
    CHECK(record.ticks == 0);

    timer.setInterval(50);
    runtime::delayWithMessages(400);
    CHECK(record.ticks >= 3);
    timer.setInterval(-5);
    CHECK(timer.interval() == 0);
}

namespace {
std::vector<std::pair<HWND, UINT>> seenMessages;
constexpr UINT kProbe = WM_APP + 7;

LRESULT CALLBACK recordProbe(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == runtime::kBeforeTranslate || message == kProbe) seenMessages.emplace_back(hwnd, message);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
}  // namespace

TEST_CASE("before a queued message is translated, its target and every ancestor get 0x8002") {
    ShownForm shown;
    const HWND button = shown["push"].hwnd(), pages = shown["pages"].hwnd(), window = shown.form->hwnd();
    for (HWND h : {button, pages, window}) SetWindowSubclass(h, recordProbe, 1, 0);
    runtime::delayWithMessages(50);
    seenMessages.clear();
    PostMessageA(button, kProbe, 0, 0);
    runtime::delayWithMessages(50);
    const std::vector<std::pair<HWND, UINT>> expected{{button, 0x8002}, {pages, 0x8002}, {window, 0x8002},
                                                      {button, kProbe}};
    REQUIRE(seenMessages.size() >= expected.size());
    CHECK(std::vector(seenMessages.end() - 4, seenMessages.end()) == expected);
    for (HWND h : {button, pages, window}) RemoveWindowSubclass(h, recordProbe, 1);
}

TEST_CASE("keyboard: Tab and Shift+Tab cycle through the current page's tab stops") {
    ShownForm shown;
    const HWND push = shown["push"].hwnd(), box = shown["box"].hwnd(), outside = shown["outside"].hwnd();
    SetForegroundWindow(shown.form->hwnd());
    SetFocus(push);
    REQUIRE(GetFocus() == push);

    SUBCASE("forwards in the description's order, round the end") {
        testing::input::key(VK_TAB);
        CHECK(GetFocus() == box);
        testing::input::key(VK_TAB);
        CHECK(GetFocus() == outside);
        testing::input::key(VK_TAB);
        CHECK(GetFocus() == push);
    }
    SUBCASE("backwards with Shift") {
        testing::input::key(VK_TAB, true);
        CHECK(GetFocus() == outside);
        testing::input::key(VK_TAB, true);
        CHECK(GetFocus() == box);
    }
    SUBCASE("disabled and hidden controls are passed over") {
        shown["box"].setDisabled(true);
        testing::input::key(VK_TAB);
        CHECK(GetFocus() == outside);
        shown["box"].setDisabled(false);
        shown["pages"].setPage(1);
        SetFocus(outside);
        testing::input::key(VK_TAB);
        CHECK(GetFocus() == shown["log"].hwnd());
        testing::input::key(VK_TAB);
        CHECK(GetFocus() == outside);
    }
    SUBCASE("Space presses the focused control") {
        SetFocus(box);
        testing::input::key(VK_SPACE);
        CHECK(record.checkedInClick == std::vector<bool>{true});
    }
    SUBCASE("Escape does not close the form and Enter does not move the focus") {
        testing::input::key(VK_ESCAPE);
        testing::input::key(VK_RETURN);
        CHECK(GetFocus() == push);
        shown["pages"].setPage(1);
        SetFocus(shown["log"].hwnd());
        testing::input::key(VK_ESCAPE);
        testing::input::key(VK_RETURN);
        CHECK(GetFocus() == shown["log"].hwnd());
        CHECK(runtime::formCount() == 1);
        CHECK(IsWindowVisible(shown.form->hwnd()));
    }
}

TEST_CASE("a form is dragged by its page background, until a frame takes the drag over") {
    ShownForm shown;
    const HWND hwnd = shown.form->hwnd();
    RECT before{}, after{};
    GetWindowRect(hwnd, &before);
    const POINT from = testing::input::onScreen(shown["pages"].hwnd(), 200, 150);
    testing::input::drag(from, {from.x + 40, from.y + 30});
    GetWindowRect(hwnd, &after);
    CHECK(after.left - before.left == 40);
    CHECK(after.top - before.top == 30);
    shown.form->setDragByClientArea(false);
    CHECK(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(from.x + 40, from.y + 30)) == HTCLIENT);
}

TEST_CASE("closeForm returns at once; the loop ends when the last form is gone") {
    ShownForm shown;
    const HWND hwnd = shown.form->hwnd();
    runtime::closeForm(*shown.form);
    CHECK(IsWindow(hwnd));
    CHECK(runtime::formCount() == 1);
    runtime::runMessageLoop();
    CHECK_FALSE(IsWindow(hwnd));
    CHECK(runtime::formCount() == 0);
}

TEST_CASE("transparent labels are drawn by their parent, cut at their own rectangle") {
    ShownForm shown;
    shown["pages"].setPage(1);
    const RECT label{10, 10, 30, 40}, rightOfLabel{30, 0, 300, 50};
    {
        const Snapshot page(shown["pages"].hwnd());
        CHECK(page.count(label, kRed) > 20);
        CHECK(page.count(rightOfLabel, kRed) == 0);
    }
    shown["wide"].setVisible(false);
    const Snapshot page(shown["pages"].hwnd());
    CHECK(page.count(label, kRed) == 0);
    // A label on the window itself is drawn by the window.
    const Snapshot window(shown.form->hwnd());
    CHECK(window.count({100, 205, 200, 235}, kRed) > 10);
}

TEST_CASE("a picture box shows its picture stretched and keeps it when given bad bytes") {
    ShownForm shown;
    runtime::Control& picture = shown["picture"];
    CHECK_FALSE(picture.hasPicture());
    const auto red = testing::makeBmp(4, 4, 24, false, [](int, int) { return kRed; });
    CHECK(picture.setPicture(red));
    CHECK(picture.hasPicture());
    const std::vector<std::uint8_t> junk(100, 7);
    CHECK_FALSE(picture.setPicture(junk));
    CHECK_FALSE(shown["push"].setPicture(red));

    RECT client;
    GetClientRect(picture.hwnd(), &client);
    const Snapshot shot(picture.hwnd());
    CHECK(shot.count(client, kRed) == client.right * client.bottom);
}

namespace {
const ControlDesc kDuplicate[] = {
    {.kind = ControlKind::Button, .name = "same"},
    {.kind = ControlKind::Button, .name = "same"},
};
const ControlDesc kBadPage[] = {
    {.kind = ControlKind::PageContainer, .name = "pages", .pageTitles = kTitles},
    {.kind = ControlKind::Button, .name = "b", .parent = "pages", .page = 2},
};
const ControlDesc kMissingParent[] = {
    {.kind = ControlKind::Button, .name = "b", .parent = "nowhere"},
};
const runtime::EventBinding kUnknownControl[] = {{"ghost", Event::Click, [](Form&) {}}};
// Checked when the form is built, though decoded only when the box is first painted.
const ByteSet kNoPicture{1, 0};
const ControlDesc kBadPicture[] = {
    {.kind = ControlKind::PictureBox, .name = "p", .width = 10, .height = 10, .picture = &kNoPicture},
};
}  // namespace

TEST_CASE("a description that cannot be built is reported and gives no window") {
    runtime::Session session;
    auto tryForm = [](std::span<const ControlDesc> controls, std::span<const runtime::EventBinding> bindings) {
        const runtime::FormDesc desc{.name = "Broken", .caption = "broken", .width = 100, .height = 100,
                                     .controls = controls};
        testing::DialogProbe watcher(GetCurrentThreadId(), IDOK);
        const Form* form = runtime::showForm(desc, bindings);
        const testing::DialogSeen seen = watcher.seen();
        CHECK(form == nullptr);
        CHECK(seen.found);
        CHECK(seen.texts.find("载入窗口模板数据段出错!") != std::string::npos);
        CHECK(runtime::formCount() == 0);
    };
    SUBCASE("duplicate names") { tryForm(kDuplicate, {}); }
    SUBCASE("a page the container does not have") { tryForm(kBadPage, {}); }
    SUBCASE("a parent that is not in the form") { tryForm(kMissingParent, {}); }
    SUBCASE("a picture that is no BMP file") { tryForm(kBadPicture, {}); }
    SUBCASE("an event of a control that is not in the form") { tryForm(kControls, kUnknownControl); }
}
