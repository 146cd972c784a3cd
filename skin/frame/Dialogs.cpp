#include "skin/frame/Dialogs.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "assets/Assets.h"
#include "graphics/Gx.h"
#include "skin/DcGraphics.h"
#include "skin/Primitives.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/Buttons.h"
#include "skin/controls/Installers.h"

namespace skin {

namespace {

constexpr int fadeSteps = 5;
constexpr DWORD fadeStepMs = 40;
constexpr int fadeAlphaStep = 50;  // the dialog ends at 250, not 255
constexpr int closeBoxWidth = 36;
constexpr int closeBoxHeight = 22;

// A fade-in thread of one dialog. The dialog's WM_NCDESTROY stops and joins it, so it
// never touches the handle once the window is gone (nor a later window that gets the
// same handle), and nothing it uses is freed while it runs.
class DialogFade {
public:
    explicit DialogFade(HWND dialog) : dialog_(dialog), stop_(gdi::Event::Reset::manual) {}
    DialogFade(const DialogFade&) = delete;
    DialogFade& operator=(const DialogFade&) = delete;
    ~DialogFade() {
        if (!thread_) return;
        stop_.set();
        WaitForSingleObject(thread_.get(), INFINITE);
    }

    HWND dialog() const noexcept { return dialog_; }
    // Without a thread the dialog is shown at once rather than left invisible.
    void start() {
        if (stop_) thread_.reset(CreateThread(nullptr, 0, &DialogFade::entry, this, 0, nullptr));
        if (!thread_) SetLayeredWindowAttributes(dialog_, 0, fadeSteps * fadeAlphaStep, LWA_ALPHA);
    }

private:
    static DWORD WINAPI entry(void* self) {
        auto* fade = static_cast<DialogFade*>(self);
        dialogFadeIn(fade->dialog_, fade->stop_);
        return 0;
    }

