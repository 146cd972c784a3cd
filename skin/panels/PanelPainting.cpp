// The panel picture: layout, shape, glow, base image, gradient, split lines, items and
// outline, built in a memory DC and copied to the window once.
#include <algorithm>
#include <mutex>
#include <optional>

#include "graphics/GxBrush.h"
#include "graphics/GxPath.h"
#include "graphics/GxPen.h"
#include "graphics/GxText.h"
#include "skin/Backdrop.h"
#include "skin/DcGraphics.h"
#include "skin/Primitives.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/Containers.h"
#include "skin/controls/Statics.h"
#include "skin/frame/FramePainting.h"
#include "skin/panels/PicturePlayer.h"

namespace skin {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

float f(int value) { return static_cast<float>(value); }

bool hasFigure(int shape) {
    return shape == panelShape::rectangle || shape == panelShape::roundRect || shape == panelShape::ellipse;
}

RECT itemRect(const ImageItem& item) { return RECT{item.x, item.y, item.x + item.width, item.y + item.height}; }

void drawLine(GxGraphics& graphics, GxArgb colour, float x1, float y1, float x2, float y2) {
    GxPen pen;
    pen.Create(colour, 1.0f);
    graphics.DrawLine(pen, x1, y1, x2, y2);
}

void drawOutline(GxGraphics& graphics, int shape, float x, float y, float w, float h, int margin, GxArgb colour) {
    GxPath path;
    path.Create();
    addShapeFigure(path, shape, x, y, w, h, margin);
    GxPen pen;
    pen.Create(colour, 1.0f);
    graphics.DrawPath(pen, path);
}

}  // namespace

PanelLayout layoutRect(int layoutMode, int margin, int width, int height) {
    const int m = margin;
    switch (layoutMode) {
    case 0: return {m, m, width - 2 * m, height - 2 * m};
    case 1: return {0, m, width, height - m};
    case 2: return {0, 0, width, height - m};
    case 3: return {m, 0, width - m, height};
    case 4: return {0, 0, width - m, height};
    case 5: return {0, 0, width, height};
    default: return {};
    }
}

void addShapeFigure(GxPath& path, int shape, float x, float y, float w, float h, int margin) {
    switch (shape) {
    case panelShape::rectangle: path.AddRectangle(x, y, w, h); break;
    case panelShape::roundRect: addRoundRect(path, x, y, w, h, margin); break;
    case panelShape::ellipse: path.AddEllipse(x, y, w, h); break;
    default: break;
    }
}

void PicturePlayer::clientSize(int& width, int& height) const {
    RECT client{};
    GetClientRect(window_, &client);
    width = client.right;
    height = client.bottom;
}

void PicturePlayer::paintPanel(HDC dc) {
    if (!window_) return;
    Lock lock(pictureLock_);
    int W = 0, H = 0;
    clientSize(W, H);
    panelPicture_.reset();
    panelPicture_.reset(makeBackdrop(window_, RECT{0, 0, W, H}));
    setPropHandle(window_, prop::backgroundDc, panelPicture_.get());
    if (!panelPicture_) return;
    {
        DcGraphics surface(panelPicture_.get());
        GxGraphics& graphics = surface.graphics();
        const PanelLayout r = layoutRect(layoutMode_, margin_, W, H);
        if (layoutMode_ != 5) paintGlow(graphics, layoutMode_);
        GxPath path;
        path.Create();
        addShapeFigure(path, shape_, f(r.x), f(r.y), f(r.w), f(r.h), margin_);
        if (!panelImage_.empty() && hasFigure(shape_)) {
            GxBitmap image;
            image.FromBytes(ByteView(panelImage_));
            graphics.SetClipPath(path);
            drawBaseImage(graphics, image, r);
        }
        const float halfW = f(W) / 2.0f, halfH = f(H) / 2.0f;
        if (shape_ == panelShape::horizontalSplit) {
            path.Reset();
            path.AddRectangle(0.0f, halfH - 2.0f, f(W), 4.0f);
            graphics.SetClipPath(path);
            drawLine(graphics, toArgb(accentColor_, 120), 0.0f, halfH, f(W), halfH);
            drawLine(graphics, toArgb(0x00FFFFFF, 100), 0.0f, halfH - 1.0f, f(W), halfH - 1.0f);
        } else if (shape_ == panelShape::verticalSplit) {
            path.Reset();
            path.AddRectangle(halfW - 2.0f, 0.0f, 4.0f, f(H));
            graphics.SetClipPath(path);
            drawLine(graphics, toArgb(accentColor_, 120), halfW, 0.0f, halfW, f(H));
            drawLine(graphics, toArgb(0x00FFFFFF, 120), halfW - 1.0f, 0.0f, halfW - 1.0f, f(H));
        }
        if (gradientStyle_ != 0) paintGradientFill(graphics, path);
        for (int i = 1; i <= imageItemCount(); ++i) paintImageItem(i, &graphics);
        for (int i = 1; i <= textItemCount(); ++i) paintTextItem(i, &graphics);
        if (bordered_ == 1) {
            drawOutline(graphics, shape_, f(r.x), f(r.y), f(r.w - 1), f(r.h - 1), margin_,
                        toArgb(borderColor_, borderAlpha_));
            drawOutline(graphics, shape_, f(r.x + 1), f(r.y + 1), f(r.w - 3), f(r.h - 3), margin_,
                        toArgb(0x00FFFFFF, 120));
        }
    }
    keepBase(W, H);
    finishPicture(dc, W, H);
}

