// The run time's services: start-up and exit, the message loop, message boxes, the folder
// browser and the small helpers the installer's handlers call.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace runtime {

// Private message sent to a queued message's target window and each of its ancestors
// before the message is translated (the skin refreshes transparent lists on it).
inline constexpr UINT kBeforeTranslate = 0x8002;

// Registers a window class drawn with the arrow cursor; a second registration of the
// same name fails harmlessly. Returns name.
inline const char* registerWindowClass(const char* name, WNDPROC proc, UINT style = 0) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return name;
}

// The first thing the program does: DLLs are searched for in the system directory only
// (SetDefaultDllDirectories, where the system has it; elsewhere the current directory at
// least leaves the search), and the DLLs that are not KnownDLLs are loaded from there by
// full path. A DLL planted beside the installer, in a downloads folder others can write
// to, is never loaded; the program delay-loads those DLLs (cmake/DelayLoad.cmake) so that
// none is loaded before this.
void restrictDllSearch() noexcept;

// The run time of one UI thread: OLE, the current directory set to the executable's
// folder and the hidden owner window of the program's forms. Ending it runs the exit
// clean-up once and uninitialises OLE.
class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool oleReady() const noexcept { return oleReady_; }

private:
    bool oleReady_ = false;
};

// The hidden window that owns every form (so that no form gets a taskbar button).
HWND ownerWindow() noexcept;

// Registers a clean-up for the end of the program; all registered clean-ups run once,
// newest first, when the session ends (or at the first explicit runExitCleanup).
void atExit(std::function<void()> cleanup);
void runExitCleanup() noexcept;

// One step of the message loop for a message taken from the queue: the private query
// 0x8002 to the target and its ancestors, Tab and Shift+Tab between a form's controls,
// then translation and dispatch.
void dispatchMessage(MSG& msg);

// Runs until the last form is gone (or WM_QUIT arrives).
void runMessageLoop();

// Waits the given time while processing window messages; returns at once for 0 or less.
// A WM_QUIT met while waiting is put back for the message loop and ends the wait.
void delayWithMessages(int milliseconds);

// Called first by every messageBox (the skin set-up installs its hook here).
void setMessageBoxHook(std::function<void()> hook);

// MessageBoxExA with language 0; returns the pressed button's identifier minus 1.
int messageBox(HWND owner, const char* text, UINT flags, const char* caption);

// The system folder browser with an edit field, rooted at the desktop, owned by the active
// window. Every other window of the thread is disabled while it is open; enabled states,
// foreground and active window are restored afterwards. Returns the chosen folder's
// file-system path, or an empty text when cancelled or the item has no such path.
std::string browseForFolder(const char* title);

// Appends text at the end of an edit box and scrolls it into view.
void appendLogText(HWND edit, const char* text);

// Starts a program with a normal window without waiting for it, except up to 1000 ms for
// it to become idle. Returns whether the process was created.
bool startProgram(const std::string& path);

}  // namespace runtime
