// Skinned "BUTTON" windows: push buttons (owner-drawn through their parent), check
// boxes and radio buttons (painted by their own procedure), and the glass and picture
// buttons the engine gives pictures. The installers are declared in Installers.h.
#pragma once

#include <windows.h>

namespace skin {

// ButtonSkin::kind.
inline constexpr int pushButtonKind = 0;
inline constexpr int glassButtonKind = 1;
inline constexpr int pictureButtonKind = 3;
inline constexpr int radioButtonKind = 4;
inline constexpr int checkBoxKind = 5;

// Paint state: the owner-draw item-state bits plus ODS_HOTLIGHT for the mouse over
// the button.
inline constexpr UINT buttonPressed = ODS_SELECTED;
inline constexpr UINT buttonDisabled = ODS_DISABLED;
inline constexpr UINT buttonFocused = ODS_FOCUS;
inline constexpr UINT buttonHot = ODS_HOTLIGHT;

// The kind a button of the given style is skinned as (push, radio or check box); -1
// when it keeps the system look.
int buttonKindOfStyle(LONG_PTR style);

LRESULT CALLBACK buttonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Repaints a button from its record in the given state.
void paintButtonState(HWND hwnd, UINT state, bool hot);

// Draw into rc of dc.
void paintPushButton(HWND hwnd, HDC dc, UINT state, const RECT& rc);
void paintGlassButton(HWND hwnd, HDC dc, UINT state, const RECT& rc);
void paintPictureButton(HWND hwnd, HDC dc, UINT state, const RECT& rc);
// Draw onto the button's own DC, or onto target (a client DC) when there is one.
void paintRadioButton(HWND hwnd, UINT state, HDC target = nullptr);
void paintCheckBox(HWND hwnd, UINT state, HDC target = nullptr);

// WM_DRAWITEM of a framed window, dialog or container: paints its skinned buttons.
void drawItemButton(int skinIndex, const DRAWITEMSTRUCT& item);

}  // namespace skin
