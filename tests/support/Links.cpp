#include "support/Links.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

namespace testing {

LinkInfo readLink(const std::string& file) {
    using Microsoft::WRL::ComPtr;
    LinkInfo info;
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> persist;
    std::wstring wide(file.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide.data(), int(wide.size())) - 1);
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) ||
        FAILED(link.As(&persist)) || FAILED(persist->Load(wide.c_str(), STGM_READ)))
        return info;
    char path[MAX_PATH] = {};
    link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH);
    info.path = path;
    link->GetShowCmd(&info.showCmd);
    info.loaded = true;
    return info;
}

}  // namespace testing
