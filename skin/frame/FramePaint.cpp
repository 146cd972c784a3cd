// The frame painter: background, border, caption buttons, caption text and status bar
// of a framed window, all drawn into its backgroundDc and copied to the screen.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "graphics/GxBrush.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxImage.h"
#include "graphics/GxPath.h"
#include "graphics/GxPen.h"
#include "graphics/GxText.h"
#include "skin/Backdrop.h"
#include "skin/DcGraphics.h"
#include "skin/KeptFace.h"
#include "skin/Primitives.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/frame/FramePainting.h"

namespace skin {

namespace {

constexpr COLORREF white = 0x00FFFFFF;
constexpr COLORREF black = 0x00000000;
constexpr COLORREF red = 0x000000FF;

// Gives target a w x h picture; one of that size already there is kept, since every
// pixel of it is painted over (fresh pages cost more than the painting on these VMs).
void sizePicture(gdi::BitmapDc& target, int w, int h) {
    const SIZE now = bitmapSize(target.bitmap());
    if (target && now.cx == w && now.cy == h) return;
    target.select(gdi::makeDibPicture(w, h));
}

// A memory DC holding a w x h copy of the given area of source.
void copyIntoDc(gdi::BitmapDc& target, HDC source, int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) {
        target.reset();
        return;
    }
    sizePicture(target, w, h);
    BitBlt(target.get(), 0, 0, w, h, source, x, y, SRCCOPY);
}

// Vertical gradient brush from colour1 at top to colour2 at bottom.
GxLinearBrush verticalBrush(float x, float top, float bottom, GxArgb colour1, GxArgb colour2) {
    GxLinearBrush brush;
    brush.Create({x, top}, {x, bottom}, colour1, colour2);
    return brush;
}

// The picture drawn at its pixel size, whatever resolution the file names.
void drawNatural(GxGraphics& graphics, GxImage& image, float x, float y) {
    graphics.DrawImageRect(image, x, y, static_cast<float>(image.GetWidth()), static_cast<float>(image.GetHeight()));
}

// Copies part of the background onto the window.
void copyToWindow(const SkinRecord& record, int x, int y, int w, int h) {
    gdi::WindowDc dc = gdi::WindowDc::client(record.hwnd);
    BitBlt(dc.get(), x, y, w, h, record.backgroundDc.get(), x, y, SRCCOPY);
}

struct ButtonBox {
    int x = 0, y = 0, w = 0, h = 0;
};

ButtonBox buttonBox(const SkinRecord& record, const CaptionButton& button) {
    return {static_cast<int>(button.rect.x) - 1, record.buttonStrip.y + 1, static_cast<int>(button.rect.width),
            static_cast<int>(button.rect.height)};
}

// What a hover paint of the button covers: the glass also fills the separator column left
// of its box; right of the box lie the separator before the next button, or the smoothed
// edge of the last one.
IntRect hoverBox(const SkinRecord& record, int buttonIndex) {
    const auto& buttons = record.captionButtons;
    const ButtonBox b = buttonBox(record, buttons[static_cast<std::size_t>(buttonIndex - 1)]);
    const int right = buttonIndex < static_cast<int>(buttons.size())
                          ? static_cast<int>(buttons[static_cast<std::size_t>(buttonIndex)].rect.x) - 2
                          : b.x + b.w;
    return {b.x - 1, b.y, right - b.x + 2, b.h};
}

const Bytes& glyphOf(const SkinRecord& record, const CaptionButton& button) {
    if (button.kind == captionMaximize && record.maximized && !button.altGlyph.empty()) return button.altGlyph;
    return button.glyph;
}

void drawGlyph(GxGraphics& graphics, const Bytes& glyph, float x, float y, float w, float h) {
    GxImage image;
    if (!glyph.empty() && image.FromBytes(glyph)) graphics.DrawImageRect(image, x, y, w, h);
}

// The key of a caption button's hover face, besides the pixels behind it: its box and
// the boxes its separators and glass follow, its kind and colour, and its glyph.
std::string fadeKey(const SkinRecord& record, const CaptionButton& button, int buttonIndex) {
    const Bytes& glyph = glyphOf(record, button);
    std::string key(glyph.begin(), glyph.end());
    addToKey(key, buttonIndex);
    addToKey(key, button.kind);
    addToKey(key, button.rect);
    addToKey(key, record.buttonStrip);
    addToKey(key, hoverBox(record, buttonIndex));
    addToKey(key, themeColor);
    return key;
}

// A fade has eight steps and the rest.
constexpr int mostFadeFaces = 9;

// Puts the face kept for alpha over the clean caption pixels under box back into the
// window picture; false when there is none. Other pixels or another key forget the
// button's faces.
bool restoreFadeFace(SkinRecord& record, int buttonIndex, const IntRect& box, std::string key, int alpha) {
    if (!record.cleanBackgroundDc) return false;
    if (record.fadeFaces.size() < record.captionButtons.size()) record.fadeFaces.resize(record.captionButtons.size());
    FadeFaces& faces = record.fadeFaces[static_cast<std::size_t>(buttonIndex - 1)];
    gdi::BitmapDc& scratch = record.fadeScratch;
    if (dibPixels(scratch.get(), box.width, box.height).empty())
        scratch.select(gdi::makeDibPicture(box.width, box.height));
    BitBlt(scratch.get(), 0, 0, box.width, box.height, record.cleanBackgroundDc.get(), box.x, box.y, SRCCOPY);
    const std::span<const std::uint32_t> behind = dibPixels(scratch.get(), box.width, box.height);
    if (behind.empty() || !faces.behind.same(behind, key)) {
        faces.behind.take(behind, std::move(key));
        faces.alphas.clear();
        return false;
    }
    const auto kept = std::find(faces.alphas.begin(), faces.alphas.end(), alpha);
    if (kept == faces.alphas.end()) return false;
    BitBlt(record.backgroundDc.get(), box.x, box.y, box.width, box.height, faces.strip.get(),
           static_cast<int>(kept - faces.alphas.begin()) * box.width, 0, SRCCOPY);
    return true;
}

// Keeps what box shows now as the button's face for alpha.
void keepFadeFace(SkinRecord& record, int buttonIndex, const IntRect& box, int alpha) {
    if (record.fadeFaces.size() < static_cast<std::size_t>(buttonIndex)) return;
    FadeFaces& faces = record.fadeFaces[static_cast<std::size_t>(buttonIndex - 1)];
    if (faces.alphas.size() >= mostFadeFaces) faces.alphas.clear();
    if (dibPixels(faces.strip.get(), mostFadeFaces * box.width, box.height).empty())
        faces.strip.select(gdi::makeDibPicture(mostFadeFaces * box.width, box.height));
    if (!faces.strip) return;
    BitBlt(faces.strip.get(), static_cast<int>(faces.alphas.size()) * box.width, 0, box.width, box.height,
           record.backgroundDc.get(), box.x, box.y, SRCCOPY);
    faces.alphas.push_back(alpha);
}

}  // namespace

