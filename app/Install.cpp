#include "app/Install.h"

#include <iterator>

#include "app/Texts.h"
#include "assets/Payload.h"
#include "runtime/Files.h"
#include "runtime/Form.h"
#include "runtime/Services.h"
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
    runtime::ExtractOptions options;
    options.contents = payload;  // what the archive file now holds
    const int extracted = runtime::extractArchive(paths.archive, paths.product, options);
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

namespace {

bool installing = false;  // a run is waiting or working; more clicks are ignored

const char* failureReason(InstallFailure failure) {
    switch (failure) {
    case InstallFailure::archiveNotWritten: return texts::failedArchiveWrite;
    case InstallFailure::extractionIncomplete: return texts::failedExtraction;
    case InstallFailure::applicationMissing: return texts::failedApplicationMissing;
    case InstallFailure::none: break;
    }
    return "";
}

void reportFailure(runtime::Form& wizard, const InstallPaths& paths, InstallFailure failure) {
    const std::string reason = failureReason(failure);
    runtime::appendLogText(wizard.control("编辑框2").hwnd(),
                           (texts::failureLogStart + reason + texts::failureLogEnd).c_str());
    const std::string message =
        texts::failureBoxStart + reason + texts::failureBoxFolder + paths.product + texts::failureBoxEnd;
    runtime::messageBox(wizard.hwnd(), message.c_str(), MB_TOPMOST, texts::promptCaption);
}

}  // namespace

void installProduct(runtime::Form& wizard) {
    if (installing) return;
    installing = true;
    // The user cannot close the window during the wait and the file steps.
    wizard.setClosable(false);
    struct Done {
        runtime::Form& wizard;
        HWND window;
        ~Done() {
            installing = false;
            if (IsWindow(window)) wizard.setClosable(true);
        }
    } done{wizard, wizard.hwnd()};

    runtime::Control& log = wizard.control("编辑框2");
    log.setText(texts::installLog[0]);
    for (std::size_t i = 1; i < std::size(texts::installLog); ++i)
        runtime::appendLogText(log.hwnd(), texts::installLog[i]);

    // The window may be closed while messages are processed; then nothing is installed.
    const HWND window = wizard.hwnd();
    runtime::delayWithMessages(texts::installDelayMs);
    if (!IsWindow(window)) return;

    runtime::Control& confirm = wizard.control("按钮6");
    confirm.setDisabled(true);
    confirm.setVisible(false);

    const InstallPaths paths = installPaths(wizard.control("编辑框1").text(), runtime::desktopDirectory());
    const InstallResult result = installFiles(paths, payloadArchive.bytes());
    if (result.failure != InstallFailure::none) {
        reportFailure(wizard, paths, result.failure);
        if (!IsWindow(window)) return;
        confirm.setVisible(true);
        confirm.setDisabled(false);
        return;
    }
    if (result.shortcut == ShortcutOutcome::noDesktop)
        runtime::appendLogText(log.hwnd(), texts::shortcutNoDesktop);
    else if (result.shortcut == ShortcutOutcome::notSaved)
        runtime::appendLogText(log.hwnd(), texts::shortcutNotSaved);
    wizard.control("选择夹1").setPage(4);
}

}  // namespace app
