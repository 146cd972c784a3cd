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