bool frameNeedsPaint(const SkinRecord& record) {
    if (record.frameDirty || !record.backgroundDc) return true;
    const SIZE painted = bitmapSize(record.backgroundDc.bitmap());
    const SIZE client = clientSize(record.hwnd);
    return painted.cx != client.cx || painted.cy != client.cy;
}

void invalidateChildControls(int skinIndex) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return;
    HWND window = record->hwnd;
    auto invalidate = [window](const auto& entries, BOOL erase) {
        for (const auto& entry : entries)
            if (entry.hwnd && GetParent(entry.hwnd) == window) InvalidateRect(entry.hwnd, nullptr, erase);
    };
    for (const ListSkin& list : record->lists) {
        if (!list.hwnd || GetParent(list.hwnd) != window) continue;
        InvalidateRect(list.hwnd, nullptr, TRUE);
        invalidateChildren(list.hwnd);
    }
    invalidate(record->combos, TRUE);
    invalidate(record->edits, TRUE);
    invalidate(record->buttons, FALSE);
    invalidate(record->trackbars, FALSE);
    invalidate(record->progressBars, FALSE);
    invalidate(record->upDowns, FALSE);
}

void invalidateHeaders(int skinIndex) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return;
    for (const HeaderSkin& header : record->headers)
        if (header.hwnd) InvalidateRect(header.hwnd, nullptr, FALSE);
}

