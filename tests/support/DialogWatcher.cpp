#include "support/DialogWatcher.h"

#include <windows.h>

#include <algorithm>

namespace testing {

namespace {

struct Search {
    std::wstring caption;
    HWND found = nullptr;
};

std::wstring wide(const std::string& text) {
    std::wstring out(text.size() + 1, L'\0');
    out.resize(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), int(out.size())) - 1);
    return out;
}

BOOL CALLBACK findBox(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[16] = {};
    wchar_t title[256] = {};
    if (pid != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    GetClassNameA(window, cls, sizeof cls);
    // Sends no message: the UI thread may be busy, or waiting for this thread to end.
    InternalGetWindowText(window, title, 256);
    if (std::string(cls) == "#32770" && search.caption == title) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

DialogWatcher::DialogWatcher(std::string caption) : caption_(std::move(caption)), thread_([this] { watch(); }) {}

DialogWatcher::~DialogWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<std::string> DialogWatcher::texts() const {
    std::lock_guard lock(mutex_);
    return texts_;
}

void DialogWatcher::watch() noexcept {
    std::vector<HWND> answered;
    while (!stop_) {
        Sleep(50);
        Search search{wide(caption_)};
        EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
        if (!search.found || std::find(answered.begin(), answered.end(), search.found) != answered.end()) continue;
        char text[1024] = {};
        // The message text of a standard box is the static control 0xFFFF.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(GetDlgItem(search.found, 0xFFFF), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 1000, &ignored);
        try {
            std::lock_guard lock(mutex_);
            texts_.emplace_back(text);
            answered.push_back(search.found);
        } catch (...) {
            return;
        }
        PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    }
}

}  // namespace testing