    HWND dialog_;
    gdi::Event stop_;
    gdi::UniqueKernelHandle thread_;
};

// One entry per skinned dialog that has started its fade, until it is destroyed: every
// dialog fades in once, also one shown while another is still open.
std::vector<std::unique_ptr<DialogFade>> fades;

void startFadeIn(HWND dialog) {
    for (const auto& fade : fades)
        if (fade->dialog() == dialog) return;
    fades.push_back(std::make_unique<DialogFade>(dialog));
    fades.back()->start();
    dialogThreadStarted = 1;
}

void endFadeIn(HWND dialog) {
    std::erase_if(fades, [dialog](const auto& fade) { return fade->dialog() == dialog; });
    dialogThreadStarted = fades.empty() ? 0 : 1;
}

// The dialog's rounded outline at its present size, set anew at every size change.
void setRoundOutline(HWND hwnd) {
    const SIZE size = windowSize(hwnd);
    gdi::UniqueRegion region = roundWindowRegion(size.cx, size.cy);
    if (SetWindowRgn(hwnd, region.get(), TRUE)) region.release();  // the window owns it now
}

void fillVertical(GxGraphics& graphics, float x, float y, float w, float h, float y1, Argb top, float y2, Argb bottom) {
    GxLinearBrush brush;
    brush.Create(GxPointF(0, y1), GxPointF(0, y2), top, bottom);
    graphics.FillRectangle(brush, x, y, w, h);
}

void fillRect(GxGraphics& graphics, float w, float h, Argb colour) {
    GxSolidBrush brush;
    brush.Create(colour);
    graphics.FillRectangle(brush, 0, 0, w, h);
}

void drawImageBytes(GxGraphics& graphics, ByteView bytes, float x, float y) {
    if (bytes.empty()) return;
    GxImage image;
    if (!image.FromBytes(bytes)) return;
    graphics.DrawImageRect(image, x, y, static_cast<float>(image.GetWidth()), static_cast<float>(image.GetHeight()));
}

// The skin background under the whole dialog and the caption band's shading; the
// close button's normal face is this with a clip.
void paintSurface(GxGraphics& graphics, int w, int h, int bandHeight) {
    const float fw = static_cast<float>(w);
    graphics.Clear(toArgb(skinBackColor));
    drawImageBytes(graphics, skinBackImage, 0, 0);
    fillRect(graphics, fw, static_cast<float>(h), toArgb(skinBackColor, 220));
    fillRect(graphics, fw, static_cast<float>(h), toArgb(0xFFFFFF, 100));
    fillVertical(graphics, 0, 0, fw, static_cast<float>(bandHeight), 0, toArgb(0xFFFFFF, 100), 30,
                 toArgb(0x000000, 20));
}

SkinRecord* dialogRecord(HWND hwnd) {
    SkinRecord* record = recordAt(getPropInt(hwnd, prop::index));
    return record && record->hwnd == hwnd ? record : nullptr;
}

void setCloseHot(HWND hwnd, SkinRecord& record, int skinIndex, bool hot) {
    if ((record.closeHot != 0) == hot) return;
    record.closeHot = hot ? 1 : 0;
    paintDialogButton(skinIndex, 1, nullptr, hot);
    if (hot) {
        // Leaving the dialog straight out of the close zone brings no further move.
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, hwnd, 0};
        TrackMouseEvent(&track);
    }
}

LRESULT dialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SkinRecord* record = dialogRecord(hwnd);
    if (!record) return callKeptProc(hwnd, message, wParam, lParam);
    const int skinIndex = getPropInt(hwnd, prop::index);
    if (const auto answer = answerChildMessage(skinIndex, message, wParam, lParam)) return *answer;
    switch (message) {
    case WM_SIZE:
        setRoundOutline(hwnd);
        layoutDialogButtons(skinIndex);
        break;
    case WM_ACTIVATE:
        removeCbtHook();
        break;
    case WM_PAINT: {
        {
            gdi::PaintDc paint(hwnd);
            paintDialog(hwnd);
        }
        startFadeIn(hwnd);
        return 0;
    }
    case WM_NCDESTROY: {
        endFadeIn(hwnd);
        const LRESULT result = callKeptProc(hwnd, message, wParam, lParam);
        releaseSkinRecord(hwnd);
        return result;
    }
    case WM_NCHITTEST:
        return dialogHitTest(hwnd, lParam);
    case WM_NCPAINT:
        return 0;
    case WM_NCACTIVATE:
        return 1;
    case WM_NCMOUSEMOVE:
        setCloseHot(hwnd, *record, skinIndex, wParam == HTCLOSE);
        if (wParam == HTCLOSE) return 0;
        break;
    case WM_NCMOUSELEAVE:
        setCloseHot(hwnd, *record, skinIndex, false);
        break;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCLOSE) return 0;
        if (wParam == HTCAPTION) {
            GetWindowRect(hwnd, &record->dragRect);
            record->dragging = 1;
        }
        break;
    case WM_NCLBUTTONUP:
        record->dragging = 0;
        if (wParam == HTCLOSE) {
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_CHANGEUISTATE:
        if (LOWORD(wParam) == UIS_INITIALIZE) return 0;
        break;
    default:
        break;
    }
    return callKeptProc(hwnd, message, wParam, lParam);
}

std::unique_ptr<SkinRecord> dialogRecordFor(HWND hwnd) {
    auto record = std::make_unique<SkinRecord>();
    record->hwnd = hwnd;
    record->captionHeight = 25;
    record->hasMinimizeButton = 0;
    record->hasMaximizeButton = 0;
    record->hasCloseButton = 1;
    record->drawCaptionText = 1;
    record->sizable = 0;
    record->hasCaption = 1;
    record->captionFontSize = 13;
    record->captionFontStyle = 0;
    CaptionButton close;
    close.kind = captionClose;
    close.width = 38;
    close.height = 18;
    close.glyph.assign(DialogCloseGlyph.data(), DialogCloseGlyph.data() + DialogCloseGlyph.size());
    close.tooltip = "关闭";
    record->captionButtons.push_back(std::move(close));
    const int stripWidth = 38 + 0 + 3;
    record->buttonStrip = IntRect{windowSize(hwnd).cx - 4 - stripWidth - 2, 0, stripWidth, closeBoxHeight};
    return record;
}

}  // namespace

