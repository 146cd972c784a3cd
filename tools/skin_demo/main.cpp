// The skin demo: a framed window that shows one scene of skinned controls.
// Usage: skin_demo.exe [SCENE [MODE [READYFILE]]]
//   SCENE      a name from the table below (default "frame")
//   MODE       background mode 0-4 of the backdrop picture (default 3)
//   READYFILE  when given, the demo writes the window's screen rectangle "x y w h" there
//              once the window has painted, and closes when the file is deleted (for
//              scripts/skin-screens.sh)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Scenes.h"
#include "assets/Assets.h"
#include "runtime/Services.h"

namespace demo {

namespace {

const Scene scenes[] = {
    {"frame", "caption buttons, status bar, push, glass, picture, check and radio buttons, background modes",
     buildFrameScene, finishFrameScene},
    {"panels", "picture panels: shape, glow, gradient, image and text items; the animation playing",
     buildPanelsScene, finishPanelsScene},
    {"controls-range", "trackbars (one hovered), progress bars at 0, half and full, up-downs", buildRangeScene,
     finishRangeScene},
    {"controls", "edits, combo boxes, list box, tree view, list view with header icons, hot and not",
     buildControlsScene, finishControlsScene},
    {"containers", "a tinted group box with controls, a keyed toolbar, a button that shows a skinned message box",
     buildContainersScene, finishContainersScene},
    {"messagebox", "the containers scene with its skinned message box shown", buildContainersScene,
     showMessageBoxScene},
};

constexpr UINT_PTR readyTimer = 1;
std::string readyFile;
bool announced = false;

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Polls the ready file: written once after the first paints, the window closes when
// the script has deleted it.
void CALLBACK readyTick(HWND hwnd, UINT, UINT_PTR, DWORD) {
    if (!announced) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        if (FILE* f = std::fopen(readyFile.c_str(), "w")) {
            std::fprintf(f, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
            std::fclose(f);
            announced = true;
        }
        return;
    }
    if (!fileExists(readyFile)) DestroyWindow(hwnd);
}

LRESULT CALLBACK demoProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

HWND DemoWindow::add(const char* className, const char* text, DWORD style, int x, int y, int w, int h, int id,
                     DWORD exStyle) {
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                   nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

}  // namespace demo

int main(int argc, char** argv) {
    using namespace demo;
    const char* sceneName = argc > 1 ? argv[1] : "frame";
    const Scene* scene = nullptr;
    for (const Scene& s : scenes)
        if (std::strcmp(s.name, sceneName) == 0) scene = &s;
    if (!scene) {
        std::fprintf(stderr, "usage: skin_demo [SCENE [MODE [READYFILE]]]\nscenes:\n");
        for (const Scene& s : scenes) std::fprintf(stderr, "  %-16s %s\n", s.name, s.description);
        return 2;
    }
    const int mode = argc > 2 ? std::atoi(argv[2]) : 3;
    if (argc > 3) readyFile = argv[3];

    skin::SkinEngine engine;
    skin::initSkinModule();
    engine.setSkinBackground("", ImgBackdrop.bytes(), std::nullopt, 0x0051AE51, mode);
    engine.configure(1, 0);

    const int w = 640, h = 460;
    const char* demoClass = runtime::registerWindowClass("VelmoraSkinDemo", demoProc, CS_DBLCLKS);
    HWND hwnd = CreateWindowExA(0, demoClass, "Velmora 皮肤演示", WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                                (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w,
                                h, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    DemoWindow window{hwnd, engine, mode, {}};
    window.options.hasHelpButton = 1;
    window.options.hasMenuButton = 1;
    window.options.statusBarHeight = 25;
    scene->build(window);
    engine.skinWindow(hwnd, 80, window.options);
    if (scene->afterSkin) scene->afterSkin(window);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    if (!readyFile.empty()) SetTimer(hwnd, readyTimer, 800, readyTick);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    skin::releaseAllSkinState();
    return 0;
}
