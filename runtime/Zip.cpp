#include "runtime/Zip.h"

#include <libdeflate.h>
#include <unzip.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "graphics/GdiHandles.h"
#include "runtime/Files.h"

namespace runtime {

namespace {

constexpr std::uint32_t localHeaderSignature = 0x04034B50;
constexpr DWORD storedAttributeMask =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr int methodStored = 0;
constexpr int methodDeflated = 8;

struct UnzCloser {
    void operator()(unzFile zf) const noexcept { unzClose(zf); }
};
using ZipReader = std::unique_ptr<std::remove_pointer_t<unzFile>, UnzCloser>;

void unmapView(const void* view) noexcept { UnmapViewOfFile(view); }
using MappedView = gdi::UniqueHandle<const void*, unmapView>;

std::wstring widen(std::string_view text) {
    const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), wide.data(), n);
    return wide;
}

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A name Windows would open as a device wherever it stands: CON, NUL, COM1, "con.txt"...
bool isDeviceName(std::wstring_view part) {
    std::wstring base(part.substr(0, part.find(L'.')));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    CharUpperBuffW(base.data(), DWORD(base.size()));
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$", L"CLOCK$"})
        if (base == device) return true;
    return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) && base[3] >= L'0' &&
           base[3] <= L'9';
}

// One path component: no dots-only climb, no trailing dot or blank (Windows would drop
// them and write another name), no device, nothing a file name cannot hold. "." is fine.
bool isSafeComponent(std::wstring_view part) {
    if (part == L".") return true;
    if (part.empty() || part.size() > 255 || part.back() == L'.' || part.back() == L' ') return false;
    for (wchar_t c : part)
        if (c < 0x20 || std::wstring_view(L"<>:\"|?*").find(c) != std::wstring_view::npos) return false;
    return !isDeviceName(part);
}

struct EntryName {
    std::string relative;  // below the target, backslashes, no trailing separator
    bool folder = false;   // the name ends with a separator
};

// Checks an entry name on the UTF-16 form CreateFileA will use, character by character,
// so that a GBK trail byte 0x5C is neither a separator nor a folder mark. The whole path
// must fit the ANSI file functions.
bool checkEntryName(std::string_view name, std::size_t targetLength, EntryName& out) {
    const std::wstring wide = widen(name);
    if (wide.empty() || isSeparator(wide.front())) return false;
    out.folder = isSeparator(wide.back());
    const std::size_t end = wide.size() - (out.folder ? 1 : 0);
    for (std::size_t start = 0; start <= end;) {
        std::size_t stop = start;
        while (stop < end && !isSeparator(wide[stop])) ++stop;
        if (!isSafeComponent(std::wstring_view(wide).substr(start, stop - start))) return false;
        start = stop + 1;
    }
    if (targetLength + 1 + wide.size() >= MAX_PATH) return false;
    out.relative.assign(name.substr(0, name.size() - (out.folder ? 1 : 0)));
    for (char& c : out.relative)
        if (c == '/') c = '\\';  // 0x2F is never part of a GBK character
    // "." components name nothing; without them one file has one path. (0x2E is never part
    // of a GBK character, and a name ending in a dot other than "." was refused above.)
    for (std::size_t at; (at = out.relative.find(".\\")) != std::string::npos;) out.relative.erase(at, 2);
    if (out.relative == ".") out.relative.clear();
    if (out.relative.ends_with("\\.")) out.relative.resize(out.relative.size() - 2);
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
    std::string path;
    DWORD attributes;  // for CreateFileA
    EntryTimes times;
    std::size_t size;    // uncompressed
    std::size_t packed;  // compressed
    std::uint64_t offset;  // of the compressed data in the archive
    int method;
    std::uint32_t crc;
};

struct Plan {
    std::vector<std::string> folders;
    std::vector<PlannedFile> files;
};

// Walks the central directory and checks every entry: a safe name, no encryption, a
// method we inflate, sizes that fit and data inside the archive. Nothing is created.
bool planArchive(unzFile zf, const std::string& target, std::uint64_t archiveSize, Plan& plan) {
    const std::size_t targetLength = widen(target).size() - (endsWithBackslash(target) ? 1 : 0);
    int rc = unzGoToFirstFile(zf);
    for (; rc == UNZ_OK; rc = unzGoToNextFile(zf)) {
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zf, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
        std::string name(info.size_filename, '\0');
        std::vector<unsigned char> extra(info.size_file_extra);
        if (unzGetCurrentFileInfo64(zf, &info, name.data(), uLong(name.size()), extra.data(), uLong(extra.size()),
                                    nullptr, 0) != UNZ_OK)
            return false;
        EntryName checked;
        if (!checkEntryName(name, targetLength, checked)) return false;
        std::string path = joinPath(target, checked.relative);
        const DWORD attributes = info.external_fa & 0xFFFF;
        if (checked.folder || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            plan.folders.push_back(std::move(path));
            continue;
        }
        if (info.flag & 1) return false;  // encrypted entries are not supported
        const int method = int(info.compression_method);
        if (method != methodStored && method != methodDeflated) return false;
        if (info.uncompressed_size > MAXDWORD || info.compressed_size > MAXDWORD ||
            (method == methodStored && info.compressed_size != info.uncompressed_size))
            return false;
        // The data's place comes from the local header, which minizip checks against this entry.
        int openedMethod = 0, level = 0;
        if (unzOpenCurrentFile2(zf, &openedMethod, &level, 1) != UNZ_OK) return false;
        const std::uint64_t offset = unzGetCurrentFileZStreamPos64(zf);
        unzCloseCurrentFile(zf);
        if (offset > archiveSize || info.compressed_size > archiveSize - offset) return false;
        plan.files.push_back({std::move(path), attributes & storedAttributeMask, entryTimes(info, extra),
                              std::size_t(info.uncompressed_size), std::size_t(info.compressed_size), offset, method,
                              std::uint32_t(info.crc)});
    }
    return rc == UNZ_END_OF_LIST_OF_FILE;
}

