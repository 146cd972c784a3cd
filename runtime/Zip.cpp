#include "runtime/Zip.h"

#include <unzip.h>
// needs the declarations above
#include <iowin32.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <set>
#include <string_view>
#include <system_error>
#include <thread>
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

// A file entry, read from the central directory before anything is written.
struct PlannedFile {
    unz64_file_pos position;
    std::string path;
    DWORD attributes;  // for CreateFileA
    EntryTimes times;
    ZPOS64_T size;    // uncompressed
    ZPOS64_T packed;  // compressed
};

// Walks the central directory: refuses unsafe names and encrypted entries, makes the
// directory entries and lists the files. False when the archive cannot be used.
bool planArchive(unzFile zf, const std::string& target, std::vector<PlannedFile>& files) {
    int rc = unzGoToFirstFile(zf);
    for (; rc == UNZ_OK; rc = unzGoToNextFile(zf)) {
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zf, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
        std::string name(info.size_filename, '\0');
        std::vector<unsigned char> extra(info.size_file_extra);
        if (unzGetCurrentFileInfo64(zf, &info, name.data(), uLong(name.size()), extra.data(), uLong(extra.size()),
                                    nullptr, 0) != UNZ_OK)
            return false;
        if (!isSafeEntryName(name)) return false;

        const bool slash = name.back() == '/' || name.back() == '\\';
        for (char& c : name)
            if (c == '/') c = '\\';  // 0x2F is never part of a GBK character
        if (slash) name.pop_back();
        std::string path = joinPath(target, name);
        const DWORD attributes = info.external_fa & 0xFFFF;
        if (slash || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (!makeDirectories(path)) return false;
            continue;
        }
        if (info.flag & 1) return false;  // encrypted entries are not supported
        PlannedFile file{{}, std::move(path), attributes & storedAttributeMask, entryTimes(info, extra),
                         info.uncompressed_size, info.compressed_size};
        if (unzGetFilePos64(zf, &file.position) != UNZ_OK) return false;
        files.push_back(std::move(file));
    }
    return rc == UNZ_END_OF_LIST_OF_FILE;
}

// Writes planned files through one reader of the archive, with one buffer.
class EntryWriter {
public:
    EntryWriter(unzFile zf, const ExtractOptions& options)
        : zf_(zf), options_(options), buffer_(std::max<std::size_t>(options.bufferSize, 1)) {}

    bool write(const PlannedFile& entry) {
        if (unzGoToFilePos64(zf_, &entry.position) != UNZ_OK) return false;
        const std::string parent = parentPath(entry.path);
        if (!parent.empty() && !directoryExists(parent) && !makeDirectories(parent)) return false;
        if (unzOpenCurrentFile(zf_) != UNZ_OK) return false;
        const char* path = entry.path.c_str();
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);  // lets a read-only copy be replaced
        FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    entry.attributes ? entry.attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
        bool ok = bool(file) && copyData(file.get(), entry.size);
        // Close even after a failure; a CRC mismatch shows up only here.
        ok = unzCloseCurrentFile(zf_) == UNZ_OK && ok;
        const EntryTimes& t = entry.times;
        if (ok) ok = SetFileTime(file.get(), t.all ? &t.created : nullptr, t.all ? &t.accessed : nullptr, &t.modified);
        if (bool(file)) {
            ok = file.reset() && ok;
            SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
            if (!ok) DeleteFileA(path);
        }
        return ok;
    }

private:
    // Inflates the entry into the file; false on damaged or short data or a write error.
    bool copyData(HANDLE file, ZPOS64_T expected) {
        ZPOS64_T total = 0;
        for (;;) {
            const int got = unzReadCurrentFile(zf_, buffer_.data(), unsigned(buffer_.size()));
            if (got < 0) return false;
            if (got == 0) return total == expected;
            total += unsigned(got);
            if (total > expected || !writeBlock(file, buffer_.data(), DWORD(got))) return false;
        }
    }

    bool writeBlock(HANDLE file, const void* data, DWORD size) {
        if (options_.writeBlock) return options_.writeBlock(file, data, size, options_.context);
        DWORD written = 0;
        return WriteFile(file, data, size, &written, nullptr) && written == size;
    }

    unzFile zf_;
    const ExtractOptions& options_;
    std::vector<char> buffer_;
};

