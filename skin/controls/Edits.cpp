#include "skin/controls/Edits.h"

#include <cstring>
#include <string>
#include <vector>

#include "assets/Assets.h"
#include "graphics/Gx.h"
#include "skin/Backdrop.h"
#include "skin/WindowUtils.h"
#include "skin/controls/ControlCanvas.h"
#include "skin/controls/ControlPainting.h"
#include "skin/controls/Installers.h"

namespace skin {

namespace {

constexpr LONG comboHasDropButton = 0x0002;  // CBS_DROPDOWN, also part of CBS_DROPDOWNLIST
constexpr LONG comboListBit = 0x0001;        // CBS_SIMPLE, also part of CBS_DROPDOWNLIST

HWND comboEdit(HWND combo) { return FindWindowExA(combo, nullptr, "Edit", nullptr); }

void skinEditsOf(int skinIndex, HWND parent) {
    skinControls(
        skinIndex, parent, "Edit", &SkinRecord::edits, editProc, [](HWND) { return true; },
        [](EditSkin&, HWND control) { setProp(control, prop::textColor, 0); });
}

// A combo box with a current selection shows that item's text as its own.
void adoptSelectedText(HWND combo) {
    const auto selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (selected < 0) return;
    const auto length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length < 0) return;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text.data()));
    SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The pattern brush an edit's text is drawn on in transparent mode: its veiled backdrop.
HBRUSH veiledEditBrush(HWND edit, HDC dc) {
    SetTextColor(dc, static_cast<COLORREF>(getProp(edit, prop::textColor)));
    SetBkMode(dc, TRANSPARENT);
    return veiledPatternBrush(edit);
}

// The rectangles of the combo box's children where they show through, in the
// combo box's window coordinates: every child of a combo box with a list part,
// else only the first (the edit of a drop-down combo box).
template <class Visit>
void forEachComboHole(HWND combo, LONG style, Visit&& visit) {
    for (HWND child = GetWindow(combo, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r = rectRelativeTo(combo, child);
        if (isClass(child, "ComboLBox")) InflateRect(&r, -2, -2);
        visit(r);
        if (!(style & comboListBit)) break;
    }
}

// The arrow glyph, decoded once: every paint wraps the pixels in a bitmap of its own
// instead of decoding the picture again.
struct GlyphPixels {
    int w = 0, h = 0;
    std::vector<BYTE> argb;
};

GlyphPixels& arrowGlyph() {
    static GlyphPixels pixels = [] {
        GlyphPixels decoded;
        GxBitmap picture;
        if (!picture.FromBytes(ArrowDownGlyph)) return decoded;
        decoded.w = picture.GetWidth();
        decoded.h = picture.GetHeight();
        const GxRect all{0, 0, decoded.w, decoded.h};
        Gdiplus::BitmapData data{};
        if (decoded.w <= 0 || decoded.h <= 0 ||
            !picture.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, data))
            return decoded;
        decoded.argb.resize(static_cast<std::size_t>(decoded.w * decoded.h * 4));
        for (int y = 0; y < decoded.h; ++y)
            std::memcpy(decoded.argb.data() + y * decoded.w * 4, static_cast<const BYTE*>(data.Scan0) + y * data.Stride,
                        static_cast<std::size_t>(decoded.w * 4));
        picture.UnlockBits(data);
        return decoded;
    }();
    return pixels;
}

