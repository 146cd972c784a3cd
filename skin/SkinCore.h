// Module state of the skin engine, the engine object, the records of skinned windows,
// and the conventions every skinned window and control follows.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "assets/ByteSet.h"
#include "graphics/GdiHandles.h"
#include "skin/SkinRecord.h"
#include "skin/WindowProps.h"

class GxGraphics;

namespace skin {

// The records of skinned top-level windows. A window's skin index is its 1-based
// position; records live on the heap, so a record stays in place when others come
// and go.
class SkinRecords {
public:
    int count() const noexcept { return static_cast<int>(records_.size()); }
    SkinRecord* at(int skinIndex) noexcept {
        return skinIndex >= 1 && skinIndex <= count() ? records_[static_cast<std::size_t>(skinIndex - 1)].get()
                                                      : nullptr;
    }
    int append(std::unique_ptr<SkinRecord> record) {
        records_.push_back(std::move(record));
        return count();
    }
    std::unique_ptr<SkinRecord> remove(int skinIndex) {
        if (!at(skinIndex)) return nullptr;
        auto it = records_.begin() + (skinIndex - 1);
        std::unique_ptr<SkinRecord> record = std::move(*it);
        records_.erase(it);
        return record;
    }
    void clear() noexcept { records_.clear(); }

private:
    std::vector<std::unique_ptr<SkinRecord>> records_;
};

// Module state; UI thread only.
extern HHOOK hookHandle;
extern SkinRecords skinRecords;
extern int skinningEnabled;
extern std::vector<gdi::BitmapDc> backdropList;  // live backdrops, keyed by their DC
extern COLORREF themeColor;
extern int transparentControls;
// Transparent mode 1: controls show the window's picture through their faces.
inline bool transparentMode() { return transparentControls == 1; }
extern int veilAlpha;
extern int trackbarFrame;
extern int dialogThreadStarted;
extern COLORREF skinBackColor;
extern Bytes skinBackImage;
extern HICON appIcon;
extern ULONG_PTR gdipToken;
extern int firstSizePending;
extern int skinBackMode;  // a BackMode
// Skins a dialog caught by the CBT hook: the dialog skin while the engine exists.
extern void (*dialogSkinner)(HWND dialog);
// Draws what the application paints straight onto a window (text without a window of
// its own) over the picture the skin has made of that window; set by the application.
extern void (*windowlessPainter)(HWND window, HDC dc);
inline void paintWindowless(HWND window, HDC dc) {
    if (windowlessPainter) windowlessPainter(window, dc);
}
// The application tells the skin that what it paints on window has changed: the next
// paint makes the window's picture (a framed window's or a panel's) anew. Every other
// repaint, with erasing or without, copies the picture the skin kept.
void windowlessChanged(HWND window);

// How a framed window is set up (skinWindow); a field left empty takes its default.
struct FrameOptions {
    std::optional<int> hasCaption;       // default 1: caption dragging and caption-button hover
    std::optional<int> sizable;          // default 1: border resizing and double-click maximise
    std::optional<int> hasHelpButton;    // default 0
    std::optional<int> hasMenuButton;    // default 0
    std::optional<int> drawCaptionText;  // default 1
    std::optional<int> captionOption;    // default 0; 1 lays a gloss over the caption
    std::optional<int> statusBarHeight;  // default 0: no status bar
    std::vector<StatusItem> statusItems;
    ByteView backImage;                  // the window's own background picture, or empty
    std::optional<int> backMode;         // default: the process-wide mode
};

// setSkinBackground: the theme colour follows the background colour.
inline constexpr COLORREF themeFromBackground = 0xFFFFFFFF;

// The one engine object through which the application drives the skin. It is made
// by the application before its first window and destroyed at exit; static window
// procedures reach it through instance().
class SkinEngine {
public:
    SkinEngine();
    ~SkinEngine();
    SkinEngine(const SkinEngine&) = delete;
    SkinEngine& operator=(const SkinEngine&) = delete;

    static SkinEngine* instance() noexcept;

