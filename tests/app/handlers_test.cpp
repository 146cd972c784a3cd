// The click handlers of "确认安装", "我知道了" and "与作者qq会话", driven through a small
// form with the controls they use, in this process: log, wait, install, failures and
// re-entry; tutorial pictures and pages; the contact URL handed to the shell.
#include <doctest.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "app/Install.h"
#include "app/Texts.h"
#include "app/Tutorial.h"
#include "assets/Assets.h"
#include "runtime/Bitmap.h"
#include "runtime/Form.h"
#include "runtime/Services.h"
#include "runtime/Shell.h"
#include "support/DialogProbe.h"
#include "support/Protocol.h"
#include "support/TestFiles.h"

using namespace testing;
using runtime::ControlDesc;
using runtime::ControlKind;

namespace {

constexpr std::array<const char*, 6> pageTitles{"欢迎界面", "许可协议", "安装目录", "确认安装信息", "使用教程", "询问启动成功"};

const ControlDesc controls[] = {
    {.kind = ControlKind::PageContainer, .name = "选择夹1", .x = 0, .y = 0, .width = 760, .height = 560,
     .pageTitles = pageTitles},
    {.kind = ControlKind::Button, .name = "按钮8", .parent = "选择夹1", .page = 0, .x = 20, .y = 20, .width = 160,
     .height = 30, .text = "与作者qq会话"},
    {.kind = ControlKind::EditBox, .name = "编辑框1", .parent = "选择夹1", .page = 2, .x = 20, .y = 20, .width = 400,
     .height = 24, .text = "D:\\"},
    {.kind = ControlKind::EditBox, .name = "编辑框2", .parent = "选择夹1", .page = 3, .x = 20, .y = 20, .width = 500,
     .height = 300, .multiLine = true},
    {.kind = ControlKind::Button, .name = "按钮6", .parent = "选择夹1", .page = 3, .x = 20, .y = 340, .width = 100,
     .height = 30, .text = "确认安装"},
    {.kind = ControlKind::PictureBox, .name = "图片框1", .parent = "选择夹1", .page = 4, .x = 10, .y = 10, .width = 680,
     .height = 432, .picture = &ImgTutorial0},
    {.kind = ControlKind::Label, .name = "标签2", .parent = "选择夹1", .page = 4, .x = 700, .y = 10, .width = 40,
     .height = 20, .text = "0", .visible = false},
    {.kind = ControlKind::Button, .name = "按钮12", .parent = "选择夹1", .page = 4, .x = 20, .y = 460, .width = 100,
     .height = 30, .text = "我知道了"},
};

const runtime::EventBinding bindings[] = {
    {"按钮6", runtime::Event::Click, app::installProduct},
    {"按钮12", runtime::Event::Click, app::tutorialStep},
    {"按钮8", runtime::Event::Click, app::openContactLink},
};

const runtime::FormDesc wizardDesc{.name = "WizardWindow", .caption = "Velmora码字 2.0 安装", .x = 0, .y = 0,
                                   .width = 780, .height = 600, .controls = controls};

// The test form on a given page, closed at the end.
struct Wizard {
    runtime::Form* form;
    explicit Wizard(int page) : form(runtime::showForm(wizardDesc, bindings)) {
        REQUIRE(form != nullptr);
        form->control("选择夹1").setPage(page);
    }
    ~Wizard() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    runtime::Control& operator[](const char* name) { return form->control(name); }
    int page() { return form->control("选择夹1").page(); }
    void click(const char* name) { SendMessageA(form->control(name).hwnd(), BM_CLICK, 0, 0); }
    HWND hwnd = form ? form->hwnd() : nullptr;
};

std::string allLog() {
    std::string log;
    for (const char* line : texts::installLog) log += line;
    return log;
}

// Runs a callback once, from the message processing of the routine's wait.
struct DuringWait {
    static inline std::function<void()> action;
    explicit DuringWait(std::function<void()> f, UINT afterMs) {
        action = std::move(f);
        SetTimer(nullptr, 0, afterMs, fire);
    }
    static void CALLBACK fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (auto f = std::exchange(action, nullptr)) f();
    }
};

