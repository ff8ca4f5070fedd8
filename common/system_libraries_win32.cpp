// DLLs taken from the system folder only, and the calls that some Windows lacks, on Win32.
#include "common/system_libraries.h"

#include "common/bounded_path.h"

#ifdef K7_AS_WINDOWS_95
#include <commdlg.h>
#endif

namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32, which older SDK headers lack.
constexpr DWORD kSearchSystemFolder = 0x00000800;

FARPROC LoadedProcedure(const char* library, const char* name) {
  char folder[kPathCapacity], path[kPathCapacity];
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return nullptr;
  if (!FormatBounded(path, sizeof path, "%s\\%s", folder, library)) return nullptr;
  HMODULE module = GetModuleHandleA(path);
  if (module == nullptr) module = LoadLibraryA(path);
  return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

#ifdef K7_AS_WINDOWS_95
// A test build of the Installer (never the shipped one) that meets what the first Windows 95
// gives it: no kernel32 call newer than that system (every kernel32 function looked up here is
// newer than some system the Installer runs on); DeleteFileW present but failing, as its stub
// does, here with an error code that says nothing of a stub (the platform decides); and a
// GetOpenFileNameA that knows only the 76-byte request of its comdlg32.
BOOL WINAPI DeleteFileWOn95(LPCWSTR) {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

using OpenFileName = BOOL(WINAPI*)(void*);
OpenFileName systemOpenFileName;

// Any size but the SDK's OPENFILENAME_SIZE_VERSION_400A (76 bytes in the PE32 Installer) is
// refused, as CDERR_STRUCTSIZE, and nothing opens.
BOOL WINAPI GetOpenFileNameOn95(void* request) {
  if (*static_cast<const DWORD*>(request) != OPENFILENAME_SIZE_VERSION_400A) return FALSE;
  return systemOpenFileName(request);
}

FARPROC AsOnWindows95(const char* library, const char* name, FARPROC found) {
  if (lstrcmpiA(library, "comdlg32.dll") == 0 && found != nullptr) {
    systemOpenFileName = reinterpret_cast<OpenFileName>(reinterpret_cast<void*>(found));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(GetOpenFileNameOn95));
  }
  if (lstrcmpiA(library, "kernel32.dll") != 0) return found;
  if (lstrcmpA(name, "DeleteFileW") == 0)
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(DeleteFileWOn95));
  return nullptr;
}
#else
FARPROC AsOnWindows95(const char*, const char*, FARPROC found) { return found; }
#endif

}  // namespace

void RestrictDllSearch() {
  using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
  using SetDirectory = BOOL(WINAPI*)(LPCSTR);
  auto setDefault =
      SystemProcedureOf<SetDefaultDirectories>("kernel32.dll", "SetDefaultDllDirectories");
  if (setDefault != nullptr && setDefault(kSearchSystemFolder)) return;
  auto setDirectory = SystemProcedureOf<SetDirectory>("kernel32.dll", "SetDllDirectoryA");
  if (setDirectory != nullptr) setDirectory("");
}

FARPROC SystemProcedure(const char* library, const char* name) {
  return AsOnWindows95(library, name, LoadedProcedure(library, name));
}
