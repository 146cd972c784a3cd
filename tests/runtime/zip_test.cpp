// extractArchive against archives built here: results, unsafe names, damaged data,
// write errors, replacement of read-only files, attributes, times and parents.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "runtime/Zip.h"
#include "WineGaps.h"
#include "support/TestFiles.h"

using namespace testing;
using runtime::extractArchive;

namespace {

std::string pattern(std::size_t size, unsigned seed) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = char((i * 2654435761u + seed) >> 13);
    return s;
}

ZipEntry entry(std::string name, std::string data, int method = 8) {
    ZipEntry e;
    e.name = std::move(name);
    e.data = std::move(data);
    e.method = method;
    e.modified = filetime(133000000000000000ull);
    e.accessed = filetime(133100000000000000ull);
    e.created = filetime(132900000000000000ull);
    return e;
}

// Flips one byte inside the first occurrence of marker in the file.
void damage(const std::string& path, const std::string& marker) {
    std::string bytes = readFile(path);
    const auto at = bytes.find(marker);
    REQUIRE(at != std::string::npos);
    bytes[at + marker.size() / 2] ^= 0x55;
    putFile(path, bytes);
}

DWORD normalFile() {
    return wineGap(WineGap::NormalFileReadsAsArchive) ? FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_NORMAL;
}

}  // namespace

TEST_CASE("results for a missing archive and for files that are not archives") {
    ScratchDir dir("zip-results");
    const std::string target = dir / "out";

    CHECK(extractArchive(dir / "none.zip", target) == runtime::extractMissing);
    CHECK(extractArchive("", target) == runtime::extractMissing);
    CHECK(extractArchive(dir / "none.zip", "") == runtime::extractMissing);
    CHECK_FALSE(exists(target));  // nothing is created for a missing archive

    putFile(dir / "text.zip", "This is not an archive at all.");
    CHECK(extractArchive(dir / "text.zip", target) == runtime::extractFailed);
    putFile(dir / "empty.zip", "");
    CHECK(extractArchive(dir / "empty.zip", target) == runtime::extractFailed);
    makeZip(dir / "noentries.zip", {});  // starts with the end record, not a file header
    CHECK(extractArchive(dir / "noentries.zip", target) == runtime::extractFailed);

    // A local header followed by garbage: the reader finds no central directory.
    putFile(dir / "headonly.zip", std::string("PK\x03\x04", 4) + pattern(100, 1));
    CHECK(extractArchive(dir / "headonly.zip", target) == runtime::extractFailed);
}

TEST_CASE("entries land below the target with their contents, names and parents") {
    ScratchDir dir("zip-content");
    const std::string target = dir / "a\\b\\c";  // missing parents are created
    const std::string big = pattern(3 * 1024 * 1024 + 17, 7);
    makeZip(dir / "good.zip", {entry("plain.txt", "hello"), entry("stored.bin", pattern(5000, 3), 0),
                               entry("big.bin", big), entry("卸载程序.exe", "gbk name"),
                               entry("乗.txt", "trail byte 0x5C"),  // 0x81 0x5C: not a separator
                               entry("sub/deeper/nested.txt", "nested"), entry("emptydir/", ""),
                               entry("empty.txt", "")});

    runtime::ExtractOptions readers;
    SUBCASE("one reader") { readers.threads = 1; }
    SUBCASE("two readers") { readers.threads = 2; }
    REQUIRE(extractArchive(dir / "good.zip", target, readers) == runtime::extractDone);
    CHECK(readFile(target + "\\plain.txt") == "hello");
    CHECK(readFile(target + "\\stored.bin") == pattern(5000, 3));
    CHECK(readFile(target + "\\big.bin") == big);
    CHECK(readFile(target + "\\卸载程序.exe") == "gbk name");
    CHECK(readFile(target + "\\乗.txt") == "trail byte 0x5C");
    CHECK(readFile(target + "\\sub\\deeper\\nested.txt") == "nested");
    CHECK((attributesOf(target + "\\emptydir") & FILE_ATTRIBUTE_DIRECTORY) != 0);
    CHECK(exists(target + "\\empty.txt"));
    CHECK(readFile(target + "\\empty.txt").empty());

    SUBCASE("a target path with a trailing backslash gives the same files") {
        const std::string other = dir / "x\\";
        REQUIRE(extractArchive(dir / "good.zip", other) == runtime::extractDone);
        CHECK(readFile(dir / "x\\sub\\deeper\\nested.txt") == "nested");
    }
    SUBCASE("a second run over the same files gives them again") {
        REQUIRE(extractArchive(dir / "good.zip", target, readers) == runtime::extractDone);
        CHECK(readFile(target + "\\big.bin") == big);
    }
}