unsigned PicturePlayer::pictureBehind() const {
    const BackdropSource source = findBackdropSource(window_);
    if (source.owner) {
        const HWND above = source.owner == window_ ? getPropHandle<HWND>(window_, prop::backgroundOwner) : source.owner;
        if (above) {
            const PicturePlayer* player = attachedTo(above);
            return player ? player->pictures_ : 0;
        }
    }
    const SkinRecord* record = recordOfAncestor(window_);
    return record ? record->framePictures : 0;
}

bool PicturePlayer::behindChanged() const { return basePictureBehind_ != pictureBehind(); }

void PicturePlayer::keepBase(int W, int H) {
    if (!basePicture_ || baseWidth_ != W || baseHeight_ != H) {
        basePicture_.select(gdi::makeDibPicture(W, H));
        baseWidth_ = W;
        baseHeight_ = H;
    }
    if (basePicture_) BitBlt(basePicture_.get(), 0, 0, W, H, panelPicture_.get(), 0, 0, SRCCOPY);
    basePictureBehind_ = pictureBehind();
}

void PicturePlayer::repaintContent(HDC dc) {
    if (!window_) return;
    Lock lock(pictureLock_);
    int W = 0, H = 0;
    clientSize(W, H);
    if (!basePicture_ || !panelPicture_ || W != baseWidth_ || H != baseHeight_ || behindChanged()) {
        paintPanel(dc);
        return;
    }
    BitBlt(panelPicture_.get(), 0, 0, W, H, basePicture_.get(), 0, 0, SRCCOPY);
    finishPicture(dc, W, H);
}

// The application's drawing over the picture, the picture on the window, and the news
// to whatever was cut from the picture it replaces.
void PicturePlayer::finishPicture(HDC dc, int W, int H) {
    paintWindowless(window_, panelPicture_.get());
    showPicture(dc, W, H);
    pictureChanged(RECT{0, 0, W, H});
}

// Controls and panels inside took their backdrops from the picture as it was: those over
// the changed area paint again (a panel learns of it from the count). The animation's
// frames are composed again over the new picture, which its thread gets as a copy of its
// own, so that no two threads ever use the picture's DC.
void PicturePlayer::pictureChanged(const RECT& area) {
    ++pictures_;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT overlap{}, r = rectRelativeTo(window_, child);
        if (IsWindowVisible(child) && IntersectRect(&overlap, &r, &area))
            RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    const AnimationClip& clip = animationClip_;
    if (clipBackdrop_) BitBlt(clipBackdrop_.get(), 0, 0, clip.width, clip.height, panelPicture_.get(), clip.x, clip.y, SRCCOPY);
    forgetComposedFrames();
    wakeAnimation();
}

void PicturePlayer::copyPanel(HDC dc) {
    if (!window_ || !panelPicture_) return;
    Lock lock(pictureLock_);
    int W = 0, H = 0;
    clientSize(W, H);
    if (dc) excludeChildClip(window_, dc);
    showPicture(dc, W, H);
}

// The picture on dc, or on a DC of the window clipped around its children when dc is 0.
// It covers a playing animation's frame: the thread draws the frame again at once.
void PicturePlayer::showPicture(HDC dc, int W, int H) {
    if (dc) {
        BitBlt(dc, 0, 0, W, H, panelPicture_.get(), 0, 0, SRCCOPY);
    } else {
        gdi::WindowDc own = excludeChildClip(window_);
        BitBlt(own.get(), 0, 0, W, H, panelPicture_.get(), 0, 0, SRCCOPY);
    }
    wakeAnimation();
}

