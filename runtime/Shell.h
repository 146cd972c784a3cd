// Shell services of the window run time: the desktop folder, shortcuts, URLs.
#pragma once

#include <string>

namespace runtime {

// The current user's desktop directory with a trailing backslash; empty when the
// shell cannot tell (the folder is not created).
std::string desktopDirectory();

// Saves a shell link at shortcutPath that starts targetPath with a normal window.
// COM must be initialised on the calling thread.
bool createShortcut(const std::string& shortcutPath, const std::string& targetPath);

// Hands the URL to the shell's "open" verb; failures (no handler) are silent.
void openUrl(const std::string& url);

}  // namespace runtime
