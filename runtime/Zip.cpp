#include "runtime/Zip.h"

#include <unzip.h>
// needs the declarations above
#include <iowin32.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/Files.h"

namespace runtime {

namespace {

constexpr std::uint32_t localHeaderSignature = 0x04034B50;
constexpr DWORD storedAttributeMask =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

struct UnzCloser {
    void operator()(unzFile zf) const noexcept { unzClose(zf); }
};
using ZipReader = std::unique_ptr<std::remove_pointer_t<unzFile>, UnzCloser>;

bool startsWithLocalHeader(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    unsigned char head[4] = {};
    DWORD got = 0;
    if (!file || !ReadFile(file.get(), head, sizeof head, &got, nullptr) || got != sizeof head) return false;
    const std::uint32_t signature = head[0] | head[1] << 8 | head[2] << 16 | std::uint32_t(head[3]) << 24;
    return signature == localHeaderSignature;
}

// An entry name may only lead below the target: no root, no drive (or stream) colon,
// no component made of dots and blanks alone other than ".", which Windows would
// resolve upwards. Checked on the UTF-16 form CreateFileA will use, so that a GBK
// trail byte 0x5C is not mistaken for a separator.
bool isSafeEntryName(std::string_view name) {
    if (name.empty()) return false;
    const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name.data(), int(name.size()), nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name.data(), int(name.size()), wide.data(), n);
    if (wide.front() == L'\\' || wide.front() == L'/' || wide.find(L':') != std::wstring::npos) return false;
    std::size_t start = 0;
    while (start <= wide.size()) {
        std::size_t end = wide.find_first_of(L"\\/", start);
        if (end == std::wstring::npos) end = wide.size();
        const std::wstring_view part(wide.data() + start, end - start);
        if (!part.empty() && part != L"." && part.find_first_not_of(L". ") == std::wstring_view::npos) return false;
        start = end + 1;
    }
    return true;
}

struct EntryTimes {
    FILETIME modified{}, accessed{}, created{};
    bool all = false;  // false: only the modification time is known
};

// The NTFS extra field (0x000A, attribute tag 1) carries all three times; otherwise
// the DOS time stamp, which is local time, gives the modification time.
EntryTimes entryTimes(const unz_file_info64& info, const std::vector<unsigned char>& extra) {
    auto u16 = [&](std::size_t at) { return unsigned(extra[at] | extra[at + 1] << 8); };
    auto filetime = [&](std::size_t at) {
        FILETIME t;
        t.dwLowDateTime = DWORD(extra[at] | extra[at + 1] << 8 | extra[at + 2] << 16 | DWORD(extra[at + 3]) << 24);
        t.dwHighDateTime =
            DWORD(extra[at + 4] | extra[at + 5] << 8 | extra[at + 6] << 16 | DWORD(extra[at + 7]) << 24);
        return t;
    };
    EntryTimes times;
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const unsigned id = u16(at), size = u16(at + 2);
        const std::size_t end = at + 4 + size;
        if (end > extra.size()) break;
        if (id == 0x000A) {
            for (std::size_t tag = at + 8; tag + 4 <= end;) {
                const unsigned tagId = u16(tag), tagSize = u16(tag + 2);
                if (tag + 4 + tagSize > end) break;
                if (tagId == 1 && tagSize >= 24) {
                    times.modified = filetime(tag + 4);
                    times.accessed = filetime(tag + 12);
                    times.created = filetime(tag + 20);
                    times.all = true;
                    return times;
                }
                tag += 4 + tagSize;
            }
        }
        at = end;
    }
    FILETIME local;
    if (DosDateTimeToFileTime(HIWORD(info.dosDate), LOWORD(info.dosDate), &local))
        LocalFileTimeToFileTime(&local, &times.modified);
    return times;
}

class Extraction {
public:
    Extraction(unzFile zf, std::string target, const ExtractOptions& options)
        : zf_(zf), target_(std::move(target)), options_(options), buffer_(options.bufferSize ? options.bufferSize : 1) {}

    // The entry the reader stands on.
    bool extractCurrent() {
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zf_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
        std::string name(info.size_filename, '\0');
        std::vector<unsigned char> extra(info.size_file_extra);
        if (unzGetCurrentFileInfo64(zf_, &info, name.data(), uLong(name.size()), extra.data(), uLong(extra.size()),
                                    nullptr, 0) != UNZ_OK)
            return false;
        if (!isSafeEntryName(name)) return false;

        bool directory = name.back() == '/' || name.back() == '\\';
        for (char& c : name)
            if (c == '/') c = '\\';  // 0x2F is never part of a GBK character
        if (directory) name.pop_back();
        const std::string path = joinPath(target_, name);
        const DWORD attributes = info.external_fa & 0xFFFF;
        if (directory || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return makeDirectories(path);

        if (info.flag & 1) return false;  // encrypted entries are not supported
        const std::string parent = parentPath(path);
        if (!parent.empty() && !directoryExists(parent) && !makeDirectories(parent)) return false;
        return writeEntry(path, info, attributes & storedAttributeMask, entryTimes(info, extra));
    }

private:
    bool writeEntry(const std::string& path, const unz_file_info64& info, DWORD attributes, const EntryTimes& times) {
        if (unzOpenCurrentFile(zf_) != UNZ_OK) return false;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // lets a read-only copy be replaced
        FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
        bool ok = bool(file) && copyData(file.get(), info.uncompressed_size);
        // Close even after a failure; a CRC mismatch shows up only here.
        ok = unzCloseCurrentFile(zf_) == UNZ_OK && ok;
        if (ok)
            ok = SetFileTime(file.get(), times.all ? &times.created : nullptr, times.all ? &times.accessed : nullptr,
                             &times.modified) != FALSE;
        if (bool(file)) {
            ok = file.reset() && ok;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!ok) DeleteFileA(path.c_str());
        }
        return ok;
    }

    // Inflates the entry into the file; false on damaged or short data or a write error.
    bool copyData(HANDLE file, ZPOS64_T expected) {
        ZPOS64_T total = 0;
        for (;;) {
            const int got = unzReadCurrentFile(zf_, buffer_.data(), unsigned(buffer_.size()));
            if (got < 0) return false;
            if (got == 0) return total == expected;
            total += unsigned(got);
            if (total > expected || !write(file, buffer_.data(), DWORD(got))) return false;
        }
    }

    bool write(HANDLE file, const void* data, DWORD size) {
        if (options_.writeBlock) return options_.writeBlock(file, data, size, options_.context);
        DWORD written = 0;
        return WriteFile(file, data, size, &written, nullptr) && written == size;
    }

    unzFile zf_;
    std::string target_;
    const ExtractOptions& options_;
    std::vector<char> buffer_;
};

}  // namespace

int extractArchive(const std::string& archive, const std::string& target, const ExtractOptions& options) {
    if (archive.empty() || target.empty() || !fileExists(archive)) return extractMissing;
    if (!directoryExists(target) && !makeDirectories(target)) return extractFailed;
    if (!startsWithLocalHeader(archive)) return extractFailed;

    zlib_filefunc64_def io;
    fill_win32_filefunc64A(&io);
    ZipReader zf(unzOpen2_64(archive.c_str(), &io));
    if (!zf) return extractFailed;

    Extraction extraction(zf.get(), target, options);
    int rc = unzGoToFirstFile(zf.get());
    for (; rc == UNZ_OK; rc = unzGoToNextFile(zf.get()))
        if (!extraction.extractCurrent()) return extractFailed;
    return rc == UNZ_END_OF_LIST_OF_FILE ? extractDone : extractFailed;
}

}  // namespace runtime
