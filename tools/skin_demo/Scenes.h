// The scenes of the skin demo: each builds its child controls into the framed window
// before the window is skinned, so the skin takes them over as it does in the installer.
#pragma once

#include <windows.h>

#include "skin/SkinCore.h"

namespace demo {

struct DemoWindow {
    HWND hwnd = nullptr;
    skin::SkinEngine& engine;
    int backgroundMode = 3;
    skin::FrameOptions options;  // what skinWindow is given; a scene may change it

    // A child control at (x, y) with the given class, text and style (WS_CHILD |
    // WS_VISIBLE are added).
    HWND add(const char* className, const char* text, DWORD style, int x, int y, int w, int h, int id = 0,
             DWORD exStyle = 0);
};

// Runs after skinWindow: for what only a skinned window accepts.
using AfterSkin = void (*)(DemoWindow& window);

struct Scene {
    const char* name;
    const char* description;
    void (*build)(DemoWindow& window);
    AfterSkin afterSkin;  // may be null
};

// One per Scene<Name>.cpp.
void buildFrameScene(DemoWindow& window);
void finishFrameScene(DemoWindow& window);
void buildPanelsScene(DemoWindow& window);
void finishPanelsScene(DemoWindow& window);
void buildRangeScene(DemoWindow& window);
void finishRangeScene(DemoWindow& window);
void buildControlsScene(DemoWindow& window);
void finishControlsScene(DemoWindow& window);
void buildContainersScene(DemoWindow& window);
void finishContainersScene(DemoWindow& window);
void showMessageBoxScene(DemoWindow& window);

}  // namespace demo
