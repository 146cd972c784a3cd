// The class installers: each skins the direct children of one class of a parent
// window and records them in the skin record with the given skin index.
#pragma once

#include <windows.h>

namespace skin {

void skinPushButtons(int skinIndex, HWND parent);
void skinCheckButtons(int skinIndex, HWND parent);
void skinEdits(int skinIndex, HWND parent);
void skinTrackbars(int skinIndex, HWND parent);
void skinProgressBars(int skinIndex, HWND parent);
void skinLists(int skinIndex, HWND parent);
void skinUpDowns(int skinIndex, HWND parent);
void skinHeaders(int skinIndex, HWND parent);
void skinStatics(int skinIndex, HWND parent);
void skinToolbars(int skinIndex, HWND parent);

// The installers framed windows, dialogs and containers run over their children,
// in their fixed order (statics and toolbars are the dialog's own additions).
void skinChildControls(int skinIndex, HWND parent);

}  // namespace skin