void drawDropButton(GxGraphics& graphics, int x, int bw, int bh, bool hot) {
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    GxPath outline;
    outline.Create();
    addRoundRect(outline, static_cast<float>(x), 2.0f, static_cast<float>(bw - 1), static_cast<float>(bh - 1), 4);
    GxPen pen;
    pen.Create(hot ? toArgb(themeColor, 200) : toArgb(0, 80));
    graphics.DrawPath(pen, outline);

    GxPath face;
    face.Create();
    addRoundRect(face, static_cast<float>(x + 1), 3.0f, static_cast<float>(bw - 2), static_cast<float>(bh - 2), 1);
    GxLinearBrush shade;
    shade.Create(GxPointF{static_cast<float>(x + 1), 2.0f}, GxPointF{static_cast<float>(x + 1), static_cast<float>(bh)},
                 hot ? toArgb(0x00FFFFFF, 100) : toArgb(themeColor, 30),
                 hot ? toArgb(themeColor, 150) : toArgb(themeColor, 100));
    graphics.FillPath(shade, face);

    GlyphPixels& glyph = arrowGlyph();
    GxBitmap arrow;
    if (!glyph.argb.empty() &&
        arrow.FromScan0(glyph.w, glyph.h, glyph.w * 4, PixelFormat32bppARGB, glyph.argb.data())) {
        const int left = x + (bw - glyph.w) / 2;
        const int top = 2 + (bh - glyph.h) / 2;
        graphics.DrawImageRectI(arrow, left, top, glyph.w, glyph.h);
    }
}

}  // namespace

void skinEdits(int skinIndex, HWND parent) {
    if (!skinningEnabled) return;
    skinEditsOf(skinIndex, parent);
    skinControls(
        skinIndex, parent, "ComboBox", &SkinRecord::combos, comboProc, [](HWND) { return true; },
        [skinIndex](ComboSkin&, HWND combo) {
            adoptSelectedText(combo);
            skinEditsOf(skinIndex, combo);
        });
}

bool hasHScrollBar(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_HSCROLL) != 0; }
bool hasVScrollBar(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VSCROLL) != 0; }
bool hasScrollBars(HWND hwnd) { return hasHScrollBar(hwnd) || hasVScrollBar(hwnd); }

gdi::UniqueRegion scrollBarRegion(HWND hwnd) {
    gdi::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    RECT bars[2]{};
    bool shown[2]{};
    const LONG ids[2] = {static_cast<LONG>(OBJID_HSCROLL), static_cast<LONG>(OBJID_VSCROLL)};
    for (int i = 0; i < 2; ++i) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        shown[i] = GetScrollBarInfo(hwnd, ids[i], &info) && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
        if (!shown[i]) continue;
        bars[i] = info.rcScrollBar;
        gdi::UniqueRegion part(CreateRectRgnIndirect(&bars[i]));
        CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
    }
    // The corner between two scroll bars belongs to them: the system paints it too.
    if (shown[0] && shown[1]) {
        const RECT corner{bars[1].left, bars[0].top, bars[1].right, bars[0].bottom};
        gdi::UniqueRegion part(CreateRectRgnIndirect(&corner));
        CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
    }
    return region;
}

void paintRing(HWND hwnd, Argb thin, Argb lit, bool hot, bool focused, KeptFace& kept) {
    const RECT whole = windowArea(hwnd);
    const int w = whole.right, h = whole.bottom;
    const RECT inner = innerRect(hwnd);
    ControlCanvas canvas(hwnd, whole, Edges::sharp);
    if (!canvas) return;
    std::string key;
    for (const Argb value : {thin, lit, static_cast<Argb>(hot), static_cast<Argb>(focused),
                             static_cast<Argb>(transparentControls), static_cast<Argb>(veilAlpha)})
        addToKey(key, value);
    addToKey(key, inner);
    const bool painted = kept.restore(canvas, std::move(key));
    if (!painted) {
        fillRing(canvas.graphics(), w, h, inner);
        GxPen pen;
        if (hot) {
            pen.Create(lit, 2.0f);
            canvas.graphics().DrawRectangleI(pen, 1, 1, w - 2, h - 2);
        } else {
            pen.Create(focused ? lit : thin, 1.0f);
            canvas.graphics().DrawRectangleI(pen, 0, 0, w - 1, h - 1);
        }
    }
    gdi::WindowDc dc = gdi::WindowDc::whole(hwnd);
    ExcludeClipRect(dc.get(), inner.left, inner.top, inner.right, inner.bottom);
    canvas.copyTo(dc.get());
    if (!painted) kept.keep(canvas);
}

