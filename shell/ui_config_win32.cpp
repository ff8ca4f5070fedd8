// The configuration-file update and the control-settings copy on Win32: whole-file reads and a
// replacement through a temporary file in the same folder.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "common/installer_state.h"
#include "common/bounded_path.h"
#include "common/file_attributes.h"
#include "common/file_replace.h"
#include "common/plain_files.h"
#include "common/wide_paths.h"
#include "shell/ui_config.h"
#include "shell/ui_config_edit.h"

namespace {

constexpr char kUseBmpFont = '1';  // the installed product draws Chinese from bitmaps
constexpr char kControlSettingsVariant = '2';
constexpr size_t kMostUiConfigBytes = 0x1000000;  // far beyond any real configuration file

}  // namespace

bool UpdateUiConfig(const char* keptName) {
  char path[kPathCapacity];
  if (!FormatBounded(path, sizeof path, "%s\\%s", InstallDir, kUiConfigFileName)) return false;

  char* text = nullptr;
  size_t length = 0;
  if (!ReadWholeFile(path, kMostUiConfigBytes, &text, &length)) return false;
  size_t capacity = UiConfigEditCapacity(length);
  char* edited = capacity != 0 ? static_cast<char*>(malloc(capacity)) : nullptr;
  size_t editedLength = 0;
  bool done = edited != nullptr && EditUiConfig(text, length, kUseBmpFont, ForceLanguage, edited,
                                                capacity, &editedLength);
  // Written read-only and hidden, as the payload writer left it.
  if (done && (editedLength != length || memcmp(edited, text, length) != 0))
    done = WriteWholeFile(path, edited, editedLength, kProtectionBits, keptName);
  free(edited);
  free(text);
  return done;
}

void CopyControlSettings() {
  // The source is beside the Installer, which may have been started from a folder that the ANSI
  // code page cannot spell: wide.
  char name[16], destination[kPathCapacity];
  WidePath source, windows, wideDestination;
  if (!FormatBounded(name, sizeof name, "SCtrlSet%c.bin", kControlSettingsVariant) ||
      !WidePathWith(InstallerFolder, nullptr, name, source) ||
      WideFileAttributes(source) == INVALID_FILE_ATTRIBUTES)
    return;
  if (!FormatBounded(destination, sizeof destination, "%s%s", WindowsFolder, name) ||
      !WidenAnsi(WindowsFolder, windows, kPathCapacity) ||
      !WidePathWith(windows, nullptr, name, wideDestination))
    return;
  // The copy overwrites an earlier one in place once it is no longer protected; the earlier copy
  // is not deleted first, so a failed copy does not lose it.
  ClearProtection(destination);
  CopyWideFile(source, wideDestination);
}
