// Path joining (GBK aware), directories and whole-file writes.
#include <doctest.h>
#include <windows.h>

#include <string>

#include "runtime/Files.h"
#include "support/TestFiles.h"

using namespace testing;

TEST_CASE("a GBK trail byte 0x5C is not a backslash") {
    CHECK(runtime::endsWithBackslash("D:\\"));
    CHECK(runtime::endsWithBackslash("D:\\乗\\"));
    CHECK_FALSE(runtime::endsWithBackslash("D:\\乗"));  // 0x81 0x5C
    CHECK_FALSE(runtime::endsWithBackslash(""));
    CHECK(runtime::joinPath("D:", "x") == "D:\\x");
    CHECK(runtime::joinPath("D:\\", "x") == "D:\\x");
    CHECK(runtime::joinPath("D:\\乗", "x") == "D:\\乗\\x");
    CHECK(runtime::parentPath("D:\\乗\\x") == "D:\\乗");
    CHECK(runtime::parentPath("D:\\乗") == "D:");
    CHECK(runtime::parentPath("name") == "");
}

TEST_CASE("directories") {
    ScratchDir dir("files-dirs");
    SUBCASE("makeDirectory makes one level and fails for an existing one") {
        CHECK(runtime::makeDirectory(dir / "one"));
        CHECK_FALSE(runtime::makeDirectory(dir / "one"));
        CHECK_FALSE(runtime::makeDirectory(dir / "missing\\two"));
        CHECK_FALSE(exists(dir / "missing"));
    }
    SUBCASE("makeDirectories makes every missing level, GBK names included") {
        CHECK(runtime::makeDirectories(dir / "a\\乗\\Velmora码字"));
        CHECK(runtime::directoryExists(dir / "a\\乗\\Velmora码字"));
        CHECK(runtime::makeDirectories(dir / "a\\乗\\Velmora码字"));  // already there
        CHECK(runtime::makeDirectories(dir / "b\\c\\"));
        CHECK(runtime::directoryExists(dir / "b\\c"));
    }
    SUBCASE("makeDirectories fails where a file is in the way or the drive is missing") {
        putFile(dir / "file", "x");
        CHECK_FALSE(runtime::makeDirectories(dir / "file\\sub"));
        CHECK_FALSE(runtime::makeDirectories("Q:\\velmora\\sub"));
        CHECK_FALSE(runtime::makeDirectories(""));
    }
}

TEST_CASE("writeFile writes exactly the bytes and replaces what was there") {
    ScratchDir dir("files-write");
    const std::string path = dir / "安装文件.zip";
    const std::string bytes("\x01\x00\x02PK\xff", 6);
    putFile(path, std::string(10000, 'x'));
    REQUIRE(runtime::writeFile(path, ByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())));
    CHECK(readFile(path) == bytes);
    CHECK(runtime::writeFile(dir / "empty", {}));
    CHECK(readFile(dir / "empty").empty());
    CHECK(runtime::fileExists(dir / "empty"));

    CHECK_FALSE(runtime::writeFile(dir / "missing\\file", {}));
    CHECK_FALSE(runtime::writeFile("Q:\\file", {}));

    CHECK(runtime::deleteFile(path));
    CHECK_FALSE(runtime::fileExists(path));
    CHECK_FALSE(runtime::deleteFile(path));
}

TEST_CASE("writeFile refuses a file someone else holds open") {
    ScratchDir dir("files-busy");
    const std::string path = dir / "busy";
    putFile(path, "theirs");
    HANDLE busy = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(busy != INVALID_HANDLE_VALUE);
    CHECK_FALSE(runtime::writeFile(path, {}));
    CloseHandle(busy);
    CHECK(readFile(path) == "theirs");
}
