// The one place where the tests record how Wine 8 differs from Windows. Each entry
// gives the value Windows produces, the value seen under Wine and why; tests compare
// with expected(...) instead of weakening their checks.
#pragma once

#include <windows.h>

namespace testing {

inline bool runningOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

struct Gap {
    long long windows;
    long long wine;
};

inline long long expected(const Gap& gap) {
    return runningOnWine() ? gap.wine : gap.windows;
}

namespace gaps {
// A plain file whose attributes were set to FILE_ATTRIBUTE_NORMAL: Wine keeps no DOS
// attributes for Unix files and reports the archive bit.
inline constexpr Gap normalFileAttributes{FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_ARCHIVE};
// SetFileTime's creation time: Unix file systems keep no settable birth time, and
// Wine reports the modification time instead (1 = the time set, 0 = modification time).
inline constexpr Gap creationTimeKept{1, 0};
// IShellLink::GetShowCmd of a link saved with show command 5: Wine reads back 1,
// although the file holds 5 at offset 0x3C.
inline constexpr Gap showCmdReadBack{SW_SHOW, SW_SHOWNORMAL};
}  // namespace gaps

}  // namespace testing