    // Plain procedures handed to Windows that forward to the frame procedure and the
    // caption-button command of the one engine object.
    WNDPROC frameProcEntry = nullptr;
    int captionButtonMargin = 3;
    int hotCaptionButton = 0;
    void (*captionCommandEntry)(int skinIndex, int buttonIndex) = nullptr;

private:
    static LRESULT CALLBACK frameProcTrampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void captionCommandTrampoline(int skinIndex, int buttonIndex);
    void fadeStep(HWND hwnd, SkinRecord& record);
    void mouseMove(HWND hwnd, SkinRecord& record, int skinIndex, LPARAM lParam);
    void mouseLeave(SkinRecord& record, int skinIndex);
    void buttonDown(HWND hwnd, SkinRecord& record, int skinIndex, LPARAM lParam);

public:
    // --- Framed windows ----------------------------------------------------------
    LRESULT frameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void captionCommand(int skinIndex, int buttonIndex);
    void skinWindow(HWND hwnd, int captionHeight, const FrameOptions& options = {});
    bool addCaptionButton(HWND hwnd, ByteView glyph, const char* tooltip, ClickHandler handler);
    bool setCaptionStyle(HWND hwnd, std::optional<std::string> fontName = std::nullopt,
                         std::optional<int> fontSize = std::nullopt, std::optional<COLORREF> textColor = std::nullopt,
                         std::optional<COLORREF> shadowColor = std::nullopt,
                         std::optional<int> fontStyle = std::nullopt);
    bool setWindowBackground(HWND hwnd, ByteView image, std::optional<int> mode = std::nullopt);
    // The picture comes from fileName when it is not empty, else from bytes.
    // themeColor themeFromBackground takes the background colour as theme colour.
    void setSkinBackground(const char* fileName, ByteView bytes, std::optional<COLORREF> backColor = std::nullopt,
                           std::optional<COLORREF> themeColor = std::nullopt,
                           std::optional<int> mode = std::nullopt);
    void configure(int enabled, std::optional<int> alpha = std::nullopt, std::optional<int> frame = std::nullopt);
    bool pointInButtonStrip(int skinIndex, LPARAM lParam);

    // --- Frame painting ----------------------------------------------------------
    // Paints background, border, caption and status bar into the window's
    // backgroundDc; with copy, also onto dc (a client DC of the window when dc is 0).
    void paintFrame(int skinIndex, HDC dc = nullptr, bool copy = false);
    void copyFrame(int skinIndex, HDC dc);
    void paintBackground(GxGraphics& graphics, int skinIndex);
    void paintWindowBorder(int skinIndex, GxGraphics& graphics);
    void paintButtonSeparators(int skinIndex, int buttonIndex, GxGraphics& graphics);
    void restoreCaptionArea(int skinIndex, const IntRect& area);
    void restoreStatusArea(int skinIndex, const IntRect& area);
    void paintCaptionButton(int skinIndex, int buttonIndex, GxGraphics* graphics = nullptr, bool pressed = false,
                            std::optional<int> alpha = std::nullopt);
    void paintCaptionButtonHover(GxGraphics& graphics, int skinIndex, int buttonIndex, int alpha);
    void layoutCaptionButtons(int skinIndex);
    int captionButtonAt(int skinIndex, int x, int y);
    int findMaximizeButton(int skinIndex);
    void beginDragOrResize(int skinIndex, LPARAM lParam, const RECT& client);
    void updateResizeCursor(int skinIndex, LPARAM lParam, const RECT& client);
    bool setHelpHandler(HWND hwnd, ClickHandler handler);
    bool setMenuHandler(HWND hwnd, ClickHandler handler);
    void paintCaptionText(int skinIndex, GxGraphics* graphics = nullptr, const char* text = nullptr);

    // --- Status bar ----------------------------------------------------------------
    void setupStatusBar(int skinIndex, int height, std::vector<StatusItem> items = {});
    void layoutStatusBar(int skinIndex);
    void paintStatusItem(int skinIndex, GxGraphics* graphics, int item);
    bool setStatusItem(HWND hwnd, int item, const char* text, std::optional<ByteView> image = std::nullopt,
                       std::optional<int> width = std::nullopt);
    bool setStatusStyle(HWND hwnd, std::optional<int> alignment = std::nullopt,
                        std::optional<int> option = std::nullopt, std::optional<int> secondOption = std::nullopt,
                        std::optional<COLORREF> textColor = std::nullopt,
                        std::optional<std::string> fontName = std::nullopt,
                        std::optional<int> fontSize = std::nullopt);

