#include "support/Protocol.h"

#include <windows.h>

#include "support/TestFiles.h"

namespace testing {

namespace {
BOOL CALLBACK countVisible(HWND window, LPARAM count) {
    if (IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}
}  // namespace

int visibleWindowCount() {
    int count = 0;
    EnumWindows(countVisible, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string programFolder() {
    char path[MAX_PATH];
    std::string out(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return out.substr(0, out.rfind('\\') + 1);
}

UrlSink::UrlSink(std::string scheme) : scheme_(std::move(scheme)) {
    const std::string sink = programFolder() + "..\\url_sink.exe";
    char temp[MAX_PATH];
    output_ = std::string(temp, GetTempPathA(MAX_PATH, temp)) + "url_sink.txt";  // where url_sink.exe writes
    DeleteFileA(output_.c_str());
    const std::string key = scheme_;
    const std::string command = "\"" + sink + "\" \"%1\"";
    RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), "URL Protocol", REG_SZ, "", 1);
    RegSetKeyValueA(HKEY_CLASSES_ROOT, (key + "\\shell\\open\\command").c_str(), nullptr, REG_SZ, command.c_str(),
                    DWORD(command.size() + 1));
}

UrlSink::~UrlSink() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, scheme_.c_str());
    DeleteFileA(output_.c_str());
}

std::string UrlSink::receivedCommandLine(unsigned timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        if (exists(output_)) {
            Sleep(100);  // let the handler finish writing
            return readFile(output_);
        }
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return {};
}

}  // namespace testing
