// Stands in for a URL protocol handler in the tests: writes its command line to
// url_sink.txt in the temp folder (the Wine prefix's own, so test programs running side
// by side in prefixes of their own never share it) and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char temp[MAX_PATH];
    const std::string out = std::string(temp, GetTempPathA(MAX_PATH, temp)) + "url_sink.txt";
    HANDLE h = CreateFileA(out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(h, line, DWORD(lstrlenA(line)), &written, nullptr);
    CloseHandle(h);
    return 0;
}
