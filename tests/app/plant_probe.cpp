// Loads msimg32 by name with no protection, as a delay-loaded import would: the planting
// test's proof that its set-up makes a planted copy beside a program load.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return LoadLibraryA("msimg32.dll") != nullptr ? 0 : 1; }
