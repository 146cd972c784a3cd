// The default payload archive: its ZIP structure byte by byte, its contents through
// minizip, and the two programs it carries, run under the test bench.
#include <doctest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <string>
#include <vector>

#include <unzip.h>

#include "assets/Payload.h"
#include "support/ComScope.h"
#include "support/TestFiles.h"
#include "tools/payload/PayloadTable.h"

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}
std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint64_t le64(const std::uint8_t* p) { return le32(p) | (std::uint64_t{le32(p + 4)} << 32); }

using testing::exists;
using testing::putFile;

std::string asText(const void* data, std::size_t size) { return {static_cast<const char*>(data), size}; }

// The archive as a file, as the installer has it on disk; removed when the tests end.
const std::string& archiveOnDisk() {
    static const testing::ScratchDir folder("payload-test");
    static const std::string path = [] {
        putFile(folder / "payload.zip", asText(payloadArchive.data(), payloadArchive.size()));
        return folder / "payload.zip";
    }();
    return path;
}

struct ArchiveFile {
    unzFile handle;
    explicit ArchiveFile(const std::string& path) : handle(unzOpen64(path.c_str())) {}
    ~ArchiveFile() {
        if (handle) unzClose(handle);
    }
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;
};

// Reads the current entry to its end; minizip checks the CRC-32 when it is closed.
bool readEntry(unzFile zip, std::vector<std::uint8_t>* into, std::uint64_t& length) {
    if (unzOpenCurrentFile(zip) != UNZ_OK) return false;
    std::vector<std::uint8_t> buffer(1 << 16);
    length = 0;
    int n = 0;
    while ((n = unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()))) > 0) {
        length += static_cast<unsigned>(n);
        if (into) into->insert(into->end(), buffer.begin(), buffer.begin() + n);
    }
    return unzCloseCurrentFile(zip) == UNZ_OK && n == 0;
}

// Extracts every entry into folder, as the installer does.
void extractInto(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    ArchiveFile zip(archiveOnDisk());
    REQUIRE(zip.handle != nullptr);
    for (int status = unzGoToFirstFile(zip.handle); status == UNZ_OK; status = unzGoToNextFile(zip.handle)) {
        char name[256];
        REQUIRE(unzGetCurrentFileInfo64(zip.handle, nullptr, name, sizeof name, nullptr, 0, nullptr, 0) == UNZ_OK);
        std::vector<std::uint8_t> data;
        std::uint64_t length = 0;
        REQUIRE(readEntry(zip.handle, &data, length));
        putFile(folder + "\\" + name, asText(data.data(), data.size()));
    }
}

}  // namespace

TEST_CASE("archive structure: 17 entries in table order, deflated, GBK names, NTFS times centrally") {
    const std::uint8_t* zip = payloadArchive.data();
    const std::size_t size = payloadArchive.size();
    CHECK(payloadArchive.dimensionCount == 1);
    REQUIRE(size > 22);

    // End record last: 17 entries on disk 0, no comment.
    const std::uint8_t* end = zip + size - 22;
    REQUIRE(le32(end) == 0x06054B50u);
    CHECK(le16(end + 4) == 0);
    CHECK(le16(end + 6) == 0);
    CHECK(le16(end + 8) == 17);
    CHECK(le16(end + 10) == 17);
    CHECK(le16(end + 20) == 0);
    const std::uint32_t directorySize = le32(end + 12), directoryAt = le32(end + 16);
    CHECK(directoryAt + directorySize == size - 22);

    std::size_t local = 0, central = directoryAt;
    for (std::size_t i = 0; i < payload::fileCount; ++i) {
        const payload::PayloadFile& file = payload::files[i];
        CAPTURE(file.name);
        const std::uint8_t* c = zip + central;
        REQUIRE(le32(c) == 0x02014B50u);
        CHECK(le16(c + 4) == 0x003F);   // made by: MS-DOS, 6.3
        CHECK(le16(c + 6) == 20);       // needed to extract
        CHECK(le16(c + 8) == 0);        // flags: no encryption, no descriptor, not UTF-8
        CHECK(le16(c + 10) == 8);       // deflate
        CHECK(le32(c + 24) == file.size);
        const std::uint16_t nameLength = le16(c + 28), extraLength = le16(c + 30), commentLength = le16(c + 32);
        CHECK(le16(c + 34) == 0);       // disk
        CHECK(le16(c + 36) == 0);       // internal attributes
        CHECK(le32(c + 38) == 0x20u);   // archive
        CHECK(le32(c + 42) == local);   // local headers follow each other from offset 0
        CHECK(commentLength == 0);
        CHECK(std::string(reinterpret_cast<const char*>(c + 46), nameLength) == file.name);
        REQUIRE(extraLength == 36);
        const std::uint8_t* extra = c + 46 + nameLength;
        CHECK(le16(extra) == 0x000A);
        CHECK(le16(extra + 2) == 32);
        CHECK(le16(extra + 8) == 0x0001);
        CHECK(le16(extra + 10) == 24);
        const std::uint64_t modified = le64(extra + 12);
        CHECK(modified > 0x01D0000000000000ull);  // a time in this century
        CHECK(le64(extra + 20) == modified);
        CHECK(le64(extra + 28) == modified);

        const std::uint8_t* l = zip + local;
        REQUIRE(le32(l) == 0x04034B50u);
        CHECK(le16(l + 4) == 20);
        CHECK(le16(l + 6) == 0);
        CHECK(le16(l + 8) == 8);
        CHECK(le32(l + 14) == le32(c + 16));  // CRC-32
        CHECK(le32(l + 18) == le32(c + 20));  // packed size
        CHECK(le32(l + 22) == file.size);
        CHECK(le16(l + 26) == nameLength);
        CHECK(le16(l + 28) == 0);  // no extra field locally
        CHECK(std::strchr(file.name, '\\') == nullptr);
        CHECK(std::strchr(file.name, '/') == nullptr);
        local += 30 + nameLength + le32(c + 20);
        central += 46 + nameLength + extraLength + commentLength;
    }
    CHECK(local == directoryAt);
    CHECK(central == directoryAt + directorySize);
}

