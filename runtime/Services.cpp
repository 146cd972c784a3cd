#include "runtime/Services.h"

#include <ole2.h>
#include <shlobj.h>

#include <utility>
#include <vector>

#include "runtime/Files.h"
#include "runtime/Form.h"

namespace runtime {

void restrictDllSearch() noexcept {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const auto setDirectories = reinterpret_cast<SetDirectories>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDirectories == nullptr || !setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryA("");
    // System DLLs load these by name on their own, past the restriction (Wine's uxtheme
    // delay-loads msimg32; its GDI+ loads windowscodecs for the first picture, whose
    // import of propsys is looked up beside the program): every DLL a system DLL loads
    // for us at any step of the installation. Loaded now by full path, dependencies
    // first, a later load by name or as an import finds them. comctl32 is left to the
    // manifest. They stay loaded for the whole run.
    char system[MAX_PATH];
    const UINT n = GetSystemDirectoryA(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    for (const char* dll : {"\\oleaut32.dll", "\\propsys.dll", "\\windowscodecs.dll", "\\msimg32.dll",
                            "\\uxtheme.dll", "\\gdiplus.dll", "\\version.dll"})
        LoadLibraryA((std::string(system, n) + dll).c_str());
}

namespace {

constexpr char kOwnerClass[] = "VelmoraOwner";

// UI-thread state of the run time.
HWND theOwner = nullptr;
std::vector<std::function<void()>> exitCleanups;
std::function<void()> messageBoxHook;

void setCurrentDirectoryToExecutable() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    // Character by character: a GBK trail byte 0x5C in the program's name is no separator.
    std::string folder = parentPath(std::string_view(path, n));
    if (folder.empty()) return;
    // "C:" alone would mean that drive's current directory, not its root.
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    SetCurrentDirectoryA(folder.c_str());
}

HWND createOwnerWindow() {
    WNDCLASSEXA wc{sizeof wc};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kOwnerClass;
    RegisterClassExA(&wc);  // fails harmlessly when a previous session registered it
    return CreateWindowExA(0, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
}

}  // namespace

// Escape and Enter get no dialog meaning: they neither close a form nor move the focus.
void dispatchMessage(MSG& msg) {
    const HWND desktop = GetDesktopWindow();
    for (HWND h = msg.hwnd; h != nullptr && h != desktop; h = GetAncestor(h, GA_PARENT))
        SendMessageA(h, kBeforeTranslate, 0, 0);
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && moveTabFocus(msg.hwnd, GetKeyState(VK_SHIFT) < 0))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

Session::Session() {
    oleReady_ = SUCCEEDED(OleInitialize(nullptr));
    setCurrentDirectoryToExecutable();
    theOwner = createOwnerWindow();
}

Session::~Session() {
    runExitCleanup();
    if (theOwner != nullptr) DestroyWindow(std::exchange(theOwner, nullptr));
    if (oleReady_) OleUninitialize();
}

HWND ownerWindow() noexcept { return theOwner; }

void atExit(std::function<void()> cleanup) { exitCleanups.push_back(std::move(cleanup)); }

void runExitCleanup() noexcept {
    // Taken out first, so a clean-up that registers or ends the program cannot run twice.
    auto cleanups = std::exchange(exitCleanups, {});
    for (auto it = cleanups.rbegin(); it != cleanups.rend(); ++it) {
        try {
            (*it)();
        } catch (...) {
            OutputDebugStringA("velmora: an exit clean-up failed\n");
        }
    }
}

void runMessageLoop() {
    MSG msg;
    while (formCount() > 0 && GetMessageA(&msg, nullptr, 0, 0) > 0) dispatchMessage(msg);
}

void delayWithMessages(int milliseconds) {
    if (milliseconds <= 0) return;
    const DWORD start = GetTickCount();
    const DWORD span = static_cast<DWORD>(milliseconds);
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            dispatchMessage(msg);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= span) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, span - elapsed, QS_ALLINPUT);
    }
}

void setMessageBoxHook(std::function<void()> hook) { messageBoxHook = std::move(hook); }

int messageBox(HWND owner, const char* text, UINT flags, const char* caption) {
    if (messageBoxHook) messageBoxHook();
    return MessageBoxExA(owner, text, caption, flags, 0) - 1;
}

namespace {

struct DisabledWindows {
    HWND except;
    std::vector<HWND> windows;
};

BOOL CALLBACK disableOne(HWND hwnd, LPARAM param) {
    auto* state = reinterpret_cast<DisabledWindows*>(param);
    if (hwnd != state->except && IsWindowEnabled(hwnd)) {
        EnableWindow(hwnd, FALSE);
        state->windows.push_back(hwnd);
    }
    return TRUE;
}

}  // namespace

std::string browseForFolder(const char* title) {
    const HWND active = GetActiveWindow();
    const HWND foreground = GetForegroundWindow();
    // The browser disables its owner itself; the thread's other windows are ours to disable.
    DisabledWindows disabled{active, {}};
    EnumThreadWindows(GetCurrentThreadId(), disableOne, reinterpret_cast<LPARAM>(&disabled));

    BROWSEINFOA info{};
    info.hwndOwner = active;
    info.lpszTitle = title;
    info.ulFlags = BIF_EDITBOX;
    std::string chosen;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&info)) {
        char path[MAX_PATH];
        if (SHGetPathFromIDListA(item, path)) chosen = path;
        CoTaskMemFree(item);
    }

    for (HWND hwnd : disabled.windows)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    if (foreground != nullptr && IsWindow(foreground)) SetForegroundWindow(foreground);
    if (active != nullptr && IsWindow(active)) SetActiveWindow(active);
    return chosen;
}

void appendLogText(HWND edit, const char* text) {
    const int length = GetWindowTextLengthW(edit);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

bool startProgram(const std::string& path) {
    STARTUPINFOA startup{sizeof startup};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    const gdi::UniqueKernelHandle processHandle(process.hProcess);
    const gdi::UniqueKernelHandle threadHandle(process.hThread);
    WaitForInputIdle(process.hProcess, 1000);
    return true;
}

}  // namespace runtime