TEST_CASE("of entries with the same name the later one wins") {
    ScratchDir dir("zip-repeated");
    makeZip(dir / "a.zip", {entry("same.txt", pattern(300000, 1)), entry("other.txt", "o"), entry("SAME.TXT", "later")});
    runtime::ExtractOptions two;
    two.threads = 2;
    REQUIRE(extractArchive(dir / "a.zip", dir / "out", two) == runtime::extractDone);
    CHECK(readFile(dir / "out\\same.txt") == "later");
}

TEST_CASE("the GBK names reach the file system as the characters they encode") {
    ScratchDir dir("zip-gbk");
    makeZip(dir / "gbk.zip", {entry("卸载程序.exe", "u"), entry("乗.txt", "t")});
    REQUIRE(extractArchive(dir / "gbk.zip", dir / "out") == runtime::extractDone);
    std::wstring wide(MAX_PATH, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, (dir / "out").c_str(), -1, wide.data(), MAX_PATH) - 1);
    CHECK(GetFileAttributesW((wide + L"\\\u5378\u8F7D\u7A0B\u5E8F.exe").c_str()) != INVALID_FILE_ATTRIBUTES);
    CHECK(GetFileAttributesW((wide + L"\\\u4E57.txt").c_str()) != INVALID_FILE_ATTRIBUTES);
}

TEST_CASE("hostile and awkward entry names: refused with nothing created, or written under their own name") {
    ScratchDir dir("zip-unsafe");
    const std::string target = dir / "nest\\out";
    const std::string refused;  // expected: the extraction fails and creates nothing at all
    const struct {
        std::string name, writtenAs;
    } cases[] = {
        {"../evil.txt", refused}, {"..\\evil.txt", refused}, {"ok/../../evil.txt", refused}, {"/evil.txt", refused},
        {"ok\\..\\..\\evil.txt", refused}, {"\\evil.txt", refused}, {"C:evil.txt", refused}, {"C:\\evil.txt", refused},
        {"\\\\server\\share\\evil.txt", refused}, {"\\\\?\\C:\\evil.txt", refused}, {"good.txt:stream", refused},
        {"CON", refused}, {"NUL", refused}, {"COM1", refused}, {"LPT1", refused}, {"con.txt", refused}, {"", refused},
        {"sub/aux.h", refused}, {"evil.", refused}, {"evil ", refused}, {"... /evil.txt", refused}, {"a|b.txt", refused},
        {std::string(300, 'n'), refused}, {std::string("ev\0il.txt", 9), refused},
        {"乗", "乗"},  // last byte 0x5C is a trail byte, not a folder mark
        {"目录乗/inside.txt", "目录乗\\inside.txt"}, {"sub\\back.txt", "sub\\back.txt"}, {"a..b.txt", "a..b.txt"},
        {"./c.txt", "c.txt"}, {"a/./d.txt", "a\\d.txt"}, {"..d/e.txt", "..d\\e.txt"}, {"console.txt", "console.txt"},
        {"COM10", "COM10"},
    };
    for (const auto& c : cases) {
        CAPTURE(c.name);
        // A folder and a file come first: nothing may be created when a later name is refused. A 0 byte
        // goes into the name after minizip, which takes C strings.
        std::string stored = c.name;
        std::replace(stored.begin(), stored.end(), '\0', '#');
        makeZip(dir / "a.zip", {entry("first/", ""), entry("first.txt", "first"), entry(stored, "data", 0)});
        if (stored != c.name) {
            std::string bytes = readFile(dir / "a.zip");
            for (auto at = bytes.find(stored); at != std::string::npos; at = bytes.find(stored, at + 1))
                bytes.replace(at, stored.size(), c.name);
            putFile(dir / "a.zip", bytes);
        }
        if (c.writtenAs.empty()) {
            CHECK(extractArchive(dir / "a.zip", target) == runtime::extractFailed);
            CHECK_FALSE((exists(dir / "nest") || exists(dir / "evil.txt") || exists("C:\\evil.txt")));
        } else {
            CHECK(extractArchive(dir / "a.zip", target) == runtime::extractDone);
            CHECK((readFile(target + "\\" + c.writtenAs) == "data" && readFile(target + "\\first.txt") == "first"));
            removeTree(dir / "nest");
        }
    }
}

