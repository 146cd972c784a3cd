// The real installer program, started as a user would: DLLs planted beside it are not
// loaded, and an installation killed half-way completes when run again.
#include <doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "assets/Payload.h"
#include "runtime/Files.h"
#include "runtime/Shell.h"
#include "support/TestFiles.h"

using namespace testing;

namespace {

// The build tree's folder of this test program.
std::string ownFolder() {
    char exe[MAX_PATH];
    return runtime::parentPath(std::string_view(exe, GetModuleFileNameA(nullptr, exe, MAX_PATH)));
}
const std::string installerPath = ownFolder() + "\\..\\..\\app\\VelmoraSetup.exe";

struct Search {
    const char* text;
    HWND found;
};
BOOL CALLBACK take(HWND hwnd, LPARAM param) {
    auto& s = *reinterpret_cast<Search*>(param);
    char text[128] = {};
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_BLOCK, 1000, nullptr);
    if (lstrcmpA(text, s.text) || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    s.found = hwnd;
    return FALSE;
}

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
    ~Program() {
        kill();
        CloseHandle(info.hProcess);
    }
    void kill() const {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    // A visible window of the program whose text is given (a button of the current page
    // must be enabled too); null after 20 s.
    HWND find(const char* text, HWND parent = nullptr) const {
        Search s{text, nullptr};
        for (int i = 0; i < 400 && !s.found; ++i, Sleep(s.found ? 0 : 50))
            parent ? EnumChildWindows(parent, take, LPARAM(&s)) : EnumThreadWindows(info.dwThreadId, take, LPARAM(&s));
        INFO("looking for " << text);
        REQUIRE(s.found != nullptr);
        return s.found;
    }
    HWND wizard() const { return find("Velmora码字2.0（一直在努力，从未被超越！）"); }
    // Clicks through pages 0 to 3 and confirms; the installation then runs in the program.
    void startInstallation() const {
        const HWND window = wizard();
        PostMessageA(find("下一步》", window), BM_CLICK, 0, 0);
        PostMessageA(find("同意协议", window), BM_CLICK, 0, 0);
        for (int page = 1; page <= 2; ++page) {
            const HWND next = find("下一步》", window);
            PostMessageA(next, BM_CLICK, 0, 0);
            for (int i = 0; i < 100 && IsWindowVisible(next); ++i) Sleep(50);
        }
        PostMessageA(find("确认安装", window), BM_CLICK, 0, 0);
    }
};

}  // namespace

TEST_CASE("DLLs planted beside the installer are not loaded") {
    ScratchDir dir("planting");
    const std::string here = ownFolder(), installer = dir / "VelmoraSetup.exe";
    REQUIRE(CopyFileA(installerPath.c_str(), installer.c_str(), FALSE));
    REQUIRE(CopyFileA((here + "\\velmora_plant_probe.exe").c_str(), (dir / "probe.exe").c_str(), FALSE));
    // CTest runs this program with WINEDLLOVERRIDES "n,b" for these names (Wine's processes
    // take it from their Unix environment): Wine then searches like Windows, the program's
    // folder first. Wine's own shell32 loads shlwapi and version before any program code
    // runs (KnownDLLs or loaded from the system on Windows): they are left out.
    const char* planted[] = {"gdiplus", "comctl32", "msimg32", "uxtheme"};
    for (const char* name : planted)
        REQUIRE(CopyFileA((here + "\\velmora_planted.dll").c_str(), (dir / name + ".dll").c_str(), FALSE));
    {
        const Program unprotected(dir / "probe.exe");
        WaitForSingleObject(unprotected.info.hProcess, 20000);
    }
    REQUIRE(exists(dir / "msimg32.dll.loaded"));  // without protection a planted copy is loaded
    DeleteFileA((dir / "msimg32.dll.loaded").c_str());
    {
        const Program program(installer);
        PostMessageA(program.find("下一步》", program.wizard()), BM_CLICK, 0, 0);
        program.find("同意协议", program.wizard());
    }
    for (const std::string name : planted) {
        CAPTURE(name);
        CHECK_FALSE(exists(dir / name + ".dll.loaded"));
    }
}

TEST_CASE("an installation killed during extraction completes when run again") {
    const std::string product = "D:\\Velmora码字";
    ScratchDir folder = ScratchDir::at(product);
    RemoveDirectoryA(product.c_str());
    const ScratchFile shortcut(runtime::desktopDirectory() + "Velmora写作.lnk");
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
        MESSAGE("files beside the archive when killed: " << listFolder(product).size() - 1);
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
