// Process entry of the installer.
#include <windows.h>

#include "app/SkinSetup.h"
#include "app/Wizard.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    app::useInstallerSkin();
    return app::runInstaller();
}
