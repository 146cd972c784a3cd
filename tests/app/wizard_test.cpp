// Drives the real WizardWindow in process: page graph, licence box, cancel-button rule,
// directory prompt, folder browser, finish, exit clean-up and object counts.
#include <doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WineGaps.h"
#include "app/SkinSetup.h"
#include "app/Texts.h"
#include "app/Wizard.h"
#include "app/WizardForm.h"
#include "assets/Assets.h"
#include "runtime/Services.h"
#include "skin/SkinCore.h"
#include "support/DialogProbe.h"
#include "support/GuiObjects.h"
#include "support/RealInput.h"
#include "support/ScreenReference.h"
#include "support/UserInput.h"

using runtime::Control;
using runtime::Form;

namespace {

// The wizard as the installer shows it: skinned.
struct Wizard {
    runtime::Session session;
    Form* form = nullptr;

    Wizard() {
        app::useInstallerSkin();
        app::skinHooks().startUp();
        form = runtime::showForm(app::wizardForm(), app::wizardBindings());
        REQUIRE(form != nullptr);
    }
    ~Wizard() {
        if (runtime::formCount() > 0) {
            runtime::closeForm(*form);
            runtime::runMessageLoop();
        }
    }
    Control& operator[](const char* name) const { return form->control(name); }
    int page() const { return form->control("选择夹1").page(); }
    void setPage(int page) const { form->control("选择夹1").setPage(page); }

    // A click as the user can give it: only on a button that shows and is enabled.
    void click(const char* name) const { testing::clickAsUser(*form, name); }
};

bool shows(const Control& c) { return IsWindowVisible(c.hwnd()) != FALSE; }

// Pumps messages until the condition holds or the time is up; returns the condition.
template <typename Condition>
bool within(int milliseconds, Condition condition) {
    for (int waited = 0; !condition() && waited < milliseconds; waited += 10) runtime::delayWithMessages(10);
    return condition();
}

void toDirectoryPage(const Wizard& w) {
    w.click("按钮2");
    w.click("选择框1");
    w.click("按钮3");
    REQUIRE(w.page() == app::kDirectoryPage);
}

}  // namespace

