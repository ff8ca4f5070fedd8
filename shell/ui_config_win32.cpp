// The configuration-file update and the control-settings copy on Win32: whole-file reads and a
// replacement through a temporary file in the same folder.
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/installer_state.h"
#include "common/bounded_path.h"
#include "common/file_attributes.h"
#include "common/file_replace.h"
#include "shell/ui_config.h"
#include "shell/ui_config_edit.h"

namespace {

constexpr char kUseBmpFont = '1';  // the installed product draws Chinese from bitmaps
constexpr char kControlSettingsVariant = '2';
constexpr long kMostUiConfigBytes = 0x1000000;  // far beyond any real configuration file

// Reads the whole file at `path` into a new malloc'ed buffer (`*bytes`, freed by the caller).
// False for a missing, unreadable or implausibly large file.
bool ReadWholeFile(const char* path, char** bytes, size_t* length) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return false;
  bool ok = false;
  char* buffer = nullptr;
  long size = -1;
  if (fseek(file, 0, SEEK_END) == 0) size = ftell(file);
  if (size >= 0 && size <= kMostUiConfigBytes && fseek(file, 0, SEEK_SET) == 0) {
    buffer = static_cast<char*>(malloc(size > 0 ? size : 1));
    ok = buffer != nullptr && fread(buffer, 1, size, file) == static_cast<size_t>(size);
  }
  fclose(file);
  if (!ok) {
    free(buffer);
    return false;
  }
  *bytes = buffer;
  *length = static_cast<size_t>(size);
  return true;
}

}  // namespace

int UpdateUiConfig() {
  char path[kPathCapacity];
  if (!FormatBounded(path, sizeof path, "%s\\velmarui.ini", InstallDir)) return 1;

  // A protected file cannot be replaced; clearing read-only is also what makes it writable.
  ClearProtection(path);

  char* text = nullptr;
  size_t length = 0;
  if (ReadWholeFile(path, &text, &length)) {
    size_t capacity = UiConfigEditCapacity(length);
    char* edited = capacity != 0 ? static_cast<char*>(malloc(capacity)) : nullptr;
    size_t editedLength = 0;
    if (edited != nullptr &&
        EditUiConfig(text, length, kUseBmpFont, ForceLanguage, edited, capacity, &editedLength) &&
        (editedLength != length || memcmp(edited, text, length) != 0)) {
      WriteWholeFile(path, edited, editedLength);
    }
    free(edited);
    free(text);
  }

  // Read-only and hidden again, as the payload writer left it; a missing file stays missing.
  DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES)
    SetAttributes(path, (attributes & ~FILE_ATTRIBUTE_NORMAL) | kProtectionBits);
  return 1;
}

void CopyControlSettings() {
  char source[kPathCapacity];
  char destination[kPathCapacity];
  if (!FormatBounded(source, sizeof source, "%sSCtrlSet%c.bin", InstallerFolder,
                     kControlSettingsVariant))
    return;
  if (_access(source, 0) != 0) return;
  if (!FormatBounded(destination, sizeof destination, "%sSCtrlSet%c.bin", WindowsFolder,
                     kControlSettingsVariant))
    return;
  // The copy overwrites an earlier one in place once it is no longer protected; the earlier copy
  // is not deleted first, so a failed copy does not lose it.
  ClearProtection(destination);
  CopyFileA(source, destination, FALSE);
}
