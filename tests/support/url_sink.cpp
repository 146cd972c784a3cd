// Stands in for a URL protocol handler in the tests: writes its command line to
// url_sink.txt next to itself and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string out(path, n);
    out.replace(out.size() - 4, 4, ".txt");
    HANDLE h = CreateFileA(out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(h, line, DWORD(lstrlenA(line)), &written, nullptr);
    CloseHandle(h);
    return 0;
}
