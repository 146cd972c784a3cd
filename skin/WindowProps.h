// The named window properties that tie skinned windows and controls to their state.
#pragma once

#include <windows.h>

namespace skin {

namespace prop {
inline constexpr char keptProc[] = "Hw_hProc";         // the replaced window procedure
inline constexpr char index[] = "Hw_lbID";             // skin index of a window, control index of a control
inline constexpr char ownerIndex[] = "Hw_FuID";        // skin index of the window whose record holds the control
inline constexpr char textColor[] = "Kj_Ztys";         // COLORREF of the control's text
inline constexpr char colorBrush[] = "Kj_dxjb";        // brush last returned for WM_CTLCOLOR*
inline constexpr char colorBrushBitmap[] = "Kj_wtjb";  // bitmap under that pattern brush
inline constexpr char keyedProc[] = "Kj_hProc";        // the same three roles for keyed containers
inline constexpr char keyedIndex[] = "Kj_lbID";
inline constexpr char keyedOwnerIndex[] = "Kj_FuID";
inline constexpr char backgroundOwner[] = "Mb_zpf";    // nearest ancestor that keeps its own background
inline constexpr char keepsBackground[] = "Wxk_Zpf";   // 1: the window keeps its painted background
inline constexpr char backgroundDc[] = "Wxk_Cj";       // HDC of that background
inline constexpr char frameFirstBitmap[] = "Ck_Ycjdx"; // what the frame's background DC held first
inline constexpr char frameBitmap[] = "Ck_wtjbdx";     // the frame's skin bitmap
}  // namespace prop

// The three properties that tie a subclassed window to its kept procedure and record.
// Keyed containers have a family of their own, so that one window can be a keyed and
// a child container at once.
struct PropertyFamily {
    const char* keptProc;
    const char* index;
    const char* ownerIndex;
};
inline constexpr PropertyFamily controlProps{prop::keptProc, prop::index, prop::ownerIndex};
inline constexpr PropertyFamily keyedProps{prop::keyedProc, prop::keyedIndex, prop::keyedOwnerIndex};

// Reading a window property is a round trip to the window server under Wine (about
// 40 µs), and a skinned control reads three of them for every message it gets. The
// process therefore keeps a copy of the properties named above: every change the skin
// makes goes through setProp or removeProp and is written through, and a read that the
// copy cannot answer asks the window once. Other names go to the window each time.
// Safe from any thread.
INT_PTR getProp(HWND hwnd, const char* name);
void setProp(HWND hwnd, const char* name, INT_PTR value);
// Removes the property; true when the window had it.
bool removeProp(HWND hwnd, const char* name);
// Forgets the copies of windows that no longer exist, so that a handle given to a new
// window cannot answer with the properties of the old one: a subclassed window's as it
// goes (WM_NCDESTROY), the others' when a skinned top-level window is released, which
// is when its controls have gone.
void forgetWindow(HWND hwnd);
void forgetDeadWindows();

inline int getPropInt(HWND hwnd, const char* name) { return static_cast<int>(getProp(hwnd, name)); }

template <class Handle>
Handle getPropHandle(HWND hwnd, const char* name) {
    return reinterpret_cast<Handle>(getProp(hwnd, name));
}

template <class Handle>
void setPropHandle(HWND hwnd, const char* name, Handle value) {
    setProp(hwnd, name, reinterpret_cast<INT_PTR>(value));
}

}  // namespace skin
