// Setting a framed window up: its record, caption buttons, background and caption
// style, and the process-wide skin settings.
#include <algorithm>

#include "assets/Assets.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/Installers.h"
#include "skin/frame/FramePainting.h"
#include "skin/frame/FramePictures.h"

namespace skin {

namespace {

constexpr COLORREF defaultThemeColor = 0x00DDCA22;

Bytes copyOf(const ByteSet& bytes) { return Bytes(bytes.data(), bytes.data() + bytes.size()); }
Bytes copyOf(ByteView bytes) { return Bytes(bytes.begin(), bytes.end()); }

CaptionButton makeButton(CaptionKind kind, int width, const ByteSet& glyph, const char* tooltip) {
    CaptionButton button;
    button.width = width;
    button.height = 18;
    button.kind = kind;
    button.glyph = copyOf(glyph);
    button.tooltip = tooltip;
    return button;
}

int stripWidth(const std::vector<CaptionButton>& buttons) {
    int width = 0;
    for (const CaptionButton& button : buttons) width += button.width;
    return width + static_cast<int>(buttons.size()) - 1 + 3;
}

// The window's background picture and its colour, prepared for mode.
void takeWindowBackground(SkinRecord& record, ByteView image) {
    const PictureSource source{nullptr, image};
    record.backColor = averageColor(source, 2000);
    record.backImage = prepareBackground(source, record.backMode, record.backColor);
}

}  // namespace

void SkinEngine::skinWindow(HWND hwnd, int captionHeight, const FrameOptions& options) {
    captionButtonMargin = 3;
    if (!IsWindow(hwnd) || findSkinIndex(hwnd)) return;
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    RECT client{};
    GetClientRect(hwnd, &client);

    auto record = std::make_unique<SkinRecord>();
    record->hwnd = hwnd;
    record->captionHeight = std::max(captionHeight, 25);
    record->hasHelpButton = options.hasHelpButton.value_or(0);
    record->hasMenuButton = options.hasMenuButton.value_or(0);
    record->hasMinimizeButton = (style & WS_MINIMIZEBOX) ? 1 : 0;
    record->hasMaximizeButton = (style & WS_MAXIMIZEBOX) ? 1 : 0;
    record->hasCloseButton = 1;
    record->hasCaption = options.hasCaption.value_or(1);
    record->sizable = options.sizable.value_or(1);
    record->drawCaptionText = options.drawCaptionText.value_or(1);
    record->captionOption = options.captionOption.value_or(0);
    record->backMode = options.backMode.value_or(skinBackMode);
    if (!options.backImage.empty()) takeWindowBackground(*record, options.backImage);

    auto& buttons = record->captionButtons;
    if (record->hasHelpButton) buttons.push_back(makeButton(captionHelp, 26, CaptionHelpGlyph, "帮助"));
    if (record->hasMenuButton) buttons.push_back(makeButton(captionMenu, 26, CaptionMenuGlyph, "主菜单"));
    if (record->hasMinimizeButton)
        buttons.push_back(makeButton(captionMinimize, 26, CaptionMinimizeGlyph, "最小化"));
    if (record->hasMaximizeButton) {
        buttons.push_back(makeButton(captionMaximize, 26, CaptionMaximizeGlyph, "最大化"));
        buttons.back().altGlyph = copyOf(CaptionRestoreGlyph);
    }
    buttons.push_back(makeButton(captionClose, 38, CaptionCloseGlyph, "关闭"));
    record->buttonStrip.width = stripWidth(buttons);
    record->buttonStrip.height = 22;
    record->buttonStrip.y = 0;
    record->buttonStrip.x = (client.right - client.left) - 3 - record->buttonStrip.width - 2;

    SetWindowLongA(hwnd, GWL_STYLE, style | WS_SYSMENU);
    // The records keep it in place, and only the procedure set up last can release it.
    SkinRecord& added = *record;
    const int skinIndex = addSkinRecord(std::move(record));

    added.tooltip.create(hwnd);
    for (std::size_t i = 0; i < added.captionButtons.size(); ++i) {
        const FloatRect& r = added.captionButtons[i].rect;
        const RECT tool{static_cast<LONG>(r.x), static_cast<LONG>(r.y), static_cast<LONG>(r.x + r.width),
                        static_cast<LONG>(r.y + r.height)};
        added.tooltip.addTool(tool, added.captionButtons[i].tooltip.c_str(), static_cast<int>(i) + 1);
    }
    layoutCaptionButtons(skinIndex);

    if (options.statusBarHeight.value_or(0) > 0) {
        setupStatusBar(skinIndex, *options.statusBarHeight, options.statusItems);
        added.statusSecondOption = 0;
        added.statusTextColor = 0x00FFFFFF;
        added.statusFontName = "宋体";
        added.statusFontSize = 12;
    }
    layoutStatusBar(skinIndex);

    skinChildControls(skinIndex, hwnd);
    added.frameDirty = 1;
    subclassSkinnedWindow(skinIndex, frameProcEntry);
    // A window skinned while it shows is painted at its next paint.
    InvalidateRect(hwnd, nullptr, FALSE);
}

bool SkinEngine::addCaptionButton(HWND hwnd, ByteView glyph, const char* tooltip, ClickHandler handler) {
    const int skinIndex = getPropInt(hwnd, prop::index);
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return false;
    CaptionButton button;
    button.width = 26;
    button.height = 18;
    button.kind = captionCustom;
    button.glyph = copyOf(glyph);
    button.tooltip = tooltip ? tooltip : "";
    button.handler = handler;
    record->captionButtons.insert(record->captionButtons.begin(), std::move(button));
    record->buttonStrip.width += 27;
    record->tooltip.addTool(RECT{}, record->captionButtons.front().tooltip.c_str(),
                            static_cast<int>(record->captionButtons.size()));
    layoutCaptionButtons(skinIndex);
    record->frameDirty = 1;
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
}

bool SkinEngine::setCaptionStyle(HWND hwnd, std::optional<std::string> fontName, std::optional<int> fontSize,
                                 std::optional<COLORREF> textColor, std::optional<COLORREF> shadowColor,
                                 std::optional<int> fontStyle) {
    const int skinIndex = getPropInt(hwnd, prop::index);
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return false;
    if (fontName) record->captionFontName = *fontName;
    if (fontSize) record->captionFontSize = *fontSize;
    if (textColor) record->captionTextColor = *textColor;
    if (shadowColor) record->captionShadowColor = *shadowColor;
    if (fontStyle) record->captionFontStyle = *fontStyle;
    paintCaptionText(skinIndex);
    return true;
}

bool SkinEngine::setWindowBackground(HWND hwnd, ByteView image, std::optional<int> mode) {
    SkinRecord* record = recordAt(getPropInt(hwnd, prop::index));
    if (!record || image.empty()) return false;
    if (mode) record->backMode = *mode;
    takeWindowBackground(*record, image);
    record->frameDirty = 1;
    InvalidateRect(hwnd, nullptr, FALSE);
    return true;
}

void SkinEngine::setSkinBackground(const char* fileName, ByteView bytes, std::optional<COLORREF> backColor,
                                   std::optional<COLORREF> theme, std::optional<int> mode) {
    const bool themeFollows = theme == themeFromBackground;
    if (!themeFollows) themeColor = theme.value_or(defaultThemeColor);
    const PictureSource source{fileName, bytes};
    skinBackMode = mode.value_or(backMirrorTiled);
    if (source.empty()) {
        skinBackImage.clear();
        skinBackColor = backColor.value_or(GetSysColor(COLOR_BTNFACE));
    } else {
        skinBackColor = backColor ? *backColor : averageColor(source, 2000);
        skinBackImage = prepareBackground(source, skinBackMode, skinBackColor);
    }
    if (themeFollows) themeColor = skinBackColor & 0x00FFFFFF;
    for (int i = 1; i <= skinRecords.count(); ++i) {
        HWND window = recordAt(i)->hwnd;
        if (!IsWindowVisible(window)) continue;
        paintFrame(i);
        InvalidateRect(window, nullptr, FALSE);
        invalidateChildren(window);
        invalidateHeaders(i);
    }
}

void SkinEngine::configure(int enabled, std::optional<int> alpha, std::optional<int> frame) {
    skinningEnabled = enabled;
    veilAlpha = alpha.value_or(160);
    transparentControls = alpha ? 1 : 0;
    trackbarFrame = frame.value_or(1);
}

bool SkinEngine::setHelpHandler(HWND hwnd, ClickHandler handler) {
    SkinRecord* record = recordOf(hwnd);
    if (!record) return false;
    record->helpHandler = handler;
    return true;
}

bool SkinEngine::setMenuHandler(HWND hwnd, ClickHandler handler) {
    SkinRecord* record = recordOf(hwnd);
    if (!record) return false;
    record->menuHandler = handler;
    return true;
}

bool SkinEngine::setStatusItem(HWND hwnd, int item, const char* text, std::optional<ByteView> image,
                               std::optional<int> width) {
    const int skinIndex = findSkinIndex(hwnd);
    SkinRecord* record = recordAt(skinIndex);
    if (!record || item < 1 || item > static_cast<int>(record->statusItems.size())) return false;
    StatusItem& entry = record->statusItems[static_cast<std::size_t>(item - 1)];
    entry.text = text ? text : "";
    if (image) entry.image = copyOf(*image);
    if (width) {
        entry.width = *width;
        layoutStatusBar(skinIndex);
        for (int i = 1; i <= static_cast<int>(record->statusItems.size()); ++i) paintStatusItem(skinIndex, nullptr, i);
    } else {
        paintStatusItem(skinIndex, nullptr, item);
    }
    return true;
}

bool SkinEngine::setStatusStyle(HWND hwnd, std::optional<int> alignment, std::optional<int> option,
                                std::optional<int> secondOption, std::optional<COLORREF> textColor,
                                std::optional<std::string> fontName, std::optional<int> fontSize) {
    const int skinIndex = findSkinIndex(hwnd);
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return false;
    record->statusAlignment = alignment.value_or(1);
    record->statusOption = option.value_or(0);
    record->statusSecondOption = secondOption.value_or(0);
    record->statusTextColor = textColor.value_or(0x00FFFFFF);
    if (fontName) record->statusFontName = *fontName;
    if (fontSize) record->statusFontSize = *fontSize;
    for (int i = 1; i <= static_cast<int>(record->statusItems.size()); ++i) paintStatusItem(skinIndex, nullptr, i);
    return true;
}

RECT SkinEngine::getButtonStripRect(HWND hwnd) {
    const SkinRecord* record = recordOf(hwnd);
    if (!record) return RECT{};
    const IntRect& s = record->buttonStrip;
    return RECT{s.x, s.y, s.x + s.width, s.y + s.height};
}

void SkinEngine::layoutDockedWindows(int skinIndex) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return;
    RECT client{};
    GetClientRect(record->hwnd, &client);
    for (const DockedWindow& docked : record->dockedWindows)
        if (docked.window)
            MoveWindow(docked.window, 2, docked.top, client.right - 4,
                       client.bottom - docked.top - record->statusBarHeight - 3, TRUE);
}