void skinDialog(HWND hwnd) {
    if (!hwnd || findSkinIndex(hwnd)) return;
    setRoundOutline(hwnd);
    std::unique_ptr<SkinRecord> record = dialogRecordFor(hwnd);
    // The records keep it in place, and only the procedure set up last can release it.
    SkinRecord& added = *record;
    const int skinIndex = addSkinRecord(std::move(record));
    SetWindowLongPtrA(hwnd, GWL_STYLE, GetWindowLongPtrA(hwnd, GWL_STYLE) | WS_SYSMENU);
    SetWindowLongPtrA(hwnd, GWL_EXSTYLE, GetWindowLongPtrA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd, 0, 0, LWA_ALPHA);  // invisible until it fades in
    layoutDialogButtons(skinIndex);
    skinChildControls(skinIndex, hwnd);
    skinStatics(skinIndex, hwnd);
    skinToolbars(skinIndex, hwnd);
    added.frameDirty = 1;
    subclassSkinnedWindow(skinIndex, dialogProc);
}

LRESULT CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedProc(hwnd, message, wParam, lParam,
                       [&]() -> LRESULT { return dialogMessage(hwnd, message, wParam, lParam); });
}

void layoutDialogButtons(int skinIndex) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return;
    const int x = windowSize(record->hwnd).cx - closeBoxWidth;
    record->buttonStrip.x = x;
    for (CaptionButton& button : record->captionButtons)
        button.rect = FloatRect{static_cast<float>(x), 0, closeBoxWidth, closeBoxHeight};
}

