// Edit controls and combo boxes: a thin themed ring that follows hover and focus
// instead of the system frame, the window background under a white veil in
// transparent mode, and combo boxes repainted with their own drop button.
#pragma once

#include <windows.h>

#include <optional>

#include "graphics/GdiHandles.h"

class GxGraphics;

namespace skin {

LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK comboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the ring between the window edge and the client area (scroll bars
// included); a state not given is the edit's own.
void paintEditFrame(HWND hwnd, std::optional<bool> focused = std::nullopt, std::optional<bool> hot = std::nullopt);
void drawEditBorder(HWND hwnd, bool focused, bool hot, GxGraphics& graphics);
// The veiled backdrop of the client area, drawn into an erase DC.
void paintEditBackground(HWND hwnd, HDC dc);
// A state not given: not hot, and the combo box's own focus.
void paintCombo(int skinIndex, int controlIndex, std::optional<bool> hot = std::nullopt,
                std::optional<bool> focused = std::nullopt);

bool hasScrollBars(HWND hwnd);
bool hasHScrollBar(HWND hwnd);
bool hasVScrollBar(HWND hwnd);
// The window's scroll bars as one region in screen coordinates, the space the
// system's non-client painting clips to.
gdi::UniqueRegion scrollBarRegion(HWND hwnd);

}  // namespace skin
