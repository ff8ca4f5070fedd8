// What the Installer sees of a procedure it looked up in a system DLL: in the Installer, what the
// system gave (common/procedure_as_seen_win32.cpp). A test build that plays an older system
// compiles its own file in that one's place (tests/win32/variants/).
#pragma once

#include <windows.h>

// The procedure `name` of `library` as the Installer is to see it, `found` being what the
// system gave (null where it lacks it).
FARPROC ProcedureAsSeen(const char* library, const char* name, FARPROC found);
