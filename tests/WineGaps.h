// Where Wine 8.0 behaves differently from Windows, in one place: each entry names the
// behaviour, what Wine does instead and why the tests accept it. Tests ask
// wineGap(...) instead of loosening their checks.
#pragma once

#include <windows.h>

enum class WineGap {
    // comctl32 of the version-6 assembly (loaded from winsxs through the manifest) is the
    // same build as the system one and reports 5.81 from DllGetVersion and its version record.
    ComctlReportsVersion5,
};

// True when the tests run under Wine (ntdll exports wine_get_version there).
inline bool runningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// True when the given difference applies to this run.
inline bool wineGap(WineGap) { return runningUnderWine(); }
