// DLLs taken from the system folder only, and every call that some Windows the Installer runs on
// lacks. The Installer is usually run from a folder full of other downloads; a DLL there with the
// name of one it loads would run with the user's rights. Its file therefore imports only DLLs
// that Windows always takes from its system folder (kernel32, user32, gdi32, advapi32, ole32),
// and from them only functions that the first Windows 95 and NT 4.0 have
// (common/system_imports.txt lists them with the oldest systems that have them). Every other
// DLL, and every newer function, is looked up here, by the DLL's full path in the system folder,
// and its caller has a fallback for the systems that lack it.
#pragma once

#include <windows.h>

// Restricts the search for every DLL loaded from now on to the system folder: through
// SetDefaultDllDirectories where the system has it, else by taking the current folder out of
// the search with SetDllDirectoryA(""), where that exists. The Installer's first act.
void RestrictDllSearch();

// The procedure `name` of the DLL `library` ("comctl32.dll") loaded from the system folder, or
// null where the system lacks it. The DLL stays loaded until the process ends.
FARPROC SystemProcedure(const char* library, const char* name);

// SystemProcedure on the NT platform, null elsewhere: for a wide call, which Windows 95, 98 and Me
// have only as a stub that fails, or not at all.
FARPROC WideSystemProcedure(const char* library, const char* name);

// Call sites name the procedure in common/system_calls.h, which gives it its SDK type.
