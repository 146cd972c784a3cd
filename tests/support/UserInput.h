// Input as the user gives it to a form: clicks on buttons that show and are enabled, and
// the real-input helpers handing messages on as the run time's message loop does.
#pragma once

#include <doctest.h>
#include <windows.h>

#include "runtime/Form.h"
#include "runtime/Services.h"
#include "support/RealInput.h"

namespace testing {

// Set before main runs, so that every wait of a form test processes Tab as the run time does.
inline const bool formInput = (input::dispatcher = runtime::dispatchMessage, true);

// A click the user could give: the button shows and is enabled.
inline void clickAsUser(runtime::Form& form, const char* name) {
    const HWND button = form.control(name).hwnd();
    INFO("clicking " << name);
    REQUIRE(IsWindowVisible(button));
    REQUIRE(IsWindowEnabled(button));
    SendMessageA(button, BM_CLICK, 0, 0);
}

}  // namespace testing
