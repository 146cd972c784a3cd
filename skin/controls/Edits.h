// Edit controls and combo boxes: a thin themed ring that follows hover and focus
// instead of the system frame, the window background under a white veil in
// transparent mode, and combo boxes repainted with their own drop button.
#pragma once

#include <windows.h>

#include <optional>

#include "graphics/GdiHandles.h"
#include "skin/Primitives.h"
#include "skin/SkinRecord.h"

namespace skin {

LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK comboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the ring between the window edge and the client area (scroll bars
// included): a thin line, in the lit colour when focused, a double lit one when hot.
void paintRing(HWND hwnd, Argb thin, Argb lit, bool hot, bool focused, KeptFace& kept);
// The edit's ring; a state not given is the edit's own.
void paintEditFrame(EditSkin& edit, std::optional<bool> focused = std::nullopt,
                    std::optional<bool> hot = std::nullopt);
// WM_NCPAINT after the ring is painted: only the scroll bars keep the system's look.
LRESULT answerNcPaint(HWND hwnd, LPARAM lParam);
// The veiled backdrop of the client area, drawn into an erase DC; kept for the next
// erase when there is a place to keep it.
void paintEditBackground(HWND hwnd, HDC dc, KeptFace* kept);
// Paints the combo box on its window, or on target (a client DC) when there is one;
// a state not given: not hot, and the combo box's own focus.
void paintCombo(const ComboSkin& combo, std::optional<bool> hot = std::nullopt,
                std::optional<bool> focused = std::nullopt, HDC target = nullptr);

bool hasScrollBars(HWND hwnd);
bool hasHScrollBar(HWND hwnd);
bool hasVScrollBar(HWND hwnd);
// The window's scroll bars as one region in screen coordinates, the space the
// system's non-client painting clips to.
gdi::UniqueRegion scrollBarRegion(HWND hwnd);

}  // namespace skin
