// File-system services of the window run time. Paths are ANSI strings in the system
// code page (GBK for the installer); they go to the *A functions unchanged.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

#include "assets/ByteSet.h"

namespace runtime {

// Owns a kernel file handle; INVALID_HANDLE_VALUE means none.
class FileHandle {
public:
    FileHandle() noexcept = default;
    explicit FileHandle(HANDLE h) noexcept : h_(h) {}
    FileHandle(FileHandle&& other) noexcept : h_(std::exchange(other.h_, INVALID_HANDLE_VALUE)) {}
    FileHandle& operator=(FileHandle&& other) noexcept {
        if (this != &other) {
            reset();
            h_ = std::exchange(other.h_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { reset(); }

    HANDLE get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != INVALID_HANDLE_VALUE; }
    // Closes now; false when CloseHandle reports an error (a delayed write can fail here).
    bool reset() noexcept {
        const bool ok = h_ == INVALID_HANDLE_VALUE || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
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
