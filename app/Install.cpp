#include "app/Install.h"

#include "app/Texts.h"
#include "runtime/Files.h"
#include "runtime/Shell.h"
#include "runtime/Zip.h"

namespace app {

InstallPaths installPaths(std::string_view directory, std::string_view desktop) {
    const bool slash = runtime::endsWithBackslash(directory);
    const std::string d(directory);
    InstallPaths paths;
    paths.product = d + (slash ? texts::productFolderAfterSlash : texts::productFolderAfterName);
    paths.archive = d + (slash ? texts::archiveAfterSlash : texts::archiveAfterName);
    paths.application = d + (slash ? texts::applicationAfterSlash : texts::applicationAfterName);
    // Never a bare file name: that would land in the current directory.
    if (!desktop.empty()) paths.shortcut = std::string(desktop) + texts::shortcutName + texts::shortcutExtension;
    return paths;
}

InstallResult installFiles(const InstallPaths& paths, ByteView payload) {
    InstallResult result;
    runtime::makeDirectory(paths.product);  // an existing folder is fine
    if (!runtime::writeFile(paths.archive, payload)) {
        result.failure = InstallFailure::archiveNotWritten;
        return result;
    }
    const int extracted = runtime::extractArchive(paths.archive, paths.product);
    runtime::deleteFile(paths.archive);
    if (extracted != runtime::extractDone) {
        result.failure = InstallFailure::extractionIncomplete;
    } else if (!runtime::fileExists(paths.application)) {
        result.failure = InstallFailure::applicationMissing;
    } else if (paths.shortcut.empty()) {
        result.shortcut = ShortcutOutcome::noDesktop;
    } else {
        result.shortcut = runtime::createShortcut(paths.shortcut, paths.application) ? ShortcutOutcome::created
                                                                                      : ShortcutOutcome::notSaved;
    }
    return result;
}

}  // namespace app
