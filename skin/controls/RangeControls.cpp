#include "skin/controls/RangeControls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "assets/Assets.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/ControlCanvas.h"
#include "skin/controls/ControlPainting.h"
#include "skin/controls/Installers.h"

namespace skin {

namespace {

constexpr COLORREF white = 0x00FFFFFF;
constexpr COLORREF black = 0x00000000;

// Puts the picture on the whole window, frame included (or on the DC given).
void copyToWindow(HWND hwnd, ControlCanvas& canvas, HDC target) {
    canvas.copyTo(TargetDc(hwnd, target, TargetDc::Area::whole).get());
}

// What the trackbar and progress painters share: a canvas over the control's whole
// window that paint fills (given the entry and the canvas's size), and the picture on
// the window.
template <class Entry, class Paint>
void paintWholeWindow(const Entry& entry, HDC target, Paint&& paint) {
    ControlCanvas canvas(entry.hwnd, windowArea(entry.hwnd));
    if (!canvas) return;
    paint(entry, canvas, static_cast<float>(canvas.width()), static_cast<float>(canvas.height()));
    copyToWindow(entry.hwnd, canvas, target);
}

// A position's share of a range, measured from the range's minimum; 0 for an empty
// range.
float shareOf(int value, int minimum, int maximum) {
    return maximum > minimum ? static_cast<float>(value - minimum) / static_cast<float>(maximum - minimum) : 0.0f;
}

}  // namespace

// --- Installers ------------------------------------------------------------------

void skinTrackbars(int skinIndex, HWND parent) {
    skinControls(
        skinIndex, parent, TRACKBAR_CLASSA, &SkinRecord::trackbars, trackbarProc, [](HWND) { return true; },
        [](TrackbarSkin& entry, HWND control) {
            const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
            entry.vertical = (style & TBS_VERT) ? 1 : 0;
            if (style & TBS_NOTICKS) entry.tickPlacement = 3;
            else if (style & TBS_TOP) entry.tickPlacement = 0;
            else if (style & TBS_BOTH) entry.tickPlacement = 2;
            else entry.tickPlacement = 1;
            entry.selRange = (style & TBS_ENABLESELRANGE) ? 1 : 0;
        });
}

void skinProgressBars(int skinIndex, HWND parent) {
    skinControls(
        skinIndex, parent, PROGRESS_CLASSA, &SkinRecord::progressBars, progressProc, [](HWND) { return true; },
        [](ProgressSkin& entry, HWND control) {
            entry.vertical = (GetWindowLongPtrA(control, GWL_STYLE) & PBS_VERTICAL) ? 1 : 0;
        });
}

void skinUpDowns(int skinIndex, HWND parent) {
    skinControls(
        skinIndex, parent, UPDOWN_CLASSA, &SkinRecord::upDowns, upDownProc, [](HWND) { return true; },
        [](UpDownSkin& entry, HWND control) {
            entry.horizontal = (GetWindowLongPtrA(control, GWL_STYLE) & UDS_HORZ) ? 1 : 0;
        });
}

// --- Window procedures -------------------------------------------------------------

namespace {

// What the three procedures share: the entry located, the paint messages answered with
// the control's painter (on WM_NCPAINT too when ncPaint), and every other message shown
// to more before it goes on to the control's own procedure.
template <class Entry, class Paint, class More>
LRESULT rangeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, ControlArray<Entry> SkinRecord::*array,
                  bool ncPaint, Paint&& paint, More&& more) {
    return guardedProc(hwnd, message, wParam, lParam, [&]() -> LRESULT {
        const auto at = locate(hwnd, array);
        if (!at.entry) return callKeptProc(hwnd, message, wParam, lParam);
        const auto paintNow = [&] { paint(*at.entry, HDC{}); };
        switch (message) {
        case WM_MOVE:
            paintNow();
            break;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return answerPaint(hwnd, message, wParam, [&](HDC dc) { paint(*at.entry, dc); });
        case WM_ERASEBKGND:
            return eraseNothing(wParam);
        case WM_NCPAINT:
            if (ncPaint) paintNow();
            return 1;
        default:
            more(at);
            break;
        }
        return callKeptProc(hwnd, message, wParam, lParam);
    });
}

}  // namespace