void SkinEngine::setControlTextColor(HWND control, COLORREF colour) {
    if (isClass(control, "ComboBox")) {
        control = FindWindowExA(control, nullptr, "Edit", nullptr);
        if (!control) return;
    }
    setProp(control, prop::textColor, static_cast<INT_PTR>(colour));
}

COLORREF SkinEngine::getSkinBackColor() const noexcept { return skinBackColor; }

bool SkinEngine::setCaptionGlyphs(HWND hwnd, std::optional<ByteView> minimize, std::optional<ByteView> maximize,
                                  std::optional<ByteView> restore, std::optional<ByteView> close) {
    const int skinIndex = findSkinIndex(hwnd);
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return false;
    auto find = [record](CaptionKind kind) -> CaptionButton* {
        for (CaptionButton& button : record->captionButtons)
            if (button.kind == kind) return &button;
        return nullptr;
    };
    if (CaptionButton* b = find(captionMinimize); b && minimize) b->glyph = copyOf(*minimize);
    if (CaptionButton* b = find(captionMaximize); b && maximize) b->glyph = copyOf(*maximize);
    if (CaptionButton* b = find(captionMaximize); b && restore) b->altGlyph = copyOf(*restore);
    if (CaptionButton* b = find(captionClose); b && close) b->glyph = copyOf(*close);
    for (int i = 1; i <= static_cast<int>(record->captionButtons.size()); ++i) paintCaptionButton(skinIndex, i);
    return true;
}

}  // namespace skin
