// Picture panels: a child window painted as a shaped panel (base image, gradient, soft
// outer glow, outline) with image and text items on top, which can also play an
// animated picture in a rectangle of its own on a worker thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "assets/ByteSet.h"
#include "graphics/GdiHandles.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxImage.h"
#include "skin/Backdrop.h"

class GxPath;

namespace skin {

// Shapes of a panel.
namespace panelShape {
inline constexpr int rectangle = 0;
inline constexpr int roundRect = 1;
inline constexpr int horizontalSplit = 2;
inline constexpr int verticalSplit = 3;
inline constexpr int ellipse = 4;
}  // namespace panelShape

// The part of the client area the shape fills; the glow takes the margin around it.
struct PanelLayout {
    int x = 0, y = 0, w = 0, h = 0;
};
// Layout modes 0-5: 0 margin all round, 1 top, 2 bottom, 3 left, 4 right, 5 none;
// any other mode gives the empty rectangle.
PanelLayout layoutRect(int layoutMode, int margin, int width, int height);
// Adds the shape's figure (rectangle, rounded rectangle with corner margin, ellipse);
// the split-line shapes have none.
void addShapeFigure(GxPath& path, int shape, float x, float y, float w, float h, int margin);

// Milliseconds each frame of an animation shows, from the delays stored in the picture
// (hundredths of a second).
std::vector<DWORD> frameDelays(std::span<const std::int32_t> stored, int frameCount);

struct ImageItem {
    Bytes image;
    int x = 0, y = 0, width = 0, height = 0;
};

struct TextItem {
    std::string text;
    std::string fontName = "宋体";
    int fontSize = 12;
    int fontStyle = 0;
    COLORREF textColor = 0;
    int glow = 0;
    int halo = 0;  // wins over glow
    COLORREF effectColor = 0x00FFFFFF;
    int alignment = 0;
    int lineAlignment = 0;
    RECT rect{};
};

// The optional values of addTextItem and setTextItem; a value not given keeps the
// item's (or the default's).
struct TextItemValues {
    std::optional<std::string> text;
    std::optional<int> x, y, width, height;
    std::optional<std::string> fontName;
    std::optional<int> fontSize;
    std::optional<COLORREF> textColor;
    std::optional<int> fontStyle, alignment, lineAlignment, glow;
    std::optional<COLORREF> effectColor;
    std::optional<int> halo;
};

using PanelHandler = void (*)();

class PicturePlayer {
public:
    PicturePlayer() = default;
    // Stops a playing animation and gives the window its procedure back.
    ~PicturePlayer();
    // Copies the panel's configuration, base image and items; the copy is not attached
    // and plays nothing (a window and a worker thread have one owner).
    PicturePlayer(const PicturePlayer& other);
    PicturePlayer& operator=(const PicturePlayer& other);

    LRESULT playerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Subclasses window; returns the procedure it replaced.
    WNDPROC attach(HWND window, int shape = panelShape::roundRect, int layoutMode = 5, int bordered = 0,
                   COLORREF accentColor = 0, ByteView image = {}, int imageMode = 0);
    // No repaint: takes effect at the next full repaint.
    void setGradient(std::optional<int> style = {}, std::optional<COLORREF> color1 = {},
                     std::optional<int> alpha1 = {}, std::optional<COLORREF> color2 = {},
                     std::optional<int> alpha2 = {});
    void setLayout(int layoutMode, int margin, COLORREF glowColor, int glowAlpha);
    void setBorderColor(std::optional<COLORREF> colour = {}, std::optional<int> alpha = {});
    void setPanelImage(ByteView image, int imageMode = 0);
    void setEnterHandler(PanelHandler handler) { enterHandler_ = handler; }
    void setLeaveHandler(PanelHandler handler) { leaveHandler_ = handler; }

    // Copies the panel picture to the window (dc, or a DC of the window when null).
    void copyPanel(HDC dc = nullptr);
    // Rebuilds the panel picture and copies it to the window.
    void paintPanel(HDC dc = nullptr);
    // A repaint after the application changed what it draws over the panel: the panel's
    // own drawing is taken from the picture kept at its last full paint while the
    // window behind the panel has not been painted anew.
    void repaintContent(HDC dc);
    // Repaints one rectangle of the picture with the backdrop and the base image only;
    // graphics null: a graphics of its own.
    void paintImageRect(const RECT& rect, GxGraphics* graphics, bool copyToWindow);
    void paintGlow(GxGraphics& graphics, int layoutMode);
    void paintGradientFill(GxGraphics& graphics, GxPath& path);
    // dirty and a repaint without erasing.
    void invalidatePanel();
    // Makes the player unattached; the window gets its procedure back when it lives on.
    void resetPanel();

    // Plays an animated picture at (x, y), in its own size unless one is given.
    // Ignored while playing. The animation thread decodes the picture: one that cannot
    // be decoded shows nothing until the animation is stopped.
    void play(ByteView image, int x, int y, std::optional<int> width = {}, std::optional<int> height = {});
    void moveAnimation(std::optional<int> x = {}, std::optional<int> y = {}, std::optional<int> width = {},
                       std::optional<int> height = {});
    // Returns once the thread has ended; the panel is then repainted without the frame.
    void stopAnimation();
    // Copies the rectangle from the panel picture to the same place of dc.
    void restoreAnimationRect(HDC dc, const RECT& rect);

    HWND attachedWindow() const noexcept { return window_; }
    // The player attached to window, or null.
    static PicturePlayer* attachedTo(HWND window);
    // What the application draws over the panel changed: the next paint shows it.
    void contentChanged() noexcept { contentDirty_ = 1; }

