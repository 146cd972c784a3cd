// The whole way through the real WizardWindow with the embedded payload: directory D:,
// confirmation, the 17 files with the archive's sizes and CRC-32s, the desktop shortcut,
// the tutorial, and finish starting the installed program.
#include <doctest.h>
#include <windows.h>

#include <string>

#include "app/Texts.h"
#include "app/Wizard.h"
#include "app/WizardForm.h"
#include "assets/Payload.h"
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
        runtime::Form* form = runtime::showForm(app::wizardForm(), app::wizardBindings());
        REQUIRE(form != nullptr);
        const HWND window = form->hwnd();
        runtime::Control& pages = form->control("选择夹1");

        clickAsUser(*form, "按钮2");
        clickAsUser(*form, "选择框1");
        clickAsUser(*form, "按钮3");
        CHECK(form->control("编辑框1").text() == "D:\\");
        clickAsUser(*form, "按钮5");
        REQUIRE(pages.page() == 3);
        clickAsUser(*form, "按钮6");
        REQUIRE(pages.page() == 4);

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