void paintDialog(HWND hwnd) {
    const int skinIndex = findSkinIndex(hwnd);
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return;
    const SIZE size = windowSize(hwnd);
    const int w = size.cx;
    const int h = size.cy;
    record->backgroundDc.reset();
    record->backgroundDc.select(gdi::makeDibPicture(w, h));
    HDC dc = record->backgroundDc.get();
    if (!dc) return;
    {
        DcGraphics surface(dc);
        GxGraphics& graphics = surface.graphics();
        paintSurface(graphics, w, h, 26);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        strokeRoundRect(graphics, 0, 0, static_cast<float>(w - 1), static_cast<float>(h - 1), 5, toArgb(0x000000, 120));
        strokeRoundRect(graphics, 1, 1, static_cast<float>(w - 3), static_cast<float>(h - 3), 3, toArgb(0xFFFFFF, 180));
        graphics.Flush();
        DrawIconEx(dc, 5, 5, appIcon, 17, 17, 0, nullptr, DI_NORMAL);
        GlowTextFont font;
        font.fontName = "黑体";
        font.fontSize = 11;
        font.alignment = Gdiplus::StringAlignmentNear;
        font.lineAlignment = Gdiplus::StringAlignmentCenter;
        drawGlowCaption(graphics, windowText(hwnd).c_str(), GxRectF(25, 0, static_cast<float>(w), 30), 0x000000,
                        0xFFFFFF, 4, font);
        for (int i = 1; i <= static_cast<int>(record->captionButtons.size()); ++i)
            paintDialogButton(skinIndex, i, &graphics, false);
    }
    gdi::WindowDc window = windowDcWithoutChildren(hwnd);
    BitBlt(window.get(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

void paintDialogButton(int skinIndex, int buttonIndex, GxGraphics* graphics, bool hot) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || buttonIndex < 1 || buttonIndex > static_cast<int>(record->captionButtons.size())) return;
    const CaptionButton& button = record->captionButtons[static_cast<std::size_t>(buttonIndex - 1)];
    const int x = static_cast<int>(button.rect.x);
    const int y = static_cast<int>(button.rect.y);
    const int w = static_cast<int>(button.rect.width);
    const int h = static_cast<int>(button.rect.height);
    HDC dc = record->backgroundDc.get();
    if (!dc) return;
    std::optional<DcGraphics> surface;
    GxGraphics* target = graphics;
    if (!target) {
        GxGraphics& own = surface.emplace(dc).graphics();
        own.SetClipRectI(x, y + 2, w - 2, h);
        target = &own;
        if (hot) {
            own.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
            GxPath face;
            face.Create();
            addRoundRect(face, static_cast<float>(x + 6), static_cast<float>(y + 2), static_cast<float>(w - 12),
                         static_cast<float>(h - 4), 5);
            GxLinearBrush red;
            red.Create(GxPointF(static_cast<float>(x + 3), static_cast<float>(y + 2)),
                       GxPointF(static_cast<float>(x + 3), static_cast<float>(y + h - 2)), toArgb(0xFFFFFF, 10),
                       toArgb(0x0000FF, 200));
            own.FillPath(red, face);
            GxPen edge;
            edge.Create(toArgb(0x000000, 100), 1.0f);
            own.DrawPath(edge, face);
            strokeRoundRect(own, static_cast<float>(x + 7), static_cast<float>(y + 3), static_cast<float>(w - 14),
                            static_cast<float>(h - 6), 3, toArgb(0xFFFFFF, 130));
        } else {
            const SIZE size = windowSize(record->hwnd);
            paintSurface(own, size.cx, size.cy, 30);
        }
    }
    drawImageBytes(*target, button.glyph, static_cast<float>(x), static_cast<float>(y + 3));
    if (graphics) return;
    surface->finish();
    gdi::WindowDc window = windowDcWithoutChildren(record->hwnd);
    BitBlt(window.get(), x, y, w, h, dc, x, y, SRCCOPY);
}

LRESULT dialogHitTest(HWND hwnd, LPARAM lParam) {
    const SkinRecord* record = dialogRecord(hwnd);
    if (!record) return HTCAPTION;
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    if (x > record->buttonStrip.x + r.left && x < r.right - 5 && y > r.top + 3 && y <= r.top + 25) return HTCLOSE;
    return HTCAPTION;
}

void drawGlowCaption(GxGraphics& target, const char* text, const GxRectF& layout, COLORREF textColor,
                     COLORREF glowColor, int blurFactor, const GlowTextFont& font) {
    const int w = static_cast<int>(layout.Width);
    const int h = static_cast<int>(layout.Height);
    const int b = std::max(blurFactor, 1);
    if (w <= 0 || h <= 0 || !text || !*text) return;
    GxBitmap halo;
    if (!halo.Create(w, h, PixelFormat32bppARGB)) return;
    GxFontFamily family;
    if (!family.Create(font.fontName)) return;
    GxStringFormat format;
    format.Create(0);
    format.SetAlignment(font.alignment);
    format.SetLineAlignment(font.lineAlignment);
    const float emSize = static_cast<float>(static_cast<int>(font.fontSize));
    const GxRectF box(0, static_cast<float>(b) / 2, static_cast<float>(w), static_cast<float>(h));
    GxPath path;
    path.Create();
    path.AddString(text, family, emSize, box, font.fontStyle, &format);
    family.Delete();
    GxGraphics graphics;
    graphics.FromImage(halo);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    GxPen glowPen;
    glowPen.Create(toArgb(glowColor, 255), 1.0f);
    graphics.DrawPath(glowPen, path);
    GxSolidBrush glow;
    glow.Create(toArgb(glowColor));
    graphics.FillPath(glow, path);

    // The blur: down to a picture b times smaller and back up.
    const GxBitmap small = shrinkPicture(halo, w / b, h / b, false);
    if (!small.IsEmpty()) {
        graphics.Clear(0);
        graphics.DrawImageRect(small, 0, 0, static_cast<float>(w), static_cast<float>(h));
    }

    GxPen rim;
    rim.Create(toArgb(glowColor, 120), 2.0f);
    graphics.DrawPath(rim, path);
    // The letters themselves as text rather than as the path: where fills get no
    // anti-aliasing (Wine), the thin strokes of small CJK glyphs would drop out.
    GxFont letters;
    letters.CreateByName(font.fontName, emSize, font.fontStyle, Gdiplus::UnitWorld);
    GxSolidBrush ink;
    ink.Create(toArgb(textColor));
    graphics.DrawString(text, letters, ink, box, &format);
    graphics.Delete();
    target.DrawImageRect(halo, layout.X, layout.Y, static_cast<float>(w), static_cast<float>(h));
}

gdi::WindowDc windowDcWithoutChildren(HWND hwnd) {
    gdi::WindowDc dc = gdi::WindowDc::whole(hwnd);
    RECT origin{};
    GetWindowRect(hwnd, &origin);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r{};
        GetWindowRect(child, &r);
        OffsetRect(&r, -origin.left, -origin.top);
        ExcludeClipRect(dc.get(), r.left, r.top, r.right, r.bottom);
    }
    return dc;
}

void dialogFadeIn(HWND hwnd, const gdi::Event& stop) {
    for (int i = 1; i <= fadeSteps; ++i) {
        if (stop.wait(fadeStepMs)) return;
        SetLayeredWindowAttributes(hwnd, 0, static_cast<BYTE>(fadeAlphaStep * i), LWA_ALPHA);
    }
}

}  // namespace skin
