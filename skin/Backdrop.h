// Backdrops: memory pictures of what lies behind a control, cut from the painted
// background of its skinned window (or of a panel that keeps its own), with the tint
// of the containers it sits in. Every control painter draws on one and copies it to
// the screen once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "graphics/GdiHandles.h"

namespace skin {

// Where a control's backdrop comes from.
struct BackdropSource {
    bool found = false;     // the skinned window itself or an ancestor is a record's window
    int skinIndex = 0;
    int containerIndex = 0;
    HWND owner = nullptr;   // a window that keeps its own painted background
};
BackdropSource findBackdropSource(HWND control);

// 1-based index of hwnd among the record's containers; 0 when it is none.
int findContainer(int skinIndex, HWND hwnd);
// The first container with a painted background between control and stop.
int findTintingContainer(int skinIndex, HWND control, HWND stop);

// A memory DC of the area's size holding what lies behind that area of the control
// (area in the control's window coordinates); 0 when no skinned window lies behind it.
HDC makeBackdrop(HWND control, const RECT& area);
// False for 0 and for a DC that is not a live backdrop.
bool freeBackdrop(HDC dc);
// The backdrop of the control's whole window rectangle with its client area veiled.
HDC veiledBackdrop(HWND control);
// The veiled backdrop of the client area as a bitmap the caller owns.
HBITMAP veiledBackdropBitmap(HWND control);
// Copies a backdrop into a new bitmap the caller owns and frees the backdrop.
HBITMAP dcToBitmap(HDC backdrop, int w, int h);
// The w x h pixels of the 32-bit top-down picture selected into dc, up to date with
// GDI's drawing; empty for any other picture.
std::span<std::uint32_t> dibPixels(HDC dc, int w, int h);

// A backdrop freed when the painter's scope ends.
using ScopedBackdrop = gdi::UniqueHandle<HDC, freeBackdrop>;

}  // namespace skin