TEST_CASE("damaged entry data fails the extraction and leaves no damaged file") {
    ScratchDir dir("zip-damage");
    const std::string target = dir / "out";
    // Larger than a piece of the extraction: pieces are written before the damage shows.
    const std::string marker = "MARKER" + pattern(600000, 9) + "END";

    runtime::ExtractOptions oneReader;  // so that "written before the failure" is well defined
    oneReader.threads = 1;

    SUBCASE("a stored entry whose bytes no longer match the CRC") {
        makeZip(dir / "crc.zip", {entry("good.txt", "good"), entry("bad.bin", marker, 0), entry("after.txt", "a")});
        damage(dir / "crc.zip", marker);
        CHECK(extractArchive(dir / "crc.zip", target, oneReader) == runtime::extractFailed);
    }
    SUBCASE("a deflated entry whose stream is broken") {
        makeZip(dir / "crc.zip",
                {entry("good.txt", "good"), entry("bad.bin", pattern(600000, 5)), entry("after.txt", "a")});
        std::string bytes = readFile(dir / "crc.zip");
        const auto at = bytes.find("after.txt") - 30 - 100;  // near the end of bad.bin's compressed data
        for (int i = 0; i < 64; ++i) bytes[at + i] = char(0xFF);
        putFile(dir / "crc.zip", bytes);
        CHECK(extractArchive(dir / "crc.zip", target, oneReader) == runtime::extractFailed);
    }
    SUBCASE("with two readers") {
        makeZip(dir / "crc.zip", {entry("good.txt", "good"), entry("bad.bin", marker, 0), entry("after.txt", "a")});
        damage(dir / "crc.zip", marker);
        runtime::ExtractOptions twoReaders;
        twoReaders.threads = 2;
        CHECK(extractArchive(dir / "crc.zip", target, twoReaders) == runtime::extractFailed);
        CHECK_FALSE(exists(target + "\\bad.bin"));
        return;  // the other reader's files may or may not have been written
    }
    CHECK(readFile(target + "\\good.txt") == "good");  // written before the failure, so it stays
    CHECK_FALSE(exists(target + "\\bad.bin"));
    CHECK_FALSE(exists(target + "\\after.txt"));
}

namespace {
// Shared by the extraction's readers, which may write at the same time.
struct FailingDisk {
    std::atomic<int> blocksLeft;
    std::atomic<DWORD> attributesSeen{0};
};

// Accepts a number of blocks, then reports a full disk.
bool writeUntilFull(HANDLE file, const void* data, DWORD size, void* context) {
    auto& disk = *static_cast<FailingDisk*>(context);
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(file, &info)) disk.attributesSeen |= info.dwFileAttributes;
    if (disk.blocksLeft-- <= 0) {
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}
}  // namespace

