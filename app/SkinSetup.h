// Binds the installer to the skin: the program-wide skin objects, the skin of the
// wizard window, skinned message boxes, and the release of all of it at exit.
#pragma once

namespace app {

// Fills the installer's skin hook points (start-up, the window's created handler and
// every message box). Call before runInstaller.
void useInstallerSkin();

}  // namespace app
