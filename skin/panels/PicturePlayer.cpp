// The player's window procedure, attachment and settings.
#include "skin/panels/PicturePlayer.h"

#include <algorithm>

#include "skin/Backdrop.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/Containers.h"

namespace skin {

namespace {

// Windows subclassed by a player. An entry without a player is left behind when its
// player went away while another procedure was subclassed over it: it forwards every
// message to the kept procedure until the window is gone. UI thread only.
struct Attachment {
    HWND window = nullptr;
    PicturePlayer* player = nullptr;
    WNDPROC oldProc = nullptr;
};

std::vector<Attachment>& attachments() {
    static std::vector<Attachment> list;
    return list;
}

Attachment* attachmentOf(HWND window) {
    auto& list = attachments();
    auto it = std::find_if(list.begin(), list.end(), [window](const Attachment& a) { return a.window == window; });
    return it == list.end() ? nullptr : &*it;
}

void dropAttachment(HWND window) {
    std::erase_if(attachments(), [window](const Attachment& a) { return a.window == window; });
}

LRESULT CALLBACK playerEntry(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const Attachment* attachment = attachmentOf(window);
    if (!attachment) return DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC oldProc = attachment->oldProc;
    if (PicturePlayer* player = attachment->player) {
        try {
            return player->playerProc(window, message, wParam, lParam);
        } catch (...) {
            return CallWindowProcA(oldProc, window, message, wParam, lParam);
        }
    }
    if (message == WM_NCDESTROY) dropAttachment(window);
    return CallWindowProcA(oldProc, window, message, wParam, lParam);
}

}  // namespace

PicturePlayer* PicturePlayer::attachedTo(HWND window) {
    const Attachment* attachment = attachmentOf(window);
    return attachment ? attachment->player : nullptr;
}

PicturePlayer::~PicturePlayer() {
    if (window_) resetPanel();
    else stopAnimation();
}

PicturePlayer::PicturePlayer(const PicturePlayer& other) { copyConfiguration(other); }

PicturePlayer& PicturePlayer::operator=(const PicturePlayer& other) {
    if (this != &other) copyConfiguration(other);
    return *this;
}

void PicturePlayer::copyConfiguration(const PicturePlayer& other) {
    shape_ = other.shape_;
    layoutMode_ = other.layoutMode_;
    glowColor_ = other.glowColor_;
    glowAlpha_ = other.glowAlpha_;
    margin_ = other.margin_;
    bordered_ = other.bordered_;
    borderColor_ = other.borderColor_;
    borderAlpha_ = other.borderAlpha_;
    accentColor_ = other.accentColor_;
    panelImage_ = other.panelImage_;
    imageMode_ = other.imageMode_;
    gradientStyle_ = other.gradientStyle_;
    gradientColor1_ = other.gradientColor1_;
    gradientColor2_ = other.gradientColor2_;
    gradientAlpha1_ = other.gradientAlpha1_;
    gradientAlpha2_ = other.gradientAlpha2_;
    enterHandler_ = other.enterHandler_;
    leaveHandler_ = other.leaveHandler_;
    imageItems_ = other.imageItems_;
    textItems_ = other.textItems_;
    dirty_ = 1;
}

WNDPROC PicturePlayer::attach(HWND window, int shape, int layoutMode, int bordered, COLORREF accentColor,
                              ByteView image, int imageMode) {
    if (window_) resetPanel();
    if (!IsWindow(window)) return nullptr;
    // One player per window: a window another player holds is taken over.
    if (Attachment* held = attachmentOf(window); held && held->player && held->player != this)
        held->player->resetPanel();
    window_ = window;
    shape_ = shape;
    layoutMode_ = layoutMode;
    bordered_ = bordered;
    accentColor_ = accentColor;
    panelImage_.assign(image.begin(), image.end());
    imageMode_ = imageMode;
    // Controls on the panel are skinned and take their backdrop from its picture.
    if (FindWindowExA(window, nullptr, nullptr, nullptr) && skinningEnabled) {
        addContainer(skinIndexOfAncestor(window), window, 0, 0, 255, 0);
        setProp(window, prop::keepsBackground, 1);
        setPropHandle(window, prop::backgroundOwner, nearestBackgroundOwner(window));
    }
    if (Attachment* left = attachmentOf(window); left && !left->player) {
        // Our entry still sits in the window's chain: take it over instead of
        // subclassing the window a second time.
        left->player = this;
        oldProc_ = left->oldProc;
        return oldProc_;
    }
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&playerEntry)));
    attachments().push_back({window, this, oldProc_});
    return oldProc_;
}