struct InflateEnd {
    void operator()(z_stream* z) const noexcept {
        inflateEnd(z);
        delete z;
    }
};
using Inflater = std::unique_ptr<z_stream, InflateEnd>;

Inflater makeInflater() {
    auto z = std::make_unique<z_stream>();
    if (inflateInit2(z.get(), -MAX_WBITS) != Z_OK) return nullptr;  // raw deflate, as ZIP stores it
    return Inflater(z.release());
}

// Bytes inflated and written per step: a small buffer used again and again stays in the
// cache, while fresh pages cost more here than inflating into them (an entry-sized
// buffer for the 20 MB program took four times as long as the inflating itself).
constexpr std::size_t pieceSize = 256u << 10;

// Streams planned files from the archive's bytes into their files, piece by piece, each
// piece written as it comes out and the CRC checked over the whole at the end.
class EntryWriter {
public:
    EntryWriter(const unsigned char* archive, const ExtractOptions& options)
        : archive_(archive), options_(options), inflater_(makeInflater()) {}

    bool write(const PlannedFile& entry) {
        if (!inflater_) return false;
        const char* path = entry.path.c_str();
        const DWORD attributes = entry.attributes ? entry.attributes : FILE_ATTRIBUTE_NORMAL;
        // An existing copy is overwritten in place and cut to size: truncating it first
        // would free its blocks only to allocate them again.
        FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, attributes, nullptr));
        if (!file && GetLastError() == ERROR_ACCESS_DENIED) {
            SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);  // a read-only copy is replaced as well
            file.reset(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, attributes, nullptr));
        }
        if (!file) return false;
        bool ok = stream(entry, file.get()) && SetEndOfFile(file.get());
        const EntryTimes& t = entry.times;
        if (ok && !SetFileTime(file.get(), t.all ? &t.created : nullptr, t.all ? &t.accessed : nullptr, &t.modified))
            OutputDebugStringA(("velmora: file times not set: " + entry.path + "\n").c_str());  // the data is intact
        ok = file.close() && ok;  // a delayed write can fail at the close
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        if (!ok) DeleteFileA(path);
        return ok;
    }

private:
    // Writes the entry's bytes (straight from the archive when stored); true when they
    // come out whole, no longer than declared and with the entry's CRC.
    bool stream(const PlannedFile& entry, HANDLE file) {
        const unsigned char* packed = archive_ + entry.offset;
        std::uint32_t crc = 0;
        if (entry.method == methodStored) {
            for (std::size_t at = 0; at < entry.size; at += pieceSize) {
                const std::size_t size = std::min(pieceSize, entry.size - at);
                crc = libdeflate_crc32(crc, packed + at, size);
                if (!writeAll(file, packed + at, DWORD(size))) return false;
            }
            return crc == entry.crc;
        }
        if (!buffer_) buffer_ = std::make_unique_for_overwrite<unsigned char[]>(pieceSize);
        z_stream& z = *inflater_;
        if (inflateReset(&z) != Z_OK) return false;
        z.next_in = const_cast<unsigned char*>(packed);
        z.avail_in = uInt(entry.packed);
        for (std::size_t left = entry.size;;) {
            // Once the declared size is out, one spare byte shows whether the stream ends there.
            unsigned char spare = 0;
            unsigned char* out = left ? buffer_.get() : &spare;
            const auto room = uInt(left ? std::min(left, pieceSize) : 1);
            z.next_out = out;
            z.avail_out = room;
            const int rc = inflate(&z, Z_NO_FLUSH);
            const std::size_t got = room - z.avail_out;
            if ((rc != Z_OK && rc != Z_STREAM_END) || got > left) return false;
            crc = libdeflate_crc32(crc, out, got);
            left -= got;
            if (got && !writeAll(file, out, DWORD(got))) return false;
            if (rc == Z_STREAM_END) return left == 0 && crc == entry.crc;
        }
    }

    bool writeAll(HANDLE file, const void* data, DWORD size) {
        if (options_.writeBlock) return options_.writeBlock(file, data, size, options_.context);
        DWORD written = 0;
        return WriteFile(file, data, size, &written, nullptr) && written == size;
    }

    const unsigned char* archive_;
    const ExtractOptions& options_;
    Inflater inflater_;
    std::unique_ptr<unsigned char[]> buffer_;
};

