// Entry point of Ordalis.exe. The show command is not used: the window's
// state comes from its stored placement.
#include <windows.h>

#include "app/app_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The whole command line: its first argument, the program, is skipped.
  return App_Main(instance, GetCommandLineA());
}
