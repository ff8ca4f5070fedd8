// The file writer on Win32: payload files written with their attributes, installed files deleted.
#include <windows.h>

#include "common/installer_state.h"
#include "common/bounded_path.h"
#include "common/file_attributes.h"
#include "common/file_replace.h"
#include "common/step_times.h"
#include "common/system_libraries.h"
#include "install/payload.h"

bool ExtractPayload(uint16_t resourceId, const char* fileName, void* buffer, uint32_t capacity,
                    bool readOnly, bool hidden) {
  uint32_t length = 0;
  {
    StepTimer timer(kStepInflate);
    if (!DecompressPayload(resourceId, buffer, capacity, &length)) return false;
  }
  StepTimer timer(kStepWrite);
  return WriteInstallFile(fileName, buffer, length, readOnly, hidden);
}

bool WriteInstallFile(const char* fileName, const void* data, uint32_t length, bool readOnly,
                      bool hidden) {
  char path[kPathCapacity];
  if (!FormatBounded(path, sizeof path, "%s\\%s", InstallDir, fileName)) return false;

  // Through a temporary file made with the file's flags: a failed write leaves the earlier copy
  // whole, never a cut file, and the finished file is never seen without its flags.
  const DWORD attributes =
      (readOnly ? FILE_ATTRIBUTE_READONLY : 0) | (hidden ? FILE_ATTRIBUTE_HIDDEN : 0);
  return WriteWholeFile(path, data, length, attributes);
}

void DeleteInstallFile(const char* path) {
  ClearProtection(path);
  WCHAR widePath[kPathCapacity];
  // A path that cannot be converted is not deleted under some other name.
  if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, kPathCapacity) == 0) return;
  // Windows 95, 98 and Me answer DeleteFileW with ERROR_CALL_NOT_IMPLEMENTED: there the ANSI
  // path, which named the same file, is deleted.
  using DeleteWide = BOOL(WINAPI*)(LPCWSTR);
  auto deleteWide = SystemProcedureOf<DeleteWide>("kernel32.dll", "DeleteFileW");
  if (deleteWide != nullptr && deleteWide(widePath)) return;
  if (deleteWide == nullptr || GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) DeleteFileA(path);
}
