// Input as the user gives it to a form: clicks on buttons that show and are enabled, and
// key presses processed by the run time's message handling.
#pragma once

#include <doctest.h>
#include <windows.h>

#include "runtime/Form.h"
#include "runtime/Services.h"

namespace testing {

// A click the user could give: the button shows and is enabled.
inline void clickAsUser(runtime::Form& form, const char* name) {
    const HWND button = form.control(name).hwnd();
    INFO("clicking " << name);
    REQUIRE(IsWindowVisible(button));
    REQUIRE(IsWindowEnabled(button));
    SendMessageA(button, BM_CLICK, 0, 0);
}

// A key pressed on the focused window; Shift can be held down in the thread's key state
// (Shift+Tab).
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