    // --- Buttons the engine makes itself ---------------------------------------------
    // A push button with one picture (value 0: above the text, else beside it).
    bool makeGlassButton(HWND button, ByteView image, int value, const char* tooltip);
    // A button drawn as a picture per state (hot, pressed and disabled may be empty).
    bool makePictureButton(HWND button, ByteView normal, ByteView hot, ByteView pressed, ByteView disabled,
                           const char* tooltip);

    // --- Layout and settings ---------------------------------------------------------
    RECT getButtonStripRect(HWND hwnd);
    void layoutDockedWindows(int skinIndex);
    void setControlTextColor(HWND control, COLORREF colour);
    COLORREF getSkinBackColor() const noexcept;
    bool setCaptionGlyphs(HWND hwnd, std::optional<ByteView> minimize = std::nullopt,
                          std::optional<ByteView> maximize = std::nullopt,
                          std::optional<ByteView> restore = std::nullopt,
                          std::optional<ByteView> close = std::nullopt);

    // --- Containers (skin/controls/Containers.cpp) ---
    // Skins the children of a window inside a skinned window and lays its colour (at
    // alpha, low byte) over their backdrops; paintsBackground 1: the skin paints the
    // window's background, framed 1 with a double rounded border. Returns the container
    // index, 0 when the window cannot be a container; a registered one keeps its settings.
    int registerContainer(HWND window, int paintsBackground = 1, COLORREF colour = 0, int alpha = 255,
                          int framed = 0);
    // A container with a colour of its own gets the new alpha and repaints.
    void setContainerAlpha(HWND window, int alpha);
    // A window that goes on painting itself, laid over its veiled backdrop without its key
    // colour (default: the button face). A keyed container with children is a child
    // container too, with the colour and alpha given. Registering twice changes nothing.
    int registerKeyedContainer(HWND window, std::optional<COLORREF> keyColor = std::nullopt, COLORREF colour = 0,
                               int alpha = 0);
};

SkinEngine& theSkinEngine();

// Starts GDI+, loads the caption icon and sets the skin defaults.
void initSkinModule();

// Releases every record, the live backdrops and the process-wide background image.
void releaseAllSkinState();

int findSkinIndex(HWND hwnd);
// The skin index of hwnd or of its nearest skinned ancestor; 0 when there is none.
int skinIndexOfAncestor(HWND hwnd);

// The one way from a skin index to its record; null when the index leads nowhere.
// Records live on the heap, so a record found stays valid while records are added; it
// goes only with its window (WM_NCDESTROY).
inline SkinRecord* recordAt(int skinIndex) noexcept { return skinRecords.at(skinIndex); }
// The record of a skinned window itself; null for any other window.
inline SkinRecord* recordOf(HWND window) { return recordAt(findSkinIndex(window)); }
// The record of hwnd or of its nearest skinned ancestor; null when there is none.
inline SkinRecord* recordOfAncestor(HWND hwnd) { return recordAt(skinIndexOfAncestor(hwnd)); }

// Adds the record of a newly skinned top-level window; returns its skin index.
int addSkinRecord(std::unique_ptr<SkinRecord> record);
// Replaces the window procedure of the record's window and marks the window as skinned.
void subclassSkinnedWindow(int skinIndex, WNDPROC proc);
// Tear-down on WM_NCDESTROY: removes the record and renumbers the ones behind it.
void releaseSkinRecord(HWND hwnd);

void installCbtHook();
void removeCbtHook();
LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam);

// --- Subclassing convention --------------------------------------------------

bool isSubclassed(HWND hwnd, const PropertyFamily& family = controlProps);
// Replaces the procedure of a control and sets the three properties of the family;
// returns the replaced procedure.
WNDPROC subclassControl(HWND control, WNDPROC proc, int controlIndex, int skinIndex,
                        const PropertyFamily& family = controlProps);

// Skins the direct children of parent whose class is className: accept filters them
// by style, fill completes the entry before the control is subclassed. A control
// that is subclassed already (by any installer) is left alone. Returns how many
// controls were taken.
template <class Entry, class Accept, class Fill>
int skinControls(int skinIndex, HWND parent, const char* className, ControlArray<Entry> SkinRecord::*array,
                 WNDPROC proc, Accept&& accept, Fill&& fill) {
    if (!skinningEnabled) return 0;
    int taken = 0;
    for (HWND control = FindWindowExA(parent, nullptr, className, nullptr); control;
         control = FindWindowExA(parent, control, className, nullptr)) {
        // Looked up for every control: fill and subclassing send it messages, after which
        // the window may be gone.
        SkinRecord* record = recordAt(skinIndex);
        if (!record) return taken;
        if (isSubclassed(control) || !accept(control)) continue;
        ControlArray<Entry>& entries = record->*array;
        const int controlIndex = entries.takeEntry();
        Entry& entry = *entries.at(controlIndex);
        entry.hwnd = control;
        fill(entry, control);
        entry.oldProc = subclassControl(control, proc, controlIndex, skinIndex);
        ++taken;
    }
    return taken;
}

