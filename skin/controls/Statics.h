// Static controls of skinned dialogs: labels drawn with a soft halo over their
// backdrop, icons drawn over it. drawGlowText is shared with the picture panels.
#pragma once

#include <windows.h>

#include "graphics/Gx.h"
#include "skin/SkinRecord.h"

namespace skin {

LRESULT CALLBACK staticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Draws the label or icon on the control, or on target (a client DC) when there is one.
void paintStatic(const StaticSkin& entry, HDC target = nullptr);

// How drawGlowText sets its text: font face, style and size (12 when not given),
// horizontal and vertical alignment (near when not given).
struct GlowTextFont {
    const char* fontName = "";
    int fontStyle = 0;
    float fontSize = 12.0f;
    Gdiplus::StringAlignment alignment = Gdiplus::StringAlignmentNear;
    Gdiplus::StringAlignment lineAlignment = Gdiplus::StringAlignmentNear;
};

// Draws text in textColor with a blurred halo in glowColor: the text is drawn into a
// picture, shrunk by blurFactor and enlarged again, rimmed faintly, and laid under the
// crisp text.
void drawGlowText(GxGraphics& target, const char* text, const GxRectF& layout, COLORREF textColor,
                  COLORREF glowColor, int blurFactor, const GlowTextFont& font = {});

}  // namespace skin
