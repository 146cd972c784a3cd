#include "skin/SkinCore.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "graphics/GdipLifetime.h"
#include "skin/Backdrop.h"
#include "skin/KeptFace.h"
#include "skin/WindowUtils.h"
#include "skin/controls/Buttons.h"
#include "skin/frame/Dialogs.h"
#include "skin/panels/PicturePlayer.h"

namespace skin {

HHOOK hookHandle = nullptr;
SkinRecords skinRecords;
int skinningEnabled = 1;
std::vector<gdi::BitmapDc> backdropList;
COLORREF themeColor = 0x00DDCA22;
int transparentControls = 0;
int veilAlpha = 160;
int trackbarFrame = 1;
int dialogThreadStarted = 0;
COLORREF skinBackColor = 0;
Bytes skinBackImage;
HICON appIcon = nullptr;
ULONG_PTR gdipToken = 0;
int firstSizePending = 1;
int skinBackMode = backMirrorTiled;
void (*dialogSkinner)(HWND dialog) = nullptr;
void (*windowlessPainter)(HWND window, HDC dc) = nullptr;

namespace {
SkinEngine* theEngine = nullptr;
constexpr WORD captionIconId = 129;
}  // namespace

SkinEngine::SkinEngine() {
    skinBackColor = GetSysColor(COLOR_BTNFACE);
    frameProcEntry = &SkinEngine::frameProcTrampoline;
    captionCommandEntry = &SkinEngine::captionCommandTrampoline;
    dialogSkinner = skinDialog;
    theEngine = this;
}

SkinEngine::~SkinEngine() {
    if (appIcon) DestroyIcon(appIcon);
    appIcon = nullptr;
    GdipLifetime::Shutdown(gdipToken);
    if (theEngine == this) {
        theEngine = nullptr;
        dialogSkinner = nullptr;  // GDI+ is gone: later dialogs keep the system look
    }
}

SkinEngine* SkinEngine::instance() noexcept { return theEngine; }

SkinEngine& theSkinEngine() { return *theEngine; }

void initSkinModule() {
    gdipToken = GdipLifetime::Startup();
    HINSTANCE module = GetModuleHandleA(nullptr);
    appIcon = LoadIconA(module, MAKEINTRESOURCEA(captionIconId));
    if (!appIcon) appIcon = LoadIconA(module, "DEFAULT_ICON");
    firstSizePending = 1;
    skinningEnabled = 1;
    veilAlpha = 160;
    themeColor = 0x00DDCA22;
    trackbarFrame = 1;
}

void releaseAllSkinState() {
    skinRecords.clear();
    backdropList.clear();
    skinBackImage.clear();
    skinBackImage.shrink_to_fit();
}

int findSkinIndex(HWND hwnd) {
    if (!hwnd) return 0;
    for (int i = 1; i <= skinRecords.count(); ++i)
        if (recordAt(i)->hwnd == hwnd) return i;
    return 0;
}

void windowlessChanged(HWND window) {
    if (SkinRecord* record = recordOf(window)) record->frameDirty = 1;
    if (PicturePlayer* player = PicturePlayer::attachedTo(window)) player->contentChanged();
}

int skinIndexOfAncestor(HWND hwnd) {
    for (HWND p = hwnd; p; p = GetParent(p))
        if (const int index = findSkinIndex(p)) return index;
    return 0;
}

int addSkinRecord(std::unique_ptr<SkinRecord> record) { return skinRecords.append(std::move(record)); }

void subclassSkinnedWindow(int skinIndex, WNDPROC proc) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || isSubclassed(record->hwnd)) return;
    record->oldProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(record->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
    setPropHandle(record->hwnd, prop::keptProc, record->oldProc);
    setProp(record->hwnd, prop::index, skinIndex);
}

namespace {

template <class Entry>
void setOwnerIndex(const ControlArray<Entry>& entries, const char* name, int skinIndex) {
    for (const Entry& entry : entries)
        if (entry.hwnd) setProp(entry.hwnd, name, skinIndex);
}

// Controls of a record point at it by its skin index; after a record ahead of it
// has gone, the window and every control learn the new one.
void renumber(SkinRecord& record, int skinIndex) {
    setProp(record.hwnd, prop::index, skinIndex);
    setOwnerIndex(record.buttons, prop::ownerIndex, skinIndex);
    setOwnerIndex(record.edits, prop::ownerIndex, skinIndex);
    setOwnerIndex(record.lists, prop::ownerIndex, skinIndex);
    setOwnerIndex(record.trackbars, prop::ownerIndex, skinIndex);
    setOwnerIndex(record.progressBars, prop::ownerIndex, skinIndex);
    setOwnerIndex(record.combos, prop::ownerIndex, skinIndex);
    setOwnerIndex(record.upDowns, prop::ownerIndex, skinIndex);
    setOwnerIndex(record.headers, prop::ownerIndex, skinIndex);
    setOwnerIndex(record.statics, prop::ownerIndex, skinIndex);
    setOwnerIndex(record.containers, prop::ownerIndex, skinIndex);
    setOwnerIndex(record.toolbars, prop::keyedOwnerIndex, skinIndex);
}

BOOL CALLBACK releaseChildBrush(HWND child, LPARAM) {
    releaseColorBrush(child);
    return TRUE;
}

}  // namespace

