// The frame scene: every caption button kind, a status bar with three items, push,
// check and radio buttons, and five buttons that switch the background mode.
#include "Scenes.h"

#include <cstdio>
#include <string>

#include "assets/Assets.h"

namespace demo {

namespace {

constexpr int modeButtonId = 100;
skin::SkinEngine* sceneEngine = nullptr;
HWND sceneWindow = nullptr;

void customCaptionClick() {
    if (sceneEngine) sceneEngine->setStatusItem(sceneWindow, 1, "自定义按钮");
}

// The frame's own procedure is the skin's; mode buttons reach the scene through a
// subclass of the frame window's class procedure.
WNDPROC classProc = nullptr;

LRESULT CALLBACK sceneProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) >= modeButtonId && LOWORD(wParam) < modeButtonId + 5) {
        const int mode = LOWORD(wParam) - modeButtonId;
        sceneEngine->setSkinBackground("", ImgBackdrop.bytes(), std::nullopt, 0x0051AE51, mode);
        const std::string text = "背景模式 " + std::to_string(mode);
        sceneEngine->setStatusItem(hwnd, 2, text.c_str());
    }
    return CallWindowProcA(classProc, hwnd, message, wParam, lParam);
}

}  // namespace

void buildFrameScene(DemoWindow& window) {
    sceneEngine = &window.engine;
    sceneWindow = window.hwnd;
    classProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sceneProc)));

    window.add("Button", "普通按钮", BS_PUSHBUTTON, 30, 100, 96, 28);
    window.add("Button", "默认按钮", BS_DEFPUSHBUTTON, 140, 100, 96, 28);
    window.add("Button", "不可用", BS_PUSHBUTTON | WS_DISABLED, 250, 100, 96, 28);
    window.add("Button", "复选框", BS_AUTOCHECKBOX, 30, 150, 110, 22);
    HWND checked = window.add("Button", "已选中", BS_AUTOCHECKBOX, 150, 150, 110, 22);
    SendMessageA(checked, BM_SETCHECK, BST_CHECKED, 0);
    window.add("Button", "单选一", BS_AUTORADIOBUTTON | WS_GROUP, 30, 185, 110, 22);
    HWND radio = window.add("Button", "单选二", BS_AUTORADIOBUTTON, 150, 185, 110, 22);
    SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
    window.add("Button", "玻璃按钮", BS_PUSHBUTTON, 30, 230, 110, 32, 90);
    window.add("Button", "", BS_PUSHBUTTON, 150, 234, 30, 22, 91);
    for (int mode = 0; mode < 5; ++mode) {
        char label[32];
        std::snprintf(label, sizeof(label), "模式 %d", mode);
        window.add("Button", label, BS_PUSHBUTTON, 30 + 84 * mode, 300, 76, 26, modeButtonId + mode);
    }
    std::string modeText = "背景模式 " + std::to_string(window.backgroundMode);
    window.options.statusItems = {{"就绪", {}, 160}, {modeText, {}, 140}, {"Velmora 2.0", {}, -1}};
}

void finishFrameScene(DemoWindow& window) {
    window.engine.addCaptionButton(window.hwnd, CheckOnGlyph.bytes(), "自定义", customCaptionClick);
    window.engine.makeGlassButton(GetDlgItem(window.hwnd, 90), CheckOnGlyph.bytes(), 1, "玻璃按钮");
    window.engine.makePictureButton(GetDlgItem(window.hwnd, 91), CaptionHelpGlyph.bytes(), CaptionMenuGlyph.bytes(),
                                    {}, {}, "图片按钮");
}

}  // namespace demo
