// Skinned trackbars, progress bars and up-down controls: painted completely by the
// skin (frame included) over their window's background; the controls keep their own
// logic. The installers are declared in Installers.h.
#pragma once

#include <windows.h>

#include <optional>

#include "skin/SkinRecord.h"

namespace skin {

LRESULT CALLBACK trackbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK progressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK upDownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Each painter draws the whole control on its window, or on target (a client DC, as
// WM_PRINTCLIENT gives) when there is one.
void paintTrackbar(const TrackbarSkin& entry, HDC target = nullptr);
void paintProgress(const ProgressSkin& entry, HDC target = nullptr);
// Values not given come from the entry: hot, pressed, and the lit half (the pressed
// one, else the one the mouse is over).
void paintUpDown(const UpDownSkin& entry, std::optional<bool> hot = std::nullopt,
                 std::optional<bool> pressed = std::nullopt, std::optional<LPARAM> point = std::nullopt,
                 HDC target = nullptr);

// Which half of the up-down control the point (client coordinates packed as in a
// mouse message) lies in: 0 the first (up or left), 1 the second.
int upDownPartAt(const UpDownSkin& entry, LPARAM point);

}  // namespace skin
