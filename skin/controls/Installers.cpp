#include "skin/controls/Installers.h"

namespace skin {

void skinChildControls(int skinIndex, HWND parent) {
    // Order matters: buttons first, then edits (and combo boxes), trackbars, progress
    // bars, lists, up-downs and headers.
    skinPushButtons(skinIndex, parent);
    skinCheckButtons(skinIndex, parent);
    skinEdits(skinIndex, parent);
    skinTrackbars(skinIndex, parent);
    skinProgressBars(skinIndex, parent);
    skinLists(skinIndex, parent);
    skinUpDowns(skinIndex, parent);
    skinHeaders(skinIndex, parent);
}

}  // namespace skin
