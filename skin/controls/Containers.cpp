#include "skin/controls/Containers.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "graphics/GxBrush.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxPath.h"
#include "graphics/GxPen.h"
#include "graphics/GxText.h"
#include "skin/Backdrop.h"
#include "skin/KeptFace.h"
#include "skin/Primitives.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/Buttons.h"
#include "skin/controls/ControlCanvas.h"
#include "skin/controls/ControlPainting.h"
#include "skin/controls/Installers.h"

namespace skin {

namespace {

// The group-box face on the container's picture: frame lines and the caption.
void paintGroupBox(const ContainerSkin& container, ControlCanvas& picture) {
    HWND box = container.hwnd;
    const float w = static_cast<float>(picture.width());
    const float h = static_cast<float>(picture.height());
    GxGraphics& graphics = picture.graphics();
    strokeRoundRect(graphics, 0, 5, w - 1, h - 6, 5, toArgb(0x000000, 40));
    strokeRoundRect(graphics, 1, 6, w - 3, h - 8, 3, toArgb(0xFFFFFF, 90));
    const std::string caption = windowText(box);
    if (caption.empty()) return;
    const char* face = container.fontName.c_str();
    const int tw = measureTextWidth(caption.c_str(), face, container.fontSize, container.fontStyle);
    const LONG style = GetWindowLongA(box, GWL_STYLE);
    int left = picture.width() - tw - 10;
    if ((style & BS_CENTER) == BS_CENTER) left = (picture.width() - tw) / 2;
    else if (style & BS_LEFT) left = 10;
    const RECT band{left, 1, left + tw, 1 + container.fontSize + 3};
    // The frame lines under the caption go.
    restoreBackdrop(box, picture.picture(), band);

    GxFont font;
    font.CreateByName(face, static_cast<float>(container.fontSize), container.fontStyle, Gdiplus::UnitWorld);
    GxStringFormat format;
    format.Create(0, 0);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    GxSolidBrush brush;
    brush.Create(toArgb(static_cast<COLORREF>(getProp(box, prop::textColor))));
    graphics.DrawString(caption.c_str(), font, brush,
                        GxRectF(static_cast<float>(band.left), static_cast<float>(band.top),
                                static_cast<float>(tw), static_cast<float>(band.bottom - band.top)),
                        &format);
}

// Everything a group box's face shows besides its untinted backdrop and size. Of the
// style only the caption's alignment counts: the box is painted once before it shows
// too, without WS_VISIBLE.
std::string groupBoxKey(const ContainerSkin& container) {
    HWND box = container.hwnd;
    std::string key = windowText(box) + '\0' + container.fontName + '\0';
    for (const INT_PTR value : {static_cast<INT_PTR>(GetWindowLongA(box, GWL_STYLE) & BS_CENTER),
                                static_cast<INT_PTR>(container.fontSize), static_cast<INT_PTR>(container.fontStyle),
                                getProp(box, prop::textColor), static_cast<INT_PTR>(container.tintColor),
                                static_cast<INT_PTR>(container.tintAlpha)})
        addToKey(key, value);
    return key;
}

// --- Keyed containers ---------------------------------------------------------

// Classes that paint into the DC handed to them in WM_PAINT. Static controls do as
// well: given the picture, they would never validate their update region and would be
// asked to paint again at once.
constexpr std::array<const char*, 7> paintsIntoWParam = {"SysMonthCal32",      "SysTabControl32", "ToolbarWindow32",
                                                        "msctls_statusbar32", "Button",          "msctls_trackbar32",
                                                        "Static"};

bool drawsIntoGivenDc(HWND hwnd) {
    for (const char* name : paintsIntoWParam)
        if (isClass(hwnd, name)) return true;
    return false;
}

// A text static shows what its text, style, font, state and its parent's colour answer
// make of it, so its face can be kept. Other classes show state of their own (a tab's
// selection, a trackbar's position) and draw at every paint.
bool isTextStatic(HWND hwnd) {
    if (!isClass(hwnd, "Static")) return false;
    switch (GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        return true;
    default:
        return false;
    }
}

// Everything a text static's composed face shows besides its backdrop. The parent is
// asked for its colours on dc as the static itself asks when it paints.
std::string staticFaceKey(HWND hwnd, HDC dc, COLORREF keyColour) {
    std::string key = windowText(hwnd) + '\0';
    for (const LONG value : {GetWindowLongA(hwnd, GWL_STYLE), GetWindowLongA(hwnd, GWL_EXSTYLE),
                             static_cast<LONG>(IsWindowEnabled(hwnd)),
                             static_cast<LONG>(SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0)), static_cast<LONG>(veilAlpha),
                             static_cast<LONG>(keyColour)})
        addToKey(key, value);
    LOGFONTA font{};
    if (const auto handle = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)))
        GetObjectA(handle, sizeof font, &font);
    addToKey(key, font);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    LOGBRUSH fill{};
    if (brush) GetObjectA(brush, sizeof fill, &fill);
    addToKey(key, fill);
    for (const COLORREF value : {GetTextColor(dc), GetBkColor(dc), static_cast<COLORREF>(GetBkMode(dc))})
        addToKey(key, value);
    return key;
}

