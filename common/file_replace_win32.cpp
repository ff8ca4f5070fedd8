// Whole files written through a temporary file and moved into place, on Win32.
#include "common/file_replace.h"

#include <cstdio>
#include <cstring>

#include "common/bounded_path.h"
#include "common/file_attributes.h"
#include "common/installer_state.h"

namespace {

// The temporary file beside `path`: its folder (up to the last "\") and kTemporaryFileName.
bool TemporaryPathBeside(const char* path, char (&temporary)[kPathCapacity]) {
  long slash = FindLastBackslash(path, IsAnsiLeadByte);
  if (slash < 0) return false;
  int folderLength = static_cast<int>(slash);
  return FormatBounded(temporary, sizeof temporary, "%.*s\\%s", folderLength, path,
                       kTemporaryFileName);
}

}  // namespace

bool WriteWholeFile(const char* path, const void* data, size_t length,
                    MoveFileExFunction moveFileEx) {
  char temporary[kPathCapacity];
  if (!TemporaryPathBeside(path, temporary)) return false;
  FILE* file = fopen(temporary, "wb");
  if (file == nullptr) return false;
  size_t written = length == 0 ? 0 : fwrite(data, 1, length, file);
  // A close that cannot flush the last bytes loses data just as a short write does.
  bool closed = fclose(file) == 0;
  if (written != length || !closed) {
    DeleteFileA(temporary);
    return false;
  }
  return ReplaceWithFile(path, temporary, moveFileEx);
}

bool ReplaceWithFile(const char* target, const char* temporary, MoveFileExFunction moveFileEx) {
  // A protected earlier copy cannot be replaced.
  ClearProtection(target);
  if (moveFileEx(temporary, target, MOVEFILE_REPLACE_EXISTING)) return true;
  if (GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
    DeleteFileA(target);
    if (MoveFileA(temporary, target)) return true;
  }
  DeleteFileA(temporary);
  return false;
}