    // Returns the new index, or 0 for empty bytes.
    int addImageItem(ByteView image, int x, int y, std::optional<int> width = {}, std::optional<int> height = {},
                     bool paintNow = false);
    bool refreshImageItem(int index);
    void setImageItem(int index, std::optional<ByteView> image = {}, std::optional<int> x = {},
                      std::optional<int> y = {}, std::optional<int> width = {}, std::optional<int> height = {});
    // batch null: clears the item's area first and copies it to the window afterwards.
    void paintImageItem(int index, GxGraphics* batch);
    int imageItemCount() const noexcept { return static_cast<int>(imageItems_.size()); }

    int addTextItem(const std::string& text, const TextItemValues& values = {});
    int textItemCount() const noexcept { return static_cast<int>(textItems_.size()); }
    std::string getTextItemText(int index = 1) const;
    bool refreshTextItem(int index);
    bool setTextItem(int index, const TextItemValues& values);
    void paintTextItem(int index, GxGraphics* batch);

    // State the window's owner and the tests read.
    HDC panelPicture() const noexcept { return panelPicture_.get(); }
    bool isDirty() const noexcept { return dirty_ != 0; }
    bool isPlaying() const noexcept { return playDc_ != nullptr; }
    bool isPressed() const noexcept { return pressed_ != 0; }
    bool isHovering() const noexcept { return hovering_ != 0; }
    // Frames put on the window since construction.
    int framesDrawn() const noexcept { return framesDrawn_.load(std::memory_order_relaxed); }
    const ImageItem* imageItem(int index) const;
    const TextItem* textItem(int index) const;

private:
    // A width or height of ownSize is the picture's own, known once it is decoded.
    static constexpr int ownSize = -1;
    struct AnimationClip {
        GxImage image;
        int x = 0, y = 0, width = 0, height = 0;
    };

    void copyConfiguration(const PicturePlayer& other);
    void drawBaseImage(GxGraphics& graphics, GxImage& image, const PanelLayout& layout);
    void drawText(GxGraphics& graphics, const TextItem& item);
    // Clears the item's rectangle, lets draw paint into the picture, copies the rectangle.
    template <class Draw>
    void paintItemAlone(const RECT& rect, Draw&& draw);
    void copyRectToWindow(const RECT& rect);
    void clientSize(int& width, int& height) const;

    static DWORD WINAPI threadStart(void* player);
    static DWORD WINAPI keepThreadHandle(void* player);
    void animationThread();
    // One frame step: false when the panel is not visible or has no picture yet.
    bool drawFrame(int frame, int frameCount);
    static void catchUp(const std::vector<DWORD>& delays, int& frame, ULONGLONG& due);
    bool panelVisible() const;
    // The count of the picture this panel's backdrop is cut from (a panel's or the frame's).
    unsigned pictureBehind() const;
    bool behindChanged() const;
    void pictureChanged(const RECT& area);
    void keepBase(int W, int H);
    void finishPicture(HDC dc, int W, int H);
    void showPicture(HDC dc, int W, int H);
    void wakeAnimation();

    WNDPROC oldProc_ = nullptr;
    int pressed_ = 0;
    int dirty_ = 1;
    int contentDirty_ = 0;
    ScopedBackdrop panelPicture_;
    // The panel picture as the last full paint left it, before the application's own
    // drawing, and the count of the picture it was cut from.
    gdi::BitmapDc basePicture_;
    int baseWidth_ = 0, baseHeight_ = 0;
    unsigned basePictureBehind_ = 0;
    unsigned pictures_ = 0;  // panel pictures made so far: panels cut from this one compare it
    HWND window_ = nullptr;
    int shape_ = 0;
    int layoutMode_ = 0;
    COLORREF glowColor_ = 0;
    int glowAlpha_ = 255;
    int margin_ = 6;
    int bordered_ = 0;
    COLORREF borderColor_ = 0;
    int borderAlpha_ = 150;
    COLORREF accentColor_ = 0;
    Bytes panelImage_;
    int imageMode_ = 0;
    int gradientStyle_ = 0;
    COLORREF gradientColor1_ = 0x00FFFFFF;
    COLORREF gradientColor2_ = 0x00FFFFFF;
    int gradientAlpha1_ = 120;
    int gradientAlpha2_ = 120;
    PanelHandler enterHandler_ = nullptr;
    PanelHandler leaveHandler_ = nullptr;
    int hovering_ = 0;
    std::vector<ImageItem> imageItems_;
    std::vector<TextItem> textItems_;

    // Animation. The thread composes each frame once (the panel picture under the
    // frame) and keeps it, so that a step of a running animation is a single copy; a new
    // panel picture or a new clip empties the kept frames. Every change of what a frame
    // step reads (the panel picture, the clip, playDc_, the kept frames) holds
    // pictureLock_, as does the step itself.
    std::recursive_mutex pictureLock_;
    AnimationClip animationClip_;
    Bytes clipBytes_;  // the picture to play; the thread decodes it
    HDC playDc_ = nullptr;
    // One picture per frame, made when the animation starts (so a playing animation
    // holds a fixed number of GDI objects) and composed again after each change, over
    // the thread's own copy of the panel picture under the clip.
    std::vector<gdi::BitmapDc> composedFrames_;
    gdi::BitmapDc clipBackdrop_;
    std::vector<char> frameComposed_;
    void makeFramePictures(std::size_t count);
    void forgetComposedFrames() { frameComposed_.assign(frameComposed_.size(), 0); }
    std::atomic<int> framesDrawn_{0};
    gdi::UniqueKernelHandle thread_;
    gdi::Event stopEvent_;  // manual reset: the thread leaves its loop
    gdi::Event wakeEvent_;  // auto reset: redraw the current frame now
};

}  // namespace skin
