// A test build of the Installer (never the shipped one) that meets what the first Windows 95
// gives it: no kernel32 call newer than that system (every kernel32 function looked up here is
// newer than some system the Installer runs on); DeleteFileW present but failing, as its stub
// does, here with an error code that says nothing of a stub (the platform decides); and a
// GetOpenFileNameA that knows only the 76-byte request of its comdlg32.
// Compiled in place of common/procedure_as_seen_win32.cpp.
#include "common/procedure_as_seen.h"

#include "common/system_calls.h"

namespace {

BOOL WINAPI DeleteFileWOn95(LPCWSTR) {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

comdlg32::GetOpenFileNameA::Type systemOpenFileName;

// Any size but the SDK's OPENFILENAME_SIZE_VERSION_400A (76 bytes in the PE32 Installer) is
// refused, as CDERR_STRUCTSIZE, and nothing opens.
BOOL WINAPI GetOpenFileNameOn95(LPOPENFILENAMEA request) {
  if (request->lStructSize != OPENFILENAME_SIZE_VERSION_400A) return FALSE;
  return systemOpenFileName(request);
}

}  // namespace

FARPROC ProcedureAsSeen(const char* library, const char* name, FARPROC found) {
  if (lstrcmpiA(library, "comdlg32.dll") == 0 && found != nullptr) {
    systemOpenFileName =
        reinterpret_cast<comdlg32::GetOpenFileNameA::Type>(reinterpret_cast<void*>(found));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(GetOpenFileNameOn95));
  }
  if (lstrcmpiA(library, "kernel32.dll") != 0) return found;
  if (lstrcmpA(name, "DeleteFileW") == 0)
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(DeleteFileWOn95));
  return nullptr;
}
