// List boxes, list views, tree views, IP-address fields and date-time pickers keep
// their own item drawing inside a themed ring that follows hover and focus; in
// transparent mode their items lie on the window background under a white veil.
// Header controls are repainted completely, item by item.
#pragma once

#include <windows.h>

#include <optional>

#include "skin/SkinRecord.h"

namespace skin {

// Sent by the run time's message loop to the target window of a queued message and
// to each of its ancestors before the message is translated.
inline constexpr UINT beforeTranslateMessage = 0x8002;

LRESULT CALLBACK listProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK headerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the ring outside the client area and the scroll bars; a state not given is
// the control's own. Borderless lists and the lists of combo boxes get none.
void paintListFrame(ListSkin& list, std::optional<bool> hot = std::nullopt,
                    std::optional<bool> focused = std::nullopt);
// Paints every item of the header onto its window, or onto target (a client DC) when
// there is one.
void paintHeader(HeaderSkin& header, HDC target = nullptr);
// The 1-based item under the point (header client coordinates, packed as in mouse
// messages); 0 when none, also within 5 pixels of an item edge, where the divider
// is dragged.
int headerItemAt(const HeaderSkin& header, LPARAM point);

}  // namespace skin