void drawHaloText(GxGraphics& graphics, const char* text, const GxRectF& rect, const HaloText& style) {
    if (!text || !*text) return;
    GxFont font;
    font.CreateByName(style.fontName.c_str(), static_cast<float>(style.fontSize), style.fontStyle);
    GxStringFormat format;
    format.Create(0);
    format.SetAlignment(style.alignment);
    format.SetLineAlignment(style.lineAlignment);
    GxSolidBrush shadow;
    shadow.Create(toArgb(style.shadowColor, 150));
    const auto d = static_cast<float>(style.haloOffset);
    const float offsets[4][2] = {{d, 0}, {-d, 0}, {0, d}, {0, -d}};
    for (const auto& offset : offsets) {
        const GxRectF moved{rect.X + offset[0], rect.Y + offset[1], rect.Width, rect.Height};
        graphics.DrawString(text, font, shadow, moved, &format);
    }
    GxSolidBrush brush;
    brush.Create(toArgb(style.textColor));
    graphics.DrawString(text, font, brush, rect, &format);
}

void addTopRightTab(GxPath& path, float x, float y, float w, float h, int d) {
    const auto s = static_cast<float>(d);
    path.AddLine(x, y + h, x, y);
    path.AddLine(x, y, x + w - s, y);
    path.AddArc(x + w - s, y, s, s, 270.0f, 90.0f);
    path.AddLine(x + w, y + s, x + w, y + h);
}

ResizeHit resizeHitAt(int x, int y, int w, int h, int m) {
    const bool sideRows = y >= 11 && y < h - 10;
    const bool sideColumns = x >= 11 && x < w - 10;
    if (x <= m && sideRows) return {0xF001, 32644};
    if (x >= w - m && sideRows) return {0xF002, 32644};
    if (y <= m && sideColumns) return {0xF003, 32645};
    if (y >= h - m && sideColumns) return {0xF006, 32645};
    if (x <= 10 && y <= 10) return {0xF004, 32642};
    if (x >= w - 10 && y <= 10) return {0xF005, 32643};
    if (x <= 10 && y >= h - 10) return {0xF007, 32643};
    if (x >= w - 10 && y >= h - 10) return {0xF008, 32642};
    return {};
}

// --- The whole frame ------------------------------------------------------------

void SkinEngine::paintFrame(int skinIndex, HDC dc, bool copy) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return;
    HWND hwnd = record->hwnd;
    const SIZE size = clientSize(hwnd);
    applyRoundRegion(hwnd, size.cx, size.cy);
    // A window of no size still gets a one-pixel picture, so that backdrops have a source.
    sizePicture(record->backgroundDc, std::max<int>(size.cx, 1), std::max<int>(size.cy, 1));
    HDC background = record->backgroundDc.get();
    ++record->framePictures;
    {
        DcGraphics canvas(record->backgroundDc.get());
        GxGraphics& graphics = canvas.graphics();
        paintBackground(graphics, skinIndex);
        if (record->hasCaption) paintWindowBorder(skinIndex, graphics);
        graphics.Flush(Gdiplus::FlushIntentionSync);
        paintWindowless(hwnd, background);
        copyIntoDc(record->cleanBackgroundDc, background, 0, 0, size.cx, size.cy);
        const IntRect& status = record->statusRect;
        copyIntoDc(record->statusAreaDc, background, status.x, status.y, status.width, status.height);
        if (record->hasCaption) {
            if (record->drawCaptionText) paintCaptionText(skinIndex, &graphics, nullptr);
            for (int i = 1; i <= static_cast<int>(record->captionButtons.size()); ++i)
                paintCaptionButton(skinIndex, i, &graphics, false, std::nullopt);
        }
        if (record->statusBarHeight > 0)
            for (int i = 1; i <= static_cast<int>(record->statusItems.size()); ++i)
                paintStatusItem(skinIndex, &graphics, i);
        graphics.Flush(Gdiplus::FlushIntentionSync);
    }
    record->frameDirty = 0;
    if (!copy) return;
    if (dc) {
        excludeChildClip(hwnd, dc);
        BitBlt(dc, 0, 0, size.cx, size.cy, background, 0, 0, SRCCOPY);
    } else {
        gdi::WindowDc window = excludeChildClip(hwnd);
        BitBlt(window.get(), 0, 0, size.cx, size.cy, background, 0, 0, SRCCOPY);
    }
    if (!firstSizePending) invalidateChildControls(skinIndex);
}

