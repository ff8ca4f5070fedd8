// DLLs taken from the system folder only. The Installer is usually run from a folder full of
// other downloads; a DLL there with the name of one it loads would run with the user's rights.
// Its file therefore imports only DLLs that Windows always takes from its system folder
// (kernel32, user32, gdi32, advapi32, shell32, ole32, msvcrt), and loads every other one here, by
// its full path in the system folder.
#pragma once

#include <windows.h>

// Restricts the search for every DLL loaded from now on to the system folder: through
// SetDefaultDllDirectories where the system has it, else by taking the current folder out of
// the search with SetDllDirectoryA(""), where that exists. The Installer's first act.
void RestrictDllSearch();

// The procedure `name` of the DLL `library` ("comctl32.dll") loaded from the system folder, or
// null. The DLL stays loaded until the process ends.
FARPROC SystemProcedure(const char* library, const char* name);
