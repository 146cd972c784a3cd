#include "graphics/GxObject.h"

#include "graphics/GxCall.h"

thread_local std::int32_t LastStatus = 0;

void* GxObject::Alloc(std::size_t size) noexcept { return gxcall::GdipAlloc(size); }

void GxObject::Free(void* block) noexcept { gxcall::GdipFree(block); }

std::wstring GxWiden(const char* text) {
    if (!text || !*text) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 1) return {};
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
    wide.resize(static_cast<std::size_t>(n - 1));
    return wide;
}

// Back to the ANSI code page the text came from, so a name read from GDI+ compares equal
// to the one the program passed in.
std::string GxNarrow(const wchar_t* text, int length) {
    if (!text || length == 0) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string narrow(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), n, nullptr, nullptr);
    if (length < 0) narrow.resize(static_cast<std::size_t>(n - 1));
    return narrow;
}