void SkinEngine::copyFrame(int skinIndex, HDC dc) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || !dc) return;
    const SIZE size = clientSize(record->hwnd);
    excludeChildClip(record->hwnd, dc);
    BitBlt(dc, 0, 0, size.cx, size.cy, record->backgroundDc.get(), 0, 0, SRCCOPY);
}

namespace {

// Colour, picture in its mode and the caption gloss, clipped to the rounded outline.
void drawBackgroundLayer(GxGraphics& graphics, const BackgroundLayer& layer) {
    const auto w = static_cast<float>(layer.width);
    const auto h = static_cast<float>(layer.height);
    // The corners outside the rounded outline take the background colour: the window
    // region keeps a few of those pixels, and a key colour there would show.
    graphics.Clear(toArgb(layer.colour));
    GxPath clip;
    clip.Create();
    addRoundRect(clip, 0, 0, w, h, 4);
    graphics.SetClipPath(clip);
    GxSolidBrush fill;
    fill.Create(toArgb(layer.colour));
    graphics.FillPath(fill, clip);
    GxImage image;
    if (!layer.picture.empty() && image.FromBytes(layer.picture)) {
        const auto iw = static_cast<float>(image.GetWidth());
        const auto ih = static_cast<float>(image.GetHeight());
        switch (layer.mode) {
        case backFadedEnds: graphics.DrawImageRect(image, w - iw, 0, iw, ih); break;
        case backCentred: graphics.DrawImageRect(image, (w - iw) / 2, (h - ih) / 2, iw, ih); break;
        case backStretched: graphics.DrawImageRect(image, 0, 0, w, h); break;
        case backMirrorTiled: {
            // Copies side by side, every second one mirrored, so the seams match.
            GxBitmap strip;
            if (iw < 1 || !strip.Create(layer.width, image.GetHeight())) break;
            {
                GxGraphics stripGraphics;
                stripGraphics.FromImage(strip);
                for (float x = 0; x < w; x += iw) {
                    stripGraphics.DrawImageRect(image, x, 0, iw, ih);
                    image.RotateFlip(Gdiplus::RotateNoneFlipX);
                }
            }
            drawNatural(graphics, strip, 0, 0);
            break;
        }
        default: drawNatural(graphics, image, 0, 0); break;
        }
    }
    if (layer.gloss == 1) {
        const auto caption = static_cast<float>(layer.captionHeight);
        GxLinearBrush gloss = verticalBrush(0, 0, caption, toArgb(white, 150), toArgb(white, 0));
        graphics.FillRectangle(gloss, 0, 0, w, caption);
    }
}

}  // namespace

// The layer is copied into the window's backgroundDc, on which graphics draws.
void SkinEngine::paintBackground(GxGraphics& graphics, int skinIndex) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return;
    const SIZE size = clientSize(record->hwnd);
    const int w = std::max<int>(size.cx, 1);
    const int h = std::max<int>(size.cy, 1);
    const bool ownImage = !record->backImage.empty();
    const Bytes& picture = ownImage ? record->backImage : skinBackImage;
    const int mode = ownImage ? record->backMode : skinBackMode;
    const COLORREF colour = ownImage ? record->backColor : skinBackColor;
    BackgroundLayer& layer = record->backgroundLayer;
    if (!layer.dc || layer.width != w || layer.height != h || layer.mode != mode || layer.colour != colour ||
        layer.gloss != record->captionOption || layer.captionHeight != record->captionHeight ||
        layer.picture != picture) {
        layer.width = w;
        layer.height = h;
        layer.picture = picture;
        layer.mode = mode;
        layer.colour = colour;
        layer.gloss = record->captionOption;
        layer.captionHeight = record->captionHeight;
        layer.dc.reset();
        layer.dc.select(gdi::makeDibPicture(w, h));
        DcGraphics canvas(layer.dc.get());
        drawBackgroundLayer(canvas.graphics(), layer);
        canvas.graphics().Flush(Gdiplus::FlushIntentionSync);
    }
    BitBlt(record->backgroundDc.get(), 0, 0, w, h, layer.dc.get(), 0, 0, SRCCOPY);
    // What is drawn over the background keeps inside the rounded outline too.
    GxPath clip;
    clip.Create();
    addRoundRect(clip, 0, 0, static_cast<float>(w), static_cast<float>(h), 4);
    graphics.SetClipPath(clip);
}

