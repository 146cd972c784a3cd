// Input as the user gives it to a form: clicks on buttons that show and are enabled, and
// key presses on the keyboard.
#pragma once

#include <doctest.h>
#include <windows.h>

#include "runtime/Form.h"
#include "runtime/Services.h"
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

// A key pressed and released on the keyboard, Shift held around it when asked (Shift+Tab),
// processed by the run time's message loop, which moves the focus on Tab.
inline void pressKey(WORD key, bool shift = false) {
    input::sendKey(key, shift);
    for (int i = 0; i < 100 && GetQueueStatus(QS_INPUT) != 0; ++i) runtime::delayWithMessages(10);
    runtime::delayWithMessages(20);
}

}  // namespace testing
