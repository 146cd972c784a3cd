#include "support/TestFiles.h"

#include <unzip.h>
#include <zip.h>
// needs the declarations above
#include <iowin32.h>

#include <stdexcept>

namespace testing {

namespace {
std::string uniqueTempPath(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "velmora-" + name + "-" + std::to_string(GetCurrentProcessId());
}
}  // namespace

ScratchDir::ScratchDir(const std::string& name) : path_(uniqueTempPath(name)) {
    removeTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

ScratchDir ScratchDir::at(const std::string& path) {
    ScratchDir dir;
    dir.path_ = path;
    dir.removeSelf_ = !(path.size() == 3 && path[1] == ':');  // a drive root stays
    removeTree(path, false);
    CreateDirectoryA(path.c_str(), nullptr);
    return dir;
}

ScratchDir::ScratchDir(ScratchDir&& other) noexcept
    : path_(std::move(other.path_)), removeSelf_(other.removeSelf_) {
    other.path_.clear();
}

ScratchDir::~ScratchDir() {
    if (!path_.empty()) removeTree(path_, removeSelf_);
}

void removeTree(const std::string& path, bool removeSelf) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    if (removeSelf) RemoveDirectoryA(path.c_str());
}

std::string readFile(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string out(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    ReadFile(h, out.data(), DWORD(out.size()), &got, nullptr);
    CloseHandle(h);
    out.resize(got);
    return out;
}

void putFile(const std::string& path, const std::string& content) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    WriteFile(h, content.data(), DWORD(content.size()), &written, nullptr);
    CloseHandle(h);
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

std::vector<std::string> listFolder(const std::string& path) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}

FILETIME filetime(unsigned long long ticks) {
    return FILETIME{DWORD(ticks), DWORD(ticks >> 32)};
}

unsigned long long ticks(const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

void makeZip(const std::string& path, const std::vector<ZipEntry>& entries) {
    zlib_filefunc64_def io;
    fill_win32_filefunc64A(&io);
    zipFile zf = zipOpen2_64(path.c_str(), APPEND_STATUS_CREATE, nullptr, &io);
    if (!zf) throw std::runtime_error("cannot create " + path);
    for (const ZipEntry& e : entries) {
        zip_fileinfo info{};
        info.dosDate = (uLong(e.dosDate) << 16) | e.dosTime;
        info.external_fa = e.attributes;
        std::string extra;
        if (e.ntfsTimes) {
            auto put16 = [&](unsigned v) { extra += char(v & 0xFF), extra += char(v >> 8); };
            auto put64 = [&](const FILETIME& t) {
                for (int i = 0; i < 8; ++i) extra += char((ticks(t) >> (8 * i)) & 0xFF);
            };
            put16(0x000A), put16(32), put16(0), put16(0), put16(1), put16(24);
            put64(e.modified), put64(e.accessed), put64(e.created);
        }
        if (zipOpenNewFileInZip4_64(zf, e.name.c_str(), &info, nullptr, 0, extra.data(), uInt(extra.size()), nullptr,
                                    e.method, e.method ? 6 : 0, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                    nullptr, 0, 0x003F, 0, 0) != ZIP_OK ||
            zipWriteInFileInZip(zf, e.data.data(), unsigned(e.data.size())) != ZIP_OK ||
            zipCloseFileInZip(zf) != ZIP_OK)
            throw std::runtime_error("cannot add " + e.name);
    }
    zipClose(zf, nullptr);
}

std::vector<ListedEntry> listZip(const std::string& path) {
    std::vector<ListedEntry> entries;
    zlib_filefunc64_def io;
    fill_win32_filefunc64A(&io);
    unzFile zf = unzOpen2_64(path.c_str(), &io);
    if (!zf) return entries;
    for (int rc = unzGoToFirstFile(zf); rc == UNZ_OK; rc = unzGoToNextFile(zf)) {
        unz_file_info64 info;
        char name[512] = {};
        if (unzGetCurrentFileInfo64(zf, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) break;
        entries.push_back({name, info.uncompressed_size, info.crc});
    }
    unzClose(zf);
    return entries;
}

unsigned long fileCrc(const std::string& path) {
    const std::string bytes = readFile(path);
    return crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.data()), uInt(bytes.size()));
}

}  // namespace testing
