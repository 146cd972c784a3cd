// Counts of this process's GDI, USER and kernel objects, for leak checks around repeated work.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "WineGaps.h"
#include "runtime/Services.h"

namespace testing {

namespace detail {

// One entry of the process's GDI handle table as Wine keeps it (read only there): the
// same 24 bytes in 32-bit and 64-bit processes, its pointers always 64 bits wide.
struct GdiHandleEntry {
    std::uint64_t kernelObject;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);

inline long gdiTableEntries() {
#if defined(_WIN64)
    constexpr std::size_t tableOffset = 0xF8;
#else
    constexpr std::size_t tableOffset = 0x94;
#endif
    using GetPeb = void*(WINAPI*)();
    const auto getPeb = reinterpret_cast<GetPeb>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetCurrentPeb")));
    if (getPeb == nullptr) return -1;
    auto* peb = static_cast<std::uint8_t*>(getPeb());
    auto* table = *reinterpret_cast<GdiHandleEntry**>(peb + tableOffset);
    if (table == nullptr) return -1;
    long n = 0;
    for (int i = 0; i < 0x10000; ++i)
        if (table[i].type != 0) ++n;
    return n;
}

inline BOOL CALLBACK countWindow(HWND hwnd, LPARAM param) {
    ++*reinterpret_cast<long*>(param);
    EnumChildWindows(hwnd, countWindow, param);
    return TRUE;
}

}  // namespace detail

inline long gdiObjectCount() {
    if (wineGap(WineGap::GuiResourcesNotImplemented)) return detail::gdiTableEntries();
    return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

// The fewest GDI objects seen over a few frames of work that makes and frees objects of
// its own on other threads (the snowman animations, for long stretches on a slow machine).
inline long settledGdiCount() {
    long fewest = gdiObjectCount();
    for (int i = 0; i < 10; ++i, runtime::delayWithMessages(30)) fewest = std::min(fewest, gdiObjectCount());
    return fewest;
}

// Windows stand for the USER objects where the system cannot count them.
inline long userObjectCount() {
    if (wineGap(WineGap::GuiResourcesNotImplemented)) {
        long n = 0;
        EnumThreadWindows(GetCurrentThreadId(), detail::countWindow, reinterpret_cast<LPARAM>(&n));
        return n;
    }
    return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
}

// Kernel handles of this process (events, threads, files ...).
inline long kernelHandleCount() {
    DWORD count = 0;
    if (!wineGap(WineGap::ProcessHandleCountZero)) {
        GetProcessHandleCount(GetCurrentProcess(), &count);
        return static_cast<long>(count);
    }
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    return static_cast<long>(count);
}

}  // namespace testing