TEST_CASE("a write error removes the partial file") {
    ScratchDir dir("zip-write");
    const std::string target = dir / "out";
    makeZip(dir / "a.zip", {entry("first.txt", "first"), entry("big.bin", pattern(600000, 2))});
    runtime::ExtractOptions oneReader;  // so that "written before the failure" is well defined
    oneReader.threads = 1;

    SUBCASE("the disk fills up in the middle of an entry") {
        FailingDisk disk{1};  // first.txt, then the disk is full
        runtime::ExtractOptions options = oneReader;
        options.writeBlock = writeUntilFull;
        options.context = &disk;
        CHECK(extractArchive(dir / "a.zip", target, options) == runtime::extractFailed);
        CHECK(disk.blocksLeft < 0);
    }
    SUBCASE("the target file is held open by someone else") {
        CreateDirectoryA(target.c_str(), nullptr);
        putFile(target + "\\big.bin", "in use");
        HANDLE busy = CreateFileA((target + "\\big.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        REQUIRE(busy != INVALID_HANDLE_VALUE);
        CHECK(extractArchive(dir / "a.zip", target, oneReader) == runtime::extractFailed);
        CloseHandle(busy);
        CHECK(readFile(target + "\\big.bin") == "in use");  // not ours to remove
    }
    SUBCASE("a directory stands where the file should go") {
        CreateDirectoryA(target.c_str(), nullptr);
        CreateDirectoryA((target + "\\big.bin").c_str(), nullptr);
        CHECK(extractArchive(dir / "a.zip", target, oneReader) == runtime::extractFailed);
    }
    CHECK(readFile(target + "\\first.txt") == "first");
}

TEST_CASE("existing files are replaced, read-only ones too, and others are left alone") {
    ScratchDir dir("zip-replace");
    const std::string target = dir / "out";
    CreateDirectoryA(target.c_str(), nullptr);
    putFile(target + "\\keep.txt", "mine");
    putFile(target + "\\a.txt", "old contents that are longer");
    SetFileAttributesA((target + "\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    makeZip(dir / "a.zip", {entry("a.txt", "new")});

    REQUIRE(extractArchive(dir / "a.zip", target) == runtime::extractDone);
    CHECK(readFile(target + "\\a.txt") == "new");
    CHECK(attributesOf(target + "\\a.txt") == normalFile());
    CHECK(readFile(target + "\\keep.txt") == "mine");
}

TEST_CASE("the entry's attributes are used to create the file, which ends up normal") {
    ScratchDir dir("zip-attributes");
    ZipEntry hidden = entry("hidden.txt", "h");
    hidden.attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ZipEntry readOnly = entry("readonly.txt", "r");
    readOnly.attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE;
    ZipEntry folder = entry("folder", "");
    folder.attributes = FILE_ATTRIBUTE_DIRECTORY;
    makeZip(dir / "a.zip", {hidden, readOnly, folder});

    FailingDisk recorder{1000};
    runtime::ExtractOptions options;
    options.writeBlock = writeUntilFull;
    options.context = &recorder;
    REQUIRE(extractArchive(dir / "a.zip", dir / "out", options) == runtime::extractDone);
    CHECK((recorder.attributesSeen & FILE_ATTRIBUTE_READONLY) != 0);
    CHECK((recorder.attributesSeen & FILE_ATTRIBUTE_HIDDEN) != 0);
    CHECK(attributesOf(dir / "out\\hidden.txt") == normalFile());
    CHECK(attributesOf(dir / "out\\readonly.txt") == normalFile());
    CHECK((attributesOf(dir / "out\\folder") & FILE_ATTRIBUTE_DIRECTORY) != 0);

    // Extracting again over the same files works as well.
    CHECK(extractArchive(dir / "a.zip", dir / "out") == runtime::extractDone);
}

TEST_CASE("file times come from the entry") {
    ScratchDir dir("zip-times");
    ZipEntry ntfs = entry("ntfs.txt", "n");
    ZipEntry dos = entry("dos.txt", "d");
    dos.ntfsTimes = false;
    ZipEntry badTimes = entry("badtimes.txt", "kept");  // times the file system refuses: logged, not a failure
    badTimes.modified = badTimes.accessed = badTimes.created = filetime(0x8000000000000000ull);
    makeZip(dir / "a.zip", {ntfs, dos, badTimes});
    REQUIRE(extractArchive(dir / "a.zip", dir / "out") == runtime::extractDone);
    CHECK(readFile(dir / "out\\badtimes.txt") == "kept");

    WIN32_FILE_ATTRIBUTE_DATA data;
    REQUIRE(GetFileAttributesExA((dir / "out\\ntfs.txt").c_str(), GetFileExInfoStandard, &data));
    CHECK(ticks(data.ftLastWriteTime) == ticks(ntfs.modified));
    CHECK(ticks(data.ftLastAccessTime) == ticks(ntfs.accessed));
    CHECK(ticks(data.ftCreationTime) == ticks(wineGap(WineGap::CreationTimeNotKept) ? ntfs.modified : ntfs.created));

    REQUIRE(GetFileAttributesExA((dir / "out\\dos.txt").c_str(), GetFileExInfoStandard, &data));
    FILETIME local, expected;
    DosDateTimeToFileTime(dos.dosDate, dos.dosTime, &local);
    LocalFileTimeToFileTime(&local, &expected);
    CHECK(ticks(data.ftLastWriteTime) == ticks(expected));
}
