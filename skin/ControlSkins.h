// The per-class entries a skinned window keeps for its controls, and the 1-based
// arrays that hold them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <string>

#include "assets/ByteSet.h"
#include "skin/KeptFace.h"
#include "skin/Tooltip.h"

namespace skin {

struct FloatRect {
    float x = 0, y = 0, width = 0, height = 0;
};

struct IntRect {
    int x = 0, y = 0, width = 0, height = 0;
};

using ClickHandler = void (*)();

// The kinds of caption buttons; the values are the ones the records have always held.
enum CaptionKind : int {
    captionClose = 0,
    captionMaximize = 1,  // also restores
    captionMinimize = 2,
    captionMenu = 3,
    captionHelp = 4,
    captionCustom = 5,
};

struct CaptionButton {
    int width = 0;
    int height = 0;
    Bytes glyph;
    Bytes altGlyph;  // maximise button: the restore glyph
    CaptionKind kind = captionClose;
    std::string tooltip;
    ClickHandler handler = nullptr;
    FloatRect rect;
};

struct ButtonSkin {
    HWND hwnd = nullptr;
    WNDPROC oldProc = nullptr;
    int kind = 0;  // 0 push, 1 glass, 3 picture, 4 radio, 5 check box
    Bytes picture;
    Bytes hotPicture;
    Bytes pressedPicture;
    Bytes disabledPicture;
    int pictureBeside = 0;
    std::string text;
    int focused = 0;
    int checked = 0;
    HWND parent = nullptr;
    Tooltip tooltip;
    std::string fontName;
    int fontSize = 0;
    int fontStyle = 0;
    KeptFace face;
};

struct EditSkin {
    HWND hwnd = nullptr;
    WNDPROC oldProc = nullptr;
    int focused = 0;
    int hot = 0;
    int mouseDown = 0;
    KeptFace ring, veil;
};

struct ComboSkin {
    HWND hwnd = nullptr;
    WNDPROC oldProc = nullptr;
    int focused = 0;
};

// The kinds of skinned static controls (0: not taken yet).
enum StaticKind : int {
    staticText = 1,
    staticIcon = 2,
};

struct StaticSkin {
    HWND hwnd = nullptr;
    WNDPROC oldProc = nullptr;
    int kind = 0;  // a StaticKind
    std::string fontName;
    int fontSize = 0;
    int fontStyle = 0;
};

struct ListSkin {
    HWND hwnd = nullptr;
    WNDPROC oldProc = nullptr;
    int focused = 0;
    int hot = 0;
    int keyScroll = 0;
    KeptFace ring, veil;
};

struct HeaderSkin {
    HWND hwnd = nullptr;
    WNDPROC oldProc = nullptr;
    int hot = 0;
    int hotItem = 0;
    int paintedHotItem = 0;
    int buttons = 0;
    int pressedItem = 0;
    int pressed = 0;
    std::string fontName;
    int fontStyle = 0;
    int fontSize = 0;
    HIMAGELIST imageList = nullptr;  // belongs to the header
};

struct TrackbarSkin {
    HWND hwnd = nullptr;
    WNDPROC oldProc = nullptr;
    int vertical = 0;
    int tickPlacement = 0;
    int hot = 0;
    int selRange = 0;
};

struct ProgressSkin {
    HWND hwnd = nullptr;
    WNDPROC oldProc = nullptr;
    int vertical = 0;
};

struct UpDownSkin {
    HWND hwnd = nullptr;
    WNDPROC oldProc = nullptr;
    int hot = 0;
    int hotPart = 0;
    int pressed = 0;
    int horizontal = 0;
    LPARAM lastPoint = 0;
};

// A window that paints itself into a picture whose key colour is left out.
struct KeyedContainerSkin {
    HWND hwnd = nullptr;
    WNDPROC oldProc = nullptr;
    COLORREF keyColor = 0;
    KeptFace face;  // a text static's composed face
};

// A window whose children are skinned and whose tint lies over their backdrops.
struct ContainerSkin {
    HWND hwnd = nullptr;
    COLORREF tintColor = 0;  // 0: no tint
    int tintAlpha = 0;       // low byte used
    int framed = 0;
    WNDPROC oldProc = nullptr;
    int dirty = 0;
    int isGroupBox = 0;
    int paintsBackground = 0;
    std::string fontName;
    int fontSize = 0;
    int fontStyle = 0;
    KeptFace face;  // a group box's frame and caption
};

struct StatusItem {
    std::string text;
    Bytes image;
    int width = 0;  // -1: the rest of the bar
};

struct DockedWindow {
    HWND window = nullptr;
    int top = 0;
};

// Controls of one class in one skinned window. Positions count from 1 (a control's
// index); the array starts with one empty entry that the first control takes, and
// entries stay where they are while the window lives.
template <class Entry>
class ControlArray {
public:
    ControlArray() { entries_.emplace_back(); }

    int count() const noexcept { return static_cast<int>(entries_.size()); }

    Entry* at(int index) noexcept {
        return index >= 1 && index <= count() ? &entries_[static_cast<std::size_t>(index - 1)] : nullptr;
    }
    const Entry* at(int index) const noexcept {
        return index >= 1 && index <= count() ? &entries_[static_cast<std::size_t>(index - 1)] : nullptr;
    }

    int indexOf(HWND hwnd) const noexcept {
        if (!hwnd) return 0;
        for (int i = 0; i < count(); ++i)
            if (entries_[static_cast<std::size_t>(i)].hwnd == hwnd) return i + 1;
        return 0;
    }

    // The index of the entry a new control fills.
    int takeEntry() {
        if (entries_.size() == 1 && entries_.front().hwnd == nullptr) return 1;
        entries_.emplace_back();
        return count();
    }

    auto begin() noexcept { return entries_.begin(); }
    auto end() noexcept { return entries_.end(); }
    auto begin() const noexcept { return entries_.begin(); }
    auto end() const noexcept { return entries_.end(); }

private:
    std::deque<Entry> entries_;  // a deque keeps entries in place when it grows
};

}  // namespace skin
