// The installation routine: paths below the chosen directory, the file steps (folder,
// archive, extraction, shortcut) and the click handler of "确认安装".
#pragma once

#include <string>
#include <string_view>

#include "assets/ByteSet.h"

namespace app {

struct InstallPaths {
    std::string product;      // the chosen directory joined with "Velmora码字"
    std::string archive;      // the temporary archive in the product folder
    std::string application;  // the installed program
    std::string shortcut;     // on the desktop; empty when the desktop is unknown
};

// desktop: the desktop directory with its trailing backslash, or empty.
InstallPaths installPaths(std::string_view directory, std::string_view desktop);

enum class InstallFailure { none, archiveNotWritten, extractionIncomplete, applicationMissing };
enum class ShortcutOutcome { created, noDesktop, notSaved, notAttempted };

struct InstallResult {
    InstallFailure failure = InstallFailure::none;
    ShortcutOutcome shortcut = ShortcutOutcome::notAttempted;
};

// Creates the product folder, writes the payload there as the temporary archive,
// extracts it, deletes it and puts the shortcut on the desktop. A failed step ends the
// run with the archive removed and no shortcut. COM must be initialised.
InstallResult installFiles(const InstallPaths& paths, ByteView payload);

}  // namespace app
