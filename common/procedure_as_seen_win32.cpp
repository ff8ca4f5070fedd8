// What the Installer sees of a procedure it looked up, on Win32: what the system gave.
#include "common/procedure_as_seen.h"

FARPROC ProcedureAsSeen(const char*, const char*, FARPROC found) { return found; }