void releaseSkinRecord(HWND hwnd) {
    const int skinIndex = findSkinIndex(hwnd);
    if (!skinIndex) return;
    // Brushes of the WM_CTLCOLOR* answers of controls that still exist. The record's
    // memory DCs and bitmaps go with the record itself.
    EnumChildWindows(hwnd, releaseChildBrush, 0);
    std::unique_ptr<SkinRecord> gone = skinRecords.remove(skinIndex);
    for (int i = skinIndex; i <= skinRecords.count(); ++i) renumber(*recordAt(i), i);
    forgetDeadWindows();
}

// A hook that is still installed when the next one is asked for is removed first:
// otherwise it would stay for the life of the thread and keep skinning dialogs.
void installCbtHook() {
    removeCbtHook();
    hookHandle = SetWindowsHookExA(WH_CBT, cbtProc, nullptr, GetCurrentThreadId());
}

void removeCbtHook() {
    if (hookHandle) UnhookWindowsHookEx(hookHandle);
    hookHandle = nullptr;
}

LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0) return CallNextHookEx(hookHandle, code, wParam, lParam);
    if (code == HCBT_ACTIVATE) {
        try {
            HWND window = reinterpret_cast<HWND>(wParam);
            if (dialogSkinner && getClassName(window) == "#32770" && !isSubclassed(window)) dialogSkinner(window);
        } catch (...) {
            // A dialog that cannot be skinned keeps its own look.
        }
    }
    return CallNextHookEx(hookHandle, code, wParam, lParam);
}

bool isSubclassed(HWND hwnd, const PropertyFamily& family) { return getProp(hwnd, family.keptProc) != 0; }

WNDPROC subclassControl(HWND control, WNDPROC proc, int controlIndex, int skinIndex, const PropertyFamily& family) {
    const auto old =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
    setProp(control, family.index, controlIndex);
    setProp(control, family.ownerIndex, skinIndex);
    setPropHandle(control, family.keptProc, old);
    return old;
}

LRESULT callKeptProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const PropertyFamily& family) {
    const auto kept = getPropHandle<WNDPROC>(hwnd, family.keptProc);
    if (!kept) return DefWindowProcA(hwnd, message, wParam, lParam);
    return CallWindowProcA(kept, hwnd, message, wParam, lParam);
}

bool takeHover(HWND control, SkinRecord& record, int controlIndex, HotKind kind) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, control, 0};
    TrackMouseEvent(&track);
    record.newHotIndex = controlIndex;
    const int kindCode = static_cast<int>(kind);
    // An edit inside a combo box and a stand-alone edit may share a control index.
    HWND parent = kind == HotKind::edit ? GetParent(control) : nullptr;
    const bool changed = record.lastHotIndex != controlIndex || record.lastHotKind != kindCode ||
                         (kind == HotKind::edit && record.hotEditParent != parent);
    record.lastHotIndex = record.newHotIndex;
    record.lastHotKind = kindCode;
    if (kind == HotKind::edit) record.hotEditParent = parent;
    return changed;
}

void dropHover(SkinRecord& record) { record.lastHotIndex = 0; }

