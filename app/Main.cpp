// Process entry of the installer.
#include <windows.h>

#include "app/SkinSetup.h"
#include "app/Wizard.h"
#include "runtime/Services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    runtime::restrictDllSearch();
    app::useInstallerSkin();
    return app::runInstaller();
}
