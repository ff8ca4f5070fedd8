// The file writer on Win32: payload files written with their attributes, installed files deleted.
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "common/installer_state.h"
#include "common/bounded_path.h"
#include "common/file_attributes.h"
#include "install/payload.h"

bool ExtractPayload(uint16_t resourceId, const char* fileName, void* buffer, uint32_t capacity,
                    bool readOnly, bool hidden) {
  uint32_t length = 0;
  if (!DecompressPayload(resourceId, buffer, capacity, &length)) return false;
  return WriteInstallFile(fileName, buffer, length, readOnly, hidden);
}

bool WriteInstallFile(const char* fileName, const void* data, uint32_t length, bool readOnly,
                      bool hidden) {
  char path[kPathCapacity];
  if (!FormatBounded(path, sizeof path, "%s\\%s", InstallDir, fileName)) return false;

  if (_access(path, 0) == 0) ClearProtection(path);

  FILE* file = fopen(path, "wb");
  if (file == nullptr) return false;
  size_t written = length == 0 ? 0 : fwrite(data, 1, length, file);
  // A close that cannot flush the last bytes loses data just as a short write does.
  bool closed = fclose(file) == 0;
  if (written != length || !closed) return false;

  if (!readOnly && !hidden) return true;
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) attributes = 0;
  attributes &= ~FILE_ATTRIBUTE_NORMAL;
  if (readOnly) attributes |= FILE_ATTRIBUTE_READONLY;
  if (hidden) attributes |= FILE_ATTRIBUTE_HIDDEN;
  SetAttributes(path, attributes);
  return true;
}

void DeleteInstallFile(const char* path) {
  ClearProtection(path);
  WCHAR widePath[kPathCapacity];
  // A path that cannot be converted is not deleted under some other name.
  if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, kPathCapacity) == 0) return;
  DeleteFileW(widePath);
}