// Image modes: 0 natural size at the layout's corner, 1 right-aligned (when narrower),
// 2 centred on the layout size counted from the client origin, 3 stretched, 4 tiled.
void PicturePlayer::drawBaseImage(GxGraphics& graphics, GxImage& image, const PanelLayout& r) {
    if (image.IsEmpty()) return;
    const int iw = image.GetWidth();
    const int ih = image.GetHeight();
    switch (imageMode_) {
    case 0: graphics.DrawImage(image, f(r.x), f(r.y)); break;
    case 1: graphics.DrawImage(image, iw < r.w ? f(r.x + r.w - iw) : f(r.x), f(r.y)); break;
    case 2: graphics.DrawImageRect(image, f((r.w - iw) / 2), f((r.h - ih) / 2), f(iw), f(ih)); break;
    case 3: graphics.DrawImageRect(image, f(r.x), f(r.y), f(r.w), f(r.h)); break;
    case 4: {
        GxTextureBrush tiles;
        tiles.Create(image);
        graphics.FillRectangle(tiles, f(r.x), f(r.y), f(r.w), f(r.h));
        break;
    }
    default: break;
    }
}

// Only the glow sets the quality modes; a panel without one keeps the graphics defaults.
void PicturePlayer::paintGlow(GxGraphics& graphics, int layoutMode) {
    int W = 0, H = 0;
    clientSize(W, H);
    if (W <= 0 || H <= 0) return;
    const int m = margin_;
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetCompositingQuality(Gdiplus::CompositingQualityGammaCorrected);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQuality);
    GxPath outer;
    outer.Create();
    if (shape_ == panelShape::ellipse) outer.AddEllipse(0.0f, 0.0f, f(W), f(H));
    else addRoundRect(outer, 0.0f, 0.0f, f(W), f(H), 2 * m);
    GxPathBrush brush;
    brush.CreateFromPath(outer);
    brush.SetCenterPoint(GxPointF(f(W) * 0.5f, f(H) * 0.6f));
    brush.SetFocusScales(f(W - 20) / f(W), f(H - 20) / f(H));
    brush.SetCenterColor(toArgb(glowColor_, glowAlpha_));
    const GxArgb clear[1] = {0};
    brush.SetSurroundColors(clear);
    bool fill = true;
    switch (layoutMode) {
    case 0: {
        GxPath inner;
        inner.Create();
        if (shape_ == panelShape::ellipse) {
            graphics.SetClipPath(outer);
            inner.AddEllipse(f(m), f(m), f(W - 2 * m), f(H - 2 * m));
        } else {
            graphics.SetClipRect(0.0f, 0.0f, f(W), f(H));
            addRoundRect(inner, f(m), f(m), f(W - 2 * m), f(H - 2 * m), m + 1);
        }
        graphics.SetClipPath(inner, Gdiplus::CombineModeXor);
        break;
    }
    case 1: graphics.SetClipRect(0.0f, 0.0f, f(W), f(m)); break;
    case 2: graphics.SetClipRect(0.0f, f(H - m), f(W), f(m)); break;
    case 3: graphics.SetClipRect(0.0f, 0.0f, f(m), f(H)); break;
    case 4: graphics.SetClipRect(f(W - m), 0.0f, f(m), f(H)); break;
    default: fill = false; break;
    }
    if (fill) graphics.FillPath(brush, outer);
    graphics.ResetClip();
}

void PicturePlayer::paintGradientFill(GxGraphics& graphics, GxPath& path) {
    GxRectF b{};
    path.GetWorldBounds(b);
    const GxArgb c1 = toArgb(gradientColor1_, gradientAlpha1_);
    const GxArgb c2 = toArgb(gradientColor2_, gradientAlpha2_);
    const GxPointF top(0.0f, b.Y), bottom(0.0f, b.Y + b.Height);
    const GxPointF left(b.X, 0.0f), right(b.X + b.Width, 0.0f);
    GxLinearBrush brush;
    switch (gradientStyle_) {
    case 1: brush.Create(top, bottom, c1, c2); break;
    case 2: brush.Create(bottom, top, c1, c2); break;
    case 3: brush.Create(left, right, c1, c2); break;
    case 4: brush.Create(right, left, c1, c2); break;
    case 5:
        brush.Create(left, right, c1, c2);
        brush.SetLinearBlend(0.5f, 0.5f);
        break;
    case 6:
        brush.Create(top, bottom, c1, c2);
        brush.SetLinearBlend(0.5f, 0.5f);
        break;
    default: return;
    }
    graphics.FillPath(brush, path);
}

