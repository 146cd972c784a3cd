// Where Wine 8.0 behaves differently from Windows, in one place: each entry names the
// behaviour, what Wine does instead and why the tests accept it. Tests ask
// wineGap(...), or the GDI+ tables below, instead of loosening their checks.
#pragma once

#include <windows.h>

#include <string>

// ---- System and USER/GDI behaviour ----

enum class WineGap {
    // comctl32 of the version-6 assembly (loaded from winsxs through the manifest) is the
    // same build as the system one and reports 5.81 from DllGetVersion and its version record.
    ComctlReportsVersion5,
    // GetGuiResources is not implemented (returns 0, ERROR_CALL_NOT_IMPLEMENTED): GDI
    // objects are counted in the process's GDI handle table and windows stand for USER
    // objects instead.
    GuiResourcesNotImplemented,
    // A message box shown with MB_TOPMOST does not get WS_EX_TOPMOST.
    MessageBoxTopmostStyleMissing,
    // A plain file whose attributes were set to FILE_ATTRIBUTE_NORMAL reads back as
    // FILE_ATTRIBUTE_ARCHIVE: Wine keeps no DOS attributes for files on a Unix file system.
    NormalFileReadsAsArchive,
    // The creation time given to SetFileTime is not kept (Unix file systems have no settable
    // birth time); Wine reports the modification time as the creation time.
    CreationTimeNotKept,
    // IShellLink::GetShowCmd reads back SW_SHOWNORMAL (1) for a link saved with SW_SHOW (5),
    // although the file holds 5 at offset 0x3C.
    ShellLinkShowCmdReadsNormal,
    // GetProcessHandleCount succeeds with a count of 0: kernel handles are counted by
    // asking each possible handle value instead.
    ProcessHandleCountZero,
};

// Not a status but a work-around: the shell of Wine 8 finds no URL protocol handler
// registered below HKCU\Software\Classes, so support/Protocol.h registers its stand-in
// handler straight under HKEY_CLASSES_ROOT (which Windows honours as well).

// True when the tests run under Wine (ntdll exports wine_get_version there).
inline bool runningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// True when the given difference applies to this run.
inline bool wineGap(WineGap) { return runningUnderWine(); }

// ---- GDI+ (the tables are in WineGaps.cpp, built into the graphics tests) ----

// The status a flat function gives under the GDI+ the tests run on: Ok, unless the
// function is listed in the known-gap table, or functionAbsent when it must not be
// called there at all.
inline constexpr int functionAbsent = -2;
int ExpectedStatus(const std::string& function);
// True for a behaviour the same table lists as different here (no status shows it).
bool KnownDifference(const std::string& behaviour);
