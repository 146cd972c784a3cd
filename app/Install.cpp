#include "app/Install.h"

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

namespace {

bool installing = false;  // a run is waiting or working; more clicks are ignored

// Why a run stopped, as the log and the message box say it.
const char* failureReason(InstallFailure failure) {
    switch (failure) {
    case InstallFailure::archiveNotWritten: return "无法在安装目录中写入安装文件";
    case InstallFailure::extractionIncomplete: return "解压安装文件未能完成";
    case InstallFailure::applicationMissing: return "安装后找不到主程序文件";
    case InstallFailure::none: break;
    }
    return "";
}

void reportFailure(runtime::Form& wizard, const InstallPaths& paths, InstallFailure failure) {
    const std::string reason = failureReason(failure);
    runtime::appendLogText(wizard.control("编辑框2").hwnd(),
                           ("\r\n安装失败：" + reason + "~！请返回上一步更换安装目录。").c_str());
    const std::string message = "安装失败：" + reason + "~！\r\n安装目录：" + paths.product +
                                "\r\n请点击“《上一步”更换安装目录后重新安装~！";
    runtime::messageBox(wizard.hwnd(), message.c_str(), MB_TOPMOST, texts::promptCaption);
}

}  // namespace

void installProduct(runtime::Form& wizard) {
    if (installing) return;
    installing = true;
    struct Done {
        ~Done() { installing = false; }
    } done;

    runtime::Control& log = wizard.control("编辑框2");
    log.setText(texts::installLog[0]);
    for (int i = 1; i < 19; ++i) runtime::appendLogText(log.hwnd(), texts::installLog[i]);

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
        confirm.setVisible(true);
        confirm.setDisabled(false);
        return;
    }
    if (result.shortcut == ShortcutOutcome::noDesktop)
        runtime::appendLogText(log.hwnd(), "\r\n找不到桌面目录，未创建桌面快捷方式~！");
    else if (result.shortcut == ShortcutOutcome::notSaved)
        runtime::appendLogText(log.hwnd(), "\r\n创建桌面快捷方式失败~！");
    wizard.control("选择夹1").setPage(4);
}

}  // namespace app