LRESULT CALLBACK trackbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return rangeProc(hwnd, message, wParam, lParam, &SkinRecord::trackbars, true, paintTrackbar,
                     [&](const Located<TrackbarSkin>& at) {
                         if (message == WM_MOUSEMOVE) {
                             if (takeHover(hwnd, *at.record, at.controlIndex, HotKind::trackbar)) {
                                 at.entry->hot = 1;
                                 paintTrackbar(*at.entry);
                             }
                         } else if (message == WM_MOUSELEAVE) {
                             dropHover(*at.record);
                             at.entry->hot = 0;
                             paintTrackbar(*at.entry);
                         }
                     });
}

LRESULT CALLBACK progressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return rangeProc(hwnd, message, wParam, lParam, &SkinRecord::progressBars, true, paintProgress,
                     [](const Located<ProgressSkin>&) {});
}

LRESULT CALLBACK upDownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return rangeProc(
        hwnd, message, wParam, lParam, &SkinRecord::upDowns, false,
        [](const UpDownSkin& entry, HDC target) { paintUpDown(entry, std::nullopt, std::nullopt, std::nullopt, target); },
        [&](const Located<UpDownSkin>& at) {
            UpDownSkin& entry = *at.entry;
            switch (message) {
            case WM_MOUSEMOVE: {
                const int part = upDownPartAt(entry, lParam);
                // Repaint on entering the control and on crossing from one half to the other.
                const bool entered = takeHover(hwnd, *at.record, at.controlIndex, HotKind::upDown);
                if (entered || part != entry.hotPart) {
                    paintUpDown(entry, true, std::nullopt, lParam);
                    entry.hot = 1;
                    entry.hotPart = part;
                }
                break;
            }
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
                entry.pressed = message == WM_LBUTTONDOWN ? 1 : 0;
                entry.lastPoint = lParam;
                break;
            case WM_MOUSELEAVE:
                dropHover(*at.record);
                entry.hot = 0;
                paintUpDown(entry, false);
                break;
            default:
                break;
            }
        });
}

// --- Painters ----------------------------------------------------------------------

namespace {

void drawTrackbar(const TrackbarSkin& entry, ControlCanvas& canvas, float w, float h) {
    HWND hwnd = entry.hwnd;
    const bool vertical = entry.vertical != 0;
    const int pos = static_cast<int>(SendMessageA(hwnd, TBM_GETPOS, 0, 0));
    const int minimum = static_cast<int>(SendMessageA(hwnd, TBM_GETRANGEMIN, 0, 0));
    const int maximum = static_cast<int>(SendMessageA(hwnd, TBM_GETRANGEMAX, 0, 0));
    const bool atMaximum = pos == maximum;

    if (trackbarFrame) {
        canvas.stroke(roundRectPath(0, 0, w - 1, h - 1, 5), toArgb(black, 30));
        canvas.fillLinear(roundRectPath(1, 1, w - 2, h - 2, 3), {0, 0}, vertical ? GxPointF(w - 1, 0) : GxPointF(0, h - 1),
                          toArgb(white, 160), toArgb(black, 30));
    }

    // The channel as "along" (the slider's axis) and "across" extents.
    RECT ch{};
    SendMessageA(hwnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&ch));
    float along = static_cast<float>(ch.left), across = static_cast<float>(ch.top);
    float length = static_cast<float>(ch.right - ch.left), thickness = static_cast<float>(ch.bottom - ch.top);
    // Windows reports a vertical trackbar's channel as if it lay horizontally; a
    // channel that already stands upright is taken as it is.
    if (vertical && ch.bottom - ch.top > ch.right - ch.left) {
        std::swap(along, across);
        std::swap(length, thickness);
    }
    if (entry.selRange) {
        across = across + static_cast<float>(static_cast<int>(thickness - 4) / 2);
        thickness = 4;
    }
    // Points and rectangles given as (along, across) in the control's orientation.
    auto point = [vertical](float a, float c) { return vertical ? GxPointF(c, a) : GxPointF(a, c); };
    auto rect = [vertical](float a, float c, float len, float thick) {
        return vertical ? GxRectF(c, a, thick, len) : GxRectF(a, c, len, thick);
    };
    const GxRectF channel = rect(along, across, length, thickness);
    canvas.fillLinear(roundRectPath(channel.X, channel.Y, channel.Width, channel.Height, 1), point(along, across),
                      point(along, across + thickness), toArgb(black, 50), toArgb(black, 30));