void PicturePlayer::paintImageRect(const RECT& rect, GxGraphics* given, bool copyToWindow) {
    if (!window_ || !panelPicture_) return;
    Lock lock(pictureLock_);
    int W = 0, H = 0;
    clientSize(W, H);
    const PanelLayout r = layoutRect(layoutMode_, margin_, W, H);
    restoreBackdrop(window_, panelPicture_.get(), rect);
    std::optional<DcGraphics> own;
    GxGraphics& graphics = given ? *given : own.emplace(panelPicture_.get()).graphics();
    GxPath path;
    path.Create();
    addShapeFigure(path, shape_, f(r.x), f(r.y), f(r.w), f(r.h), margin_);
    GxBitmap image;
    if (!panelImage_.empty()) image.FromBytes(ByteView(panelImage_));
    graphics.SetClipPath(path);
    graphics.SetClipRect(f(rect.left), f(rect.top), f(rect.right - rect.left), f(rect.bottom - rect.top),
                         Gdiplus::CombineModeIntersect);
    if (hasFigure(shape_)) drawBaseImage(graphics, image, r);
    graphics.ResetClip();
    if (!copyToWindow) return;
    // GDI+ may hold drawing back until its surface goes: end it before GDI copies.
    if (own) own->finish();
    else graphics.Flush(Gdiplus::FlushIntentionSync);
    copyRectToWindow(rect);
}

// An item's area drawn anew: on the window, in the base picture (so that a repaint of the
// application's drawing keeps it), and to whatever was cut from it.
void PicturePlayer::copyRectToWindow(const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    gdi::WindowDc dc = excludeChildClip(window_);
    BitBlt(dc.get(), rect.left, rect.top, w, h, panelPicture_.get(), rect.left, rect.top, SRCCOPY);
    if (basePicture_) BitBlt(basePicture_.get(), rect.left, rect.top, w, h, panelPicture_.get(), rect.left, rect.top, SRCCOPY);
    pictureChanged(rect);
}

template <class Draw>
void PicturePlayer::paintItemAlone(const RECT& rect, Draw&& draw) {
    if (!window_ || !panelPicture_) return;
    Lock lock(pictureLock_);
    {
        DcGraphics surface(panelPicture_.get());
        paintImageRect(rect, &surface.graphics(), false);
        draw(surface.graphics());
    }
    copyRectToWindow(rect);
}

// ---- Image items -------------------------------------------------------------------

const ImageItem* PicturePlayer::imageItem(int index) const {
    return index >= 1 && index <= imageItemCount() ? &imageItems_[static_cast<std::size_t>(index - 1)] : nullptr;
}

int PicturePlayer::addImageItem(ByteView bytes, int x, int y, std::optional<int> width, std::optional<int> height,
                                bool paintNow) {
    if (bytes.empty()) return 0;
    GxImage image;
    image.FromBytes(bytes);
    ImageItem item;
    item.image.assign(bytes.begin(), bytes.end());
    item.x = x;
    item.y = y;
    item.width = width ? *width : image.IsEmpty() ? 0 : image.GetWidth();
    item.height = height ? *height : image.IsEmpty() ? 0 : image.GetHeight();
    image.Dispose();
    imageItems_.push_back(std::move(item));
    if (paintNow) paintImageItem(imageItemCount(), nullptr);
    return imageItemCount();
}

void PicturePlayer::paintImageItem(int index, GxGraphics* batch) {
    const ImageItem* item = imageItem(index);
    if (!item) return;
    auto draw = [item](GxGraphics& graphics) {
        GxImage image;
        image.FromBytes(ByteView(item->image));
        graphics.DrawImageRect(image, f(item->x), f(item->y), f(item->width), f(item->height));
    };
    if (batch) draw(*batch);
    else paintItemAlone(itemRect(*item), draw);
}

bool PicturePlayer::refreshImageItem(int index) {
    if (!imageItem(index)) return false;
    paintImageItem(index, nullptr);
    return true;
}

void PicturePlayer::setImageItem(int index, std::optional<ByteView> bytes, std::optional<int> x, std::optional<int> y,
                                 std::optional<int> width, std::optional<int> height) {
    if (!imageItem(index)) return;
    ImageItem& item = imageItems_[static_cast<std::size_t>(index - 1)];
    paintImageRect(itemRect(item), nullptr, true);
    if (bytes) item.image.assign(bytes->begin(), bytes->end());
    item.x = x.value_or(item.x);
    item.y = y.value_or(item.y);
    item.width = width.value_or(item.width);
    item.height = height.value_or(item.height);
    paintImageItem(index, nullptr);
}

