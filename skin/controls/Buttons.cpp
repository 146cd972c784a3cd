#include "skin/controls/Buttons.h"

#include <array>
#include <string>
#include <vector>

#include "assets/Assets.h"
#include "graphics/GxText.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/ControlCanvas.h"
#include "skin/controls/ControlPainting.h"
#include "skin/controls/Installers.h"

namespace skin {

namespace {

constexpr COLORREF white = 0x00FFFFFF;
constexpr COLORREF black = 0x00000000;
constexpr COLORREF grey = 0x00808080;
constexpr COLORREF silver = 0x00C0C0C0;
constexpr COLORREF teal = 0x00808000;
// The focus glow keeps the default accent whatever the theme colour is.
constexpr COLORREF glowColour = 0x00DDCA22;

void takeTextAndFont(ButtonSkin& entry, HWND control) {
    entry.text = windowText(control);
    WindowFont font = getWindowFont(control);
    entry.fontName = std::move(font.faceName);
    entry.fontSize = font.size ? font.size : 12;
    entry.fontStyle = font.style;
}

COLORREF textColourOf(HWND hwnd) { return static_cast<COLORREF>(getProp(hwnd, prop::textColor)); }

// A font whose face cannot be made (a window without a TrueType font gives none)
// falls back to the system's GUI font, so the button still shows its text.
GxFont buttonFont(const ButtonSkin& entry, Gdiplus::Unit unit) {
    GxFont font;
    if (!font.CreateByName(entry.fontName.c_str(), static_cast<float>(entry.fontSize), entry.fontStyle, unit))
        font.FromStockFont();
    return font;
}

enum class Align { start, centre };

void drawText(ControlCanvas& canvas, const ButtonSkin& entry, Gdiplus::Unit unit, Align horizontal,
              const GxRectF& layout, Argb colour, bool ellipsis = false) {
    if (entry.text.empty()) return;
    GxFont font = buttonFont(entry, unit);
    GxStringFormat format;
    format.Create();
    format.SetAlignment(horizontal == Align::centre ? Gdiplus::StringAlignmentCenter : Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    if (ellipsis) format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    GxSolidBrush brush;
    brush.Create(colour);
    canvas.graphics().DrawString(entry.text.c_str(), font, brush, layout, &format);
}

void drawPicture(ControlCanvas& canvas, const GxImage& picture, float x, float y, float w, float h) {
    if (!picture.IsEmpty()) canvas.graphics().DrawImageRect(picture, x, y, w, h);
}

// The picture at its own size.
void drawPictureAt(ControlCanvas& canvas, GxImage& picture, float x, float y) {
    if (picture.IsEmpty()) return;
    drawPicture(canvas, picture, x, y, static_cast<float>(picture.GetWidth()), static_cast<float>(picture.GetHeight()));
}

// The face every disabled push, check and radio button gets.
void paintDisabledFace(ControlCanvas& canvas, float x, float y, float w, float h) {
    canvas.fill(rectPath(x, y, w, h), toArgb(silver, 255));
    canvas.stroke(roundRectPath(x, y, w - 1, h - 1, 5), toArgb(black, 80));
}

bool isChecked(HWND hwnd) { return SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

// The skin's kind for each button type (style & BS_TYPEMASK); -1: the button keeps the
// system look (radio buttons the application checks itself, 3-state boxes, group boxes,
// split buttons, command links) or is drawn by someone else. A push box is a push
// button that draws no border of its own, so the skin's push face suits it.
int buttonKindOfStyle(LONG_PTR style) {
    static constexpr std::array<int, 16> kindOfType = {
        pushButtonKind,   // BS_PUSHBUTTON
        pushButtonKind,   // BS_DEFPUSHBUTTON
        checkBoxKind,     // BS_CHECKBOX
        checkBoxKind,     // BS_AUTOCHECKBOX
        -1,               // BS_RADIOBUTTON
        -1,               // BS_3STATE
        -1,               // BS_AUTO3STATE
        -1,               // BS_GROUPBOX
        pushButtonKind,   // BS_USERBUTTON
        radioButtonKind,  // BS_AUTORADIOBUTTON
        pushButtonKind,   // BS_PUSHBOX
        -1,               // BS_OWNERDRAW
        -1,               // BS_SPLITBUTTON
        -1,               // BS_DEFSPLITBUTTON
        -1,               // BS_COMMANDLINK
        -1,               // BS_DEFCOMMANDLINK
    };
    return kindOfType[static_cast<std::size_t>(style & BS_TYPEMASK)];
}

void skinPushButtons(int skinIndex, HWND parent) {
    skinControls(
        skinIndex, parent, "BUTTON", &SkinRecord::buttons, buttonProc,
        [](HWND control) { return buttonKindOfStyle(GetWindowLongPtrA(control, GWL_STYLE)) == pushButtonKind; },
        [](ButtonSkin& entry, HWND control) {
            entry.kind = pushButtonKind;
            takeTextAndFont(entry, control);
            // Paint requests now reach the parent as WM_DRAWITEM (drawItemButton).
            SetWindowLongPtrA(control, GWL_STYLE, GetWindowLongPtrA(control, GWL_STYLE) | BS_OWNERDRAW);
        });
}

void skinCheckButtons(int skinIndex, HWND parent) {
    skinControls(
        skinIndex, parent, "BUTTON", &SkinRecord::buttons, buttonProc,
        [](HWND control) {
            const int kind = buttonKindOfStyle(GetWindowLongPtrA(control, GWL_STYLE));
            return kind == checkBoxKind || kind == radioButtonKind;
        },
        [parent](ButtonSkin& entry, HWND control) {
            entry.kind = buttonKindOfStyle(GetWindowLongPtrA(control, GWL_STYLE));
            entry.checked = isChecked(control) ? 1 : 0;
            entry.parent = parent;
            takeTextAndFont(entry, control);
        });
}

LRESULT CALLBACK buttonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedProc(hwnd, message, wParam, lParam, [&]() -> LRESULT {
        const auto at = locate(hwnd, &SkinRecord::buttons);
        ButtonSkin* entry = at.entry;
        if (!entry) return callKeptProc(hwnd, message, wParam, lParam);
        switch (message) {
        case WM_MOVE:
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case WM_SETFOCUS:
            entry->focused = 1;
            break;
        case WM_KILLFOCUS:
            entry->focused = 0;
            break;
        case WM_SETTEXT:
            entry->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            break;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            if (entry->kind == checkBoxKind || entry->kind == radioButtonKind)
                return answerPaint(hwnd, message, wParam, [&](HDC dc) {
                    if (entry->kind == checkBoxKind) paintCheckBox(hwnd, 0, dc);
                    else paintRadioButton(hwnd, 0, dc);
                });
            break;
        case WM_ERASEBKGND:
            return eraseNothing(wParam, textColourOf(hwnd));
        case WM_NCPAINT:
            return 1;
        case BM_SETSTYLE:
            // Dialogs switch push buttons between the plain and the default style as the
            // focus moves; they stay owner-drawn, or the system would paint them again.
            if (entry->kind != checkBoxKind && entry->kind != radioButtonKind)
                wParam = (wParam & ~static_cast<WPARAM>(0x0F)) | BS_OWNERDRAW;
            break;
        case WM_KEYDOWN:
            if (wParam != VK_SPACE) break;
            [[fallthrough]];
        case BM_SETCHECK:
        case WM_LBUTTONDOWN:
            // The system procedure draws the new state itself; the skin draws over it.
            if (entry->kind == checkBoxKind || entry->kind == radioButtonKind) {
                const LRESULT result = callKeptProc(hwnd, message, wParam, lParam);
                if (entry->kind == checkBoxKind) paintCheckBox(hwnd, 0);
                else paintRadioButton(hwnd, buttonPressed);
                return result;
            }
            break;
        case WM_MOUSEMOVE:
            if (takeHover(hwnd, *at.record, at.controlIndex, HotKind::button)) paintButtonState(hwnd, 0, true);
            break;
        case WM_LBUTTONUP:
            dropHover(*at.record);
            break;
        case WM_LBUTTONDBLCLK:
            return 0;  // a double click stays one click
        case WM_MOUSELEAVE:
            dropHover(*at.record);
            paintButtonState(hwnd, entry->focused ? buttonFocused : 0, false);
            break;
        default:
            break;
        }
        return callKeptProc(hwnd, message, wParam, lParam);
    });
}

void paintButtonState(HWND hwnd, UINT state, bool hot) {
    const ButtonSkin* entry = locate(hwnd, &SkinRecord::buttons).entry;
    if (!entry) return;
    if (hot) state |= buttonHot;
    RECT rc{};
    GetClientRect(hwnd, &rc);
    switch (entry->kind) {
    case radioButtonKind:
        paintRadioButton(hwnd, state);
        return;
    case checkBoxKind:
        paintCheckBox(hwnd, state);
        return;
    default:
        break;
    }
    gdi::WindowDc dc = gdi::WindowDc::client(hwnd);
    if (entry->kind == glassButtonKind) paintGlassButton(hwnd, dc.get(), state, rc);
    else if (entry->kind == pushButtonKind) paintPushButton(hwnd, dc.get(), state, rc);
    else if (entry->kind == pictureButtonKind) paintPictureButton(hwnd, dc.get(), state, rc);
}

void drawItemButton(int skinIndex, const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON) return;
    // Only a button of the window that was asked to draw it.
    const Located<ButtonSkin> found = locate(item.hwndItem, &SkinRecord::buttons);
    if (!found.entry || found.skinIndex != skinIndex) return;
    const ButtonSkin* entry = found.entry;
    switch (entry->kind) {
    case glassButtonKind:
        paintGlassButton(item.hwndItem, item.hDC, item.itemState, item.rcItem);
        break;
    case pushButtonKind:
        paintPushButton(item.hwndItem, item.hDC, item.itemState, item.rcItem);
        break;
    case pictureButtonKind:
        paintPictureButton(item.hwndItem, item.hDC, item.itemState, item.rcItem);
        break;
    default:
        break;
    }
}

namespace {

// Everything a button's face shows besides its backdrop.
std::string faceKey(HWND hwnd, const ButtonSkin& entry, UINT state, const RECT& area) {
    std::string key = entry.text + '\0' + entry.fontName + '\0';
    for (const Bytes* picture : {&entry.picture, &entry.hotPicture, &entry.pressedPicture, &entry.disabledPicture}) {
        addToKey(key, picture->size());
        key.append(reinterpret_cast<const char*>(picture->data()), picture->size());
    }
    for (const int value : {static_cast<int>(state), entry.kind, entry.pictureBeside, entry.fontSize, entry.fontStyle,
                            transparentControls, veilAlpha, static_cast<int>(isChecked(hwnd))})
        addToKey(key, value);
    for (const COLORREF colour : {textColourOf(hwnd), themeColor}) addToKey(key, colour);
    addToKey(key, area);
    return key;
}

// What every button painter shares: the canvas over area, the kind's face (face) drawn
// on it unless the face kept from an earlier paint holds, and the picture on target.
template <class Face>
void paintButtonFace(HWND hwnd, HDC target, UINT state, const RECT& area, Face&& face) {
    ButtonSkin* entry = locate(hwnd, &SkinRecord::buttons).entry;
    if (!entry) return;
    ControlCanvas canvas(hwnd, area);
    if (!canvas) return;
    const bool kept = entry->face.restore(canvas, faceKey(hwnd, *entry, state, area));
    if (!kept) face(canvas, *entry);
    canvas.copyTo(target);
    if (!kept) entry->face.keep(canvas);
}

// The push and glass buttons' faces, drawn at x, y in w x h.
template <class Face>
void paintFaceButton(HWND hwnd, HDC dc, UINT state, const RECT& rc, Face&& face) {
    paintButtonFace(hwnd, dc, state, rc, [&](ControlCanvas& canvas, const ButtonSkin& entry) {
        const float x = static_cast<float>(rc.left), y = static_cast<float>(rc.top);
        face(canvas, entry, x, y, static_cast<float>(canvas.width()), static_cast<float>(canvas.height()));
    });
}

}  // namespace

void paintPushButton(HWND hwnd, HDC dc, UINT state, const RECT& rc) {
    paintFaceButton(hwnd, dc, state, rc, [&](ControlCanvas& canvas, const ButtonSkin& entry, float x, float y, float w,
                                      float h) {
        const GxPath shape = roundRectPath(x, y, w - 1, h - 1, 5);
        const Argb theme60 = toArgb(themeColor, 60);
        canvas.fill(shape, toArgb(white, 120));
        if (state & buttonDisabled) {
            paintDisabledFace(canvas, x, y, w, h);
        } else {
            canvas.fillLinear(shape, {x, y}, {x, y + h - 1}, toArgb(white, 0), toArgb(grey, 60));
            GxPath gloss;
            gloss.Create();
            const float glossHeight = static_cast<float>(static_cast<int>(h) / 2);
            addTopRoundRect(gloss, x, y, w - 1, glossHeight, 5);
            canvas.fillLinear(gloss, {x, y}, {x, y + glossHeight}, toArgb(white, 50), toArgb(white, 10));
            if (state & buttonHot) {
                canvas.fillLinear(shape, {x, y}, {x, y + h - 1}, theme60, toArgb(themeColor, 10));
                canvas.stroke(shape, toArgb(themeColor, 255));
            } else if (state & buttonFocused) {
                drawGlow(canvas.graphics(), shape, 3, glowColour, 120);
                canvas.stroke(shape, toArgb(black, 70));
            } else {
                canvas.stroke(shape, toArgb(black, 120));
            }
            if (state & buttonPressed)
                canvas.fillLinear(roundRectPath(x + 2, y + 2, w - 3, h - 3, 5), {x, y + 2}, {x, y + h - 1}, theme60,
                                  toArgb(white, 100));
        }
        drawText(canvas, entry, Gdiplus::UnitWorld, Align::centre, GxRectF(0, 2, w, h), toArgb(textColourOf(hwnd)));
    });
}

namespace {

// What the check box and radio button painters share: the canvas over the client area,
// the disabled face or the kind's own (face), the text at the left edge given, and
// the picture on the screen.
template <class Face>
void paintToggle(HWND hwnd, UINT state, HDC target, float textLeft, float textRightMargin, Face&& face) {
    RECT r{};
    GetClientRect(hwnd, &r);
    paintButtonFace(hwnd, TargetDc(hwnd, target, TargetDc::Area::client).get(), state, r,
                    [&](ControlCanvas& canvas, const ButtonSkin& entry) {
                        const int hi = canvas.height();
                        const float x = static_cast<float>(r.left), y = static_cast<float>(r.top);
                        const float w = static_cast<float>(canvas.width()), h = static_cast<float>(hi);
                        if (state & buttonDisabled) paintDisabledFace(canvas, x, y, w, h);
                        else face(canvas, x, y, hi);
                        drawText(canvas, entry, Gdiplus::UnitPixel, Align::start,
                                 GxRectF(x + textLeft, 2, w - textRightMargin, h), toArgb(textColourOf(hwnd)));
                    });
}

}  // namespace

void paintCheckBox(HWND hwnd, UINT state, HDC target) {
    paintToggle(hwnd, state, target, 17, 19, [&](ControlCanvas& canvas, float x, float y, int hi) {
        const float boxTop = y + static_cast<float>((hi - 13) / 2);
        GxImage box = decodePicture(CheckOffGlyph.bytes());
        drawPictureAt(canvas, box, x, boxTop);
        if (isChecked(hwnd)) {
            GxImage tick = decodePicture(CheckOnGlyph.bytes());
            drawPictureAt(canvas, tick, x, boxTop);
        }
        if (state & buttonHot) {
            const GxPath frame = rectPath(x, boxTop, 13, 13);
            const float top = y + static_cast<float>((hi - 12) / 2) + 1;
            canvas.fillLinear(frame, {x + 3, top}, {x + 11, top + 11}, toArgb(themeColor, 100), toArgb(black, 0));
            drawGlow(canvas.graphics(), frame, 2, glowColour, 30);
        }
    });
}

void paintRadioButton(HWND hwnd, UINT state, HDC target) {
    paintToggle(hwnd, state, target, 18, 0, [&](ControlCanvas& canvas, float x, float y, int hi) {
        const float ringTop = y + static_cast<float>((hi - 12) / 2);
        canvas.stroke(ellipsePath(x + 2, ringTop, 12, 12), toArgb(black, 200));
        const GxPath well = ellipsePath(x + 3, y + static_cast<float>((hi - 11) / 2), 9, 9);
        canvas.stroke(well, toArgb(white, 255));
        canvas.fill(well, toArgb(white, 255));
        canvas.fillLinear(well, {x + 3, ringTop + 1}, {x + 10, ringTop + 11}, toArgb(black, 100), toArgb(black, 0));
        if (state & buttonHot) {
            canvas.fillLinear(well, {x + 3, ringTop + 1}, {x + 11, ringTop + 12}, toArgb(themeColor, 100),
                              toArgb(black, 0));
            drawGlow(canvas.graphics(), well, 2, glowColour, 30);
        }
        if (isChecked(hwnd)) {
            const GxPath dot = ellipsePath(x + 5, ringTop + 3, 6, 6);
            GxPathBrush shine;
            shine.CreateFromPath(dot);
            shine.SetCenterColor(toArgb(white, 100));
            const Argb surround = toArgb(teal, 255);
            shine.SetSurroundColors(std::span<const GxArgb>(&surround, 1));
            canvas.stroke(dot, toArgb(black, 200));
            canvas.graphics().FillPath(shine, dot);
        }
    });
}

void paintGlassButton(HWND hwnd, HDC dc, UINT state, const RECT& rc) {
    paintFaceButton(hwnd, dc, state, rc, [&](ControlCanvas& canvas, const ButtonSkin& entry, float x, float y, float w,
                                      float h) {
        if (state & buttonDisabled) {
            canvas.fillLinear(roundRectPath(x + 2, y + 2, w - 6, h - 6, 5), {1, 1}, {1, h}, toArgb(grey, 50),
                              toArgb(white, 0));
        } else {
            if (state & buttonHot) {
                canvas.fillLinear(roundRectPath(x + 2, y + 1, w - 5, h - 4, 2), {x + 1, y + 1}, {x + 1, y + h - 4},
                                  toArgb(white, 50), toArgb(white, 40));
                // A highlight brightest towards the middle of the bottom edge.
                GxLinearBrush light;
                if (light.Create({x + 1, y + 1}, {w - 1, y + 1}, toArgb(white, 10), toArgb(white, 255))) {
                    light.SetLinearBlend(0.5f, 0.8f);
                    GxPen pen;
                    pen.CreateFromBrush(light, 2.0f);
                    GxPath line;
                    line.Create();
                    line.AddLine(x + 1, h - 4, w - 1, h - 4);
                    canvas.graphics().DrawPath(pen, line);
                }
            }
            if (state & (buttonFocused | buttonHot)) {
                canvas.fillLinear(roundRectPath(x + 2, y + 2, w - 5, h - 5, 2), {2, 3}, {2, h}, toArgb(white, 60),
                                  toArgb(white, 50));
                canvas.stroke(roundRectPath(x, y, w - 2, h - 2, 5), toArgb(black, 60));
                canvas.stroke(roundRectPath(x + 1, y + 1, w - 4, h - 4, 5), toArgb(white, 120));
            }
        }
        GxImage picture = decodePicture(entry.picture);
        const Argb textColour = toArgb(textColourOf(hwnd));
        RECT client{};
        GetClientRect(hwnd, &client);
        const float clientW = static_cast<float>(client.right), clientH = static_cast<float>(client.bottom);
        if (entry.pictureBeside == 0) {
            const float s = static_cast<float>(static_cast<int>((h - static_cast<float>(entry.fontSize) - 2) * 0.8f));
            drawPicture(canvas, picture, (w - s) / 2, h * 0.05f, s, s);
            drawText(canvas, entry, Gdiplus::UnitPixel, Align::centre, GxRectF(0, s + h * 0.05f + 2, w, h - s),
                     textColour, true);
        } else if (!picture.IsEmpty()) {
            const float s = static_cast<float>(static_cast<int>(0.8f * clientH));
            if (entry.text.empty()) {
                drawPicture(canvas, picture, (w - s) / 2, (h - s) / 2, s, s);
            } else {
                drawPicture(canvas, picture, 3, (h - s) / 2, s, s);
                drawText(canvas, entry, Gdiplus::UnitPixel, Align::start, GxRectF(s + 5, 2, clientW - s - 7, clientH),
                         textColour);
            }
        } else {
            drawText(canvas, entry, Gdiplus::UnitPixel, Align::centre, GxRectF(0, 0, w, h), textColour);
        }
    });
}

namespace {

// A picture button's face: its picture for the state, or the normal one on a frame.
void paintPictureFace(ControlCanvas& canvas, const ButtonSkin& entry, UINT state) {
    GxImage normal = decodePicture(entry.picture);
    const float pw = normal.IsEmpty() ? 0.0f : static_cast<float>(normal.GetWidth());
    const float ph = normal.IsEmpty() ? 0.0f : static_cast<float>(normal.GetHeight());
    // A state without a picture of its own shows the normal one on a painted frame.
    auto framed = [&](float grow, int d, Argb line, Argb top, Argb bottom) {
        const GxPath frame = roundRectPath(0, 0, pw + grow, ph + grow, d);
        canvas.stroke(frame, line);
        canvas.fillLinear(frame, {0, 0}, {0, ph + grow}, top, bottom);
        drawPicture(canvas, normal, 2, 2, pw, ph);
    };
    const Argb themeLine = toArgb(themeColor, 250);
    if (state & buttonDisabled) {
        GxImage own = decodePicture(entry.disabledPicture);
        if (!own.IsEmpty()) drawPictureAt(canvas, own, 2, 2);
        else framed(2, 5, toArgb(black, 80), toArgb(white, 60), toArgb(black, 100));
    } else if (state & buttonHot) {
        GxImage own = decodePicture(entry.hotPicture);
        if (!own.IsEmpty()) drawPictureAt(canvas, own, 2, 2);
        else framed(3, 3, themeLine, toArgb(white, 120), toArgb(themeColor, 100));
    } else if (state & buttonPressed) {
        GxImage own = decodePicture(entry.pressedPicture);
        if (!own.IsEmpty()) drawPictureAt(canvas, own, 2, 2);
        else framed(3, 3, themeLine, toArgb(black, 60), toArgb(white, 100));
    } else {
        drawPicture(canvas, normal, 2, 2, pw, ph);
    }
}

}  // namespace

void paintPictureButton(HWND hwnd, HDC dc, UINT state, const RECT& rc) {
    paintButtonFace(hwnd, dc, state, rc, [&](ControlCanvas& canvas, const ButtonSkin& entry) {
        paintPictureFace(canvas, entry, state);
    });
}

}  // namespace skin
