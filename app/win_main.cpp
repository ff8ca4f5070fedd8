// The Installer's entry point: the whole command line is read for the silent mode; the show
// command is not used.
#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunInstaller(instance, GetCommandLineA());
}
