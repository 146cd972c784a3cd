// File helpers shared by the tests: scratch folders removed afterwards, whole-file
// reads and writes, and ZIP archives built with minizip's zip API.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testing {

// A fresh, empty folder below the temp directory; removed with all contents
// (read-only files included) when the object goes.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name);
    // A given folder (on a drive of the test prefix, say): emptied or created now and
    // removed on exit (only emptied when it is a drive root).
    static ScratchDir at(const std::string& path);
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ScratchDir(ScratchDir&& other) noexcept;
    ~ScratchDir();

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    ScratchDir() = default;
    std::string path_;
    bool removeSelf_ = true;
};

// A file path whose file is removed now (left over from an earlier run) and again when
// the object goes.
struct ScratchFile {
    std::string path;
    explicit ScratchFile(std::string file) : path(std::move(file)) { DeleteFileA(path.c_str()); }
    ~ScratchFile() { DeleteFileA(path.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
};

void removeTree(const std::string& path, bool removeSelf = true);
std::string readFile(const std::string& path);
void putFile(const std::string& path, const std::string& content);
bool exists(const std::string& path);
DWORD attributesOf(const std::string& path);
// Names in a folder, "." and ".." left out.
std::vector<std::string> listFolder(const std::string& path);

struct ZipEntry {
    std::string name;  // as stored, GBK
    std::string data;
    int method = 8;        // 8 deflate, 0 stored
    DWORD attributes = 0x20;
    bool ntfsTimes = true;  // an NTFS extra field in the central directory
    FILETIME modified{}, accessed{}, created{};
    WORD dosDate = 0x5A21, dosTime = 0x6000;  // 2025-01-01 12:00:00
};

// Writes a ZIP archive of the entries in order (minizip, no zip64 fields).
void makeZip(const std::string& path, const std::vector<ZipEntry>& entries);

struct ListedEntry {
    std::string name;
    unsigned long long size;
    unsigned long crc;
};

// The entries of a ZIP archive as minizip's unzip API lists them.
std::vector<ListedEntry> listZip(const std::string& path);

// The CRC-32 of a file's contents (zlib).
unsigned long fileCrc(const std::string& path);

// A FILETIME from a 64-bit count of 100 ns intervals.
FILETIME filetime(unsigned long long ticks);
unsigned long long ticks(const FILETIME& t);

}  // namespace testing
