// The texts reach the program as GBK bytes, and the test bench runs with code page 936.
#include <doctest.h>
#include <windows.h>

#include <cstring>
#include <initializer_list>

#include "app/Texts.h"

namespace {
bool hasBytes(const char* text, std::initializer_list<unsigned char> expected) {
    return std::strlen(text) == expected.size() && std::memcmp(text, expected.begin(), expected.size()) == 0;
}
}  // namespace

TEST_CASE("the ANSI code page of the test bench is GBK") {
    CHECK(GetACP() == 936u);
}

TEST_CASE("constant texts are stored as GBK") {
    CHECK(hasBytes(texts::promptCaption, {0xB0, 0xB2, 0xD7, 0xB0, 0xCC, 0xE1, 0xCA, 0xBE, 0xA3, 0xBA}));
    CHECK(hasBytes(texts::productFolderAfterSlash, {0x56, 0x65, 0x6C, 0x6D, 0x6F, 0x72, 0x61, 0xC2, 0xEB, 0xD7, 0xD6}));
    CHECK(hasBytes(texts::archiveAfterName, {0x5C, 0x56, 0x65, 0x6C, 0x6D, 0x6F, 0x72, 0x61, 0xC2, 0xEB, 0xD7, 0xD6, 0x5C,
                                             0xB0, 0xB2, 0xD7, 0xB0, 0xCE, 0xC4, 0xBC, 0xFE, 0x2E, 0x7A, 0x69, 0x70}));
}

TEST_CASE("the contact link has its fixed parts and no blanks") {
    const char* url = texts::contactUrl;
    CHECK(std::strncmp(url, "tencent://Message/?menu=no&exe=QQ&uin=", 38) == 0);
    CHECK(std::strstr(url, "&websiteName=") != nullptr);
    const std::size_t n = std::strlen(url);
    CHECK(std::strcmp(url + n - 6, "&info=") == 0);
    CHECK(std::strchr(url, ' ') == nullptr);
}
