#include "runtime/Shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "runtime/Files.h"

namespace runtime {

using Microsoft::WRL::ComPtr;

std::string desktopDirectory() {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE) || !path[0]) return {};
    std::string out(path);
    if (!endsWithBackslash(out)) out += '\\';
    return out;
}

bool createShortcut(const std::string& shortcutPath, const std::string& targetPath) {
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) ||
        FAILED(link.As(&file)))
        return false;
    if (FAILED(link->SetPath(targetPath.c_str())) || FAILED(link->SetShowCmd(SW_SHOW))) return false;

    const int n = MultiByteToWideChar(CP_ACP, 0, shortcutPath.c_str(), -1, nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, shortcutPath.c_str(), -1, wide.data(), n);
    return SUCCEEDED(file->Save(wide.c_str(), TRUE));
}

void openUrl(const std::string& url) {
    // An open browser window becomes the owner of whatever the shell shows.
    HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    ShellExecuteA(owner, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace runtime
