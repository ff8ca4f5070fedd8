// DLLs taken from the system folder only, and the calls that some Windows lacks, on Win32.
#include "common/system_libraries.h"

#include "common/bounded_path.h"
#include "common/installer_state.h"
#include "common/procedure_as_seen.h"
#include "common/system_calls.h"

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

}  // namespace

void RestrictDllSearch() {
  auto setDefault = SystemCall<kernel32::SetDefaultDllDirectories>();
  if (setDefault != nullptr && setDefault(kSearchSystemFolder)) return;
  if (auto setDirectory = SystemCall<kernel32::SetDllDirectoryA>()) setDirectory("");
}

FARPROC SystemProcedure(const char* library, const char* name) {
  return ProcedureAsSeen(library, name, LoadedProcedure(library, name));
}

FARPROC WideSystemProcedure(const char* library, const char* name) {
  return IsWinNT ? SystemProcedure(library, name) : nullptr;
}
