// The real installer program, started as a user would: DLLs planted beside it are not
// loaded, and an installation killed half-way completes when run again.
#include <doctest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "assets/Payload.h"
#include "graphics/GdiHandles.h"
#include "runtime/Files.h"
#include "runtime/Shell.h"
#include "support/DialogProbe.h"
#include "support/RealInput.h"
#include "support/TestFiles.h"

using namespace testing;

namespace {

// The build tree's folder of this test program.
std::string ownFolder() {
    char exe[MAX_PATH];
    return runtime::parentPath(std::string_view(exe, GetModuleFileNameA(nullptr, exe, MAX_PATH)));
}
// The build's installer, or the signed copy of it the signing test leaves (64-bit bench).
std::string installer() {
    const char* dir = getenv("VELMORA_INSTALLER_DIR");
    return ownFolder() + (dir ? std::string("\\") + dir : std::string("\\..\\..\\app")) + "\\VelmoraSetup.exe";
}
const std::string installerPath = installer();

// A program started in its own folder; killed when the object goes.
struct Program {
    PROCESS_INFORMATION info{};
    explicit Program(const std::string& path) {
        STARTUPINFOA startup{sizeof startup};
        std::string command = "\"" + path + "\"";
        REQUIRE(CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               runtime::parentPath(path).c_str(), &startup, &info));
        CloseHandle(info.hThread);
    }
    ~Program() { kill(), CloseHandle(info.hProcess); }
    void kill() const { TerminateProcess(info.hProcess, 1), WaitForSingleObject(info.hProcess, 5000); }

    // A visible, enabled window of the program with this text: the wizard, or a control of it.
    HWND find(const char* text, HWND parent = nullptr) const {
        std::pair<const char*, HWND> search{text, nullptr};
        for (int i = 0; i < 400 && !search.second; ++i, Sleep(search.second ? 0 : 50))
            parent ? EnumChildWindows(parent, take, LPARAM(&search))
                   : EnumThreadWindows(info.dwThreadId, take, LPARAM(&search));
        INFO("looking for " << text);
        REQUIRE(search.second != nullptr);
        return search.second;
    }
    static BOOL CALLBACK take(HWND hwnd, LPARAM param) {
        auto& search = *reinterpret_cast<std::pair<const char*, HWND>*>(param);
        char text[128] = {};
        SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_BLOCK, 1000, nullptr);
        const bool found = !lstrcmpA(text, search.first) && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
        if (found) search.second = hwnd;
        return !found;
    }
    HWND wizard() const { return find("Velmora码字2.0（一直在努力，从未被超越！）"); }
    // Clicks a button; waits until it hides when asked (the same text comes on the next page).
    void click(const char* text, bool hides = false) const {
        const HWND button = find(text, wizard());
        PostMessageA(button, BM_CLICK, 0, 0);
        for (int i = 0; hides && i < 100 && IsWindowVisible(button); ++i) Sleep(50);
    }
    // Pages 0 to 3 and the confirmation; the installation then runs in the program.
    void startInstallation() const {
        for (const char* text : {"下一步》", "同意协议", "下一步》", "下一步》", "确认安装"})
            click(text, std::string_view(text) == "下一步》");
    }
    // Clicks a button that opens a dialog (folder browser, message box) and closes that.
    void answer(const char* text, int button) const {
        DialogProbe dialog(info.dwThreadId, button);
        click(text);
        INFO("the dialog of " << text);
        CHECK(dialog.seen().found);
    }
};

// The product folder and the desktop shortcut an installation makes, removed when done.
struct Installed {
    const std::string product = "D:\\Velmora码字";
    ScratchDir folder = ScratchDir::at(product);
    const ScratchFile shortcut{runtime::desktopDirectory() + "Velmora写作.lnk"};
    Installed() { RemoveDirectoryA(product.c_str()); }
};

// The planted names: those CTest gives the "n,b" load order (tests/app/CMakeLists.txt), so
// that Wine searches for them like Windows, the program's folder first.
std::vector<std::string> plantedNames() {
    const char* overrides = getenv("VELMORA_DLLOVERRIDES");
    REQUIRE(overrides != nullptr);
    std::vector<std::string> names{""};
    for (const char* c = overrides; *c != '=' && *c != 0; ++c) *c == ',' ? names.emplace_back() : names.back() += *c;
    return names;
}

}  // namespace