// minizip reads the central directory from the archive's bytes in memory, not through
// a file call per header.
struct MemoryArchive {
    const unsigned char* bytes;
    std::uint64_t size;
    std::uint64_t at = 0;
};

voidpf ZCALLBACK memoryOpen(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK memoryRead(voidpf, voidpf stream, void* buffer, uLong size) {
    auto& m = *static_cast<MemoryArchive*>(stream);
    const auto n = uLong(std::min<std::uint64_t>(size, m.size - m.at));
    std::memcpy(buffer, m.bytes + m.at, n);
    m.at += n;
    return n;
}

uLong ZCALLBACK memoryWrite(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK memoryTell(voidpf, voidpf stream) { return static_cast<MemoryArchive*>(stream)->at; }

long ZCALLBACK memorySeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto& m = *static_cast<MemoryArchive*>(stream);
    const std::uint64_t base = origin == ZLIB_FILEFUNC_SEEK_SET ? 0 : origin == ZLIB_FILEFUNC_SEEK_CUR ? m.at : m.size;
    // minizip steps back with a negative offset in unsigned form: the sum wraps to the place meant.
    const std::uint64_t to = base + offset;
    if (to > m.size) return -1;
    m.at = to;
    return 0;
}

int ZCALLBACK memoryDone(voidpf, voidpf) { return 0; }

ZipReader openArchive(MemoryArchive& archive) {
    zlib_filefunc64_def io{};
    io.zopen64_file = memoryOpen;
    io.zread_file = memoryRead;
    io.zwrite_file = memoryWrite;
    io.ztell64_file = memoryTell;
    io.zseek64_file = memorySeek;
    io.zclose_file = memoryDone;
    io.zerror_file = memoryDone;
    io.opaque = &archive;
    return ZipReader(unzOpen2_64("", &io));
}

// Two files that would land on the same path must be written in archive order by one worker.
bool hasRepeatedPath(const std::vector<PlannedFile>& files) {
    std::set<std::wstring> seen;
    for (const PlannedFile& f : files) {
        std::wstring key = widen(f.path);
        CharUpperBuffW(key.data(), DWORD(key.size()));
        if (!seen.insert(std::move(key)).second) return true;
    }
    return false;
}

unsigned workerCount(const ExtractOptions& options, const std::vector<PlannedFile>& files) {
    if (files.size() < 2 || hasRepeatedPath(files)) return 1;
    const unsigned wanted = options.threads ? options.threads : GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
    return std::clamp(wanted, 1u, 2u);
}

}  // namespace

int extractArchive(const std::string& archive, const std::string& target, const ExtractOptions& options) {
    if (archive.empty() || target.empty() || !fileExists(archive)) return extractMissing;
    // The archive's bytes: the caller's copy, or a mapping of the file (no copy, and no
    // private memory).
    FileHandle file(CreateFileA(archive.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) return extractFailed;
    const bool given = options.contents.data() && std::uint64_t(size.QuadPart) == options.contents.size();
    gdi::UniqueKernelHandle mapping;
    MappedView view;
    if (!given) {
        mapping.reset(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        if (mapping) view.reset(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
        if (!view) return extractFailed;
    }
    const auto* bytes = given ? options.contents.data() : static_cast<const unsigned char*>(view.get());
    MemoryArchive source{bytes, std::uint64_t(size.QuadPart)};
    if (source.size < 4 ||
        (bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t(bytes[3]) << 24) != localHeaderSignature)
        return extractFailed;
    ZipReader zf = openArchive(source);
    Plan plan;
    if (!zf || !planArchive(zf.get(), target, source.size, plan)) return extractFailed;
    zf.reset();

    // Every folder first, the files' own included, so that writing them needs no checks.
    std::set<std::string> folders(plan.folders.begin(), plan.folders.end());
    folders.insert(target);
    for (const PlannedFile& f : plan.files) folders.insert(parentPath(f.path));
    for (const std::string& folder : folders)
        if (!directoryExists(folder) && !makeDirectories(folder)) return extractFailed;

    // Each reader takes the next file, the largest first when there are two: the largest
    // starts at once, and the other reader writes the rest meanwhile.
    const unsigned workers = workerCount(options, plan.files);
    std::vector<std::size_t> order(plan.files.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (workers > 1)
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return plan.files[a].size > plan.files[b].size; });
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    auto work = [&]() noexcept {
        try {
            EntryWriter writer(bytes, options);
            for (std::size_t i; !failed && (i = next++) < order.size();)
                if (!writer.write(plan.files[order[i]])) failed = true;
        } catch (...) {
            failed = true;
        }
    };
    std::thread helper;
    if (workers > 1) {
        try {
            helper = std::thread(work);
        } catch (const std::system_error&) {
            // no second thread: this one writes every file
        }
    }
    work();
    if (helper.joinable()) helper.join();
    return failed ? extractFailed : extractDone;
}

}  // namespace runtime