ZipReader openArchive(const std::string& archive) {
    zlib_filefunc64_def io;
    fill_win32_filefunc64A(&io);
    return ZipReader(unzOpen2_64(archive.c_str(), &io));
}

// Two files that would land on the same path must be written in archive order by one worker.
bool hasRepeatedPath(const std::vector<PlannedFile>& files) {
    std::set<std::wstring> seen;
    for (const PlannedFile& f : files) {
        std::wstring key(f.path.size() + 1, L'\0');
        key.resize(std::size_t(std::max(0, MultiByteToWideChar(CP_ACP, 0, f.path.c_str(), -1, key.data(),
                                                                  int(key.size())) - 1)));
        CharUpperBuffW(key.data(), DWORD(key.size()));
        if (!seen.insert(std::move(key)).second) return true;
    }
    return false;
}

// Splits the files into shares of about equal compressed size, each in archive order.
std::vector<std::vector<std::size_t>> divide(const std::vector<PlannedFile>& files, unsigned workers) {
    std::vector<std::size_t> bySize(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) bySize[i] = i;
    std::stable_sort(bySize.begin(), bySize.end(),
                     [&](std::size_t a, std::size_t b) { return files[a].packed > files[b].packed; });
    std::vector<std::vector<std::size_t>> shares(workers);
    std::vector<ZPOS64_T> load(workers, 0);
    for (std::size_t i : bySize) {
        const auto lightest = std::size_t(std::min_element(load.begin(), load.end()) - load.begin());
        shares[lightest].push_back(i);
        load[lightest] += files[i].packed + 1;
    }
    for (auto& share : shares) std::sort(share.begin(), share.end());
    return shares;
}

unsigned workerCount(const ExtractOptions& options, const std::vector<PlannedFile>& files) {
    if (files.size() < 2 || hasRepeatedPath(files)) return 1;
    const unsigned wanted = options.threads ? options.threads : GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
    return std::clamp(wanted, 1u, 2u);
}

}  // namespace

int extractArchive(const std::string& archive, const std::string& target, const ExtractOptions& options) {
    if (archive.empty() || target.empty() || !fileExists(archive)) return extractMissing;
    if (!directoryExists(target) && !makeDirectories(target)) return extractFailed;
    if (!startsWithLocalHeader(archive)) return extractFailed;

    ZipReader zf = openArchive(archive);
    std::vector<PlannedFile> files;
    if (!zf || !planArchive(zf.get(), target, files)) return extractFailed;

    // Inflating is the cost; a second reader on a second core takes a share of the files.
    std::atomic<bool> failed{false};
    auto work = [&](unzFile reader, const std::vector<std::size_t>& share) noexcept {
        try {
            EntryWriter writer(reader, options);
            for (std::size_t i : share)
                if (failed || !writer.write(files[i])) {
                    failed = true;
                    return;
                }
        } catch (...) {
            failed = true;
        }
    };
    std::vector<std::vector<std::size_t>> shares = divide(files, workerCount(options, files));
    ZipReader second;
    std::thread helper;
    if (shares.size() > 1) {
        second = openArchive(archive);
        try {
            if (second) helper = std::thread(work, second.get(), std::cref(shares[1]));
        } catch (const std::system_error&) {
            // No second thread: this one takes every file.
        }
        if (!helper.joinable()) shares[0].insert(shares[0].end(), shares[1].begin(), shares[1].end());
        std::sort(shares[0].begin(), shares[0].end());
    }
    work(zf.get(), shares[0]);
    if (helper.joinable()) helper.join();
    return failed ? extractFailed : extractDone;
}

}  // namespace runtime