void PicturePlayer::setGradient(std::optional<int> style, std::optional<COLORREF> color1, std::optional<int> alpha1,
                                std::optional<COLORREF> color2, std::optional<int> alpha2) {
    gradientStyle_ = style.value_or(gradientStyle_);
    gradientColor1_ = color1.value_or(gradientColor1_);
    gradientAlpha1_ = alpha1.value_or(gradientAlpha1_);
    gradientColor2_ = color2.value_or(gradientColor2_);
    gradientAlpha2_ = alpha2.value_or(gradientAlpha2_);
}

void PicturePlayer::setLayout(int layoutMode, int margin, COLORREF glowColor, int glowAlpha) {
    layoutMode_ = layoutMode;
    margin_ = margin;
    glowColor_ = glowColor;
    glowAlpha_ = glowAlpha;
    invalidatePanel();
}

void PicturePlayer::setBorderColor(std::optional<COLORREF> colour, std::optional<int> alpha) {
    borderColor_ = colour.value_or(borderColor_);
    borderAlpha_ = alpha.value_or(borderAlpha_);
}

void PicturePlayer::setPanelImage(ByteView image, int imageMode) {
    panelImage_.assign(image.begin(), image.end());
    imageMode_ = imageMode;
    invalidatePanel();
}

void PicturePlayer::invalidatePanel() {
    dirty_ = 1;
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

LRESULT PicturePlayer::playerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOVE: {
        const LRESULT result = CallWindowProcA(oldProc_, window, message, wParam, lParam);
        gdi::WindowDc dc = excludeChildClip(window);
        paintPanel(dc.get());
        return result;
    }
    case WM_SIZE:
        dirty_ = 1;
        break;
    case WM_PAINT: {
        {
            gdi::PaintDc paint(window);
            if (dirty_ || behindChanged()) {
                paintPanel(paint.get());
                dirty_ = 0;
                contentDirty_ = 0;
            } else if (contentDirty_) {
                repaintContent(paint.get());
                contentDirty_ = 0;
            } else {
                copyPanel(paint.get());
            }
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    case WM_ERASEBKGND:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return 1;
    case WM_NCDESTROY: {
        const WNDPROC replaced = oldProc_;
        resetPanel();
        dropAttachment(window);  // the handle may soon name another window
        return CallWindowProcA(replaced, window, message, wParam, lParam);
    }
    case WM_MOUSEMOVE:
        if (!hovering_) {
            TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, window, 1};
            TrackMouseEvent(&track);
        }
        break;
    case WM_LBUTTONDOWN:
        pressed_ = 1;
        break;
    case WM_LBUTTONUP:
        pressed_ = 0;
        break;
    case WM_MOUSEHOVER:
        hovering_ = 1;
        if (enterHandler_) enterHandler_();
        break;
    case WM_MOUSELEAVE:
        pressed_ = 0;
        hovering_ = 0;
        if (leaveHandler_) leaveHandler_();
        break;
    default:
        break;
    }
    return CallWindowProcA(oldProc_, window, message, wParam, lParam);
}

void PicturePlayer::resetPanel() {
    // The thread reads the picture: it ends first.
    stopAnimation();
    if (window_) {
        if (IsWindow(window_) && GetWindowLongPtrA(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&playerEntry)) {
            SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
            dropAttachment(window_);
        } else if (Attachment* attachment = attachmentOf(window_)) {
            attachment->player = nullptr;
        }
        // The panel's picture is going: nothing may take its backdrop from it any more.
        removeProp(window_, prop::backgroundDc);
        if (removeProp(window_, prop::keepsBackground)) removeProp(window_, prop::backgroundOwner);
    }
    panelPicture_.reset();
    forgetComposedFrames();
    basePicture_.reset();
    baseWidth_ = baseHeight_ = 0;
    oldProc_ = nullptr;
    pressed_ = 0;
    dirty_ = 0;
    window_ = nullptr;
    shape_ = 0;
    layoutMode_ = 0;
    bordered_ = 0;
    borderColor_ = 0;
    borderAlpha_ = 0;
    accentColor_ = 0;
    imageMode_ = 0;
    margin_ = 0;
    glowAlpha_ = 0;
    gradientStyle_ = 0;
    gradientColor1_ = 0;
    gradientColor2_ = 0;
    gradientAlpha1_ = 0;
    gradientAlpha2_ = 0;
    hovering_ = 0;
    panelImage_.clear();
    imageItems_.clear();
    textItems_.clear();
}

}  // namespace skin