TEST_CASE("the window: size, place, frame, caption and initial state") {
    Wizard w;
    RECT r;
    GetWindowRect(w.form->hwnd(), &r);
    CHECK(r.right - r.left == 901);
    CHECK(r.bottom - r.top == 661);
    CHECK(r.left == (GetSystemMetrics(SM_CXSCREEN) - 901) / 2);
    CHECK(r.top == (GetSystemMetrics(SM_CYSCREEN) - 661) / 2);
    const LONG_PTR style = GetWindowLongPtrA(w.form->hwnd(), GWL_STYLE);
    CHECK((style & (WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0);
    CHECK((style & WS_SYSMENU) != 0);
    CHECK(GetWindow(w.form->hwnd(), GW_OWNER) == runtime::ownerWindow());
    char caption[128];
    GetWindowTextA(w.form->hwnd(), caption, sizeof caption);
    CHECK(std::string(caption) == "Velmora码字2.0（一直在努力，从未被超越！）");

    CHECK(w.page() == app::kWelcomePage);
    CHECK(w["选择夹1"].pageCount() == 6);
    CHECK(shows(w["按钮1"]));
    CHECK(shows(w["按钮2"]));
    CHECK_FALSE(shows(w["按钮9"]));
    CHECK(w["按钮3"].disabled());
    CHECK_FALSE(w["选择框1"].checked());
    CHECK(w["选择框6"].checked());
    CHECK(w["编辑框1"].text() == "D:\\");
    CHECK(w["编辑框2"].text().empty());
    CHECK(w["标签2"].text() == "0");
    CHECK(w["时钟1"].interval() == 0);
    CHECK(w["图片框1"].hasPicture());
    // The cancel button lies above the page container.
    CHECK(ChildWindowFromPointEx(w.form->hwnd(), POINT{40, 600}, CWP_SKIPINVISIBLE) == w["按钮1"].hwnd());
}

TEST_CASE("every edge of the page graph") {
    Wizard w;
    w.click("按钮2");
    CHECK(w.page() == app::kLicencePage);
    w.click("按钮9");
    CHECK(w.page() == app::kWelcomePage);
    w.click("按钮2");
    w.click("选择框1");
    w.click("按钮3");
    CHECK(w.page() == app::kDirectoryPage);
    w.click("按钮10");
    CHECK(w.page() == app::kLicencePage);
    CHECK(w["选择框1"].checked());
    w.click("按钮3");
    w.click("按钮5");
    CHECK(w.page() == app::kConfirmPage);
    w.click("按钮11");
    CHECK(w.page() == app::kDirectoryPage);
}

TEST_CASE("按钮3 is enabled exactly while the licence box is checked") {
    Wizard w;
    w.click("按钮2");
    CHECK_FALSE(IsWindowEnabled(w["按钮3"].hwnd()));
    w.click("选择框1");
    CHECK(IsWindowEnabled(w["按钮3"].hwnd()));
    w.click("选择框1");
    CHECK_FALSE(IsWindowEnabled(w["按钮3"].hwnd()));
}

TEST_CASE("the cancel button follows the page once the timer runs") {
    Wizard w;
    toDirectoryPage(w);
    w.click("按钮5");
    CHECK(w["时钟1"].interval() == texts::cancelTimerMs);
    CHECK(within(300, [&] { return !shows(w["按钮1"]); }));
    w.click("按钮11");
    CHECK(within(300, [&] { return shows(w["按钮1"]); }));

    SUBCASE("from the tutorial page on it stays hidden and the timer stops for good") {
        w.click("按钮5");
        w.setPage(app::kTutorialPage);  // where the installation routine leads
        CHECK(within(300, [&] { return w["时钟1"].interval() == 0; }));
        CHECK_FALSE(shows(w["按钮1"]));
        w.setPage(app::kDirectoryPage);
        runtime::delayWithMessages(300);
        CHECK_FALSE(shows(w["按钮1"]));
    }
}

TEST_CASE("an empty directory brings the prompt, above all windows, and page 2 stays") {
    Wizard w;
    toDirectoryPage(w);
    w["编辑框1"].setText("");
    testing::DialogProbe watcher(GetCurrentThreadId(), IDOK);
    w.click("按钮5");
    const testing::DialogSeen& seen = watcher.seen();
    REQUIRE(seen.found);
    CHECK(seen.caption == "安装提示：");
    CHECK(seen.texts.find("安装目录不能为空，请选择安装目录~！") != std::string::npos);
    CHECK(((seen.exStyle & WS_EX_TOPMOST) != 0) == !wineGap(WineGap::MessageBoxTopmostStyleMissing));
    CHECK(seen.skinned);
    CHECK((seen.exStyle & WS_EX_LAYERED) != 0);  // it fades in
    CHECK(w.page() == app::kDirectoryPage);
    CHECK(w["时钟1"].interval() == texts::cancelTimerMs);
    runtime::delayWithMessages(250);
    CHECK(shows(w["按钮1"]));
}

TEST_CASE("cancelling the folder browser empties the directory box, which cannot be typed into") {
    Wizard w;
    toDirectoryPage(w);
    {
        testing::DialogProbe watcher(GetCurrentThreadId(), IDCANCEL, w.form->hwnd());
        w.click("按钮4");
        const testing::DialogSeen& seen = watcher.seen();
        REQUIRE(seen.found);
        CHECK_FALSE(seen.watchedWasEnabled);
    }
    CHECK(w["编辑框1"].text().empty());
    CHECK(IsWindowEnabled(w.form->hwnd()));

    const HWND edit = w["编辑框1"].hwnd();
    CHECK((GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY) != 0);
    SendMessageA(edit, WM_CHAR, 'x', 0);
    CHECK(w["编辑框1"].text().empty());

    // The next click on 按钮5 therefore brings the prompt.
    testing::DialogProbe watcher(GetCurrentThreadId(), IDOK);
    w.click("按钮5");
    CHECK(watcher.seen().found);
}

TEST_CASE("标签2 never shows, whatever its text") {
    Wizard w;
    w.setPage(app::kTutorialPage);
    w["标签2"].setText("3");
    CHECK_FALSE(shows(w["标签2"]));
    CHECK(shows(w["按钮12"]));
    w.setPage(app::kFinishPage);
    CHECK_FALSE(shows(w["按钮12"]));
    CHECK_FALSE(shows(w["标签2"]));
}

TEST_CASE("a windowless label's new text reaches the screen, and its old text comes back") {
    Wizard w;
    w.setPage(app::kConfirmPage);
    Control& label = w["透明标签6"];
    // How much of the label's ink the screen shows over its rectangle.
    auto shown = [&] {
        runtime::delayWithMessages(300);
        RECT r{label.desc().x, label.desc().y, label.desc().x + label.desc().width, label.desc().y + label.desc().height};
        MapWindowPoints(w["选择夹1"].hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        const testing::ScreenShot shot(r);
        return shot.count({0, 0, shot.width(), shot.height()}, label.desc().textColor);
    };
    const std::string original = label.text();
    const int before = shown();
    label.setText("一");
    CHECK(shown() < before);
    label.setText(original);
    CHECK(shown() == before);
}

namespace {

// A product folder on drive D: holding the stand-in application; removed afterwards.
struct InstalledStandIn {
    std::string directory = "D:\\wizard-finish\\";
    std::string folder = directory + "Velmora码字";
    std::string application = folder + "\\Velmora写作.exe";
    std::string marker = application + ".started";
    InstalledStandIn() {
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string helper(exe);
        helper = helper.substr(0, helper.rfind('\\')) + "\\velmora_marker_app.exe";
        CreateDirectoryA(directory.c_str(), nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
        DeleteFileA(marker.c_str());
        REQUIRE(CopyFileA(helper.c_str(), application.c_str(), FALSE));
    }
    ~InstalledStandIn() {
        DeleteFileA(marker.c_str());
        DeleteFileA(application.c_str());
        RemoveDirectoryA(folder.c_str());
        RemoveDirectoryA(directory.c_str());
    }
    bool started() const { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }
};

}  // namespace

TEST_CASE("finish starts the installed application when 选择框6 is checked, then closes") {
    InstalledStandIn standIn;
    Wizard w;
    const HWND hwnd = w.form->hwnd();
    w["编辑框1"].setText(standIn.directory);
    w.setPage(app::kFinishPage);

    SUBCASE("checked") {
        w.click("按钮7");
        CHECK(IsWindow(hwnd));  // closing is asynchronous
        runtime::runMessageLoop();
        CHECK_FALSE(IsWindow(hwnd));
        for (int i = 0; i < 100 && !standIn.started(); ++i) Sleep(50);
        CHECK(standIn.started());
    }
    SUBCASE("clear") {
        w.click("选择框6");
        w.click("按钮7");
        runtime::runMessageLoop();
        CHECK_FALSE(IsWindow(hwnd));
        Sleep(1000);
        CHECK_FALSE(standIn.started());
    }
}

TEST_CASE("the application path has one backslash before the product folder") {
    CHECK(app::applicationPath("D:\\") == "D:\\Velmora码字\\Velmora写作.exe");
    CHECK(app::applicationPath("D:\\soft") == "D:\\soft\\Velmora码字\\Velmora写作.exe");
    // 0x81 0x5C is one GBK character whose second byte looks like a backslash.
    CHECK(app::applicationPath("D:\\\x81\x5C") == "D:\\\x81\x5C\\Velmora码字\\Velmora写作.exe");
}

namespace {
struct StartUpRecord {
    int startUps = 0;
    int cleanups = 0;
    bool configuredBeforeShown = false;
    bool skinnedBeforeShown = false;
    bool configuredBeforeLicenceRule = false;
} startUpRecord;

// The close button at the right end of the caption-button strip, on the screen.
POINT closeButtonCentre(HWND window) {
    const skin::SkinRecord& record = *skin::skinRecords.at(skin::findSkinIndex(window));
    const skin::FloatRect& close = record.captionButtons.back().rect;
    return testing::input::onScreen(window, int(close.x + close.width / 2), int(close.y + close.height / 2));
}

// The user clicks the close button once the window is up. Only sent: the installer's own
// message loop processes it.
HWND closing = nullptr;
void CALLBACK clickClose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const POINT at = closeButtonCentre(closing);
    testing::input::sendMouse({{at}, {at, MOUSEEVENTF_LEFTDOWN}, {at, MOUSEEVENTF_LEFTUP}});
}
void closeByCaptionButton(Form& form) {
    closing = form.hwnd();
    SetTimer(nullptr, 0, 200, clickClose);
}
}  // namespace

TEST_CASE("runInstaller: skinned before it shows; every way out runs the clean-up once and ends the skin") {
    const struct {
        const char* way;
        void (*leave)(Form&);
    } ways[] = {
        {"取消安装", [](Form& f) { PostMessageA(f.control("按钮1").hwnd(), BM_CLICK, 0, 0); }},
        {"the close caption button", closeByCaptionButton},
        {"完成安装",
         [](Form& f) {
             f.control("选择框6").setChecked(false);
             f.control("选择夹1").setPage(app::kFinishPage);
             PostMessageA(f.control("按钮7").hwnd(), BM_CLICK, 0, 0);
         }},
    };
    for (const auto& way : ways) {
        CAPTURE(way.way);
        startUpRecord = {};
        app::useInstallerSkin();
        const app::SkinHooks installed = app::skinHooks();
        app::skinHooks().startUp = [installed] {
            ++startUpRecord.startUps;
            installed.startUp();
            runtime::atExit([] { ++startUpRecord.cleanups; });
        };
        app::skinHooks().configureWindow = [installed, &way](Form& form) {
            startUpRecord.configuredBeforeShown = !IsWindowVisible(form.hwnd());
            installed.configureWindow(form);
            startUpRecord.skinnedBeforeShown = skin::findSkinIndex(form.hwnd()) != 0;
            startUpRecord.configuredBeforeLicenceRule = !form.control("按钮3").disabled();
            way.leave(form);  // carried out once the window is up
        };
        CHECK(app::runInstaller() == 0);
        app::skinHooks() = {};
        CHECK(startUpRecord.startUps == 1);
        CHECK(startUpRecord.configuredBeforeShown);
        CHECK(startUpRecord.skinnedBeforeShown);
        CHECK(startUpRecord.configuredBeforeLicenceRule);
        CHECK(startUpRecord.cleanups == 1);
        CHECK(runtime::formCount() == 0);
        CHECK(skin::skinRecords.count() == 0);
        CHECK(skin::SkinEngine::instance() == nullptr);
        runtime::runExitCleanup();
        CHECK(startUpRecord.cleanups == 1);
    }
}

TEST_CASE("the window is dragged by its caption area and its page background; Escape and Enter do nothing") {
    Wizard w;
    const HWND window = w.form->hwnd();
    // The page background beside the text, and the caption area left of the title.
    for (const POINT grab : {testing::input::onScreen(w["选择夹1"].hwnd(), 800, 300),
                             testing::input::onScreen(window, 400, 60)}) {
        RECT before{}, after{};
        GetWindowRect(window, &before);
        testing::input::drag(grab, {grab.x - 40, grab.y + 30});
        GetWindowRect(window, &after);
        CHECK(after.left - before.left == -40);
        CHECK(after.top - before.top == 30);
    }

    // Neither key has a dialog's meaning: no closing, no default button, no focus move.
    for (HWND target : {window, w["按钮2"].hwnd()}) {
        SetFocus(target);
        testing::input::key(VK_ESCAPE);
        testing::input::key(VK_RETURN);
        CHECK(GetFocus() == target);
    }
    CHECK(IsWindow(window));
    CHECK(w.page() == app::kWelcomePage);
}

namespace {

// The current page's tab stops in the form's order: its buttons, check boxes and edit
// boxes that show and are enabled.
std::vector<HWND> formTabOrder(const Wizard& w) {
    std::vector<HWND> stops;
    for (const auto& c : w.form->controls()) {
        const runtime::ControlKind kind = c->kind();
        const bool tabStop = kind == runtime::ControlKind::Button || kind == runtime::ControlKind::CheckBox ||
                             kind == runtime::ControlKind::EditBox;
        if (tabStop && c->showing() && !c->disabled()) stops.push_back(c->hwnd());
    }
    return stops;
}

// Round the page with Tab and back with Shift+Tab, from its last stop.
void walkPage(const Wizard& w) {
    const std::vector<HWND> order = formTabOrder(w);
    INFO("page " << w.page());
    REQUIRE_FALSE(order.empty());
    SetFocus(order.back());
    std::vector<HWND> forwards, backwards;
    for (std::size_t i = 0; i < order.size(); ++i) {
        testing::input::key(VK_TAB);
        forwards.push_back(GetFocus());
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        testing::input::key(VK_TAB, true);
        backwards.push_back(GetFocus());
    }
    CHECK(forwards == order);
    std::vector<HWND> reversed(order.rbegin() + 1, order.rend());
    reversed.push_back(order.back());
    CHECK(backwards == reversed);
}

// Tab until the control has the focus.
HWND focusByTab(const Wizard& w, const char* name) {
    const HWND target = w[name].hwnd();
    for (int i = 0; i < 10 && GetFocus() != target; ++i) testing::input::key(VK_TAB);
    INFO(std::string(name));
    REQUIRE(GetFocus() == target);
    return target;
}

void pressByKeyboard(const Wizard& w, const char* name) {
    focusByTab(w, name);
    testing::input::key(VK_SPACE);
}

COLORREF onScreen(HWND control, int x, int y) { return GetPixel(gdi::WindowDc::whole(control).get(), x, y); }

}  // namespace

TEST_CASE("keyboard: Tab walks each page in form order, Space presses, the focused button glows") {
    Wizard w;
    SetForegroundWindow(w.form->hwnd());
    testing::input::moveAway();
    walkPage(w);
    // With the pointer elsewhere the focused push button shows its glow at its edges.
    SetFocus(w["按钮8"].hwnd());
    const auto glows = [](COLORREF c) { return GetGValue(c) > GetRValue(c) + 50 && GetBValue(c) > GetRValue(c) + 50; };
    CHECK_FALSE(glows(onScreen(w["按钮2"].hwnd(), 0, 16)));
    CHECK(glows(onScreen(focusByTab(w, "按钮2"), 0, 16)));
    testing::input::key(VK_SPACE);
    REQUIRE(w.page() == app::kLicencePage);

    walkPage(w);
    pressByKeyboard(w, "选择框1");
    CHECK(w["选择框1"].checked());
    walkPage(w);  // 按钮3 is a stop now
    pressByKeyboard(w, "按钮3");
    REQUIRE(w.page() == app::kDirectoryPage);
    walkPage(w);
    pressByKeyboard(w, "按钮5");
    REQUIRE(w.page() == app::kConfirmPage);
    CHECK(within(300, [&] { return !shows(w["按钮1"]); }));
    walkPage(w);
    w.setPage(app::kTutorialPage);  // where the installation leads
    walkPage(w);
    for (int i = 0; i < 4; ++i) pressByKeyboard(w, "按钮12");
    REQUIRE(w.page() == app::kFinishPage);
    walkPage(w);
}

TEST_CASE("page switches and picture changes leave no GDI or USER objects behind") {
    Wizard w;
    auto round = [&] {
        for (int page = 0; page < 6; ++page) {
            w.setPage(page);
            runtime::delayWithMessages(20);
        }
        for (const ByteSet* picture : {&ImgTutorial1, &ImgTutorial2, &ImgTutorial3, &ImgTutorial0})
            CHECK(w["图片框1"].setPicture(picture->bytes()));
    };
    round();
    const long gdi = testing::settledGdiCount();
    const long user = testing::userObjectCount();
    REQUIRE(gdi > 0);
    {
        const gdi::UniqueBrush probe(CreateSolidBrush(RGB(1, 2, 3)));
        REQUIRE(testing::settledGdiCount() == gdi + 1);  // the count sees a single object
    }
    for (int i = 0; i < 15; ++i) round();
    CHECK(testing::settledGdiCount() <= gdi);
    CHECK(testing::userObjectCount() <= user);
}

// Where a control lies in the wizard window's picture; windowless labels by their parent.
RECT rectInWindow(Form& form, const Control& c) {
    RECT window{}, r{c.desc().x, c.desc().y, c.desc().x + c.desc().width, c.desc().y + c.desc().height};
    GetWindowRect(form.hwnd(), &window);
    if (c.hwnd()) {
        GetWindowRect(c.hwnd(), &r);
    } else {
        const HWND parent = c.desc().parent ? form.control(c.desc().parent).hwnd() : form.hwnd();
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&r), 2);
    }
    OffsetRect(&r, -window.left, -window.top);
    return r;
}

TEST_CASE("every page looks as its reference: texts inside their rectangles, 标签5 in its gap, no key colour") {
    Wizard w;
    const std::vector<std::vector<const char*>> clicksToNext = {
        {"按钮2"}, {"选择框1", "按钮3"}, {"按钮5"}, {"按钮6"}, {"按钮12", "按钮12", "按钮12", "按钮12"}, {}};
    for (int page = 0; page < 6; ++page) {
        CAPTURE(page);
        REQUIRE(w.page() == page);
        testing::input::moveAway();
        SetFocus(w.form->hwnd());  // no caret, no focus frame
        runtime::delayWithMessages(600);
        RECT window{};
        GetWindowRect(w.form->hwnd(), &window);
        testing::ScreenShot shot(window);
        CHECK(shot.count({0, 0, shot.width(), shot.height()}, RGB(255, 0, 255)) == 0);

        std::vector<const Control*> shown;
        for (const auto& c : w.form->controls())
            if (c->showing() && c->kind() != runtime::ControlKind::PageContainer) shown.push_back(c.get());
        for (const Control* label : shown) {
            if (label->kind() != runtime::ControlKind::Label && label->kind() != runtime::ControlKind::TransparentLabel)
                continue;
            INFO(label->desc().name);
            testing::ScreenShot outside = shot;
            for (const Control* c : shown) outside.mask(rectInWindow(*w.form, *c));
            const RECT r = rectInWindow(*w.form, *label);
            const COLORREF ink = label->desc().textColor;
            CHECK(outside.count({r.left, r.bottom, r.right, r.bottom + 24}, ink) +
                      outside.count({r.right, r.top, r.right + 24, r.bottom}, ink) ==
                  0);
        }
        if (page == app::kDirectoryPage) {  // the red name over the blue line's blanks
            const RECT gap = rectInWindow(*w.form, w["标签5"]);
            CHECK(shot.count(gap, w["透明标签3"].desc().textColor) == 0);
            CHECK(shot.count(gap, w["标签5"].desc().textColor) > 200);
        }
        for (const char* panel : {"画板1", "画板2"})  // the animations
            if (w[panel].showing()) shot.mask(rectInWindow(*w.form, w[panel]));
        CHECK(shot.pixelsOffReference("page" + std::to_string(page)) == 0);
        for (const char* name : clicksToNext[static_cast<std::size_t>(page)]) w.click(name);
    }
}
