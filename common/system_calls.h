// Every function the Installer looks up at run time instead of importing it
// (common/system_libraries.h says why), declared once, under the DLL it comes from, with its type
// taken from the SDK's own declaration: a call site names the function and gets a pointer of
// exactly that type, or null where the system lacks it, so a wrong argument list does not
// compile.
//   if (auto freeSpace = SystemCall<kernel32::GetDiskFreeSpaceExA>()) freeSpace(...);
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include "common/system_libraries.h"

// The run-time call `name` of the DLL whose namespace holds it: its SDK type and its names.
#define K7_SYSTEM_CALL(name)                                \
  struct name {                                             \
    using Type = decltype(&::name);                         \
    static constexpr const char* library = kLibraryName;    \
    static constexpr const char* procedure = #name;         \
  };

namespace kernel32 {
inline constexpr char kLibraryName[] = "kernel32.dll";
// The DLL search: Windows 8 (and 7 or Vista with their update), Windows XP SP1.
K7_SYSTEM_CALL(SetDefaultDllDirectories)
K7_SYSTEM_CALL(SetDllDirectoryA)
// The free space beyond 2 GB: Windows 95 OSR2 and NT 4.0.
K7_SYSTEM_CALL(GetDiskFreeSpaceExA)
// The wide calls: the NT platform. Windows 95, 98 and Me have most of them only as stubs that fail.
K7_SYSTEM_CALL(CopyFileW)
K7_SYSTEM_CALL(CreateDirectoryW)
K7_SYSTEM_CALL(CreateFileW)
K7_SYSTEM_CALL(DeleteFileW)
K7_SYSTEM_CALL(GetCommandLineW)
K7_SYSTEM_CALL(GetCurrentDirectoryW)
K7_SYSTEM_CALL(GetFileAttributesW)
K7_SYSTEM_CALL(GetFullPathNameW)
K7_SYSTEM_CALL(GetModuleFileNameW)
K7_SYSTEM_CALL(GetWindowsDirectoryW)
}  // namespace kernel32

namespace user32 {
inline constexpr char kLibraryName[] = "user32.dll";
K7_SYSTEM_CALL(GetDlgItemTextW)  // the NT platform
}  // namespace user32

namespace advapi32 {
inline constexpr char kLibraryName[] = "advapi32.dll";
K7_SYSTEM_CALL(GetUserNameW)  // the NT platform
}  // namespace advapi32

// DLLs that a folder beside the Installer could stand in for: never imported.
namespace shell32 {
inline constexpr char kLibraryName[] = "shell32.dll";
// The shell's folder lookup: the Windows 95 shell (Windows 95, NT 4.0), not NT 3.51.
K7_SYSTEM_CALL(SHGetMalloc)
K7_SYSTEM_CALL(SHGetSpecialFolderLocation)
K7_SYSTEM_CALL(SHGetPathFromIDListA)
K7_SYSTEM_CALL(SHGetPathFromIDListW)  // the NT platform
}  // namespace shell32

namespace comctl32 {
inline constexpr char kLibraryName[] = "comctl32.dll";
K7_SYSTEM_CALL(InitCommonControls)
}  // namespace comctl32

namespace comdlg32 {
inline constexpr char kLibraryName[] = "comdlg32.dll";
K7_SYSTEM_CALL(GetOpenFileNameA)
}  // namespace comdlg32

#undef K7_SYSTEM_CALL

// The run-time call `Call` (kernel32::GetDiskFreeSpaceExA), or null where the system lacks it.
template <typename Call>
typename Call::Type SystemCall() {
  return reinterpret_cast<typename Call::Type>(
      reinterpret_cast<void*>(SystemProcedure(Call::library, Call::procedure)));
}

// The wide call `Call` on the NT platform; null elsewhere and where it is missing.
template <typename Call>
typename Call::Type WideSystemCall() {
  return reinterpret_cast<typename Call::Type>(
      reinterpret_cast<void*>(WideSystemProcedure(Call::library, Call::procedure)));
}
