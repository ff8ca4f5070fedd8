// Read-only and hidden attributes of installed files on Win32.
#include "common/file_attributes.h"

void ClearProtection(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kProtectionBits) == 0) return;
  // What fails here shows in the replacement or deletion that follows, which cannot proceed.
  const DWORD rest = attributes & ~kProtectionBits;
  SetFileAttributesA(path, rest == 0 ? FILE_ATTRIBUTE_NORMAL : rest);
}