void paintEditFrame(EditSkin& edit, std::optional<bool> focused, std::optional<bool> hot) {
    paintRing(edit.hwnd, toArgb(0, 80), toArgb(themeColor, 180), hot.value_or(edit.hot != 0),
              focused.value_or(edit.focused != 0), edit.ring);
}

LRESULT answerNcPaint(HWND hwnd, LPARAM lParam) {
    if (!hasScrollBars(hwnd)) return 0;
    gdi::UniqueRegion bars = scrollBarRegion(hwnd);
    return DefWindowProcA(hwnd, WM_NCPAINT, reinterpret_cast<WPARAM>(bars.get()), lParam);
}

void paintEditBackground(HWND hwnd, HDC dc, KeptFace* kept) {
    ControlCanvas veiled(hwnd, clientInWindow(hwnd), Edges::sharp);
    if (!veiled) return;
    std::string key;
    addToKey(key, veilAlpha);
    const bool painted = kept && kept->restore(veiled, std::move(key));
    if (!painted) veiled.veil();
    veiled.copyTo(dc);
    if (kept && !painted) kept->keep(veiled);
}

LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedProc(hwnd, message, wParam, lParam, [&]() -> LRESULT {
        const auto at = locate(hwnd, &SkinRecord::edits);
        EditSkin* edit = at.entry;
        const auto paintFrame = [&](std::optional<bool> focused = std::nullopt, std::optional<bool> hot = std::nullopt) {
            if (edit) paintEditFrame(*edit, focused, hot);
        };
        const bool transparent = transparentMode();
        switch (message) {
        case WM_MOVE:
            if (transparent) InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_SETFOCUS: {
            if (edit) edit->focused = 1;
            // The ring shows the focus at once, not at the next repaint.
            const LRESULT result = callKeptProc(hwnd, message, wParam, lParam);
            paintFrame();
            return result;
        }
        case WM_KILLFOCUS:
            if (edit) edit->focused = 0;
            if (!isClass(GetParent(hwnd), "ComboBox")) InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_PAINT: {
            // The ring, the veiled background and the text's pattern brush are all cut
            // from one backdrop of the edit (its tint, never its own, is square).
            const BackdropShare share(hwnd, windowArea(hwnd));
            paintFrame();
            return callKeptProc(hwnd, message, wParam, lParam);
        }
        case WM_ERASEBKGND:
            if (!transparent) break;
            paintEditBackground(hwnd, reinterpret_cast<HDC>(wParam), edit ? &edit->veil : nullptr);
            return eraseNothing(wParam);
        case WM_NCPAINT:
            paintFrame();
            return answerNcPaint(hwnd, lParam);
        case WM_KEYDOWN:
            if (transparent && !hasScrollBars(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (transparent) InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_MOUSEMOVE:
            if (!edit) break;
            if (takeHover(hwnd, *at.record, at.controlIndex, HotKind::edit)) {
                edit->hot = 1;
                paintFrame(std::nullopt, true);
            }
            if (edit->mouseDown && !hasScrollBars(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_LBUTTONDOWN:
            if (edit) edit->mouseDown = 1;
            if (transparent && !hasScrollBars(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_LBUTTONUP:
            if (edit) edit->mouseDown = 0;
            break;
        case WM_MOUSELEAVE:
            if (!edit) break;
            dropHover(*at.record);
            edit->hot = 0;
            paintFrame(edit->focused != 0, false);
            break;
        default:
            break;
        }
        return callKeptProc(hwnd, message, wParam, lParam);
    });
}

void paintCombo(const ComboSkin& combo, std::optional<bool> hot, std::optional<bool> focused, HDC target) {
    HWND hwnd = combo.hwnd;
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const bool dropDownList = (style & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST;
    const bool isHot = hot.value_or(false);
    const bool isFocused = focused.value_or(combo.focused != 0);
    const SIZE size = windowSize(hwnd);
    const int w = size.cx, h = size.cy;
    const int bw = dropDownList ? 17 : 18;
    const int bh = h - 4;
    const int x = w - bw - 2;

    ControlCanvas canvas(hwnd, RECT{0, 0, w, h}, Edges::sharp);
    if (!canvas) return;
    {
        GxGraphics& graphics = canvas.graphics();
        fillFace(graphics, 0, 0, w, h);
        // Holes in the colour key where the children show through. Everything drawn
        // afterwards keeps out of them, so no key colour blends into a visible pixel.
        forEachComboHole(hwnd, style, [&](const RECT& r) {
            graphics.SetClipRectI(r.left, r.top, r.right - r.left, r.bottom - r.top);
            graphics.Clear(opaqueKey);
        });
        graphics.SetClipRectI(0, 0, w, h);
        forEachComboHole(hwnd, style, [&](const RECT& r) {
            graphics.SetClipRectI(r.left, r.top, r.right - r.left, r.bottom - r.top, Gdiplus::CombineModeExclude);
        });

        GxPen border;
        border.Create(isHot || isFocused ? toArgb(themeColor, 200) : toArgb(0, 80));
        graphics.DrawRectangleI(border, 0, 0, w - 1, h - 1);
        if (style & comboHasDropButton) drawDropButton(graphics, x, bw, bh, isHot);
        if (dropDownList) {
            GxSolidBrush ink;
            ink.Create(toArgb(static_cast<COLORREF>(getProp(hwnd, prop::textColor))));
            GxFont font;
            font.CreateByName("宋体", 12.0f, 0, Gdiplus::UnitWorld);
            graphics.DrawString(windowText(hwnd).c_str(), font, ink,
                                GxRectF{2.0f, static_cast<float>((h - 12) / 2), static_cast<float>(w - 17),
                                        static_cast<float>(h - 4)});
        }
    }
    TransparentBlt(TargetDc(hwnd, target, TargetDc::Area::whole).get(), 0, 0, w, h, canvas.picture(), 0, 0, w, h,
                   colourKey);
}

LRESULT CALLBACK comboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedProc(hwnd, message, wParam, lParam, [&]() -> LRESULT {
        const auto at = locate(hwnd, &SkinRecord::combos);
        ComboSkin* combo = at.entry;
        const auto paint = [&](std::optional<bool> hot = std::nullopt, std::optional<bool> focused = std::nullopt,
                               HDC target = nullptr) {
            if (combo) paintCombo(*combo, hot, focused, target);
        };
        switch (message) {
        case WM_MOVE:
            paint();
            break;
        case WM_SETFOCUS:
            if (combo) combo->focused = 1;
            paint(std::nullopt, true);
            break;
        case WM_KILLFOCUS:
            if (combo) combo->focused = 0;
            break;
        case WM_SETTEXT:
            if (comboEdit(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return answerPaint(hwnd, message, wParam, [&](HDC dc) { paint(std::nullopt, std::nullopt, dc); });
        case WM_ERASEBKGND:
            return eraseNothing(wParam);
        case WM_NCPAINT:
            // The painted picture covers the whole window; the system frame stays away.
            paint();
            return 0;
        case WM_COMMAND: {
            const auto from = reinterpret_cast<HWND>(lParam);
            if (transparentMode() && skinningEnabled && from && from == comboEdit(hwnd) &&
                repaintsAfterNotification(from, HIWORD(wParam)))
                InvalidateRect(from, nullptr, TRUE);
            break;
        }
        case WM_CTLCOLOREDIT:
            if (transparentMode())
                return reinterpret_cast<LRESULT>(
                    veiledEditBrush(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
            break;
        case WM_MOUSEMOVE:
            if (at.record && combo && takeHover(hwnd, *at.record, at.controlIndex, HotKind::combo)) paint(true);
            break;
        case WM_MOUSELEAVE:
            paint(false);
            if (at.record) dropHover(*at.record);
            break;
        default:
            break;
        }
        return callKeptProc(hwnd, message, wParam, lParam);
    });
}

}  // namespace skin