// ---- Text items --------------------------------------------------------------------

namespace {

// The look of a text item: every value given replaces the item's own.
void takeTextStyle(TextItem& item, const TextItemValues& values) {
    item.fontName = values.fontName.value_or(item.fontName);
    item.fontSize = values.fontSize.value_or(item.fontSize);
    item.fontStyle = values.fontStyle.value_or(item.fontStyle);
    item.textColor = values.textColor.value_or(item.textColor);
    item.glow = values.glow.value_or(item.glow);
    item.halo = values.halo.value_or(item.halo);
    item.effectColor = values.effectColor.value_or(item.effectColor);
    item.alignment = values.alignment.value_or(item.alignment);
    item.lineAlignment = values.lineAlignment.value_or(item.lineAlignment);
}

}  // namespace

const TextItem* PicturePlayer::textItem(int index) const {
    return index >= 1 && index <= textItemCount() ? &textItems_[static_cast<std::size_t>(index - 1)] : nullptr;
}

int PicturePlayer::addTextItem(const std::string& text, const TextItemValues& values) {
    TextItem item;
    item.text = text;
    takeTextStyle(item, values);
    const int x = values.x.value_or(0);
    const int y = values.y.value_or(0);
    const int width = values.width ? *values.width
                                   : measureTextWidth(text.c_str(), item.fontName.c_str(), item.fontSize, item.fontStyle);
    const int height = values.height.value_or(item.fontSize + 5);
    item.rect = RECT{x, y, x + width, y + height};
    textItems_.push_back(std::move(item));
    return textItemCount();
}

std::string PicturePlayer::getTextItemText(int index) const {
    const TextItem* item = textItem(index);
    return item ? item->text : std::string();
}

bool PicturePlayer::refreshTextItem(int index) {
    if (!textItem(index)) return false;
    paintTextItem(index, nullptr);
    return true;
}

bool PicturePlayer::setTextItem(int index, const TextItemValues& values) {
    if (!textItem(index)) return false;
    TextItem& item = textItems_[static_cast<std::size_t>(index - 1)];
    paintImageRect(item.rect, nullptr, true);
    item.text = values.text.value_or(item.text);
    takeTextStyle(item, values);
    RECT& r = item.rect;
    r.left = values.x.value_or(r.left);
    r.top = values.y.value_or(r.top);
    if (values.width) r.right = r.left + *values.width;
    if (values.height) r.bottom = r.top + *values.height;
    paintTextItem(index, nullptr);
    return true;
}

void PicturePlayer::paintTextItem(int index, GxGraphics* batch) {
    const TextItem* item = textItem(index);
    if (!item) return;
    auto draw = [this, item](GxGraphics& graphics) { drawText(graphics, *item); };
    if (batch) draw(*batch);
    else paintItemAlone(item->rect, draw);
}

void PicturePlayer::drawText(GxGraphics& graphics, const TextItem& item) {
    const GxRectF layout(f(item.rect.left), f(item.rect.top), f(item.rect.right - item.rect.left),
                         f(item.rect.bottom - item.rect.top));
    const auto alignment = static_cast<GxStringFormat::Alignment>(item.alignment);
    const auto lineAlignment = static_cast<GxStringFormat::Alignment>(item.lineAlignment);
    if (item.halo) {
        drawHaloText(graphics, item.text.c_str(), layout,
                     {item.textColor, item.effectColor, 1, item.fontName, item.fontSize, item.fontStyle, alignment,
                      lineAlignment});
        return;
    }
    if (item.glow) {
        drawGlowText(graphics, item.text.c_str(), layout, item.textColor, item.effectColor, 4,
                     {item.fontName.c_str(), item.fontStyle, f(item.fontSize), alignment, lineAlignment});
        return;
    }
    GxFont font;
    if (!font.CreateByName(item.fontName.c_str(), f(item.fontSize), item.fontStyle)) return;
    GxStringFormat format;
    format.Create();
    format.SetAlignment(alignment);
    format.SetLineAlignment(lineAlignment);
    GxSolidBrush brush;
    brush.Create(toArgb(item.textColor, 255));
    graphics.DrawString(item.text.c_str(), font, brush, layout, &format);
}

}  // namespace skin