TEST_CASE("archive size and packing come close to the product's archive") {
    // The product's archive is 16,326,377 bytes; the generated filler aims at each entry's packed size.
    const double total = static_cast<double>(payloadArchive.size());
    CHECK(total > 16326377 * 0.99);
    CHECK(total < 16326377 * 1.01);
    const std::uint8_t* zip = payloadArchive.data();
    std::size_t central = le32(zip + payloadArchive.size() - 22 + 16);
    for (const payload::PayloadFile& file : payload::files) {
        CAPTURE(file.name);
        const double packed = le32(zip + central + 20);
        CHECK(packed > file.packedTarget * 0.95);
        CHECK(packed < file.packedTarget * 1.05);
        central += 46 + le16(zip + central + 28) + le16(zip + central + 30);
    }
}

TEST_CASE("minizip lists the entries with their sizes and every CRC-32 checks out") {
    ArchiveFile zip(archiveOnDisk());
    REQUIRE(zip.handle != nullptr);
    unz_global_info64 global{};
    REQUIRE(unzGetGlobalInfo64(zip.handle, &global) == UNZ_OK);
    CHECK(global.number_entry == 17u);
    CHECK(global.size_comment == 0u);
    std::size_t i = 0;
    for (int status = unzGoToFirstFile(zip.handle); status == UNZ_OK; status = unzGoToNextFile(zip.handle), ++i) {
        REQUIRE(i < payload::fileCount);
        CAPTURE(payload::files[i].name);
        unz_file_info64 info{};
        char name[256];
        REQUIRE(unzGetCurrentFileInfo64(zip.handle, &info, name, sizeof name, nullptr, 0, nullptr, 0) == UNZ_OK);
        CHECK(std::strcmp(name, payload::files[i].name) == 0);
        CHECK(info.uncompressed_size == payload::files[i].size);
        std::vector<std::uint8_t> data;
        std::uint64_t length = 0;
        const bool programEntry = i == payload::applicationIndex || i == payload::uninstallerIndex;
        CHECK(readEntry(zip.handle, programEntry ? &data : nullptr, length));
        CHECK(length == payload::files[i].size);
        if (programEntry) {
            // A Windows program for this target, padded after its image.
            REQUIRE(data.size() > 0x40);
            CHECK(data[0] == 'M');
            CHECK(data[1] == 'Z');
            const std::uint32_t pe = le32(&data[0x3C]);
            REQUIRE(pe + 6 < data.size());
            CHECK(le32(&data[pe]) == 0x00004550u);
#if defined(_WIN64)
            CHECK(le16(&data[pe + 4]) == 0x8664);
#else
            CHECK(le16(&data[pe + 4]) == 0x014C);
#endif
        }
    }
    CHECK(i == payload::fileCount);
}

namespace {

std::string desktopFolder() {
    char path[MAX_PATH];
    REQUIRE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path)));
    return path;
}

void makeShortcut(const std::string& link, const std::string& target) {
    IShellLinkA* shellLink = nullptr;
    REQUIRE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       reinterpret_cast<void**>(&shellLink))));
    shellLink->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    REQUIRE(SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    wchar_t linkW[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, linkW, MAX_PATH);
    CHECK(SUCCEEDED(file->Save(linkW, TRUE)));
    file->Release();
    shellLink->Release();
}