namespace {

// Strokes the outline of addRoundRect(x, y, w, h, d) piece by piece: the same pixels as
// the closed path, but GDI+ under Wine rasterises a stroked path over its whole bounding
// box, so one window-sized outline costs milliseconds while its eight pieces cost
// microseconds.
void strokeRoundRect(GxGraphics& graphics, const GxPen& pen, float x, float y, float w, float h, int d) {
    const auto s = static_cast<float>(std::clamp(d, 1, 100));
    const float big = s + 1;  // the bottom-right arc is one pixel larger
    graphics.DrawArc(pen, x + w - s, y, s, s, 270.0f, 90.0f);
    graphics.DrawLine(pen, x + w, y + s / 2, x + w, y + h - big / 2);
    graphics.DrawArc(pen, x + w - big, y + h - big, big, big, 0.0f, 90.0f);
    graphics.DrawLine(pen, x + w - big / 2, y + h, x + s / 2, y + h);
    graphics.DrawArc(pen, x, y + h - s, s, s, 90.0f, 90.0f);
    graphics.DrawLine(pen, x, y + h - s / 2, x, y + s / 2);
    graphics.DrawArc(pen, x, y, s, s, 180.0f, 90.0f);
    graphics.DrawLine(pen, x + s / 2, y, x + w - s / 2, y);
}

}  // namespace

void SkinEngine::paintWindowBorder(int skinIndex, GxGraphics& graphics) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return;
    const SIZE size = clientSize(record->hwnd);
    const auto w = static_cast<float>(size.cx);
    const auto h = static_cast<float>(size.cy);
    GxPen dark, light;
    dark.Create(toArgb(black, 180), 1.0f);
    light.Create(toArgb(white, 180), 1.0f);
    strokeRoundRect(graphics, dark, 0, 0, w - 1, h - 1, 7);
    strokeRoundRect(graphics, light, 1, 1, w - 3, h - 3, 6);
}

void SkinEngine::restoreCaptionArea(int skinIndex, const IntRect& r) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || !record->cleanBackgroundDc) return;
    BitBlt(record->backgroundDc.get(), r.x, r.y, r.width, r.height, record->cleanBackgroundDc.get(), r.x, r.y,
           SRCCOPY);
}

void SkinEngine::restoreStatusArea(int skinIndex, const IntRect& r) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || !record->statusAreaDc) return;
    BitBlt(record->backgroundDc.get(), r.x, r.y, r.width, r.height, record->statusAreaDc.get(),
           r.x - record->statusRect.x, r.y - record->statusRect.y, SRCCOPY);
}

// --- Caption buttons ------------------------------------------------------------

void SkinEngine::layoutCaptionButtons(int skinIndex) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || !IsWindow(record->hwnd)) return;
    IntRect& strip = record->buttonStrip;
    strip.x = clientSize(record->hwnd).cx - strip.width + 1;
    strip.height = 22;
    const int x0 = strip.x + 2;
    const int y0 = strip.y + 1;
    for (std::size_t i = 0; i < record->captionButtons.size(); ++i) {
        CaptionButton& button = record->captionButtons[i];
        button.rect = {static_cast<float>(x0 + 27 * static_cast<int>(i)), static_cast<float>(y0),
                       button.kind == captionClose ? 40.0f : 26.0f, 18.0f};
        const RECT tool{static_cast<LONG>(button.rect.x), static_cast<LONG>(button.rect.y),
                        static_cast<LONG>(button.rect.x + button.rect.width),
                        static_cast<LONG>(button.rect.y + button.rect.height)};
        const int id = static_cast<int>(i) + 1;
        record->tooltip.setToolRect(id, tool);
        record->tooltip.setToolText(id, button.tooltip.c_str());
    }
}