// The entry a subclassed control belongs to, with its record and indices; entry is
// null when the control's properties lead to no entry of this very control.
template <class Entry>
struct Located {
    SkinRecord* record = nullptr;
    Entry* entry = nullptr;
    int skinIndex = 0;
    int controlIndex = 0;
};

// The one way from a control to its entry: its properties name the record and the
// index, and the entry found must belong to the control.
template <class Entry>
Located<Entry> locate(HWND hwnd, ControlArray<Entry> SkinRecord::*array, const PropertyFamily& family = controlProps) {
    Located<Entry> found;
    found.skinIndex = getPropInt(hwnd, family.ownerIndex);
    found.controlIndex = getPropInt(hwnd, family.index);
    found.record = recordAt(found.skinIndex);
    Entry* entry = found.record ? (found.record->*array).at(found.controlIndex) : nullptr;
    if (entry && entry->hwnd == hwnd) found.entry = entry;
    return found;
}

// Sends a message on to the procedure the skin replaced.
LRESULT callKeptProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                     const PropertyFamily& family = controlProps);

void releaseColorBrush(HWND control);

// Runs the body of a window procedure so that no exception leaves it; a message whose
// handling failed goes on to the replaced procedure of the family. A subclassed window
// releases the brush of its colour answers as it goes (keepColorBrush), and the copies
// of its properties last.
template <class Body>
LRESULT guardedProc(const PropertyFamily& family, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                    Body&& body) noexcept {
    try {
        if (message != WM_NCDESTROY) return body();
        releaseColorBrush(hwnd);
        const LRESULT result = body();
        forgetWindow(hwnd);
        return result;
    } catch (...) {
        return callKeptProc(hwnd, message, wParam, lParam, family);
    }
}
template <class Body>
LRESULT guardedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Body&& body) noexcept {
    return guardedProc(controlProps, hwnd, message, wParam, lParam, static_cast<Body&&>(body));
}

// --- Hover bookkeeping --------------------------------------------------------

// WM_MOUSEMOVE of a control: asks for WM_MOUSELEAVE and records the control as the
// hot one; true when it was not hot before, so it must repaint itself hot.
bool takeHover(HWND control, SkinRecord& record, int controlIndex, HotKind kind);
// WM_MOUSELEAVE: no control is hot any more.
void dropHover(SkinRecord& record);

// --- WM_CTLCOLOR* brushes --------------------------------------------------------

// Keeps the brush (and the bitmap under a pattern brush) last returned for control,
// deleting the ones it replaces; both go when the control itself is destroyed.
void keepColorBrush(HWND control, HBRUSH brush, HBITMAP bitmap);
// Answers for transparent controls: the control's text colour ("Kj_Ztys") with no
// background, or over a pattern brush of the control's veiled backdrop, so that the
// control fills its background with the very picture that lies behind it.
LRESULT hollowColorAnswer(HDC dc, HWND control);
LRESULT patternColorAnswer(HDC dc, HWND control);
// The pattern brush of the control's veiled backdrop, kept as its colour brush. Making
// one costs far more than comparing the backdrop: the kept brush is given again while
// the backdrop and the veil are those it was made from.
HBRUSH veiledPatternBrush(HWND control);
// Child notifications (WM_COMMAND) after which a transparent child must repaint its
// background: edits scrolled or changed, list and combo selections.
bool repaintsAfterNotification(HWND child, WORD code);

// The one answer a skinned window (frame, container, dialog) gives to its children's
// messages: the WM_CTLCOLOR* brushes of transparent controls, the repaints after
// notifications and tree expansion, and WM_DRAWITEM of skinned buttons. No value: the
// message goes on to the window's own procedure.
std::optional<LRESULT> answerChildMessage(int skinIndex, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace skin
