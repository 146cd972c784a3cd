// The installation routine: paths below the chosen directory, the file steps (folder,
// archive, extraction, shortcut) and the click handler of "确认安装".
#pragma once

#include <string>
#include <string_view>

#include "assets/ByteSet.h"

namespace runtime {
class Form;
}

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

// Click of "确认安装" on page 3: fills the log, waits 800 ms with messages, installs
// the embedded payload below the directory of 编辑框1 and moves to the tutorial. A
// failed installation is reported in the log and a message box, and the page stays
// with "确认安装" available again. A click while a run is under way is ignored.
void installProduct(runtime::Form& wizard);

}  // namespace app
