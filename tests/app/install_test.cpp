// The file steps of the installation on the test prefix's scratch drive D:, with
// archives built here: paths, a full run, a reinstall over read-only copies and the
// failures that must stop before the shortcut.
#include <doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/Install.h"
#include "runtime/Files.h"
#include "runtime/Shell.h"
#include "support/ComScope.h"
#include "support/TestFiles.h"

using namespace testing;

namespace {

std::vector<ZipEntry> smallProduct() {
    std::vector<ZipEntry> entries;
    for (const char* name : {"commobj.fne", "krnln.fnr", "卸载程序.exe", "Velmora写作.exe"}) {
        ZipEntry e;
        e.name = name;
        e.data = std::string(name) + std::string(5000, 'v');
        entries.push_back(e);
    }
    return entries;
}

std::string archiveBytes(const std::vector<ZipEntry>& entries) {
    ScratchDir dir("install-archive");
    makeZip(dir / "a.zip", entries);
    return readFile(dir / "a.zip");
}

ByteView view(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

}  // namespace

TEST_CASE("paths below a directory with and without a trailing backslash") {
    const app::InstallPaths a = app::installPaths("D:\\书", "C:\\users\\me\\Desktop\\");
    const app::InstallPaths b = app::installPaths("D:\\书\\", "C:\\users\\me\\Desktop\\");
    CHECK(a.product == "D:\\书\\Velmora码字");
    CHECK(b.product == a.product);
    CHECK(a.archive == "D:\\书\\Velmora码字\\安装文件.zip");
    CHECK(b.archive == a.archive);
    CHECK(a.application == "D:\\书\\Velmora码字\\Velmora写作.exe");
    CHECK(b.application == a.application);
    CHECK(a.shortcut == "C:\\users\\me\\Desktop\\Velmora写作.lnk");
    CHECK(app::installPaths("D:\\", "K\\").product == "D:\\Velmora码字");
    CHECK(app::installPaths("D:\\乗", "K\\").product == "D:\\乗\\Velmora码字");  // trail byte 0x5C
    CHECK(app::installPaths("D:\\", "").shortcut.empty());
}

TEST_CASE("a run installs the files, removes the archive and links the program on the desktop") {
    ComScope com;
    const ScratchFile link(runtime::desktopDirectory() + "Velmora写作.lnk");
    ScratchDir product = ScratchDir::at("D:\\Velmora码字");
    const std::string payload = archiveBytes(smallProduct());
    const app::InstallPaths paths = app::installPaths("D:\\", runtime::desktopDirectory());

    const app::InstallResult result = app::installFiles(paths, view(payload));
    CHECK(result.failure == app::InstallFailure::none);
    CHECK(result.shortcut == app::ShortcutOutcome::created);
    for (const ZipEntry& e : smallProduct()) CHECK(readFile(paths.product + "\\" + e.name) == e.data);
    CHECK_FALSE(exists(paths.archive));
    CHECK(listFolder(paths.product).size() == smallProduct().size());
    CHECK(exists(link.path));

    SUBCASE("again over read-only copies, leaving other files alone") {
        for (const ZipEntry& e : smallProduct()) {
            putFile(paths.product + "\\" + e.name, "old");
            SetFileAttributesA((paths.product + "\\" + e.name).c_str(), FILE_ATTRIBUTE_READONLY);
        }
        putFile(paths.product + "\\notes.txt", "user's own");
        CHECK(app::installFiles(paths, view(payload)).failure == app::InstallFailure::none);
        for (const ZipEntry& e : smallProduct()) CHECK(readFile(paths.product + "\\" + e.name) == e.data);
        CHECK(readFile(paths.product + "\\notes.txt") == "user's own");
    }
}

TEST_CASE("failed runs stop before the shortcut and leave no archive") {
    ComScope com;
    const ScratchFile link(runtime::desktopDirectory() + "Velmora写作.lnk");
    ScratchDir scratch = ScratchDir::at("D:\\failing");

    SUBCASE("a directory on a drive that does not exist") {
        const app::InstallPaths paths = app::installPaths("Q:\\", runtime::desktopDirectory());
        const app::InstallResult result = app::installFiles(paths, view(archiveBytes(smallProduct())));
        CHECK(result.failure == app::InstallFailure::archiveNotWritten);
        CHECK_FALSE(exists(paths.product));
    }
    SUBCASE("a directory that does not exist") {
        const app::InstallPaths paths = app::installPaths("D:\\failing\\missing", runtime::desktopDirectory());
        CHECK(app::installFiles(paths, view(archiveBytes(smallProduct()))).failure ==
              app::InstallFailure::archiveNotWritten);
        CHECK(listFolder("D:\\failing").empty());
    }
    SUBCASE("a payload that is not an archive") {
        const app::InstallPaths paths = app::installPaths("D:\\failing", runtime::desktopDirectory());
        CHECK(app::installFiles(paths, view("no zip here")).failure == app::InstallFailure::extractionIncomplete);
        CHECK(listFolder(paths.product).empty());
    }
    SUBCASE("an archive without the program") {
        std::vector<ZipEntry> entries = smallProduct();
        entries.pop_back();
        const app::InstallPaths paths = app::installPaths("D:\\failing", runtime::desktopDirectory());
        CHECK(app::installFiles(paths, view(archiveBytes(entries))).failure ==
              app::InstallFailure::applicationMissing);
        CHECK_FALSE(exists(paths.archive));
    }
    CHECK_FALSE(exists(link.path));
}

TEST_CASE("without a desktop directory no shortcut is written anywhere") {
    ComScope com;
    ScratchDir scratch = ScratchDir::at("D:\\nodesk");
    const app::InstallPaths paths = app::installPaths("D:\\nodesk", "");
    const app::InstallResult result = app::installFiles(paths, view(archiveBytes(smallProduct())));
    CHECK(result.failure == app::InstallFailure::none);
    CHECK(result.shortcut == app::ShortcutOutcome::noDesktop);
    CHECK_FALSE(exists("Velmora写作.lnk"));
}
