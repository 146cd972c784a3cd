#include "skin/controls/Lists.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "graphics/Gx.h"
#include "skin/Backdrop.h"
#include "skin/WindowUtils.h"
#include "skin/controls/ControlCanvas.h"
#include "skin/controls/ControlPainting.h"
#include "skin/controls/Edits.h"
#include "skin/controls/Installers.h"

namespace skin {

namespace {

constexpr int headerEdgeZone = 5;  // pixels at each item edge that belong to the divider
constexpr UINT headerItemMask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE;

bool acceptAll(HWND) { return true; }
void nothingToFill(ListSkin&, HWND) {}

bool isArrowKey(WPARAM key) { return key >= VK_LEFT && key <= VK_DOWN; }

// A tree cannot paint on a transparent background, a list box fills its rows with
// the background colour, and a colour key would leave the key's colour in every
// smoothed text edge. Such a control is painted over black and over white instead:
// where both pictures agree the pixel is opaque, where they differ by the full range
// it is background, and in between (smoothed edges) the difference is the coverage.
// The picture over black is then the premultiplied colour.
void matteFromBlackAndWhite(DWORD* overBlack, const DWORD* overWhite, int count) {
    for (int i = 0; i < count; ++i) {
        const DWORD b = overBlack[i], w = overWhite[i];
        int spread = 0;
        for (const int shift : {0, 8, 16})
            spread = std::max(spread, static_cast<int>((w >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        const DWORD alpha = static_cast<DWORD>(255 - std::clamp(spread, 0, 255));
        DWORD pixel = alpha << 24;
        for (const int shift : {0, 8, 16}) pixel |= std::min((b >> shift) & 0xFF, alpha) << shift;
        overBlack[i] = pixel;
    }
}

// Lets the control paint its client area into dc over a plain background colour.
void paintOver(HWND hwnd, HDC dc, const RECT& client, COLORREF background) {
    gdi::UniqueBrush plain(CreateSolidBrush(background));
    FillRect(dc, &client, plain.get());
    if (isClass(hwnd, "SysTreeView32")) SendMessageA(hwnd, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
    SetBkColor(dc, background);
    callKeptProc(hwnd, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

// The control's items, matted out of their background, over the veiled backdrop.
LRESULT paintMatted(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int w = client.right, h = client.bottom;
    {
        void* blackBits = nullptr;
        void* whiteBits = nullptr;
        gdi::BitmapDc overBlack, overWhite;
        overBlack.select(gdi::makeDibPicture(w, h, &blackBits));
        overWhite.select(gdi::makeDibPicture(w, h, &whiteBits));
        // The client area's backdrop under the veil, lined up with the client area.
        ControlCanvas veiled(hwnd, clientInWindow(hwnd), Edges::sharp);
        if (overBlack && overWhite && veiled) {
            veiled.veil();
            const bool tree = isClass(hwnd, "SysTreeView32");
            const LRESULT ownBackground = tree ? SendMessageA(hwnd, TVM_GETBKCOLOR, 0, 0) : 0;
            paintOver(hwnd, overBlack.get(), client, RGB(0, 0, 0));
            paintOver(hwnd, overWhite.get(), client, RGB(255, 255, 255));
            if (tree) SendMessageA(hwnd, TVM_SETBKCOLOR, 0, ownBackground);
            GdiFlush();
            matteFromBlackAndWhite(static_cast<DWORD*>(blackBits), static_cast<const DWORD*>(whiteBits), w * h);
            const BLENDFUNCTION over{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(veiled.picture(), 0, 0, w, h, overBlack.get(), 0, 0, w, h, over);
            veiled.copyTo(excludeChildClip(hwnd).get());
        }
    }
    // Validates the update region, including what the colour changes invalidated.
    return DefWindowProcA(hwnd, WM_PAINT, wParam, lParam);
}

// List views and list boxes paint their items straight onto the veiled backdrop.
LRESULT paintTransparentList(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    {
        ControlCanvas veiled(hwnd, clientInWindow(hwnd), Edges::sharp);
        gdi::PaintDc screen(hwnd);
        if (veiled) {
            veiled.veil();
            callKeptProc(hwnd, WM_PAINT, reinterpret_cast<WPARAM>(veiled.picture()), 0);
            veiled.copyTo(screen.get());
        }
    }
    invalidateChildren(hwnd);  // an embedded header paints over the list again
    return DefWindowProcA(hwnd, WM_PAINT, wParam, lParam);
}

bool paintsTransparently(HWND hwnd) {
    return isClass(hwnd, "SysTreeView32") || isClass(hwnd, "SysListView32") || isClass(hwnd, "ListBox");
}

std::optional<LRESULT> eraseBackground(HWND hwnd, WPARAM wParam, ListSkin* list) {
    if (!transparentMode()) return std::nullopt;
    const bool treeOrListView = isClass(hwnd, "SysTreeView32") || isClass(hwnd, "SysListView32");
    if (treeOrListView || (isClass(hwnd, "ListBox") && !isOwnerDrawListBox(hwnd))) return eraseNothing(wParam);
    if (isClass(hwnd, "ListBox") || isClass(hwnd, "ComboLBox")) return std::nullopt;
    // Controls that keep painting their own background get the veiled backdrop under it.
    paintEditBackground(hwnd, reinterpret_cast<HDC>(wParam), list ? &list->veil : nullptr);
    return eraseNothing(wParam, static_cast<COLORREF>(getProp(hwnd, prop::textColor)));
}

// The font a header's text is drawn in: its own, else the stock GUI font, since
// GDI+ cannot take the bitmap system font a header without a font falls back to.
WindowFont headerFont(HWND header) {
    WindowFont font = getWindowFont(header);
    if (font.faceName.empty()) {
        GxFont stock;
        GxFontFamily family;
        if (stock.FromStockFont() && stock.GetFamily(family)) {
            font.faceName = family.GetName();
            font.size = static_cast<int>(stock.GetSize());
            font.style = stock.GetStyle();
            family.Delete();
        }
    }
    if (font.size == 0) font.size = 12;
    return font;
}

void fillVertical(GxGraphics& graphics, int w, int h, Argb from, Argb to) {
    GxLinearBrush brush;
    brush.Create(GxPointF{0.0f, 0.0f}, GxPointF{0.0f, static_cast<float>(h)}, from, to);
    graphics.FillRectangleI(brush, 0, 0, w, h);
}

int iconLeft(int format, int itemWidth, int iconWidth, int textWidth, int margin) {
    const bool fits = iconWidth + margin + textWidth < itemWidth;
    switch (format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT:
        return fits ? itemWidth - iconWidth - textWidth : margin;
    case HDF_CENTER:
        return fits ? (itemWidth - iconWidth - margin - textWidth) / 2 : margin;
    default:
        return margin;
    }
}

// One header item: face, hot or pressed shading, divider, icon and text. The last
// item of a list view's header reaches the list's right edge, so the free part of
// the header row gets the same face.
void paintHeaderItem(const HeaderSkin& header, int item, int count, int margin, HIMAGELIST images, HDC target) {
    HWND hwnd = header.hwnd;
    RECT rect{};
    SendMessageA(hwnd, HDM_GETITEMRECT, static_cast<WPARAM>(item - 1), reinterpret_cast<LPARAM>(&rect));
    char text[260] = {};
    HDITEMA info{};
    info.mask = headerItemMask;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    SendMessageA(hwnd, HDM_GETITEMA, static_cast<WPARAM>(item - 1), reinterpret_cast<LPARAM>(&info));
    gdi::UniqueIcon icon;
    if ((info.fmt & HDF_IMAGE) && images) icon.reset(ImageList_GetIcon(images, info.iImage, ILD_TRANSPARENT));

    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    int paintedWidth = w;
    HWND parent = GetParent(hwnd);
    if (item == count && isClass(parent, "SysListView32")) {
        RECT list{};
        GetClientRect(parent, &list);
        MapWindowPoints(parent, hwnd, reinterpret_cast<POINT*>(&list), 2);
        if (rect.right < list.right) paintedWidth = list.right - rect.left;
    }
    if (w <= 0 || h <= 0) return;

    ControlCanvas canvas(hwnd, RECT{rect.left, rect.top, rect.left + paintedWidth, rect.bottom}, Edges::sharp);
    if (!canvas) return;
    {
        GxGraphics& graphics = canvas.graphics();
        fillFace(graphics, 0, 0, paintedWidth, h);
        if (header.buttons)
            fillVertical(graphics, paintedWidth, h, toArgb(0x00FFFFFF, 80), toArgb(themeColor, 120));
        else
            fillVertical(graphics, paintedWidth, h, toArgb(themeColor, 60), toArgb(themeColor, 10));
        if (header.buttons && header.hot && item == header.hotItem)
            fillVertical(graphics, w, h, toArgb(themeColor, 60), toArgb(0, 30));
        if (header.buttons && item == header.pressedItem)
            fillVertical(graphics, w, h, toArgb(0, 30), toArgb(0x00FFFFFF, 120));

        GxLinearBrush dividerShade;
        dividerShade.Create(GxPointF{0.0f, 0.0f}, GxPointF{0.0f, static_cast<float>(h)}, toArgb(0, 60),
                            toArgb(0x00FFFFFF, 50));
        GxPen divider;
        divider.CreateFromBrush(dividerShade, 1.0f);
        graphics.DrawLineI(divider, w - 1, 0, w - 1, h);

        const int textWidth =
            measureTextWidth(text, header.fontName.c_str(), header.fontSize, header.fontStyle);
        GxBitmap picture;
        int iconWidth = 0, iconHeight = 0;
        if (icon && picture.FromHicon(icon.get())) {
            iconWidth = picture.GetWidth();
            iconHeight = picture.GetHeight();
        }
        const int x = iconLeft(info.fmt, w, iconWidth, textWidth, margin);
        if (iconWidth > 0) graphics.DrawImageRectI(picture, x, (h - iconHeight) / 2, iconWidth, iconHeight);

        GxFont font;
        font.CreateByName(header.fontName.c_str(), static_cast<float>(header.fontSize), header.fontStyle);
        GxStringFormat format;
        format.Create(0, 0);
        format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
        GxSolidBrush ink;
        ink.Create(toArgb(0));
        graphics.DrawString(text, font, ink,
                            GxRectF{static_cast<float>(x + iconWidth), 0.0f,
                                    static_cast<float>(w - iconWidth - 2 * margin), static_cast<float>(h)},
                            &format);
    }
    BitBlt(target, rect.left, rect.top, paintedWidth, h, canvas.picture(), 0, 0, SRCCOPY);
}

// A list view's header lies inside the list: the pointer over it is over the list.
bool pointerOver(HWND list) {
    POINT at{};
    GetCursorPos(&at);
    const HWND under = WindowFromPoint(at);
    return under == list || IsChild(list, under);
}

// Lights or clears the ring of a skinned list when that changes it.
void setListHot(HWND hwnd, bool hot) {
    const auto at = locate(hwnd, &SkinRecord::lists);
    if (!at.entry || (at.entry->hot != 0) == hot) return;
    at.entry->hot = hot ? 1 : 0;
    paintListFrame(*at.entry, hot);
}

}  // namespace

void skinLists(int skinIndex, HWND parent) {
    if (!skinningEnabled) return;
    skinControls(skinIndex, parent, "ListBox", &SkinRecord::lists, listProc, acceptAll, nothingToFill);
    for (HWND combo = FindWindowExA(parent, nullptr, "ComboBox", nullptr); combo;
         combo = FindWindowExA(parent, combo, "ComboBox", nullptr))
        skinControls(
            skinIndex, combo, "ComboLBox", &SkinRecord::lists, listProc,
            [](HWND list) { return (GetWindowLongA(list, GWL_STYLE) & LBS_OWNERDRAWFIXED) == 0; }, nothingToFill);
    skinControls(
        skinIndex, parent, "SysListView32", &SkinRecord::lists, listProc,
        [](HWND list) { return (GetWindowLongA(list, GWL_STYLE) & LVS_SORTASCENDING) == 0; },
        [](ListSkin&, HWND list) {
            if (transparentMode()) SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
        });
    skinControls(skinIndex, parent, "SysTreeView32", &SkinRecord::lists, listProc, acceptAll, nothingToFill);
    skinControls(skinIndex, parent, "SysIPAddress32", &SkinRecord::lists, listProc, acceptAll, nothingToFill);
    skinControls(skinIndex, parent, "SysDateTimePick32", &SkinRecord::lists, listProc, acceptAll, nothingToFill);
}

void paintListFrame(ListSkin& list, std::optional<bool> hot, std::optional<bool> focused) {
    // Nothing of these would reach the screen: their whole picture is the colour key.
    if (isClass(list.hwnd, "ComboLBox") || !hasFrame(list.hwnd)) return;
    paintRing(list.hwnd, toArgb(0, 90), toArgb(themeColor, 200), hot.value_or(list.hot != 0),
              focused.value_or(list.focused != 0), list.ring);
}

LRESULT CALLBACK listProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedProc(hwnd, message, wParam, lParam, [&]() -> LRESULT {
        const auto at = locate(hwnd, &SkinRecord::lists);
        ListSkin* list = at.entry;
        const auto paintFrame = [&](std::optional<bool> hot = std::nullopt) {
            if (list) paintListFrame(*list, hot);
        };
        const bool transparent = transparentMode();
        switch (message) {
        case WM_MOVE:
            if (transparent) InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (list) list->focused = message == WM_SETFOCUS ? 1 : 0;
            paintFrame();
            break;
        case WM_PAINT:
            paintFrame();
            if (!transparent || !paintsTransparently(hwnd)) break;
            return isClass(hwnd, "SysTreeView32") || (isClass(hwnd, "ListBox") && !isOwnerDrawListBox(hwnd))
                       ? paintMatted(hwnd, wParam, lParam)
                       : paintTransparentList(hwnd, wParam, lParam);
        case WM_ERASEBKGND:
            if (const auto answer = eraseBackground(hwnd, wParam, list)) return *answer;
            break;
        case WM_NCPAINT:
            paintFrame();
            return answerNcPaint(hwnd, lParam);
        case WM_KEYDOWN:
            if (list && isArrowKey(wParam)) list->keyScroll = 1;
            break;
        case WM_KEYUP:
            ReleaseCapture();
            if (list) list->keyScroll = 0;
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_MOUSEWHEEL:
            if (transparent) InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_MOUSEMOVE:
            if (list && takeHover(hwnd, *at.record, at.controlIndex, HotKind::list)) {
                list->hot = 1;
                paintFrame(true);
            }
            break;
        case WM_MOUSELEAVE:
            if (!list) break;
            dropHover(*at.record);
            if (!pointerOver(hwnd)) setListHot(hwnd, false);
            break;
        case beforeTranslateMessage:
            // While an arrow key is held the list scrolls without painting its
            // background; each repeated key press repaints it over the backdrop.
            if (list && transparent && list->keyScroll) InvalidateRect(hwnd, nullptr, FALSE);
            break;
        default:
            break;
        }
        return callKeptProc(hwnd, message, wParam, lParam);
    });
}

void skinHeaders(int skinIndex, HWND parent) {
    if (!skinningEnabled) return;
    const auto fill = [](HeaderSkin& entry, HWND header) {
        entry.buttons = (GetWindowLongA(header, GWL_STYLE) & HDS_BUTTONS) ? 1 : 0;
        const WindowFont font = headerFont(header);
        entry.fontName = font.faceName;
        entry.fontStyle = font.style;
        entry.fontSize = font.size;
        entry.imageList = reinterpret_cast<HIMAGELIST>(SendMessageA(header, HDM_GETIMAGELIST, 0, 0));
    };
    skinControls(skinIndex, parent, "SysHeader32", &SkinRecord::headers, headerProc, acceptAll, fill);
    for (HWND list = FindWindowExA(parent, nullptr, "SysListView32", nullptr); list;
         list = FindWindowExA(parent, list, "SysListView32", nullptr)) {
        HWND header = FindWindowExA(list, nullptr, "SysHeader32", nullptr);
        if (header)
            skinControls(skinIndex, list, "SysHeader32", &SkinRecord::headers, headerProc,
                         [header](HWND found) { return found == header; }, fill);
    }
}

int headerItemAt(const HeaderSkin& header, LPARAM point) {
    const int x = GET_X_LPARAM(point);
    const int count = static_cast<int>(SendMessageA(header.hwnd, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 1; i <= count; ++i) {
        RECT rect{};
        SendMessageA(header.hwnd, HDM_GETITEMRECT, static_cast<WPARAM>(i - 1), reinterpret_cast<LPARAM>(&rect));
        if (rect.left + headerEdgeZone <= x && x <= rect.right - headerEdgeZone) return i;
    }
    return 0;
}

void paintHeader(HeaderSkin& header, HDC target) {
    HWND hwnd = header.hwnd;
    const int count = static_cast<int>(SendMessageA(hwnd, HDM_GETITEMCOUNT, 0, 0));
    if (count <= 0) return;
    const int margin = static_cast<int>(SendMessageA(hwnd, HDM_GETBITMAPMARGIN, 0, 0));
    // The image list belongs to whoever set it and may have been replaced since the
    // header was skinned: the current one is asked for at every paint.
    header.imageList = reinterpret_cast<HIMAGELIST>(SendMessageA(hwnd, HDM_GETIMAGELIST, 0, 0));
    const TargetDc dc(hwnd, target, TargetDc::Area::client);
    for (int item = 1; item <= count; ++item) paintHeaderItem(header, item, count, margin, header.imageList, dc.get());
}

LRESULT CALLBACK headerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedProc(hwnd, message, wParam, lParam, [&]() -> LRESULT {
        const auto at = locate(hwnd, &SkinRecord::headers);
        HeaderSkin* header = at.entry;
        if (!header) return callKeptProc(hwnd, message, wParam, lParam);
        const auto paint = [&] { paintHeader(*header); };
        switch (message) {
        case WM_MOVE:
            paint();
            break;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return answerPaint(hwnd, message, wParam, [&](HDC dc) { paintHeader(*header, dc); });
        case WM_ERASEBKGND:
            return eraseNothing(wParam);
        case WM_MOUSEMOVE: {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&track);
            SkinRecord& record = *at.record;
            record.newHotIndex = at.controlIndex;
            header->hot = 1;
            header->hotItem = headerItemAt(*header, lParam);
            record.lastHotKind = static_cast<int>(HotKind::header);
            if (header->hotItem >= 1 && header->hotItem != header->paintedHotItem && !header->pressed) {
                paint();
                header->paintedHotItem = header->hotItem;
            } else if (header->hotItem == 0) {
                header->paintedHotItem = 0;
                header->hot = 0;
                paint();
            }
            record.lastHotIndex = record.newHotIndex;
            setListHot(GetParent(hwnd), true);
            break;
        }
        case WM_LBUTTONDOWN:
            header->pressed = 1;
            if (header->hotItem >= 1) header->pressedItem = header->hotItem;
            break;
        case WM_LBUTTONUP:
            header->pressed = 0;
            header->pressedItem = 0;
            break;
        case WM_MOUSELEAVE:
            dropHover(*at.record);
            header->paintedHotItem = 0;
            header->hotItem = 0;
            header->hot = 0;
            paint();
            if (!pointerOver(GetParent(hwnd))) setListHot(GetParent(hwnd), false);
            break;
        default:
            break;
        }
        return callKeptProc(hwnd, message, wParam, lParam);
    });
}

}  // namespace skin
