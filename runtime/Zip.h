// ZIP extraction service: minizip walks the central directory and zlib inflates each
// entry, both from a mapping of the archive (or the caller's copy of its bytes); the GBK
// entry names reach CreateFileA unchanged. Entries are inflated in pieces of bounded
// size, each written as it comes out.
#pragma once

#include <windows.h>

#include <string>

#include "assets/ByteSet.h"

namespace runtime {

inline constexpr int extractDone = 1;      // every entry written
inline constexpr int extractFailed = 0;    // not a ZIP, unsafe entry name, damaged data, write error
inline constexpr int extractMissing = -1;  // no archive (or no target) given, or the archive does not exist

struct ExtractOptions {
    // Readers working at once, each taking the next file; 0: one per processor, at most 2.
    // One reader takes the files in archive order.
    unsigned threads = 0;
    // Writes one piece of a file's contents (the pieces in order, none empty); WriteFile
    // when null. Lets a caller see a full disk. Called from every reader's thread.
    bool (*writeBlock)(HANDLE file, const void* data, DWORD size, void* context) = nullptr;
    void* context = nullptr;
    // The archive's bytes when the caller holds them already (the payload it has just
    // written to the archive file): read from there instead of a mapping of the file,
    // whose pages would all be fresh. Used only when the sizes agree.
    ByteView contents;
};

// Extracts every entry of the archive below the target directory (created with its
// parents when missing). Every entry name is checked before anything is created: a name
// that is absolute, carries a drive, stream or device name, climbs out of the target,
// ends in a dot or blank, or does not fit a path fails the whole extraction with nothing
// created. Existing files are replaced, read-only ones included; the entry's attributes
// go to CreateFileA and its three file times to the new file (a failure to set them is
// only logged), which is left with normal attributes. A file whose data fails (CRC,
// inflate, short or excess data, write error) is removed, even when some of its pieces
// were written already; files written before the failure stay.
int extractArchive(const std::string& archive, const std::string& target, const ExtractOptions& options = {});

}  // namespace runtime
