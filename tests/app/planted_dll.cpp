// Stands in for a DLL planted beside the installer: leaves "<own path>.loaded" when loaded.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    wchar_t path[MAX_PATH + 16];
    const DWORD n = reason == DLL_PROCESS_ATTACH ? GetModuleFileNameW(self, path, MAX_PATH) : 0;
    if (n > 0 && n < MAX_PATH)
        CloseHandle(CreateFileW(lstrcatW(path, L".loaded"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return TRUE;
}