namespace {

// The record's tear-down runs after the children are gone, so a control releases
// its own brush when it is destroyed: a subclassed control in guardedProc, any other
// through a comctl32 subclass. That one stays off the skin's own controls, whose every
// message it would slow by two window-property reads.
constexpr UINT_PTR brushReleaseId = 0x4B6A;

LRESULT CALLBACK releaseBrushOnDestroy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR) {
    if (message == WM_NCDESTROY) {
        releaseColorBrush(hwnd);
        RemoveWindowSubclass(hwnd, releaseBrushOnDestroy, id);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void keepColorBrush(HWND control, HBRUSH brush, HBITMAP bitmap) {
    releaseColorBrush(control);
    setPropHandle(control, prop::colorBrush, brush);
    setPropHandle(control, prop::colorBrushBitmap, bitmap);
    if (!isSubclassed(control) && !isSubclassed(control, keyedProps))
        SetWindowSubclass(control, releaseBrushOnDestroy, brushReleaseId, 0);
}

// Cleared after deletion, so that a second release cannot delete a handle that has
// since been given to another object.
void releaseColorBrush(HWND control) {
    if (auto brush = getPropHandle<HBRUSH>(control, prop::colorBrush)) DeleteObject(brush);
    if (auto bitmap = getPropHandle<HBITMAP>(control, prop::colorBrushBitmap)) DeleteObject(bitmap);
    if (getProp(control, prop::colorBrush)) setProp(control, prop::colorBrush, 0);
    if (getProp(control, prop::colorBrushBitmap)) setProp(control, prop::colorBrushBitmap, 0);
}

LRESULT hollowColorAnswer(HDC dc, HWND control) {
    SetTextColor(dc, static_cast<COLORREF>(getProp(control, prop::textColor)));
    SetBkMode(dc, TRANSPARENT);
    keepColorBrush(control, nullptr, nullptr);  // a stock brush is never deleted
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

namespace {

// What a control's kept pattern brush was made from. UI thread only.
struct PatternSource {
    HBRUSH brush = nullptr;
    FaceSource made;  // the backdrop, keyed by the veil's alpha
};

std::string veilKey() {
    std::string key;
    addToKey(key, veilAlpha);
    return key;
}
std::map<HWND, PatternSource> patternSources;

}  // namespace

HBRUSH veiledPatternBrush(HWND control) {
    const RECT r = innerRect(control);
    ScopedBackdrop backdrop(makeBackdrop(control, r));
    const std::span<const std::uint32_t> pixels = dibPixels(backdrop.get(), r.right - r.left, r.bottom - r.top);
    auto it = patternSources.find(control);
    if (it != patternSources.end() && !pixels.empty() && it->second.brush &&
        it->second.brush == getPropHandle<HBRUSH>(control, prop::colorBrush) && it->second.made.same(pixels, veilKey()))
        return it->second.brush;
    HBITMAP bitmap = veiledBackdropBitmap(control);
    HBRUSH brush = bitmap ? CreatePatternBrush(bitmap) : nullptr;
    keepColorBrush(control, brush, bitmap);
    if (it == patternSources.end()) {
        std::erase_if(patternSources, [](const auto& entry) { return !IsWindow(entry.first); });
        it = patternSources.emplace(control, PatternSource{}).first;
    }
    it->second.brush = brush;
    it->second.made.take(pixels, veilKey());
    return brush;
}

LRESULT patternColorAnswer(HDC dc, HWND control) {
    SetTextColor(dc, static_cast<COLORREF>(getProp(control, prop::textColor)));
    SetBkMode(dc, TRANSPARENT);
    HBRUSH brush = veiledPatternBrush(control);
    return reinterpret_cast<LRESULT>(brush ? brush : GetStockObject(NULL_BRUSH));
}

bool repaintsAfterNotification(HWND child, WORD code) {
    if (isClass(child, "Edit")) return code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE || code == EN_UPDATE;
    if (isClass(child, "ListBox")) return code == LBN_SELCHANGE || code == LBN_SELCANCEL;
    if (isClass(child, "ComboBox")) return code == CBN_KILLFOCUS || code == CBN_SELCHANGE;
    return false;
}

namespace {

// The brush for a WM_CTLCOLOR* message; none when the window's own procedure answers.
std::optional<LRESULT> colorAnswer(UINT message, HDC dc, HWND control) {
    if (!skinningEnabled || !transparentControls) return std::nullopt;
    switch (message) {
    case WM_CTLCOLOREDIT:
        // A combo box answers for its own edit.
        if (isClass(GetParent(control), "ComboBox")) return std::nullopt;
        return patternColorAnswer(dc, control);
    case WM_CTLCOLORLISTBOX:
        if (!isClass(control, "ListBox") || isOwnerDrawListBox(control)) return std::nullopt;
        return hollowColorAnswer(dc, control);
    case WM_CTLCOLORBTN:
        return hollowColorAnswer(dc, control);
    default:
        return patternColorAnswer(dc, control);
    }
}

bool isTreeExpansion(UINT code) {
    return code == TVN_ITEMEXPANDINGA || code == TVN_ITEMEXPANDEDA || code == TVN_ITEMEXPANDINGW ||
           code == TVN_ITEMEXPANDEDW;
}

}  // namespace

std::optional<LRESULT> answerChildMessage(int skinIndex, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return colorAnswer(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND: {
        const auto child = reinterpret_cast<HWND>(lParam);
        if (child && transparentControls && skinningEnabled && repaintsAfterNotification(child, HIWORD(wParam)))
            InvalidateRect(child, nullptr, TRUE);
        break;
    }
    case WM_NOTIFY: {
        // A tree's items move when a branch opens or closes; its backdrop must follow.
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && isTreeExpansion(header->code)) InvalidateRect(header->hwndFrom, nullptr, TRUE);
        break;
    }
    case WM_DRAWITEM:
        if (lParam) drawItemButton(skinIndex, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        break;
    default:
        break;
    }
    return std::nullopt;
}

}  // namespace skin
