// Reads a shell link back through IShellLinkA (COM must be initialised).
#pragma once

#include <string>

namespace testing {

struct LinkInfo {
    bool loaded = false;
    std::string path;  // the target, as stored
    int showCmd = 0;
};

LinkInfo readLink(const std::string& file);

}  // namespace testing
