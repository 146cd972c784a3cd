// The skin state of one skinned top-level window (a framed window or a dialog).
//
// Where per-window state lives, one way for each kind of window:
// - a skinned window and the controls the skin subclasses keep theirs here, in the
//   window's record and its 1-based control arrays; a control reaches its entry only
//   through locate (SkinCore.h), from the indices in its properties;
// - picture panels and run-time forms keep theirs in their own object, found from the
//   window through one HWND-to-object map of that layer.
// Module state (SkinCore.h) is for what the process has once: a second skinned window
// would share anything per window kept there.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "assets/ByteSet.h"
#include "skin/ControlSkins.h"
#include "skin/KeptFace.h"
#include "graphics/GdiHandles.h"
#include "skin/Tooltip.h"

namespace skin {

// Class codes kept in lastHotKind: which kind of control took the hover last.
enum class HotKind : int {
    button = 0,
    edit = 1,
    trackbar = 2,
    combo = 3,
    list = 4,
    upDown = 8,
    header = 9,
};

struct CaptionFade {
    int buttonIndex = 0;
    int step = 0;
};

// How a framed window's background picture is prepared and laid out; the values are
// the modes callers pass (backMode, skinBackMode).
enum BackMode : int {
    backFadedSides = 0,   // left and right edges faded into the colour; natural size at the top left
    backFadedEnds = 1,    // top and bottom edges faded; natural size at the top right
    backCentred = 2,      // natural size, centred
    backStretched = 3,    // stretched over the window
    backMirrorTiled = 4,  // copies side by side, every second one mirrored
};

// The background layer of a framed window (colour, picture and caption gloss) as last
// painted, with what it was painted from: a frame repaint at the same size copies it
// instead of decoding and scaling the picture again.
struct BackgroundLayer {
    gdi::BitmapDc dc;
    int width = 0;
    int height = 0;
    Bytes picture;
    int mode = 0;
    COLORREF colour = 0;
    int gloss = 0;
    int captionHeight = 0;
};

// The hover faces of a caption button, one per alpha its fades showed, side by side in
// one picture, with the clean caption pixels under the hover box and a key of the
// button, its geometry, glyph and colour: a step over the same pixels with the same key
// copies its face.
struct FadeFaces {
    FaceSource behind;
    std::vector<int> alphas;  // of the faces in the strip, left to right
    gdi::BitmapDc strip;
};

struct SkinRecord {
    HWND hwnd = nullptr;
    int captionHeight = 25;
    int hasHelpButton = 0;
    int hasMenuButton = 0;
    int hasMinimizeButton = 0;
    int hasMaximizeButton = 0;
    int hasCloseButton = 1;
    int drawCaptionText = 1;
    int captionOption = 0;
    WNDPROC oldProc = nullptr;
    Bytes backImage;  // empty: the window uses the process-wide background
    int backMode = backFadedSides;  // a BackMode
    COLORREF backColor = 0;
    std::vector<CaptionButton> captionButtons;
    IntRect buttonStrip;
    int maximized = 0;
    int minimized = 0;
    int sizable = 1;
    int hasCaption = 1;
    COLORREF captionTextColor = 0x00FFFFFF;
    COLORREF captionShadowColor = 0x00808080;
    std::string captionFontName = "宋体";
    int captionFontSize = 12;
    int captionFontStyle = 1;
    int hotButton = 0;
    int pressedButton = 0;  // framed: the caption button the left button went down on
    int lastHotKind = 0;
    HWND hotEditParent = nullptr;
    ClickHandler helpHandler = nullptr;
    ClickHandler menuHandler = nullptr;
    Tooltip tooltip;
    int statusBarHeight = 0;
    IntRect statusRect;
    std::vector<StatusItem> statusItems;
    std::vector<IntRect> statusItemRects;
    int statusAlignment = 0;
    int statusOption = 0;
    int statusSecondOption = 0;
    COLORREF statusTextColor = 0x00FFFFFF;
    std::string statusFontName = "宋体";
    int statusFontSize = 12;
    ControlArray<ButtonSkin> buttons;
    ControlArray<EditSkin> edits;
    ControlArray<ListSkin> lists;
    ControlArray<TrackbarSkin> trackbars;
    ControlArray<ProgressSkin> progressBars;
    ControlArray<ComboSkin> combos;
    ControlArray<UpDownSkin> upDowns;
    ControlArray<HeaderSkin> headers;
    ControlArray<KeyedContainerSkin> toolbars;
    ControlArray<StaticSkin> statics;
    int frameDirty = 0;
    // Counts the pictures paintFrame has made: what lies behind the controls changes with it.
    unsigned framePictures = 0;
    // The painted client area every control takes its backdrop from, and two clean
    // copies the frame painter restores parts of the caption and status bar from.
    gdi::BitmapDc backgroundDc;
    gdi::BitmapDc cleanBackgroundDc;
    gdi::BitmapDc statusAreaDc;
    std::vector<FadeFaces> fadeFaces;  // by caption button
    gdi::BitmapDc fadeScratch;         // the pixels under a hover box, read back to compare
    BackgroundLayer backgroundLayer;
    int lastHotIndex = 0;
    int newHotIndex = 0;
    ControlArray<ContainerSkin> containers;
    std::vector<DockedWindow> dockedWindows;
    int mouseInside = 0;
    CaptionFade fadeIn;
    CaptionFade fadeOut;
    int fadeTimerOn = 0;
    RECT dragRect{};
    int closeHot = 0;
    int dragging = 0;
};

}  // namespace skin
