// The whole way through the real WizardWindow with the embedded payload: directory D:,
// confirmation, the 17 files with the archive's sizes and CRC-32s, the desktop shortcut,
// the tutorial, and finish starting the installed program.
#include <doctest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "app/SkinSetup.h"
#include "app/Texts.h"
#include "app/Wizard.h"
#include "app/WizardForm.h"
#include "assets/Payload.h"
#include "graphics/GdiHandles.h"
#include "runtime/Files.h"
#include "runtime/Services.h"
#include "runtime/Shell.h"
#include "support/Links.h"
#include "support/TestFiles.h"
#include "support/UserInput.h"

using namespace testing;

namespace {

// Ends the installed program this test started, by its window.
struct StartedProgram {
    HWND window = nullptr;
    ~StartedProgram() {
        if (!window) return;
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (process) {
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
};

// The client area of a window as the screen shows it.
std::vector<DWORD> clientPixels(HWND window, int& w, int& h) {
    RECT r;
    GetClientRect(window, &r);
    w = r.right;
    h = r.bottom;
    void* bits = nullptr;
    gdi::BitmapDc copy;
    copy.select(gdi::makeDibPicture(w, h, &bits));
    BitBlt(copy.get(), 0, 0, w, h, gdi::WindowDc::client(window).get(), 0, 0, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    return {p, p + static_cast<std::size_t>(w) * h};
}

// The colour key of the page's opaque labels must never reach the screen.
int magentaPixels(HWND window) {
    int w = 0, h = 0, n = 0;
    for (DWORD pixel : clientPixels(window, w, h)) n += (pixel & 0xFFFFFF) == 0xFF00FF;
    return n;
}

// Distinct pictures a drawing panel shows over 700 ms (the animation's frames last 100-200 ms).
std::size_t picturesShown(HWND panel) {
    std::set<std::vector<DWORD>> seen;
    for (int i = 0; i < 8; ++i) {
        int w = 0, h = 0;
        seen.insert(clientPixels(panel, w, h));
        runtime::delayWithMessages(90);
    }
    return seen.size();
}

}  // namespace

TEST_CASE("a user's run installs the payload into D:, walks the tutorial and starts the program") {
    ScratchDir product = ScratchDir::at("D:\\Velmora码字");
    RemoveDirectoryA("D:\\Velmora码字");
    const ScratchFile shortcutFile(runtime::desktopDirectory() + "Velmora写作.lnk");
    const std::string& shortcut = shortcutFile.path;
    ScratchDir scratch("flow");
    REQUIRE(runtime::writeFile(scratch / "payload.zip", payloadArchive.bytes()));
    const std::vector<ListedEntry> entries = listZip(scratch / "payload.zip");
    REQUIRE(entries.size() == 17);

    StartedProgram program;
    {
        runtime::Session session;
        app::useInstallerSkin();
        app::skinHooks().startUp();
        runtime::Form* form = runtime::showForm(app::wizardForm(), app::wizardBindings());
        REQUIRE(form != nullptr);
        const HWND window = form->hwnd();
        runtime::Control& pages = form->control("选择夹1");

        // Each page as the user sees it: no colour key on screen, and the snowman moving
        // on the first and the last page.
        const auto look = [&](int page) {
            CAPTURE(page);
            runtime::delayWithMessages(300);
            CHECK(magentaPixels(window) == 0);
            if (page == 0) CHECK(picturesShown(form->control("画板1").hwnd()) >= 3);
            if (page == 5) CHECK(picturesShown(form->control("画板2").hwnd()) >= 3);
        };
        look(0);
        clickAsUser(*form, "按钮2");
        look(1);
        clickAsUser(*form, "选择框1");
        clickAsUser(*form, "按钮3");
        CHECK(form->control("编辑框1").text() == "D:\\");
        look(2);
        clickAsUser(*form, "按钮5");
        REQUIRE(pages.page() == 3);
        look(3);
        clickAsUser(*form, "按钮6");
        REQUIRE(pages.page() == 4);
        look(4);

        std::string log;
        for (const char* line : texts::installLog) log += line;
        CHECK(form->control("编辑框2").text() == log);
        for (const ListedEntry& e : entries) {
            CAPTURE(e.name);
            const std::string path = "D:\\Velmora码字\\" + e.name;
            CHECK(readFile(path).size() == e.size);
            CHECK(fileCrc(path) == e.crc);
        }
        CHECK(listFolder("D:\\Velmora码字").size() == 17);
        CHECK_FALSE(exists("D:\\Velmora码字\\安装文件.zip"));
        const LinkInfo link = readLink(shortcut);
        CHECK(link.loaded);
        CHECK(link.path == "D:\\Velmora码字\\Velmora写作.exe");

        for (int i = 0; i < 4; ++i) clickAsUser(*form, "按钮12");
        REQUIRE(pages.page() == 5);
        look(5);
        REQUIRE(form->control("选择框6").checked());
        clickAsUser(*form, "按钮7");
        runtime::runMessageLoop();
        CHECK_FALSE(IsWindow(window));
    }
    for (int i = 0; i < 100 && !program.window; ++i) {
        Sleep(50);
        program.window = FindWindowA(nullptr, "Velmora写作");
    }
    CHECK(program.window != nullptr);
}
