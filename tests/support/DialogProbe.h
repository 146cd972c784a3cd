// Finds the dialog a UI thread opens (message box, folder browser) from a second thread,
// records what it shows and presses one of its buttons, so that the UI thread's modal
// call returns.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace testing {

struct DialogSeen {
    bool found = false;
    std::string caption;
    std::string texts;        // the texts of its static controls, each followed by '\n'
    LONG_PTR exStyle = 0;
    bool skinned = false;           // the skin replaced its window procedure
    bool watchedWasEnabled = true;  // state of the watched window while the dialog was open
};

class DialogProbe {
public:
    // Waits up to timeoutMs for a visible "#32770" window of uiThread, then presses
    // the button with the given identifier. watched: a window whose enabled state is
    // recorded while the dialog is open (may be null).
    DialogProbe(DWORD uiThread, int button, HWND watched = nullptr, DWORD timeoutMs = 10000)
        : thread_([=, this] { run(uiThread, button, watched, timeoutMs); }) {}
    ~DialogProbe() { join(); }
    DialogProbe(const DialogProbe&) = delete;
    DialogProbe& operator=(const DialogProbe&) = delete;

    // Waits for the watcher and returns what it saw.
    const DialogSeen& seen() {
        join();
        return seen_;
    }

private:
    void join() {
        if (thread_.joinable()) thread_.join();
    }

    static BOOL CALLBACK takeDialog(HWND hwnd, LPARAM param) {
        char cls[16] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }

    static HWND findDialog(DWORD uiThread) {
        HWND found = nullptr;
        EnumThreadWindows(uiThread, takeDialog, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    static std::string textOf(HWND hwnd) {
        char buffer[1024] = {};
        SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 2000, nullptr);
        return buffer;
    }

    void run(DWORD uiThread, int button, HWND watched, DWORD timeoutMs) noexcept {
        try {
            HWND dialog = nullptr;
            for (DWORD waited = 0; dialog == nullptr && waited < timeoutMs; waited += 20) {
                Sleep(20);
                dialog = findDialog(uiThread);
            }
            if (dialog == nullptr) return;
            Sleep(100);  // let it finish its initialisation
            seen_.found = true;
            seen_.caption = textOf(dialog);
            seen_.exStyle = GetWindowLongPtrA(dialog, GWL_EXSTYLE);
            seen_.skinned = GetPropA(dialog, "Hw_hProc") != nullptr;
            if (watched != nullptr) seen_.watchedWasEnabled = IsWindowEnabled(watched) != FALSE;
            for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
                char cls[16] = {};
                GetClassNameA(child, cls, sizeof cls);
                if (lstrcmpiA(cls, "Static") == 0) seen_.texts += textOf(child) + "\n";
            }
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        } catch (...) {
            seen_.found = false;
        }
    }

    DialogSeen seen_;
    std::thread thread_;
};

}  // namespace testing
