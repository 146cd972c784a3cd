// Glass and picture buttons: push buttons the engine gives pictures of their own.
#include <string>

#include "skin/Primitives.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/Buttons.h"

namespace skin {

namespace {

Bytes copyOf(ByteView bytes) { return Bytes(bytes.begin(), bytes.end()); }

std::string windowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), length + 1)));
    return text;
}

// The button's entry in the record of the skinned window it sits in; a button that
// is not skinned yet gets a new entry and the button procedure.
ButtonSkin* engineButton(HWND button) {
    if (!IsWindow(button) || !isClass(button, "Button")) return nullptr;
    if (isSubclassed(button)) return locate(button, &SkinRecord::buttons).entry;
    const int skinIndex = skinIndexOfAncestor(GetParent(button));
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return nullptr;
    const int controlIndex = record->buttons.takeEntry();
    ButtonSkin& entry = *record->buttons.at(controlIndex);
    entry.hwnd = button;
    const WindowFont font = getWindowFont(button);
    entry.fontName = font.faceName;
    entry.fontSize = font.size ? font.size : 12;
    entry.fontStyle = font.style;
    entry.tooltip.create(button);
    entry.oldProc = subclassControl(button, buttonProc, controlIndex, skinIndex);
    return &entry;
}

// What both kinds share once their pictures are in place.
void finishEngineButton(HWND button, ButtonSkin& entry, const char* tooltip) {
    entry.text = windowText(button);
    if (tooltip && *tooltip) {
        if (!entry.tooltip.handle()) entry.tooltip.create(button);
        RECT client{};
        GetClientRect(button, &client);
        entry.tooltip.addTool(client, tooltip, 1);
    }
    SetWindowLongPtrA(button, GWL_STYLE, GetWindowLongPtrA(button, GWL_STYLE) | BS_OWNERDRAW);
    InvalidateRect(button, nullptr, FALSE);
}

}  // namespace

bool SkinEngine::makeGlassButton(HWND button, ByteView image, int value, const char* tooltip) {
    ButtonSkin* entry = engineButton(button);
    if (!entry) return false;
    entry->kind = glassButtonKind;
    entry->picture = copyOf(image);
    entry->pictureBeside = value;
    finishEngineButton(button, *entry, tooltip);
    return true;
}

bool SkinEngine::makePictureButton(HWND button, ByteView normal, ByteView hot, ByteView pressed, ByteView disabled,
                                   const char* tooltip) {
    ButtonSkin* entry = engineButton(button);
    if (!entry) return false;
    entry->kind = pictureButtonKind;
    entry->picture = copyOf(normal);
    entry->hotPicture = copyOf(hot);
    entry->pressedPicture = copyOf(pressed);
    entry->disabledPicture = copyOf(disabled);
    finishEngineButton(button, *entry, tooltip);
    return true;
}

}  // namespace skin