int SkinEngine::captionButtonAt(int skinIndex, int x, int y) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return 0;
    const IntRect& strip = record->buttonStrip;
    if (x < strip.x || y < strip.y || y > strip.y + strip.height) return 0;
    constexpr float tolerance = 1e-7f;
    const auto fx = static_cast<float>(x);
    const auto fy = static_cast<float>(y);
    for (std::size_t i = 0; i < record->captionButtons.size(); ++i) {
        const FloatRect& r = record->captionButtons[i].rect;
        if (fx > r.x + tolerance && fx < r.x + r.width - tolerance && fy > r.y + tolerance &&
            fy < r.y + r.height - tolerance)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

int SkinEngine::findMaximizeButton(int skinIndex) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return 0;
    for (std::size_t i = 0; i < record->captionButtons.size(); ++i)
        if (record->captionButtons[i].kind == captionMaximize) return static_cast<int>(i) + 1;
    return 0;
}

void SkinEngine::paintCaptionButton(int skinIndex, int buttonIndex, GxGraphics* graphics, bool pressed,
                                    std::optional<int> alpha) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || buttonIndex < 1 || buttonIndex > static_cast<int>(record->captionButtons.size()) ||
        !record->backgroundDc)
        return;
    const CaptionButton& button = record->captionButtons[static_cast<std::size_t>(buttonIndex - 1)];
    const ButtonBox b = buttonBox(*record, button);
    const auto x = static_cast<float>(b.x);
    const auto y = static_cast<float>(b.y);
    const auto w = static_cast<float>(b.w);
    const auto h = static_cast<float>(b.h);
    const bool close = button.kind == captionClose;
    if (pressed) {
        DcGraphics canvas(record->backgroundDc.get());
        GxGraphics& own = canvas.graphics();
        restoreCaptionArea(skinIndex, {b.x, b.y, b.w, b.h});
        GxPath path;
        path.Create();
        if (close) addTopRightTab(path, x, y, w, h, 5);
        else path.AddRectangle(x, y, w, h);
        GxLinearBrush face = close ? verticalBrush(x, y, y + h, toArgb(red, 255), toArgb(white, 30))
                                   : verticalBrush(x, y, y + h, toArgb(black, 80), toArgb(white, 5));
        own.FillPath(face, path);
        drawGlyph(own, glyphOf(*record, button), x, y, w - 1, h);
        own.Flush(Gdiplus::FlushIntentionSync);
        copyToWindow(*record, b.x, b.y, b.w, b.h);
        return;
    }
    // A step of a fade, painted on its own: each alpha is composed once over the same
    // clean caption and copied at every later step.
    const IntRect painted = hoverBox(*record, buttonIndex);
    std::optional<DcGraphics> canvas;
    if (!graphics) {
        if (restoreFadeFace(*record, buttonIndex, painted, fadeKey(*record, button, buttonIndex),
                            alpha.value_or(0))) {
            copyToWindow(*record, painted.x, painted.y, painted.width, painted.height);
            return;
        }
        canvas.emplace(record->backgroundDc.get());
        graphics = &canvas->graphics();
        graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    }
    paintCaptionButtonHover(*graphics, skinIndex, buttonIndex, alpha.value_or(0));
    GxLinearBrush glass = verticalBrush(x, y, y + h - 1, toArgb(white, 50), toArgb(black, 0));
    graphics->FillRectangle(glass, x - 1, y, w + 1, h - 1);
    drawGlyph(*graphics, glyphOf(*record, button), x, y, w, h);
    paintButtonSeparators(skinIndex, buttonIndex, *graphics);
    if (canvas) {
        graphics->Flush(Gdiplus::FlushIntentionSync);
        keepFadeFace(*record, buttonIndex, painted, alpha.value_or(0));
        copyToWindow(*record, painted.x, painted.y, painted.width, painted.height);
    }
}

