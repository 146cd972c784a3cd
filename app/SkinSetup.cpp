#include "app/SkinSetup.h"

#include <array>
#include <memory>

#include "app/Wizard.h"
#include "assets/Assets.h"
#include "runtime/Form.h"
#include "runtime/Services.h"
#include "skin/SkinCore.h"
#include "skin/panels/PicturePlayer.h"

namespace app {

namespace {

constexpr COLORREF kThemeColor = RGB(81, 174, 81);
constexpr COLORREF kLabelKeyColor = RGB(255, 0, 255);  // the form's background of 标签1, 标签3, 标签5
constexpr int kBackgroundMode = skin::backStretched;

// The program-wide skin objects: the engine and the page panel and the two animations.
struct SkinObjects {
    std::unique_ptr<skin::SkinEngine> engine;
    std::array<std::unique_ptr<skin::PicturePlayer>, 3> players;
};

SkinObjects& objects() {
    static SkinObjects state;
    return state;
}

// Runs once, when the run time ends the program. The players stop their animation
// threads and release their pictures before the engine shuts GDI+ down.
void releaseSkin() {
    SkinObjects& state = objects();
    for (auto& player : state.players) player.reset();
    skin::releaseAllSkinState();
    state.engine.reset();
    skin::windowlessPainter = nullptr;
    runtime::windowlessChanged = nullptr;
}

void startSkin() {
    SkinObjects& state = objects();
    state.engine = std::make_unique<skin::SkinEngine>();
    for (auto& player : state.players) player = std::make_unique<skin::PicturePlayer>();
    runtime::atExit(releaseSkin);
    skin::windowlessPainter = runtime::drawWindowlessText;
    runtime::windowlessChanged = skin::windowlessChanged;
    skin::initSkinModule();
}

void skinWizardWindow(runtime::Form& form) {
    SkinObjects& state = objects();
    skin::SkinEngine& engine = *state.engine;
    engine.setSkinBackground("", ImgBackdrop.bytes(), std::nullopt, kThemeColor, kBackgroundMode);
    engine.configure(1, 0);
    skin::FrameOptions frame;
    frame.hasCaption = 1;
    frame.sizable = 0;
    frame.drawCaptionText = 1;
    frame.captionOption = 0;
    frame.statusBarHeight = 25;
    engine.skinWindow(form.hwnd(), 110, frame);
    // The frame drags the window by its client area and needs the client mouse messages.
    form.setDragByClientArea(false);

    skin::PicturePlayer& pages = *state.players[0];
    pages.attach(form.control("选择夹1").hwnd(), skin::panelShape::roundRect, 5, 1, 0, {}, 3);
    pages.setGradient(5, RGB(255, 255, 255), 50, RGB(0, 0, 0), 80);

    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (const char* label : {"标签1", "标签3", "标签5"})
        engine.registerKeyedContainer(form.control(label).hwnd(), kLabelKeyColor, face, 0);
    HWND group = form.control("分组框1").hwnd();
    engine.registerContainer(group, 1, face, 0);
    engine.setContainerAlpha(group, 0);

    const struct {
        std::size_t player;
        const char* panel;
        int width, height;
    } animations[] = {{1, "画板1", 110, 140}, {2, "画板2", 150, 150}};
    for (const auto& a : animations) {
        skin::PicturePlayer& player = *state.players[a.player];
        player.attach(form.control(a.panel).hwnd(), skin::panelShape::roundRect, 5, 0);
        player.play(ImgAnimation.bytes(), 0, 0, a.width, a.height);
    }

    // The skin answers the controls' colour requests with their skin text colour: give
    // them the colours of the form, or every label and button would be drawn in black.
    for (const auto& control : form.controls())
        if (control->hwnd()) engine.setControlTextColor(control->hwnd(), control->desc().textColor);
}

}  // namespace

void useInstallerSkin() {
    SkinHooks& hooks = skinHooks();
    hooks.startUp = startSkin;
    hooks.configureWindow = skinWizardWindow;
    runtime::setMessageBoxHook(skin::installCbtHook);
}

}  // namespace app
