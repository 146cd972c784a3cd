// Form descriptions: the data a window and its named controls are built from.
#pragma once

#include <windows.h>

#include <optional>
#include <span>

#include "assets/ByteSet.h"

namespace runtime {

class Form;

enum class ControlKind {
    PageContainer,     // pages of controls without a tab strip; only the current page is shown
    Label,             // opaque single-line text, left-aligned, vertically centred
    TransparentLabel,  // text drawn by its parent over whatever lies behind it
    Button,
    CheckBox,
    EditBox,           // sunken, white, read-only
    GroupBox,
    PictureBox,        // picture stretched to the box, dialog frame with a client edge
    DrawingPanel,      // borderless surface filled with its background colour
    Timer,             // not visible
    ZipUnit,           // not visible; names the archive service in the form
};

// size 0 is the stock default GUI font; otherwise a character height in pixels, charset
// GB2312 and no face name, so the system picks its default face for that charset.
struct FontSpec {
    int size = 0;
    bool bold = false;
    bool italic = false;
};

struct ControlDesc {
    ControlKind kind;
    const char* name;
    const char* parent = nullptr;  // another control of the form; nullptr for the window
    int page = -1;                 // page of a page-container parent; -1 for none
    int x = 0, y = 0, width = 0, height = 0;
    const char* text = "";
    FontSpec font{};
    COLORREF textColor = RGB(0, 0, 0);
    std::optional<COLORREF> backColor{};  // none: the system button-face colour
    bool visible = true;
    bool checked = false;
    bool wrapped = false;    // transparent labels: break at word boundaries within the width
    bool multiLine = false;  // edit boxes: several lines and a vertical scroll bar
    const ByteSet* picture = nullptr;       // picture boxes: BMP file bytes
    int interval = 0;                       // timers: milliseconds, 0 stopped
    std::span<const char* const> pageTitles{};  // page containers: one title per page
};

struct FormDesc {
    const char* name;
    const char* caption;
    int x = 0, y = 0, width = 0, height = 0;
    bool centred = false;         // placed at the centre of the screen when shown
    bool border = true;           // false: no system caption or frame
    bool controlBox = true;
    bool minimizeBox = false;
    bool maximizeBox = false;
    bool dragByClientArea = false;
    bool taskbarButton = true;
    bool topMost = false;
    bool keepCaptionActive = false;  // the window always draws as active (WM_NCACTIVATE)
    const char* iconResource = nullptr;  // icon group in the executable's resources
    std::optional<COLORREF> backColor{};
    std::span<const ControlDesc> controls{};
};

enum class Event { Created, Click, Tick };

using Handler = void (*)(Form&);

// Binds a handler to an event of a named control (nullptr names the window itself).
struct EventBinding {
    const char* control;
    Event event;
    Handler handler;
};

}  // namespace runtime
