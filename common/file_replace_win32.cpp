// Whole files written through a temporary file and moved into place, on Win32.
#include "common/file_replace.h"

#include "common/file_attributes.h"
#include "common/installer_state.h"
#include "common/plain_files.h"

bool PathBeside(const char* path, const char* name, char (&beside)[kPathCapacity]) {
  long slash = FindLastBackslash(path, IsAnsiLeadByte);
  if (slash < 0) return false;
  int folderLength = static_cast<int>(slash);
  return FormatBounded(beside, sizeof beside, "%.*s\\%s", folderLength, path, name);
}

bool NoSuchFile(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool DiscardFile(const char* path) {
  ClearProtection(path);
  return DeleteFileA(path) || NoSuchFile(GetLastError());
}

bool WriteTemporaryFile(const char* temporary, const void* data, size_t length, DWORD attributes) {
  // Made hidden, then made read-only once written: a file system that keeps the hidden bit
  // apart from the read-only permission (Wine's) cannot record hidden on a file made read-only.
  const DWORD hidden = attributes & FILE_ATTRIBUTE_HIDDEN;
  const DWORD made = hidden != 0 ? hidden : FILE_ATTRIBUTE_NORMAL;
  if (!WriteNewFile(temporary, data, length, made, true)) {
    // One left by a killed run stands in the way (and truncating it would not give it the
    // attributes everywhere): it is deleted, and the file written once more.
    DiscardFile(temporary);
    if (!WriteNewFile(temporary, data, length, made, true)) {
      DiscardFile(temporary);
      return false;
    }
  }
  // A file without the flags it should have is as wrong as one without its bytes.
  if ((attributes & FILE_ATTRIBUTE_READONLY) && !SetFileAttributesA(temporary, attributes)) {
    DiscardFile(temporary);
    return false;
  }
  return true;
}

bool ReplaceKeepingEarlierCopy(const char* target, const char* temporary, const char* keptCopy,
                               bool* kept, FileMove move) {
  *kept = false;
  const DWORD earlier = GetFileAttributesA(target);
  // A folder of the file's name is not the file's earlier copy: it stays where it is.
  bool fits = earlier == INVALID_FILE_ATTRIBUTES || !(earlier & FILE_ATTRIBUTE_DIRECTORY);
  // The earlier copy goes aside whole, flags and all; a kept copy of that name is never
  // overwritten, since it may be the only copy of some file.
  if (fits && earlier != INVALID_FILE_ATTRIBUTES) {
    fits = !PathExists(keptCopy) && move(target, keptCopy);
    *kept = fits;
  }
  if (fits && move(temporary, target)) return true;
  // The earlier copy back in its place; should even that fail, it stays kept, and says so.
  if (*kept && move(keptCopy, target)) *kept = false;
  DiscardFile(temporary);
  return false;
}

bool WriteWholeFile(const char* path, const void* data, size_t length, DWORD attributes,
                    const char* keptName) {
  char temporary[kPathCapacity], keptCopy[kPathCapacity];
  if (!PathBeside(path, kTemporaryFileName, temporary) || !PathBeside(path, keptName, keptCopy))
    return false;
  bool kept = false;
  if (!WriteTemporaryFile(temporary, data, length, attributes) ||
      !ReplaceKeepingEarlierCopy(path, temporary, keptCopy, &kept))
    return false;
  if (kept) DiscardFile(keptCopy);
  return true;
}
