// DLLs taken from the system folder only, on Win32.
#include "common/system_libraries.h"

#include "common/bounded_path.h"

namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32, which older SDK headers lack.
constexpr DWORD kSearchSystemFolder = 0x00000800;

FARPROC KernelProcedure(const char* name) {
  return GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
}

}  // namespace

void RestrictDllSearch() {
  using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
  using SetDirectory = BOOL(WINAPI*)(LPCSTR);
  auto setDefault = reinterpret_cast<SetDefaultDirectories>(
      reinterpret_cast<void*>(KernelProcedure("SetDefaultDllDirectories")));
  if (setDefault != nullptr && setDefault(kSearchSystemFolder)) return;
  auto setDirectory =
      reinterpret_cast<SetDirectory>(reinterpret_cast<void*>(KernelProcedure("SetDllDirectoryA")));
  if (setDirectory != nullptr) setDirectory("");
}

FARPROC SystemProcedure(const char* library, const char* name) {
  char folder[kPathCapacity], path[kPathCapacity];
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return nullptr;
  if (!FormatBounded(path, sizeof path, "%s\\%s", folder, library)) return nullptr;
  HMODULE module = GetModuleHandleA(path);
  if (module == nullptr) module = LoadLibraryA(path);
  return module != nullptr ? GetProcAddress(module, name) : nullptr;
}
