// Build-host tool (native, minizip's zip and unzip API):
//   make_payload build OUT.zip APPLICATION.exe UNINSTALLER.exe
//     writes the default payload archive: the 17 files of PayloadTable.h in order, GBK
//     names, deflate, an NTFS time field in each central entry; the two programs are
//     padded to their sizes, the support files are deterministic filler.
//   make_payload check ARCHIVE.zip OUT.zip
//     accepts an archive supplied from outside only if it is a readable ZIP with a
//     top-level application and no entry that could land outside the product folder,
//     then copies it to OUT.zip; otherwise prints why and fails.
#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <zlib.h>

#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PayloadTable.h"

namespace {

using Bytes = std::vector<unsigned char>;

// 2023-05-20 12:00:00 in China (04:00 UTC): the time every file of the archive carries.
constexpr std::uint64_t fileTime = (1684555200ull + 11644473600ull) * 10000000ull;
constexpr tm_zip dosTime = {0, 0, 12, 20, 4, 2023};

// The table's names are UTF-8 here (this tool is built natively); the archive stores GBK.
std::string gbk(const char* utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    std::string in(utf8), out(in.size() * 2 + 4, '\0');
    char* src = in.data();
    char* dst = out.data();
    std::size_t left = in.size(), room = out.size();
    const bool ok = cd != reinterpret_cast<iconv_t>(-1) && iconv(cd, &src, &left, &dst, &room) != static_cast<std::size_t>(-1);
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    if (!ok) {
        std::fprintf(stderr, "make_payload: cannot convert %s to GBK\n", utf8);
        std::exit(1);
    }
    out.resize(out.size() - room);
    return out;
}

bool readFile(const char* path, Bytes& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// Filler with a chosen share of incompressible bytes: each 256-byte run starts with
// pseudo-random bytes and ends in a repeated byte pattern that deflate folds away.
class Filler {
public:
    explicit Filler(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

    void append(Bytes& out, std::size_t count, double randomShare) {
        const std::size_t run = 256;
        const std::size_t randomBytes = static_cast<std::size_t>(randomShare * run + 0.5);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = i % run;
            out.push_back(at < randomBytes ? static_cast<unsigned char>(next() >> 56)
                                           : static_cast<unsigned char>("VELMORA\0"[at & 7]));
        }
    }

private:
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    std::uint64_t state_;
};

std::size_t deflatedSize(const Bytes& data) {
    uLongf size = compressBound(data.size());
    Bytes out(size);
    if (compress2(out.data(), &size, data.data(), data.size(), Z_DEFAULT_COMPRESSION) != Z_OK) return data.size();
    // compress2 adds a 2-byte header and a 4-byte checksum around the raw deflate stream.
    return size - 6;
}

// The contents of one file: the given head (a program, or nothing), then filler whose
// random share is tuned so the deflated file comes close to the target size.
Bytes contents(std::size_t index, const Bytes& head) {
    const payload::PayloadFile& file = payload::files[index];
    const std::size_t fill = file.size - head.size();
    double share = static_cast<double>(file.packedTarget) / static_cast<double>(file.size);
    Bytes data;
    for (int round = 0; round < 3; ++round) {
        data = head;
        Filler(index + 1).append(data, fill, share);
        const double packed = static_cast<double>(deflatedSize(data));
        const double headPacked = packed - share * static_cast<double>(fill);
        share = (static_cast<double>(file.packedTarget) - headPacked) / static_cast<double>(fill);
        if (share < 0) share = 0;
        if (share > 1) share = 1;
    }
    return data;
}

// The central directory's NTFS field (type 0x000A): reserved word, then attribute 1
// with modification, access and creation times.
Bytes ntfsTimes() {
    Bytes field;
    auto put = [&field](std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) field.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    put(0x000A, 2);
    put(32, 2);
    put(0, 4);
    put(0x0001, 2);
    put(24, 2);
    for (int i = 0; i < 3; ++i) put(fileTime, 8);
    return field;
}

int build(const char* out, const char* applicationPath, const char* uninstallerPath) {
    Bytes application, uninstaller;
    if (!readFile(applicationPath, application) || !readFile(uninstallerPath, uninstaller)) {
        std::fprintf(stderr, "make_payload: cannot read %s or %s\n", applicationPath, uninstallerPath);
        return 1;
    }
    if (application.size() > payload::files[payload::applicationIndex].size ||
        uninstaller.size() > payload::files[payload::uninstallerIndex].size) {
        std::fprintf(stderr, "make_payload: a program is larger than its place in the archive\n");
        return 1;
    }
    zipFile zip = zipOpen64(out, APPEND_STATUS_CREATE);
    if (!zip) {
        std::fprintf(stderr, "make_payload: cannot create %s\n", out);
        return 1;
    }
    const Bytes extra = ntfsTimes();
    bool ok = true;
    for (std::size_t i = 0; i < payload::fileCount && ok; ++i) {
        const Bytes data = contents(i, i == payload::applicationIndex   ? application
                                       : i == payload::uninstallerIndex ? uninstaller
                                                                        : Bytes{});
        zip_fileinfo info{};
        info.tmz_date = dosTime;
        info.external_fa = 0x20;  // archive
        // Level 6 keeps the general-purpose flags at 0; version made by 0x3F: MS-DOS, 6.3.
        ok = zipOpenNewFileInZip4_64(zip, gbk(payload::files[i].name).c_str(), &info, nullptr, 0, extra.data(),
                                     static_cast<uInt>(extra.size()), nullptr, Z_DEFLATED, 6, 0, -MAX_WBITS,
                                     DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0x003F, 0, 0) == ZIP_OK &&
             zipWriteInFileInZip(zip, data.data(), static_cast<unsigned>(data.size())) == ZIP_OK &&
             zipCloseFileInZip(zip) == ZIP_OK;
    }
    if (zipClose(zip, nullptr) != ZIP_OK || !ok) {
        std::fprintf(stderr, "make_payload: writing %s failed\n", out);
        std::remove(out);
        return 1;
    }
    return 0;
}

// Windows drops trailing dots and blanks of a path component, so ".. " and "..." can
// act as "..": a component of dots and blanks only, with two dots or more, climbs.
bool climbs(const std::string& part) {
    std::size_t dots = 0;
    for (char c : part) {
        if (c == '.') {
            ++dots;
        } else if (c != ' ') {
            return false;
        }
    }
    return dots >= 2;
}

// A name that Windows would resolve outside the folder it is extracted into. Names are
// GBK: a lead byte takes the next byte with it, which may look like a backslash.
const char* escapingName(const std::string& name) {
    if (name.empty()) return "an entry has an empty name";
    if (name[0] == '/' || name[0] == '\\') return "an entry name is an absolute path";
    std::string part;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        const unsigned char c = i < name.size() ? static_cast<unsigned char>(name[i]) : '/';
        if (c >= 0x81 && c <= 0xFE && i + 1 < name.size()) {
            part += name.substr(i, 2);
            ++i;
            continue;
        }
        if (c == ':') return "an entry name carries a drive or stream (':')";
        if (c == '/' || c == '\\') {
            if (climbs(part)) return "an entry name climbs out of the folder with '..'";
            part.clear();
            continue;
        }
        part += static_cast<char>(c);
    }
    return nullptr;
}

bool isApplicationName(const std::string& name) {
    const std::string wanted = gbk(payload::files[payload::applicationIndex].name);
    if (name.size() != wanted.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char a = static_cast<unsigned char>(name[i]), b = static_cast<unsigned char>(wanted[i]);
        if (a >= 0x81) {  // GBK pair: compare both bytes exactly
            if (a != b || name[i + 1] != wanted[i + 1]) return false;
            ++i;
            continue;
        }
        if (a >= 'A' && a <= 'Z') a = static_cast<unsigned char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<unsigned char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

// Returns the reason an outside archive is refused, or nullptr when it is usable.
const char* refusal(const char* path) {
    unzFile zip = unzOpen64(path);
    if (!zip) return "not a ZIP archive (or not readable)";
    const char* reason = nullptr;
    bool application = false;
    int status = unzGoToFirstFile(zip);
    if (status == UNZ_END_OF_LIST_OF_FILE) reason = "the archive has no entries";
    while (!reason && status == UNZ_OK) {
        unz_file_info64 info;
        char name[1024];
        if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK ||
            info.size_filename >= sizeof name) {
            reason = "an entry of the archive cannot be read";
            break;
        }
        const std::string entry(name, info.size_filename);
        reason = escapingName(entry);
        if (!reason && isApplicationName(entry)) {
            if (info.flag & 0x800)
                reason = "the application's name is flagged UTF-8; names must be stored in GBK (code page 936)";
            application = true;
        }
        if (!reason) status = unzGoToNextFile(zip);
    }
    if (!reason && status != UNZ_END_OF_LIST_OF_FILE) reason = "the archive's directory is damaged";
    if (!reason && !application) reason = "no top-level \"Velmora写作.exe\" (GBK name) in the archive";
    unzClose(zip);
    return reason;
}

int check(const char* path, const char* out) {
    if (const char* reason = refusal(path)) {
        std::fprintf(stderr, "VELMORA_PAYLOAD refused: %s: %s\n", path, reason);
        return 1;
    }
    Bytes data;
    std::ofstream copy(out, std::ios::binary);
    if (!readFile(path, data) || !copy.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()))) {
        std::fprintf(stderr, "make_payload: cannot copy %s to %s\n", path, out);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "build") == 0) return build(argv[2], argv[3], argv[4]);
    if (argc == 4 && std::strcmp(argv[1], "check") == 0) return check(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: make_payload build OUT.zip APPLICATION.exe UNINSTALLER.exe\n"
                 "       make_payload check ARCHIVE.zip OUT.zip\n");
    return 2;
}