// The window draws itself into its backdrop; what is not the key colour goes over the
// veiled backdrop, and that reaches the screen in one copy. With kept given (a text
// static) the composed face is kept, and a paint over the same backdrop with the same
// key copies it without asking the window to draw.
// Backdrops are cut in window coordinates: in a window with a border the client area
// starts at client.left, client.top of the veil.
LRESULT composeInPicture(HWND hwnd, COLORREF key, KeptFace* kept) {
    const RECT client = clientInWindow(hwnd);
    const int w = client.right - client.left;
    const int h = client.bottom - client.top;
    ControlCanvas picture(hwnd, client);
    if (!picture) return callKeptProc(hwnd, WM_PAINT, 0, 0, keyedProps);
    gdi::PaintDc paint(hwnd);
    if (kept && kept->restore(picture, staticFaceKey(hwnd, picture.picture(), key))) {
        picture.copyTo(paint.get());
        return 0;
    }
    const LRESULT result =
        callKeptProc(hwnd, WM_PAINT, reinterpret_cast<WPARAM>(picture.picture()), 0, keyedProps);
    ScopedBackdrop veil(veiledBackdrop(hwnd));
    if (veil) {
        TransparentBlt(veil.get(), client.left, client.top, w, h, picture.picture(), 0, 0, w, h, key);
        BitBlt(picture.picture(), 0, 0, w, h, veil.get(), client.left, client.top, SRCCOPY);
        picture.copyTo(paint.get());
        if (kept) kept->keep(picture);
    }
    return result;
}

// A window that paints only through its own BeginPaint: what it has painted is read
// back, laid over the backdrop of the update area without the key colour and copied
// back. It gets no DC in wParam, so one that would use it still paints (and validates).
LRESULT composeOnScreen(HWND hwnd, COLORREF key) {
    RECT rect{};
    if (!GetUpdateRect(hwnd, &rect, FALSE)) return callKeptProc(hwnd, WM_PAINT, 0, 0, keyedProps);
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    RECT behind = rect;
    const RECT client = clientInWindow(hwnd);
    OffsetRect(&behind, client.left, client.top);
    ScopedBackdrop picture(makeBackdrop(hwnd, behind));
    gdi::WindowDc dc = gdi::WindowDc::client(hwnd);
    const LRESULT result = callKeptProc(hwnd, WM_PAINT, 0, 0, keyedProps);
    if (picture) {
        TransparentBlt(picture.get(), 0, 0, w, h, dc.get(), rect.left, rect.top, w, h, key);
        BitBlt(dc.get(), rect.left, rect.top, w, h, picture.get(), 0, 0, SRCCOPY);
    }
    invalidateChildren(hwnd);
    return result;
}