TEST_CASE("DLLs planted beside the installer are not loaded at any step") {
    ScratchDir dir("planting");
    const std::string here = ownFolder(), installer = dir / "VelmoraSetup.exe";
    REQUIRE(CopyFileA(installerPath.c_str(), installer.c_str(), FALSE));
    REQUIRE(CopyFileA((here + "\\velmora_plant_probe.exe").c_str(), (dir / "probe.exe").c_str(), FALSE));
    const std::vector<std::string> planted = plantedNames();
    for (const std::string& name : planted)
        REQUIRE(CopyFileA((here + "\\velmora_planted.dll").c_str(), (dir / name + ".dll").c_str(), FALSE));
    WaitForSingleObject(Program(dir / "probe.exe").info.hProcess, 20000);
    REQUIRE(exists(dir / "msimg32.dll.loaded"));  // without protection a planted copy is loaded
    DeleteFileA((dir / "msimg32.dll.loaded").c_str());
    {
        // Every page but the installation's: the contact link, the folder browser and the
        // empty-directory prompt its cancelling leads to.
        const Program first(installer);
        first.click("与作者qq会话");
        for (const char* text : {"下一步》", "同意协议", "下一步》"}) first.click(text, std::string_view(text) == "下一步》");
        first.answer("更改目录", IDCANCEL);
        first.answer("下一步》", IDOK);
    }
    {
        // The whole installation with its shortcut, the tutorial and the finish page.
        const Installed installed;
        const Program second(installer);
        second.startInstallation();
        for (int i = 0; i < 4; ++i) second.click("我知道了");
        second.click("启动软件");  // not the installed program: only the installer is watched
        second.click("完成安装");
        CHECK(WaitForSingleObject(second.info.hProcess, 20000) == WAIT_OBJECT_0);
        CHECK(exists(installed.shortcut.path));
    }
    for (const std::string& name : planted) CHECK_MESSAGE(!exists(dir / name + ".dll.loaded"), name);
}

TEST_CASE("an installation killed during extraction completes when run again") {
    const Installed installed;
    const std::string& product = installed.product;
    ScratchDir scratch("killed");
    REQUIRE(runtime::writeFile(scratch / "payload.zip", payloadArchive.bytes()));
    const std::vector<ListedEntry> entries = listZip(scratch / "payload.zip");
    REQUIRE(entries.size() == 17);
    {
        const Program first(installerPath);
        first.startInstallation();
        // Killed once the archive is written and the first files come out of it.
        for (int i = 0; i < 20000 && listFolder(product).size() < 2; ++i) Sleep(1);
        first.kill();
        REQUIRE(exists(product + "\\安装文件.zip"));
    }
    const Program second(installerPath);
    second.startInstallation();
    second.find("我知道了", second.wizard());  // the tutorial page: the installation is over
    CHECK(listFolder(product).size() == 17);
    for (const ListedEntry& e : entries) {
        CAPTURE(e.name);
        CHECK(fileCrc(product + "\\" + e.name) == e.crc);
    }
}

TEST_CASE("a user closes the installer with its close caption button: the button fades to red first") {
    const Program installer(installerPath);
    const HWND wizard = installer.wizard();
    RECT r{};
    GetWindowRect(wizard, &r);
    const POINT close{r.right - 18, r.top + 12};
    const gdi::WindowDc screen = gdi::WindowDc::client(nullptr);
    auto redness = [&] {
        const COLORREF c = GetPixel(screen.get(), close.x, close.y + 4);
        return GetRValue(c) - (GetGValue(c) + GetBValue(c)) / 2;
    };
    testing::input::moveTo({r.left - 10, r.bottom + 10});
    const int before = redness();
    // Photographed from the screen every few milliseconds while the eight 20 ms steps run.
    testing::input::moveTo(close);
    std::vector<int> steps{before};
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 600) {
        if (redness() != steps.back()) steps.push_back(redness());
        Sleep(2);
    }
    std::string seen;
    for (int step : steps) seen += std::to_string(step) + " ";
    INFO("redness seen: " << seen);
    CHECK(steps.size() >= 6);  // the steps show one by one, not as one jump
    for (std::size_t i = 1; i < steps.size(); ++i) CHECK(steps[i] > steps[i - 1]);
    CHECK(steps.back() - before > 30);
    testing::input::click(close);
    REQUIRE(WaitForSingleObject(installer.info.hProcess, 10000) == WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(installer.info.hProcess, &code);
    CHECK(code == 0);
}
