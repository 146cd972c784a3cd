// Process entry of the installer.
#include <windows.h>

#include "app/Wizard.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return app::runInstaller(); }