LRESULT containerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto at = locate(hwnd, &SkinRecord::containers);
    ContainerSkin* container = at.entry;
    if (!container) return callKeptProc(hwnd, message, wParam, lParam);
    if (const auto answer = answerChildMessage(at.skinIndex, message, wParam, lParam)) return *answer;
    const bool paints = container->paintsBackground == 1;
    switch (message) {
    case WM_MOVE:
        if (paints && (container->tintAlpha & 0xFF) != 255) InvalidateRect(hwnd, nullptr, FALSE);
        break;
    case WM_SIZE:
        container->dirty = 1;
        break;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (!paints) break;
        return answerPaint(hwnd, message, wParam, [&](HDC dc) {
            // Later paints of the window let its transparent children show through again.
            const bool settled = container->dirty == 0;
            paintContainer(*container, dc);
            if (settled && !dc) invalidateTransparentChildren(hwnd);
        });
    case WM_ERASEBKGND:
        if (!paints) break;
        return eraseNothing(wParam);
    case WM_SHOWWINDOW:
        if (wParam == TRUE) {
            const LRESULT result = callKeptProc(hwnd, message, wParam, lParam);
            if (paints) paintContainer(*container);
            return result;
        }
        break;
    default:
        break;
    }
    return callKeptProc(hwnd, message, wParam, lParam);
}

}  // namespace

// --- Registration ---------------------------------------------------------------

int addContainer(int skinIndex, HWND window, int paintsBackground, COLORREF colour, int alpha, int framed) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || !window) return 0;
    if (const int existing = record->containers.indexOf(window)) return existing;
    // A window the skin took as a control (or the skinned window itself) already has
    // its kept procedure: subclassing it again would make the skin call itself.
    if (isSubclassed(window)) return 0;
    const int index = record->containers.takeEntry();
    ContainerSkin& container = *record->containers.at(index);
    container.hwnd = window;
    container.tintColor = colour;
    container.tintAlpha = alpha & 0xFF;
    container.framed = framed;
    container.paintsBackground = paintsBackground;
    if (isGroupBoxButton(window)) {
        const WindowFont font = getWindowFont(window);
        container.isGroupBox = 1;
        container.fontName = font.faceName;
        container.fontSize = font.size ? font.size : 12;
        container.fontStyle = font.style;
    }
    skinChildControls(skinIndex, window);
    container.dirty = 1;
    container.oldProc = subclassControl(window, containerProc, index, skinIndex);
    setPropHandle(window, prop::backgroundOwner, nearestBackgroundOwner(window));
    return index;
}

int addKeyedContainer(int skinIndex, HWND window, COLORREF keyColor, COLORREF colour, int alpha) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || !window) return 0;
    // Subclassing twice would make the keyed procedure its own kept procedure.
    if (isSubclassed(window, keyedProps)) return getPropInt(window, prop::keyedIndex);
    const int index = record->toolbars.takeEntry();
    KeyedContainerSkin& keyed = *record->toolbars.at(index);
    keyed.hwnd = window;
    keyed.keyColor = keyColor;
    keyed.oldProc = subclassControl(window, keyedContainerProc, index, skinIndex, keyedProps);
    if (FindWindowExA(window, nullptr, nullptr, nullptr)) addContainer(skinIndex, window, 0, colour, alpha, 0);
    return index;
}

int SkinEngine::registerContainer(HWND window, int paintsBackground, COLORREF colour, int alpha, int framed) {
    return addContainer(skinIndexOfAncestor(window), window, paintsBackground, colour, alpha, framed);
}

void SkinEngine::setContainerAlpha(HWND window, int alpha) {
    ContainerSkin* container = locate(window, &SkinRecord::containers).entry;
    if (!container || container->tintColor == 0) return;
    container->tintAlpha = alpha & 0xFF;
    InvalidateRect(window, nullptr, FALSE);
}

int SkinEngine::registerKeyedContainer(HWND window, std::optional<COLORREF> keyColor, COLORREF colour, int alpha) {
    return addKeyedContainer(skinIndexOfAncestor(window), window, keyColor.value_or(GetSysColor(COLOR_BTNFACE)),
                             colour, alpha);
}