struct Started {
    PROCESS_INFORMATION info{};
    bool ok = false;
    Started(const std::string& program, const std::string& arguments) {
        std::string command = "\"" + program + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ok = CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &info) != FALSE;
    }
    ~Started() {
        if (!ok) return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;
};

template <class Done>
bool waitFor(Done done, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 100) {
        if (done()) return true;
        Sleep(100);
    }
    return done();
}

// The top-level window of the given class (any when null) and title, once it shows up.
HWND waitForWindow(const char* windowClass, const char* title) {
    HWND window = nullptr;
    waitFor([&] { return (window = FindWindowA(windowClass, title)) != nullptr; }, 10000);
    return window;
}

// A scratch installation: the product folder with the archive's 17 files in it,
// and the desktop shortcut; all of it is removed when the test ends.
struct Installation {
    testing::ScratchDir scratch;
    std::string base, folder, application, uninstaller, shortcut;
    explicit Installation(const char* tag) : scratch(tag) {
        base = scratch.path();
        folder = base + "\\" + payload::productFolderName;
        extractInto(folder);
        application = folder + "\\" + payload::files[payload::applicationIndex].name;
        uninstaller = folder + "\\" + payload::files[payload::uninstallerIndex].name;
        shortcut = desktopFolder() + "\\" + payload::shortcutFileName;
    }
    ~Installation() { DeleteFileA(shortcut.c_str()); }
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    bool anyInstalledFileLeft() const {
        for (const payload::PayloadFile& file : payload::files)
            if (exists(folder + "\\" + file.name)) return true;
        return false;
    }
};

}  // namespace

TEST_CASE("the uninstaller removes the installed files, the folder and the desktop shortcut") {
    testing::ComScope com;
    Installation install("uninstall");
    makeShortcut(install.shortcut, install.application);
    const std::string bystander = desktopFolder() + "\\笔记.txt";
    putFile(bystander, "x");
    // Read-only copies (an earlier installation's) go as well.
    SetFileAttributesA((install.folder + "\\krnln.fnr").c_str(), FILE_ATTRIBUTE_READONLY);

    Started run(install.uninstaller, "/quiet");
    REQUIRE(run.ok);
    CHECK(waitFor([&] { return !exists(install.folder); }, 20000));
    CHECK_FALSE(install.anyInstalledFileLeft());
    CHECK(waitFor([&] { return !exists(install.shortcut); }, 5000));
    CHECK(exists(bystander));
    CHECK(exists(install.base));
    DeleteFileA(bystander.c_str());
}

TEST_CASE("the uninstaller leaves the user's files and another folder's shortcut alone") {
    testing::ComScope com;
    Installation install("keep");
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string elsewhere = std::string(windows) + "\\notepad.exe";
    makeShortcut(install.shortcut, elsewhere);
    const std::string novel = install.folder + "\\我的小说.txt";
    putFile(novel, "chapter");
    CreateDirectoryA((install.folder + "\\备份").c_str(), nullptr);
    const std::string backup = install.folder + "\\备份\\第一章.txt";
    putFile(backup, "1");

    Started run(install.uninstaller, "/quiet");
    REQUIRE(run.ok);
    CHECK(waitFor([&] { return !install.anyInstalledFileLeft(); }, 20000));
    Sleep(1000);  // the shortcut and folder steps come right after the files
    CHECK(exists(install.folder));
    CHECK(exists(novel));
    CHECK(exists(backup));
    CHECK(exists(install.shortcut));
}

TEST_CASE("the uninstaller asks first and removes nothing when the user declines") {
    Installation install("decline");
    Started run(install.uninstaller, "");
    REQUIRE(run.ok);
    HWND question = waitForWindow("#32770", "Velmora码字 卸载程序");
    REQUIRE(question != nullptr);
    PostMessageA(question, WM_COMMAND, IDNO, 0);
    CHECK(WaitForSingleObject(run.info.hProcess, 10000) == WAIT_OBJECT_0);
    Sleep(500);
    for (const payload::PayloadFile& file : payload::files) CHECK(exists(install.folder + "\\" + file.name));
}

TEST_CASE("the application opens its window titled Velmora写作 and closes on request") {
    Installation install("application");
    Started run(install.application, "");
    REQUIRE(run.ok);
    HWND window = waitForWindow(nullptr, "Velmora写作");
    REQUIRE(window != nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    CHECK(owner == run.info.dwProcessId);
    PostMessageA(window, WM_CLOSE, 0, 0);
    CHECK(WaitForSingleObject(run.info.hProcess, 10000) == WAIT_OBJECT_0);
}
