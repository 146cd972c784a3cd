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

// Whether a backdrop gets the tint of the containers behind it at once, or later
// (tintBackdrop), when a painter can first tell from the plain pixels that it needs none.
enum class Tinting { now, later };

// A memory DC of the area's size holding what lies behind that area of the control
// (area in the control's window coordinates); 0 when no skinned window lies behind it.
HDC makeBackdrop(HWND control, const RECT& area, Tinting tinting = Tinting::now);
// Lays over dc the tint that makeBackdrop(control, area, Tinting::later) left out.
void tintBackdrop(HWND control, HDC dc, const RECT& area);
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

// While it lives, the backdrops of the control inside area are copied out of one backdrop
// of area made at the start, instead of composed and tinted anew: for a paint whose
// messages each ask for a part of the same backdrop. Only for a control whose tint is
// square (it is the same in every part); UI thread only.
class BackdropShare {
public:
    BackdropShare(HWND control, const RECT& area);
    ~BackdropShare();
    BackdropShare(const BackdropShare&) = delete;
    BackdropShare& operator=(const BackdropShare&) = delete;

private:
    ScopedBackdrop picture_;
};

}  // namespace skin
