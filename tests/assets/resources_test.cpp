// The executable resources as the installer carries them: this test program links the
// same resource object, so it reads them from its own image.
#include <doctest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "WineGaps.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

std::vector<BYTE> ownVersionRecord() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<BYTE> data(size);
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, data.data())) data.clear();
    return data;
}

std::wstring versionString(const std::vector<BYTE>& record, const wchar_t* name) {
    std::wstring key = std::wstring(L"\\StringFileInfo\\080403a8\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(record.data(), key.c_str(), &value, &length) || length == 0) return {};
    return static_cast<const wchar_t*>(value);
}

}  // namespace

TEST_CASE("version record: 2.0.0.0, Chinese product texts, GBK block") {
    const std::vector<BYTE> record = ownVersionRecord();
    REQUIRE(!record.empty());

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    REQUIRE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    CHECK(fixed->dwFileVersionMS == MAKELONG(0, 2));
    CHECK(fixed->dwFileVersionLS == 0u);
    CHECK(fixed->dwProductVersionMS == MAKELONG(0, 2));
    CHECK(fixed->dwProductVersionLS == 0u);

    CHECK(versionString(record, L"ProductName") == L"Velmora\u7801\u5b57\u8f6f\u4ef6");
    CHECK(versionString(record, L"FileDescription") ==
          L"\u8bf7\u591a\u591a\u5ba3\u4f20\u6b64\u8f6f\u4ef6\uff0c\u529f\u80fd\u5f3a\u5927\uff01");

    WORD* translation = nullptr;
    REQUIRE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                           &length));
    REQUIRE(length == 4u);
    CHECK(translation[0] == 0x0804);
    CHECK(translation[1] == 936);

    // Read through the ANSI interface, the texts come back in the GBK bytes of the
    // installer's own constants.
    void* ansi = nullptr;
    REQUIRE(VerQueryValueA(record.data(), "\\StringFileInfo\\080403a8\\ProductName", &ansi, &length));
    CHECK(std::strcmp(static_cast<const char*>(ansi), "Velmora码字软件") == 0);
}

TEST_CASE("icon group DEFAULT_ICON holds the eleven images, and there is no icon 129") {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC group = FindResourceA(self, "DEFAULT_ICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    REQUIRE(group != nullptr);
    const auto* header = static_cast<const GroupIconHeader*>(LockResource(LoadResource(self, group)));
    REQUIRE(header != nullptr);
    CHECK(header->type == 1);
    REQUIRE(header->count == 11);
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    const struct {
        int size;
        int bpp;
    } expected[11] = {{48, 4}, {32, 4}, {24, 4}, {16, 4}, {48, 8}, {32, 8}, {16, 8}, {128, 32}, {48, 32}, {32, 32}, {16, 32}};
    for (int i = 0; i < 11; ++i) {
        CAPTURE(i);
        CHECK(entries[i].width == expected[i].size);
        CHECK(entries[i].height == expected[i].size);
        CHECK(entries[i].bitCount == expected[i].bpp);
        // Each member is a real icon image the system can turn into an icon.
        HRSRC image = FindResourceW(self, MAKEINTRESOURCEW(entries[i].id), MAKEINTRESOURCEW(3));  // RT_ICON
        REQUIRE(image != nullptr);
        CHECK(SizeofResource(self, image) == entries[i].bytesInRes);
        auto* bits = static_cast<BYTE*>(LockResource(LoadResource(self, image)));
        HICON icon = CreateIconFromResourceEx(bits, entries[i].bytesInRes, TRUE, 0x00030000, expected[i].size,
                                              expected[i].size, LR_DEFAULTCOLOR);
        CHECK(icon != nullptr);
        if (icon) DestroyIcon(icon);
    }
    CHECK(FindResourceW(self, MAKEINTRESOURCEW(129), MAKEINTRESOURCEW(14)) == nullptr);
    CHECK(FindResourceW(self, MAKEINTRESOURCEW(129), MAKEINTRESOURCEW(3)) == nullptr);

    HICON big = LoadIconA(self, "DEFAULT_ICON");
    CHECK(big != nullptr);
}

TEST_CASE("the manifest gives the process version 6 of the common controls") {
    InitCommonControls();
    // The process's default activation context redirects comctl32 to the version-6 assembly.
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    REQUIRE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &data));
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH);
    CHECK(std::wcsstr(path, L"common-controls") != nullptr);

    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    REQUIRE(comctl != nullptr);
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
    REQUIRE(static_cast<bool>(getVersion));
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    REQUIRE(getVersion(&info) == S_OK);
    CHECK(info.dwMajorVersion == (wineGap(WineGap::ComctlReportsVersion5) ? 5u : 6u));
}