void SkinEngine::paintCaptionButtonHover(GxGraphics& graphics, int skinIndex, int buttonIndex, int alpha) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || buttonIndex < 1 || buttonIndex > static_cast<int>(record->captionButtons.size())) return;
    const CaptionButton& button = record->captionButtons[static_cast<std::size_t>(buttonIndex - 1)];
    const ButtonBox b = buttonBox(*record, button);
    restoreCaptionArea(skinIndex, hoverBox(*record, buttonIndex));
    const int a = std::clamp(alpha, 0, 255);
    if (a == 0) return;  // every layer below would be fully transparent
    const auto x = static_cast<float>(b.x);
    const auto y = static_cast<float>(b.y);
    const auto w = static_cast<float>(b.w);
    const auto h = static_cast<float>(b.h);
    GxPath shape;
    shape.Create();
    addTopRoundRect(shape, x, y, w, h, 1);
    GxLinearBrush shade = verticalBrush(x, y, y + h, toArgb(black, a / 5), toArgb(white, 0));
    graphics.FillPath(shade, shape);
    const bool close = button.kind == captionClose;
    GxPath tab;
    tab.Create();
    if (close) addTopRightTab(tab, x, y, w, h, 5);
    GxLinearBrush colour = verticalBrush(x, y, y + h, toArgb(close ? red : themeColor, a), toArgb(white, 0));
    graphics.FillPath(colour, close ? tab : shape);
    GxPath outline;
    outline.Create();
    const float outlineHeight = 0.8f * h;
    if (close) addTopRightTab(outline, x, y, w - 1, outlineHeight, 5);
    else addTopRoundRect(outline, x, y, w - 1, outlineHeight, 1);
    GxLinearBrush edge =
        verticalBrush(x, y, y + outlineHeight, toArgb(white, static_cast<int>(a * 0.8)), toArgb(white, 0));
    GxPen pen;
    pen.CreateFromBrush(edge, 1.0f);
    graphics.DrawPath(pen, outline);
}

void SkinEngine::paintButtonSeparators(int skinIndex, int buttonIndex, GxGraphics& graphics) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || buttonIndex < 1 || buttonIndex > static_cast<int>(record->captionButtons.size())) return;
    const auto top = static_cast<float>(record->buttonStrip.y + 1);
    const auto bottom = static_cast<float>(record->buttonStrip.y + record->buttonStrip.height - 4);
    auto line = [&](float x, int alpha) {
        GxLinearBrush fade = verticalBrush(x, top, bottom, toArgb(black, alpha), toArgb(black, 0));
        GxPen pen;
        pen.CreateFromBrush(fade, 1.0f);
        graphics.DrawLine(pen, x, top, x, bottom);
    };
    const auto& buttons = record->captionButtons;
    line(buttons[static_cast<std::size_t>(buttonIndex - 1)].rect.x - 2, buttonIndex == 1 ? 100 : 60);
    if (buttonIndex < static_cast<int>(buttons.size()))
        line(buttons[static_cast<std::size_t>(buttonIndex)].rect.x - 2, 60);
}

// --- Caption text ---------------------------------------------------------------

void SkinEngine::paintCaptionText(int skinIndex, GxGraphics* graphics, const char* text) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || !record->backgroundDc) return;
    const int m = captionButtonMargin;
    const int x = m + 6;
    const int y = m + 5;
    const int width = clientSize(record->hwnd).cx - record->buttonStrip.width - 10 - 2 * m;
    if (width <= 0) return;  // a window narrower than its button strip has no room for a caption
    // The icon reaches 3 pixels above the text; the halo would reach past the text's box.
    const IntRect box{x, y - 3, width, 35};
    std::optional<DcGraphics> canvas;
    if (!graphics) {
        restoreCaptionArea(skinIndex, box);
        canvas.emplace(record->backgroundDc.get());
        graphics = &canvas->graphics();
        graphics->SetClipRectI(box.x, box.y, box.width, box.height);
    }
    if (appIcon) DrawIconEx(record->backgroundDc.get(), x, y - 3, appIcon, 17, 17, 0, nullptr, DI_NORMAL);
    std::string current;
    if (!text) {
        const int length = GetWindowTextLengthA(record->hwnd);
        current.resize(static_cast<std::size_t>(std::max(length, 0)) + 1);
        current.resize(static_cast<std::size_t>(GetWindowTextA(record->hwnd, current.data(), length + 1)));
        text = current.c_str();
    }
    HaloText style;
    style.textColor = record->captionTextColor;
    style.shadowColor = record->captionShadowColor;
    style.fontName = record->captionFontName;
    style.fontSize = record->captionFontSize;
    style.fontStyle = record->captionFontStyle;
    drawHaloText(*graphics, text,
                 GxRectF{static_cast<float>(x + 20), static_cast<float>(y), static_cast<float>(width - 20), 32.0f}, style);
    if (canvas) {
        graphics->Flush(Gdiplus::FlushIntentionSync);
        gdi::WindowDc dc = excludeChildClip(record->hwnd);
        BitBlt(dc.get(), box.x, box.y, box.width, box.height, record->backgroundDc.get(), box.x, box.y, SRCCOPY);
    }
}

