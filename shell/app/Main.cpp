// Lumora Teacher.exe: the framework's WinMain (framework/AppMain.cpp) runs the one application
// object, theApp. Both live in libraries, and the C runtime asks for WinMain only after the
// libraries have been searched, so this file names them: the linker then takes the entry, the
// application object and the program-wide objects defined beside it.
#include "shell/WendmarkApp.h"

extern "C" int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

extern int(WINAPI* const g_programEntry)(HINSTANCE, HINSTANCE, LPSTR, int);
int(WINAPI* const g_programEntry)(HINSTANCE, HINSTANCE, LPSTR, int) = &WinMain;

extern CWendmarkApp* const g_programApp;
CWendmarkApp* const g_programApp = &theApp;
