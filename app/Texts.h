// The installer's constant texts. Sources are UTF-8; the compiler stores every literal
// in GBK (-fexec-charset=GBK), the code page the installer's texts have at run time.
#pragma once

namespace texts {

// Folder browser and directory check.
inline constexpr char browseTitle[] = "请选择安装目录：";
inline constexpr char emptyDirectoryMessage[] = "安装目录不能为空，请选择安装目录~！";
inline constexpr char promptCaption[] = "安装提示：";

// Paths below the chosen directory D.
inline constexpr char backslash[] = "\\";
inline constexpr char productFolderAfterName[] = "\\Velmora码字";   // D has no trailing backslash
inline constexpr char productFolderAfterSlash[] = "Velmora码字";    // D ends with a backslash
inline constexpr char archiveAfterName[] = "\\Velmora码字\\安装文件.zip";
inline constexpr char archiveAfterSlash[] = "Velmora码字\\安装文件.zip";
inline constexpr char applicationAfterName[] = "\\Velmora码字\\Velmora写作.exe";
inline constexpr char applicationAfterSlash[] = "Velmora码字\\Velmora写作.exe";
inline constexpr char archiveFileName[] = "安装文件.zip";
inline constexpr char applicationFileName[] = "Velmora写作.exe";
inline constexpr char shortcutName[] = "Velmora写作";
inline constexpr char shortcutExtension[] = ".lnk";

inline constexpr char iconResourceName[] = "DEFAULT_ICON";

// The installation log, in the order it is written; the first replaces the box's text.
inline constexpr const char* installLog[19] = {
    "正在安装：\r\n",
    "正在安装文件：commobj.fne\r\n",
    "正在安装文件：eAPI.fne\r\n",
    "正在安装文件：eCompress.fne\r\n",
    "正在安装文件：ESpeechEngine.fne\r\n",
    "正在安装文件：HtmlView.fne\r\n",
    "正在安装文件：iext.fnr\r\n",
    "正在安装文件：iext2.fne\r\n",
    "正在安装文件：iext3.fne\r\n",
    "正在安装文件：iext5.fne\r\n",
    "正在安装文件：internet.fne\r\n",
    "正在安装文件：krnln.fnr\r\n",
    "正在安装文件：mp3.run\r\n",
    "正在安装文件：RegEx.fnr\r\n",
    "正在安装文件：shell.fne\r\n",
    "正在安装文件：spec.fne\r\n",
    "正在安装文件：卸载程序.exe\r\n",
    "正在安装文件：Velmora码字主程序.exe\r\n",
    "安装完毕~！！！！！！一秒后跳转到下一步>>",
};

// A failed installation: the step that failed, in a log line and a message box that
// also names the product folder.
inline constexpr char failedArchiveWrite[] = "无法在安装目录中写入安装文件";
inline constexpr char failedExtraction[] = "解压安装文件未能完成";
inline constexpr char failedApplicationMissing[] = "安装后找不到主程序文件";
inline constexpr char failureLogStart[] = "\r\n安装失败：";
inline constexpr char failureLogEnd[] = "~！请返回上一步更换安装目录。";
inline constexpr char failureBoxStart[] = "安装失败：";
inline constexpr char failureBoxFolder[] = "~！\r\n安装目录：";
inline constexpr char failureBoxEnd[] = "\r\n请点击“《上一步”更换安装目录后重新安装~！";
// Log lines of a desktop shortcut that was not made.
inline constexpr char shortcutNoDesktop[] = "\r\n找不到桌面目录，未创建桌面快捷方式~！";
inline constexpr char shortcutNotSaved[] = "\r\n创建桌面快捷方式失败~！";

// The author's chat account, the official group and the web site named in the
// welcome text and the contact link.
#define VELMORA_AUTHOR_QQ "2853064917"
#define VELMORA_GROUP "615283047"
#define VELMORA_SITE "www.velmora.cn"

inline constexpr char contactUrl[] =
    "tencent://Message/?menu=no&exe=QQ&uin=" VELMORA_AUTHOR_QQ "&websiteName=" VELMORA_SITE "&info=";

// Numeric constants of the wizard.
inline constexpr int installDelayMs = 800;
inline constexpr int cancelTimerMs = 100;
inline constexpr double tutorialStep = 1.0;

}  // namespace texts
