// "卸载程序.exe" of the default payload: removes what the installer put on the machine
// (the 17 files of the product folder, the folder itself when nothing else is left in it,
// and the desktop shortcut to this folder's application) and reports what it removed.
//
// A running program cannot delete its own file, so the copy started from the product
// folder hands the work to a copy of itself in the temporary folder:
//   卸载程序.exe [/quiet]                   asks, copies itself, starts the copy, ends
//   <copy> /remove FOLDER PID [/quiet]      waits for PID to end, then removes
// /quiet skips the question and the report (unattended use and tests).
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "PayloadTable.h"

namespace {

constexpr char caption[] = "Velmora码字 卸载程序";

struct Options {
    bool quiet = false;
    bool remove = false;
    std::string folder;
    DWORD parent = 0;
};

Options parseOptions() {
    Options options;
    for (int i = 1; i < __argc; ++i) {
        if (lstrcmpiA(__argv[i], "/quiet") == 0) {
            options.quiet = true;
        } else if (lstrcmpiA(__argv[i], "/remove") == 0 && i + 2 < __argc) {
            options.remove = true;
            options.folder = __argv[++i];
            options.parent = static_cast<DWORD>(std::strtoul(__argv[++i], nullptr, 10));
        }
    }
    return options;
}

std::string ownPath() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return (n == 0 || n >= MAX_PATH) ? std::string() : std::string(path, n);
}

// The folder part of a path (GBK-aware: a trail byte may equal '\\').
std::string folderOf(const std::string& path) {
    std::size_t cut = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i]))) {
            ++i;
        } else if (path[i] == '\\' || path[i] == '/') {
            cut = i;
        }
    }
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

void say(const Options& options, const std::string& text, UINT icon) {
    if (!options.quiet) MessageBoxA(nullptr, text.c_str(), caption, MB_OK | icon);
}

std::string temporaryFolder() {
    char temp[MAX_PATH];
    const DWORD n = GetTempPathA(MAX_PATH, temp);
    return (n == 0 || n >= MAX_PATH) ? std::string() : std::string(temp, n);
}

constexpr char copyPrefix[] = "VelmoraUninstall";

void removeEarlierCopies() {
    const std::string temp = temporaryFolder();
    const std::string self = ownPath();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((temp + copyPrefix + "*.exe").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string path = temp + found.cFileName;
        if (lstrcmpiA(path.c_str(), self.c_str()) != 0) DeleteFileA(path.c_str());  // fails while one runs
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Step one, in the product folder: confirm, then run a temporary copy of this program.
int handOver(const Options& options) {
    const std::string self = ownPath();
    const std::string folder = folderOf(self);
    if (folder.empty()) return 1;
    if (!options.quiet) {
        const std::string question = "确定要从本机卸载 Velmora码字 吗？\r\n\r\n将删除安装在以下文件夹中的程序文件：\r\n" +
                                     folder + "\r\n\r\n以及桌面快捷方式“Velmora写作”。";
        if (MessageBoxA(nullptr, question.c_str(), caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return 0;
    }
    const std::string tempFolder = temporaryFolder();
    if (tempFolder.empty()) return 1;
    const std::string copy = tempFolder + copyPrefix + std::to_string(GetCurrentProcessId()) + ".exe";
    if (!CopyFileA(self.c_str(), copy.c_str(), FALSE)) {
        say(options, "无法准备卸载程序（临时文件夹不可写），未删除任何文件。", MB_ICONERROR);
        return 1;
    }
    std::string command = "\"" + copy + "\" /remove \"" + folder + "\" " + std::to_string(GetCurrentProcessId());
    if (options.quiet) command += " /quiet";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // The copy works from the temporary folder so that nothing keeps the product folder busy.
    if (!CreateProcessA(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, tempFolder.c_str(),
                        &startup, &process)) {
        DeleteFileA(copy.c_str());
        say(options, "无法启动卸载程序，未删除任何文件。", MB_ICONERROR);
        return 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

bool removeFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileA(path.c_str()) != FALSE;
}

// The desktop shortcut goes only when it leads to this folder's application: another
// installation's shortcut of the same name stays.
enum class Shortcut { Removed, Absent, Foreign };

Shortcut removeShortcut(const std::string& application) {
    char desktop[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop)))
        return Shortcut::Absent;
    const std::string link = std::string(desktop) + "\\" + payload::shortcutFileName;
    if (GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES) return Shortcut::Absent;

    bool ours = false;
    IShellLinkW* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        wchar_t linkW[MAX_PATH], target[MAX_PATH], applicationW[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, linkW, MAX_PATH) &&
            MultiByteToWideChar(CP_ACP, 0, application.c_str(), -1, applicationW, MAX_PATH) &&
            SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Load(linkW, STGM_READ)) &&
                shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK)
                ours = lstrcmpiW(target, applicationW) == 0;
            file->Release();
        }
        shellLink->Release();
    }
    if (!ours) return Shortcut::Foreign;
    return removeFile(link) ? Shortcut::Removed : Shortcut::Foreign;
}

// Step two, from the temporary copy.
int removeInstallation(const Options& options) {
    if (HANDLE parent = OpenProcess(SYNCHRONIZE, FALSE, options.parent)) {
        WaitForSingleObject(parent, 10000);
        CloseHandle(parent);
    }
    const std::string folder = options.folder;
    std::string removed, kept;
    int count = 0;
    for (const payload::PayloadFile& file : payload::files) {
        if (removeFile(folder + "\\" + file.name)) {
            removed += std::string("  ") + file.name + "\r\n";
            ++count;
        } else if (GetFileAttributesA((folder + "\\" + file.name).c_str()) != INVALID_FILE_ATTRIBUTES) {
            kept += std::string("  ") + file.name + "（无法删除，可能正在使用）\r\n";
        }
    }
    const bool comReady = SUCCEEDED(CoInitialize(nullptr));
    const Shortcut shortcut = removeShortcut(folder + "\\" + payload::files[payload::applicationIndex].name);
    if (comReady) CoUninitialize();
    const bool folderRemoved = RemoveDirectoryA(folder.c_str()) != FALSE;

    std::string report = "已删除 " + std::to_string(count) + " 个文件：\r\n" + removed;
    if (!kept.empty()) report += "\r\n未能删除：\r\n" + kept;
    if (shortcut == Shortcut::Removed) report += "\r\n已删除桌面快捷方式“Velmora写作”。\r\n";
    if (shortcut == Shortcut::Foreign) report += "\r\n桌面快捷方式“Velmora写作”不指向本文件夹，已保留。\r\n";
    report += folderRemoved ? "\r\n已删除文件夹：" + folder : "\r\n文件夹中还有其他文件，已保留：" + folder;
    say(options, report, kept.empty() ? MB_ICONINFORMATION : MB_ICONWARNING);

    // This copy cannot delete itself: it asks for removal at the next start (granted to
    // administrators), and clears the copies earlier runs left behind.
    MoveFileExA(ownPath().c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    removeEarlierCopies();
    return kept.empty() ? 0 : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const Options options = parseOptions();
    return options.remove ? removeInstallation(options) : handOver(options);
}
