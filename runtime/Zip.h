// ZIP extraction service (minizip's unzip API over the Win32 file functions, so the
// archive's GBK entry names reach CreateFileA unchanged).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace runtime {

inline constexpr int extractDone = 1;      // every entry written
inline constexpr int extractFailed = 0;    // not a ZIP, unsafe entry name, damaged data, write error
inline constexpr int extractMissing = -1;  // no archive (or no target) given, or the archive does not exist

struct ExtractOptions {
    // One buffer of this size carries every entry from the inflater to the file.
    std::size_t bufferSize = 256 * 1024;
    // Readers working at once, each on its share of the files; 0: one per processor, at most 2.
    unsigned threads = 0;
    // Writes one block of an entry; WriteFile when null. Lets a caller see a full disk.
    // Called from every reader's thread.
    bool (*writeBlock)(HANDLE file, const void* data, DWORD size, void* context) = nullptr;
    void* context = nullptr;
};

// Extracts every entry of the archive below the target directory (created with its
// parents when missing). Existing files are replaced, read-only ones included; the
// entry's attributes go to CreateFileA and its three file times to the new file, which
// is left with normal attributes. An entry whose name is absolute, carries a drive or
// climbs out of the target is refused before anything is written; a file whose data
// fails (CRC, inflate, short data, write error) is removed, and files written before
// the failure stay.
int extractArchive(const std::string& archive, const std::string& target, const ExtractOptions& options = {});

}  // namespace runtime
