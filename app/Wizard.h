// The wizard's event handlers and the installer's start-up.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "runtime/Form.h"

namespace app {

// Hook points of the skin set-up; empty until it fills them.
struct SkinHooks {
    std::function<void()> startUp;                         // start-up step 2, before the window exists
    std::function<void(runtime::Form&)> configureWindow;  // first action of the window's created handler
};
SkinHooks& skinHooks();

// Every event binding of WizardWindow.
std::span<const runtime::EventBinding> wizardBindings();

// The installed application below the chosen directory, with exactly one backslash
// between the directory and the product folder.
std::string applicationPath(std::string_view directory);

// The process entry of the application code: start-up, message loop, 0.
int runInstaller();

}  // namespace app