// Sample points of an area, 41 and 37 pixels apart.
std::vector<COLORREF> samples(HDC dc, const RECT& r) {
    std::vector<COLORREF> pixels;
    for (int y = 5; y < r.bottom; y += 37)
        for (int x = 5; x < r.right; x += 41) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

// The picture box's client area as the screen shows it, and as a given BMP would look.
std::vector<COLORREF> captured(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    UpdateWindow(window);
    const gdi::WindowDc screen = gdi::WindowDc::client(window);
    return samples(screen.get(), r);
}

std::vector<COLORREF> rendered(HWND window, const ByteSet& bmp) {
    RECT r;
    GetClientRect(window, &r);
    runtime::Picture picture = runtime::decodeBmp(bmp.bytes());
    const gdi::WindowDc screen = gdi::WindowDc::client(window);
    gdi::BitmapDc target;
    target.select(CreateCompatibleBitmap(screen.get(), r.right, r.bottom));
    const gdi::UniqueMemoryDc source(CreateCompatibleDC(screen.get()));
    const gdi::SelectGuard select(source.get(), picture.bitmap.get());
    SetStretchBltMode(target.get(), HALFTONE);
    SetBrushOrgEx(target.get(), 0, 0, nullptr);
    StretchBlt(target.get(), 0, 0, r.right, r.bottom, source.get(), 0, 0, picture.size.cx, picture.size.cy, SRCCOPY);
    return samples(target.get(), r);
}

// Share of sample points that agree within a small tolerance per channel.
double likeness(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int same = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto close = [](int x, int y) { return std::abs(x - y) <= 8; };
        same += close(GetRValue(a[i]), GetRValue(b[i])) && close(GetGValue(a[i]), GetGValue(b[i])) &&
                close(GetBValue(a[i]), GetBValue(b[i]));
    }
    return a.empty() ? 0.0 : double(same) / double(a.size());
}

}  // namespace

TEST_CASE("confirming installs into D:, logging all 19 texts before any file is written; the user cannot close the window meanwhile") {
    runtime::Session session;
    const ScratchFile link(runtime::desktopDirectory() + "Velmora写作.lnk");
    ScratchDir product = ScratchDir::at("D:\\Velmora码字");
    RemoveDirectoryA("D:\\Velmora码字");
    Wizard wizard(3);

    std::string logDuringWait;
    bool productDuringWait = true;
    bool secondClickReturnedAtOnce = false;
    DuringWait probe(
        [&] {
            logDuringWait = wizard["编辑框2"].text();
            productDuringWait = exists("D:\\Velmora码字");
            const DWORD start = GetTickCount();
            wizard.click("按钮6");  // ignored while the first run waits
            secondClickReturnedAtOnce = GetTickCount() - start < 200 && !exists("D:\\Velmora码字");
            SendMessageA(wizard.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);  // the system menu or a close button
            SendMessageA(wizard.hwnd, WM_CLOSE, 0, 0);
            SendMessageA(wizard.hwnd, WM_SYSKEYDOWN, VK_F4, LPARAM(KF_ALTDOWN) << 16);  // Alt+F4 posts SC_CLOSE
        },
        300);
    const DWORD start = GetTickCount();
    wizard.click("按钮6");

    CHECK(GetTickCount() - start >= 800);
    CHECK(logDuringWait == allLog());
    CHECK_FALSE(productDuringWait);
    CHECK(secondClickReturnedAtOnce);
    CHECK(wizard["编辑框2"].text() == allLog());
    CHECK(wizard.page() == 4);
    CHECK(wizard["按钮6"].disabled());
    CHECK_FALSE(wizard["按钮6"].visible());
    CHECK(listFolder("D:\\Velmora码字").size() == 17);
    CHECK_FALSE(exists("D:\\Velmora码字\\安装文件.zip"));
    CHECK(exists(link.path));
    REQUIRE(IsWindow(wizard.hwnd));
    SendMessageA(wizard.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);  // once the run is over, closing works again
    CHECK_FALSE(IsWindow(wizard.hwnd));
}