// --- Status bar -----------------------------------------------------------------

void SkinEngine::setupStatusBar(int skinIndex, int height, std::vector<StatusItem> items) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return;
    record->statusBarHeight = height;
    record->statusItems = std::move(items);
    record->statusItemRects.assign(record->statusItems.size(), IntRect{});
    layoutStatusBar(skinIndex);
}

void SkinEngine::layoutStatusBar(int skinIndex) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return;
    const SIZE size = clientSize(record->hwnd);
    const int m = captionButtonMargin;
    const int height = record->statusBarHeight;
    record->statusRect = {m, size.cy - m - height - 1, size.cx - 2 * m, height};
    record->statusItemRects.resize(record->statusItems.size());
    int x = m;
    int used = 0;
    for (std::size_t i = 0; i < record->statusItems.size(); ++i) {
        const int itemWidth = record->statusItems[i].width;
        const int width = itemWidth == -1 ? size.cx - 2 * m - used : itemWidth;
        record->statusItemRects[i] = {x, record->statusRect.y, width, height};
        x += width;
        used += width;
    }
}

void SkinEngine::paintStatusItem(int skinIndex, GxGraphics* graphics, int item) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || item < 1 || item > static_cast<int>(record->statusItemRects.size()) || !record->backgroundDc)
        return;
    const IntRect r = record->statusItemRects[static_cast<std::size_t>(item - 1)];
    // An item pushed out by wider ones before it has no width left: nothing to draw.
    if (r.width <= 0 || r.height <= 0) return;
    const StatusItem& entry = record->statusItems[static_cast<std::size_t>(item - 1)];
    std::optional<DcGraphics> canvas;
    if (!graphics) {
        canvas.emplace(record->backgroundDc.get());
        graphics = &canvas->graphics();
    }
    restoreStatusArea(skinIndex, r);
    const auto x = static_cast<float>(r.x);
    const auto y = static_cast<float>(r.y);
    const auto w = static_cast<float>(r.width);
    const auto h = static_cast<float>(r.height);
    GxLinearBrush face = verticalBrush(x, y, y + h, toArgb(white, 60), toArgb(white, 10));
    graphics->FillRectangle(face, x, y, w, h);
    float textX = x + 2;
    GxImage image;
    if (!entry.image.empty() && image.FromBytes(entry.image)) {
        drawNatural(*graphics, image, x + 2, y + static_cast<float>((r.height - 12) / 2));
        textX += static_cast<float>(image.GetWidth()) + 2;
    }
    if (!entry.text.empty()) {
        GxFont font;
        font.CreateByName(record->statusFontName.c_str(), static_cast<float>(record->statusFontSize), 0);
        GxStringFormat format;
        format.Create(0);
        format.SetAlignment(static_cast<Gdiplus::StringAlignment>(std::clamp(record->statusAlignment, 0, 2)));
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        GxSolidBrush brush;
        brush.Create(toArgb(record->statusTextColor));
        graphics->DrawString(entry.text.c_str(), font, brush, GxRectF{textX, y, x + w - textX, h}, &format);
    }
    if (canvas) {
        graphics->Flush(Gdiplus::FlushIntentionSync);
        copyToWindow(*record, r.x, r.y, r.width, r.height);
    }
}

}  // namespace skin
