// Dialogs and message boxes caught by the CBT hook: rounded, painted with the skin
// background, a caption band with a glowing caption and one close button that turns
// red under the mouse, dragged by any point of their surface, and faded in from
// transparent to alpha 250 when they first paint.
#pragma once

#include <windows.h>

#include "graphics/GdiHandles.h"
#include "skin/controls/Statics.h"

class GxGraphics;

namespace skin {

// Skins a dialog in place; a dialog that has a record already is left alone.
void skinDialog(HWND hwnd);
LRESULT CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Puts every caption button in the 36 x 22 box at the top-right corner.
void layoutDialogButtons(int skinIndex);
// Paints the whole dialog into its background picture and onto the window.
void paintDialog(HWND hwnd);
// Repaints caption button buttonIndex (1-based) normal or hot on the window; with a
// graphics given, only draws its glyph there.
void paintDialogButton(int skinIndex, int buttonIndex, GxGraphics* graphics, bool hot);
// HTCLOSE in the close zone, HTCAPTION everywhere else.
LRESULT dialogHitTest(HWND hwnd, LPARAM lParam);

// Text and halo drawn as one text path into a picture that is blurred and then laid
// onto the target at the layout's corner.
void drawGlowCaption(GxGraphics& target, const char* text, const GxRectF& layout, COLORREF textColor,
                     COLORREF glowColor, int blurFactor, const GlowTextFont& font);

// The whole window's DC with every visible child clipped out.
gdi::WindowDc windowDcWithoutChildren(HWND hwnd);

// Body of a dialog's fade-in thread: five steps 40 ms apart up to alpha 250. It ends
// at once when stop is set; the dialog joins it before its handle goes away.
void dialogFadeIn(HWND hwnd, const gdi::Event& stop);

}  // namespace skin