    RECT th{};
    SendMessageA(hwnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&th));
    const float thumbStart = static_cast<float>(vertical ? th.top : th.left);
    GxRectF thumb;
    if (entry.hot) {
        float c = across - 4;
        if (entry.tickPlacement == 0) c += 2;
        else if (entry.tickPlacement == 2) c += 1;
        thumb = rect(thumbStart, c, 11, 11);
    } else {
        thumb = rect(thumbStart + (atMaximum ? 8.0f : 0.0f), across - 0.5f, 4, 4);
    }
    const GxPath knob = ellipsePath(thumb.X, thumb.Y, thumb.Width, thumb.Height);
    canvas.fill(knob, toArgb(white, 255));
    canvas.fillLinear(knob, point(0, across), point(0, across + thickness), toArgb(white, 0), toArgb(black, 90));
    canvas.stroke(knob, toArgb(black, 50));

    if (entry.selRange) {
        const int selStart = static_cast<int>(SendMessageA(hwnd, TBM_GETSELSTART, 0, 0));
        const int selEnd = static_cast<int>(SendMessageA(hwnd, TBM_GETSELEND, 0, 0));
        const float start = along + shareOf(selStart, minimum, maximum) * length - 1;
        const float span = (shareOf(selEnd, minimum, maximum) - shareOf(selStart, minimum, maximum)) * length;
        const GxRectF bar = rect(start, across + 1, span, 1);
        GxPen pen;
        pen.Create(toArgb(white, 160));
        canvas.graphics().DrawRectangle(pen, bar.X, bar.Y, bar.Width, bar.Height);
    }

    const float trackEnd = thumbStart - 1 + (atMaximum ? 10.0f : 0.0f);
    const GxRectF track = rect(along, across + 1, trackEnd - along, 1);
    GxPen trackPen;
    trackPen.Create(toArgb(themeColor, 200));
    canvas.graphics().DrawRectangle(trackPen, track.X, track.Y, track.Width, track.Height);
}

}  // namespace

void paintTrackbar(const TrackbarSkin& entry, HDC target) {
    paintWholeWindow(entry, target, drawTrackbar);
}

