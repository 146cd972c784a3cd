// Key presses on the focused window, processed by the run time's message handling as
// the user's would be. Shift can be held down in the thread's key state (Shift+Tab).
#pragma once

#include <windows.h>

#include "runtime/Services.h"

namespace testing {

inline void pressKey(UINT key, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    const HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    runtime::delayWithMessages(50);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

}  // namespace testing
