// Read-only and hidden attributes of installed files on Win32.
#include "common/file_attributes.h"

void SetAttributes(const char* path, DWORD attributes) {
  if ((attributes & kProtectionBits) == kProtectionBits)
    SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(path, attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes);
}

void ClearProtection(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kProtectionBits) != 0)
    SetAttributes(path, attributes & ~kProtectionBits);
}
