// The pictures compiled into the program, each a complete image file in a ByteSet
// (assets/CMakeLists.txt links them from the files beside this header; tools/make_pictures.py
// draws them). Read-only, alive for the whole process.
#pragma once

#include "assets/ByteSet.h"

extern "C" {

// Tutorial page screenshots: BMP, 24 bpp (ImgTutorial3: 8 bpp with a palette).
extern const ByteSet ImgTutorial0;  // 759 x 398, book shelf, the create button marked
extern const ByteSet ImgTutorial1;  // 620 x 304, editor, the new-chapter button marked
extern const ByteSet ImgTutorial2;  // 365 x 511, editor, the new-volume button boxed
extern const ByteSet ImgTutorial3;  // 352 x 405, volume/chapter tree, 8 bpp

// Window background: progressive JPEG, 400 x 300.
extern const ByteSet ImgBackdrop;
// Picture panel animation: GIF 89a, 208 x 240, 5 frames, looping, transparent.
extern const ByteSet ImgAnimation;

// Glyphs: PNG, 8-bit RGBA, drawn at their natural size.
extern const ByteSet DialogCloseGlyph;      // 38 x 18, binary alpha
extern const ByteSet CheckOffGlyph;         // 13 x 13, border alpha 230, opaque inside
extern const ByteSet CheckOnGlyph;          // 13 x 13, opaque
extern const ByteSet ArrowDownGlyph;        // 7 x 4, binary alpha
extern const ByteSet ArrowUpGlyph;          // 7 x 4, binary alpha
extern const ByteSet ArrowLeftGlyph;        // 4 x 7, binary alpha
extern const ByteSet ArrowRightGlyph;       // 4 x 7, binary alpha
extern const ByteSet CaptionHelpGlyph;      // 26 x 18, smooth alpha
extern const ByteSet CaptionMenuGlyph;      // 26 x 18, smooth alpha
extern const ByteSet CaptionMinimizeGlyph;  // 26 x 18, smooth alpha
extern const ByteSet CaptionMaximizeGlyph;  // 26 x 18, smooth alpha
extern const ByteSet CaptionRestoreGlyph;   // 26 x 18, smooth alpha
extern const ByteSet CaptionCloseGlyph;     // 38 x 18, smooth alpha

}