TEST_CASE("a failed installation is reported and page 3 stays with 确认安装 available") {
    runtime::Session session;
    const ScratchFile link(runtime::desktopDirectory() + "Velmora写作.lnk");
    Wizard wizard(3);
    wizard["编辑框1"].setText("Q:\\");
    DialogProbe box(GetCurrentThreadId(), IDOK);
    wizard.click("按钮6");

    CHECK(wizard.page() == 3);
    CHECK(wizard["按钮6"].visible());
    CHECK_FALSE(wizard["按钮6"].disabled());
    CHECK(wizard["编辑框2"].text() ==
          allLog() + texts::failureLogStart + texts::failedArchiveWrite + texts::failureLogEnd);
    CHECK_FALSE(exists("Q:\\Velmora码字"));
    CHECK_FALSE(exists(link.path));
    const DialogSeen& seen = box.seen();
    REQUIRE(seen.found);
    CHECK(seen.caption == texts::promptCaption);
    // Every static control's text is listed, the icon's empty one included.
    const std::string message = std::string(texts::failureBoxStart) + texts::failedArchiveWrite +
                                texts::failureBoxFolder + "Q:\\Velmora码字" + texts::failureBoxEnd;
    CHECK(seen.texts.find(message + "\n") != std::string::npos);
}

TEST_CASE("a shortcut that cannot be saved is logged, and the tutorial follows") {
    runtime::Session session;
    ScratchDir product = ScratchDir::at("D:\\nolink");
    const std::string blocked = runtime::desktopDirectory() + "Velmora写作.lnk";
    DeleteFileA(blocked.c_str());
    REQUIRE(CreateDirectoryA(blocked.c_str(), nullptr));  // a folder stands where the link goes
    Wizard wizard(3);
    wizard["编辑框1"].setText("D:\\nolink");
    wizard.click("按钮6");
    RemoveDirectoryA(blocked.c_str());

    CHECK(wizard["编辑框2"].text() == allLog() + texts::shortcutNotSaved);
    CHECK(wizard.page() == 4);
    CHECK(exists("D:\\nolink\\Velmora码字\\Velmora写作.exe"));
}

TEST_CASE("closing the window during the wait installs nothing") {
    runtime::Session session;
    ScratchDir product = ScratchDir::at("D:\\closing");
    Wizard wizard(3);
    wizard["编辑框1"].setText("D:\\closing");
    DuringWait close([&] { runtime::closeForm(*wizard.form); }, 200);
    wizard.click("按钮6");
    CHECK_FALSE(IsWindow(wizard.hwnd));
    CHECK(listFolder("D:\\closing").empty());
}

TEST_CASE("four clicks on 我知道了 step through the pictures to page 5") {
    runtime::Session session;
    Wizard wizard(4);
    const HWND box = wizard["图片框1"].hwnd();
    CHECK(likeness(captured(box), rendered(box, ImgTutorial0)) > 0.9);

    const ByteSet* expected[] = {&ImgTutorial1, &ImgTutorial2, &ImgTutorial3};
    for (int step = 1; step <= 3; ++step) {
        CAPTURE(step);
        wizard.click("按钮12");
        CHECK(wizard["标签2"].text() == std::to_string(step));
        CHECK(wizard.page() == 4);
        const std::vector<COLORREF> shown = captured(box);
        CHECK(likeness(shown, rendered(box, *expected[step - 1])) > 0.9);
        CHECK(likeness(shown, rendered(box, ImgTutorial0)) < 0.5);
    }
    wizard.click("按钮12");
    CHECK(wizard["标签2"].text() == "4");
    CHECK(wizard.page() == 5);
    CHECK_FALSE(wizard["标签2"].showing());
    CHECK_FALSE(wizard["按钮12"].showing());
}

TEST_CASE("the contact button hands the chat link to the shell") {
    runtime::Session session;
    Wizard wizard(0);
    SUBCASE("to the registered handler, unchanged") {
        UrlSink sink("tencent");
        wizard.click("按钮8");
        CHECK(sink.receivedCommandLine(5000).find(std::string("\"") + texts::contactUrl + "\"") != std::string::npos);
    }
    SUBCASE("and without a handler nothing shows") {
        const int before = visibleWindowCount();
        wizard.click("按钮8");
        Sleep(500);
        runtime::delayWithMessages(100);
        CHECK(visibleWindowCount() == before);
        CHECK(wizard.page() == 0);
    }
}
