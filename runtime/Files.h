// File-system services of the window run time. Paths are ANSI strings in the system
// code page (GBK for the installer); they go to the *A functions unchanged.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

#include "assets/ByteSet.h"
#include "graphics/GdiHandles.h"

namespace runtime {

inline HANDLE noFile() noexcept { return INVALID_HANDLE_VALUE; }

// Owns a kernel file handle; INVALID_HANDLE_VALUE means none.
class FileHandle : public gdi::UniqueHandle<HANDLE, gdi::detail::closeHandle, noFile> {
public:
    using UniqueHandle::UniqueHandle;
    // Closes now; false when CloseHandle reports an error (a delayed write can fail here).
    bool close() noexcept {
        const HANDLE handle = release();
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle);
    }
};

// True when the path's last character is a backslash. A GBK trail byte can be 0x5C,
// so the string is walked character by character rather than by its last byte.
bool endsWithBackslash(std::string_view path);

// dir + name with exactly one backslash between them.
std::string joinPath(std::string_view dir, std::string_view name);

// Everything before the last backslash; empty when there is none.
std::string parentPath(std::string_view path);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

// One level only: fails when the parent is missing or the directory exists already.
bool makeDirectory(const std::string& path);

// Creates the directory and every missing parent; true when it exists afterwards.
bool makeDirectories(const std::string& path);

// Creates or truncates the file (no sharing) and writes all bytes with one write call.
// A file left incomplete by a failed write is removed.
bool writeFile(const std::string& path, ByteView bytes);

bool deleteFile(const std::string& path);

}  // namespace runtime
