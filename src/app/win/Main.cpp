// Trellimux's entry point. The main window is not built yet: the program
// starts and ends at once with exit code 0.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
