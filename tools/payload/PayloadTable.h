// The files of the default payload archive, in archive order: names (GBK in the
// program, like every text constant), unpacked sizes and the packed sizes the generated
// contents aim at. Shared by the archive builder, the uninstaller and the tests.
#pragma once

#include <cstddef>

namespace payload {

struct PayloadFile {
    const char* name;
    std::size_t size;            // bytes when extracted
    std::size_t packedTarget;    // deflated size the generated contents aim at
};

inline constexpr PayloadFile files[] = {
    {"ESpeechEngine.fne", 180224, 80619},
    {"HtmlView.fne", 217088, 103398},
    {"RegEx.fnr", 217088, 91403},
    {"commobj.fne", 114688, 46796},
    {"eAPI.fne", 315392, 142833},
    {"eCompress.fne", 180224, 83423},
    {"iext.fnr", 208896, 89800},
    {"iext2.fne", 503808, 230263},
    {"iext3.fne", 393216, 170135},
    {"iext5.fne", 331776, 148030},
    {"internet.fne", 192512, 86717},
    {"krnln.fnr", 1286144, 590899},
    {"mp3.run", 204800, 87838},
    {"shell.fne", 61440, 23239},
    {"spec.fne", 73728, 33952},
    {"卸载程序.exe", 1507328, 600676},
    {"Velmora写作.exe", 20070400, 13714082},
};

inline constexpr std::size_t fileCount = sizeof files / sizeof files[0];
inline constexpr std::size_t uninstallerIndex = 15;
inline constexpr std::size_t applicationIndex = 16;

// The product folder's name and the desktop shortcut the installer makes.
inline constexpr char productFolderName[] = "Velmora码字";
inline constexpr char shortcutFileName[] = "Velmora写作.lnk";

}  // namespace payload