void skinToolbars(int skinIndex, HWND parent) {
    if (!skinningEnabled) return;
    for (HWND toolbar = FindWindowExA(parent, nullptr, TOOLBARCLASSNAMEA, nullptr); toolbar;
         toolbar = FindWindowExA(parent, toolbar, TOOLBARCLASSNAMEA, nullptr))
        addKeyedContainer(skinIndex, toolbar, GetSysColor(COLOR_BTNFACE), 0, 0);
}

// --- Procedures -------------------------------------------------------------------

LRESULT CALLBACK keyedContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedProc(keyedProps, hwnd, message, wParam, lParam, [&]() -> LRESULT {
        switch (message) {
        case WM_MOVE:
            if (transparentControls) InvalidateRect(hwnd, nullptr, FALSE);
            break;
        case WM_PAINT:
            if (!skinningEnabled) break;
            if (KeyedContainerSkin* keyed = locate(hwnd, &SkinRecord::toolbars, keyedProps).entry)
                return drawsIntoGivenDc(hwnd)
                           ? composeInPicture(hwnd, keyed->keyColor, isTextStatic(hwnd) ? &keyed->face : nullptr)
                           : composeOnScreen(hwnd, keyed->keyColor);
            break;
        case WM_ERASEBKGND:
            if (!transparentControls) break;
            return eraseNothing(wParam);
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (isClass(hwnd, "RichEdit20A")) InvalidateRect(hwnd, nullptr, FALSE);
            break;
        default:
            break;
        }
        return callKeptProc(hwnd, message, wParam, lParam, keyedProps);
    });
}

LRESULT CALLBACK containerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedProc(hwnd, message, wParam, lParam,
                       [&]() -> LRESULT { return containerMessage(hwnd, message, wParam, lParam); });
}

// --- Painting -----------------------------------------------------------------------

// The given DC is clipped like the container's own DC, so that a first paint does not
// cover the children either.
void paintContainer(ContainerSkin& container, HDC target) {
    // A window about to be shown (WM_SHOWWINDOW comes before it is visible) shows nothing
    // of a paint: its WM_PAINT follows, over what lies behind it by then. Composed now,
    // over the picture its parent still shows, the face would be thrown away at once.
    if (!target && !IsWindowVisible(container.hwnd)) {
        container.dirty = 0;
        return;
    }
    // A group box over the same backdrop with the same key gets its kept face. The tint
    // costs more than all the rest: it is laid only when the face is drawn.
    const bool keepsFace = container.isGroupBox != 0;
    const RECT area = clientRect(container.hwnd);
    ControlCanvas picture(container.hwnd, area, Edges::smooth, keepsFace ? Tinting::later : Tinting::now);
    if (!picture) return;
    const bool restored = keepsFace && container.face.restore(picture, groupBoxKey(container));
    if (keepsFace) {
        if (!restored) {
            tintBackdrop(container.hwnd, picture.picture(), area);
            paintGroupBox(container, picture);
        }
    } else if (container.framed) {
        const float w = static_cast<float>(picture.width());
        const float h = static_cast<float>(picture.height());
        strokeRoundRect(picture.graphics(), 0, 0, w - 1, h - 1, 5, toArgb(0x000000, 40));
        strokeRoundRect(picture.graphics(), 1, 1, w - 3, h - 3, 3, toArgb(0xFFFFFF, 100));
    }
    picture.copyTo(TargetDc(container.hwnd, target, TargetDc::Area::clientWithoutChildren).get());
    if (keepsFace && !restored) container.face.keep(picture);
    container.dirty = 0;
}

void restoreBackdrop(HWND window, HDC dc, const RECT& rect) {
    ScopedBackdrop part(makeBackdrop(window, rect));
    if (part) BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, part.get(), 0, 0, SRCCOPY);
}

// --- Queries ----------------------------------------------------------------------

bool isGroupBoxButton(HWND window) {
    return isClass(window, "Button") && (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

HWND nearestBackgroundOwner(HWND window) {
    for (HWND p = GetParent(window); p; p = GetParent(p))
        if (getPropInt(p, prop::keepsBackground) == 1) return p;
    return nullptr;
}

void invalidateTransparentChildren(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (isTransparentWindow(child)) InvalidateRect(child, nullptr, FALSE);
}

}  // namespace skin
