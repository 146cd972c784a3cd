// The panels scene: a rounded, glowing, gradient-filled panel with image and text items
// (plain, glowing and haloed text), and a plain panel playing the embedded animation as
// the installer's drawing panels do.
#include "Scenes.h"

#include "assets/Assets.h"
#include "runtime/Services.h"
#include "skin/panels/PicturePlayer.h"

namespace demo {

namespace {

// Players live as long as the program, as the installer's do.
skin::PicturePlayer itemPanel;
skin::PicturePlayer animationPanel;
HWND itemWindow = nullptr;
HWND animationWindow = nullptr;

// Panels are plain windows that draw nothing themselves (the class installers leave
// them alone).
const char* panelClass() { return runtime::registerWindowClass("VelmoraDemoPanel", DefWindowProcA); }

}  // namespace

void buildPanelsScene(DemoWindow& window) {
    itemWindow = window.add(panelClass(), "", 0, 20, 96, 380, 250);
    animationWindow = window.add(panelClass(), "", 0, 420, 96, 200, 250);
}

void finishPanelsScene(DemoWindow&) {
    itemPanel.attach(itemWindow, skin::panelShape::roundRect, 0, 1);
    itemPanel.setLayout(0, 10, 0x00603010, 220);
    itemPanel.setGradient(6, 0x00FFF4E8, 200, 0x00E0A060, 160);
    itemPanel.setBorderColor(0x00805020, 200);
    itemPanel.addImageItem(CheckOnGlyph.bytes(), 26, 30);
    itemPanel.addTextItem("普通文字：图片面板", {.x = 50, .y = 28, .fontSize = 14, .textColor = 0x00402010});
    itemPanel.addTextItem("发光文字", {.x = 26, .y = 80, .fontSize = 22, .textColor = 0x00502000, .glow = 1,
                                   .effectColor = 0x00FFFFFF});
    itemPanel.addTextItem("描边文字", {.x = 26, .y = 130, .fontSize = 22, .textColor = 0x00FFFFFF,
                                   .effectColor = 0x00402000, .halo = 1});
    itemPanel.addTextItem("居中 · 底部对齐", {.x = 14, .y = 170, .width = 352, .height = 56, .fontSize = 13,
                                          .textColor = 0x00402010, .alignment = 1, .lineAlignment = 2});
    itemPanel.addImageItem(ImgTutorial0.bytes(), 230, 74, 120, 90);
    animationPanel.attach(animationWindow, skin::panelShape::roundRect, 5, 0);
    animationPanel.play(ImgAnimation.bytes(), 25, 50, 150, 150);
}

}  // namespace demo
