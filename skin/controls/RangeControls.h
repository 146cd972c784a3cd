// Skinned trackbars, progress bars and up-down controls: painted completely by the
// skin (frame included) over their window's background; the controls keep their own
// logic. The installers are declared in Installers.h.
#pragma once

#include <windows.h>

#include <optional>

namespace skin {

LRESULT CALLBACK trackbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK progressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK upDownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

void paintTrackbar(int skinIndex, int controlIndex);
void paintProgress(int skinIndex, int controlIndex);
// Values not given come from the record: hot, pressed, and the lit half (the pressed
// one, else the one the mouse is over).
void paintUpDown(int skinIndex, int controlIndex, std::optional<bool> hot = std::nullopt,
                 std::optional<bool> pressed = std::nullopt, std::optional<LPARAM> point = std::nullopt);

// Which half of the up-down control the point (client coordinates packed as in a
// mouse message) lies in: 0 the first (up or left), 1 the second.
int upDownPartAt(int skinIndex, int controlIndex, LPARAM point);

}  // namespace skin
