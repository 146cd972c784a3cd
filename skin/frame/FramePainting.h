// Pieces of the frame painter shared by the frame procedure, the set-up operations
// and the control skins.
#pragma once

#include <windows.h>

#include <string>

#include "graphics/GxFlat.h"

class GxGraphics;
class GxPath;

namespace skin {

struct SkinRecord;

// Gives the window the rounded region of a w x h client area (left alone when it
// has that region already, so a repaint does not invalidate the window again).

// Invalidates the skinned controls placed directly on the framed window, so that
// they take their backdrops from the newly painted frame.
void invalidateChildControls(int skinIndex);
void invalidateHeaders(int skinIndex);

// Text drawn four times in the shadow colour (alpha 150) around its place, offset by
// haloOffset, then once in the text colour.
struct HaloText {
    COLORREF textColor = 0x00FFFFFF;
    COLORREF shadowColor = 0x00808080;
    int haloOffset = 1;
    std::string fontName;
    int fontSize = 13;
    int fontStyle = 0;
    Gdiplus::StringAlignment alignment = Gdiplus::StringAlignmentNear;
    Gdiplus::StringAlignment lineAlignment = Gdiplus::StringAlignmentNear;
};
void drawHaloText(GxGraphics& graphics, const char* text, const GxRectF& rect, const HaloText& style);

// An open figure: left side up, top edge, a rounded top-right corner of diameter d,
// right side down (the close button's tab).
void addTopRightTab(GxPath& path, float x, float y, float w, float h, int d);

// Which border resize a point of a w x h client area starts: the system command
// (0 = none, the point drags the window) and the cursor shown there.
struct ResizeHit {
    WPARAM command = 0;
    WORD cursor = 0;
};
ResizeHit resizeHitAt(int x, int y, int w, int h, int margin);

// True when the frame must be painted before it is copied: it is marked dirty, was
// never painted, or was painted for another client size.
bool frameNeedsPaint(const SkinRecord& record);

}  // namespace skin