namespace {

void drawProgress(const ProgressSkin& entry, ControlCanvas& canvas, float w, float h) {
    HWND hwnd = entry.hwnd;
    const bool vertical = entry.vertical != 0;
    canvas.stroke(roundRectPath(0, 0, w - 1, h - 1, 5), toArgb(black, 50));
    canvas.fillLinear(roundRectPath(1, 1, w - 2, h - 2, 1), {0, 0}, vertical ? GxPointF(w - 1, 0) : GxPointF(0, h - 1),
                      toArgb(white, 160), toArgb(black, 30));

    const int pos = static_cast<int>(SendMessageA(hwnd, PBM_GETPOS, 0, 0));
    PBRANGE range{};
    SendMessageA(hwnd, PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
    // Filled length, measured from the range's low end.
    auto filled = [&](float extent) {
        if (range.iHigh <= range.iLow) return 0.0f;
        return static_cast<float>(
            static_cast<int>(static_cast<float>(pos - range.iLow) * (extent / static_cast<float>(range.iHigh - range.iLow))));
    };
    float fw = w, fh = h, ox = 0, oy = 0;
    GxPointF axisEnd(0, h - 1);
    if (vertical) {
        fh = filled(h);
        oy = h - fh;
        axisEnd = GxPointF(w - 1, oy);
    } else {
        fw = filled(w);
    }
    if ((vertical ? fh : fw) > 0) {
        const GxPath fill = roundRectPath(ox + 1, oy + 1, fw - 3, fh - 3, 3);
        canvas.fillLinear(fill, {ox, oy}, axisEnd, toArgb(white, 90), toArgb(themeColor, 255));
        canvas.stroke(fill, toArgb(themeColor, 150));
    }
}

}  // namespace

void paintProgress(const ProgressSkin& entry, HDC target) {
    paintWholeWindow(entry, target, drawProgress);
}

int upDownPartAt(const UpDownSkin& entry, LPARAM point) {
    const RECT area = windowArea(entry.hwnd);
    // Signed: a captured mouse beyond the top or left edge is in the first half.
    if (entry.horizontal) return area.right / 2 < GET_X_LPARAM(point) ? 1 : 0;
    return area.bottom / 2 < GET_Y_LPARAM(point) ? 1 : 0;
}

void paintUpDown(const UpDownSkin& entry, std::optional<bool> hot, std::optional<bool> pressed,
                 std::optional<LPARAM> point, HDC target) {
    HWND hwnd = entry.hwnd;
    ControlCanvas canvas(hwnd, windowArea(hwnd));
    if (!canvas) return;
    canvas.graphics().SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    const bool horizontal = entry.horizontal != 0;
    const int w = canvas.width(), h = canvas.height();
    const bool isHot = hot.value_or(entry.hot != 0);
    const bool isPressed = pressed.value_or(entry.pressed != 0);
    // The lit half: the one under the given point; else the pressed one, or the one the
    // mouse last entered (the control repaints itself as the mouse crosses halves).
    int hotPart = entry.hotPart;
    if (point) hotPart = upDownPartAt(entry, *point);
    else if (isPressed) hotPart = upDownPartAt(entry, entry.lastPoint);
    const int k = horizontal ? w / 2 : w;
    const int l = horizontal ? h : h / 2;
    const float kf = static_cast<float>(k), lf = static_cast<float>(l);

    canvas.fill(roundRectPath(0, 0, static_cast<float>(w - 1), static_cast<float>(h - 1), 3), toArgb(white, 160));
    const ByteSet* glyphs[2] = {horizontal ? &ArrowLeftGlyph : &ArrowUpGlyph,
                                horizontal ? &ArrowRightGlyph : &ArrowDownGlyph};
    for (int part = 0; part < 2; ++part) {
        const float hx = horizontal ? static_cast<float>(part * k) : 0.0f;
        const float hy = horizontal ? 0.0f : static_cast<float>(part * l);
        const GxPath half = roundRectPath(hx, hy, kf - 1, lf - 1, 3);
        GxPointF from(hx, hy), to(hx + kf - 1, hy);
        if (!horizontal) to = part == 0 ? GxPointF(hx, lf - 1) : GxPointF(hx, static_cast<float>(h));
        Argb line = toArgb(black, 100);
        Argb first = toArgb(white, !horizontal && part == 0 ? 60 : 20), second = toArgb(themeColor, 100);
        if ((isHot || isPressed) && part == hotPart) {
            line = toArgb(themeColor, 200);
            first = isPressed ? toArgb(themeColor, 100) : toArgb(white, 100);
            second = isPressed ? toArgb(white, 150) : toArgb(themeColor, 150);
        }
        canvas.fillLinear(half, from, to, first, second);
        GxImage glyph = decodePicture(glyphs[part]->bytes());
        if (!glyph.IsEmpty()) {
            const int gw = glyph.GetWidth(), gh = glyph.GetHeight();
            canvas.graphics().DrawImageRect(glyph, hx + static_cast<float>((k - gw) / 2),
                                            hy + static_cast<float>((l - gh) / 2), static_cast<float>(gw),
                                            static_cast<float>(gh));
        }
        canvas.stroke(half, line);
    }
    copyToWindow(hwnd, canvas, target);
}

}  // namespace skin
