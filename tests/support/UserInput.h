// Input as the user gives it to a form: clicks on buttons that show and are enabled, and
// key presses on the keyboard.
#pragma once

#include <doctest.h>
#include <windows.h>

#include "runtime/Form.h"
#include "support/RealInput.h"

namespace testing {

// A click the user could give: the button shows and is enabled.
inline void clickAsUser(runtime::Form& form, const char* name) {
    const HWND button = form.control(name).hwnd();
    INFO("clicking " << name);
    REQUIRE(IsWindowVisible(button));
    REQUIRE(IsWindowEnabled(button));
    SendMessageA(button, BM_CLICK, 0, 0);
}

// A key pressed and released on the keyboard, Shift held around it when asked (Shift+Tab);
// it reaches the focused window of the foreground window.
inline void pressKey(WORD key, bool shift = false) { input::key(key, shift); }

}  // namespace testing
