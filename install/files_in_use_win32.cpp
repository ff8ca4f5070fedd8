// Files that the installation run would replace and that another program holds open (the product
// running, a dictionary it holds), found before anything is written.
#include <windows.h>

#include "common/bounded_path.h"
#include "common/file_attributes.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "install/install_manifest.h"
#include "install/installation_run.h"
#include "install/manifest_walk.h"
#include "install/stale_dictionaries.h"

namespace {

// Whether another program holds the file `path` open: it cannot be opened for writing without
// sharing, which also refuses a running program's file. A read-only file could not be opened for
// writing by anyone: its flag is lifted for the moment of the check and put back. Nothing is
// written, and a missing file or a folder is held by no one.
bool HeldOpen(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (readOnly) SetAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY);
  HANDLE file =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  const bool held = file == INVALID_HANDLE_VALUE;
  if (!held) CloseHandle(file);
  if (readOnly) SetAttributes(path, attributes);
  return held;
}

// The name of the first file that the run will replace or sweep and that another program holds,
// into `name`; false when there is none.
bool FindFileInUse(bool keepOldWordBase, char (&name)[kPathCapacity]) {
  char path[kPathCapacity];
  for (size_t i = 0; i < kInstallManifestRows; ++i) {
    const ManifestRow row = ManifestRowAt(i);
    if (!FormatBounded(path, sizeof path, "%s\\%s", InstallDir, row.fileName)) continue;
    const bool exists = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    if (RunWritesRow(row, keepOldWordBase, exists) && HeldOpen(path))
      return FormatBounded(name, sizeof name, "%s", row.fileName);
  }
  for (int i = 0; i < kStaleDictionaryCount; ++i) {
    if (StaleDictionaryPath(InstallDir, i, path, sizeof path) && HeldOpen(path))
      return FormatBounded(name, sizeof name, "%s", path + FindLastBackslash(path, nullptr) + 1);
  }
  return false;
}

}  // namespace

bool CheckFilesInUse(bool keepOldWordBase) {
  char name[kPathCapacity], chinese[kPathCapacity + 64], english[kPathCapacity + 64];
  while (FindFileInUse(keepOldWordBase, name)) {
    if (!FormatBounded(chinese, sizeof chinese, kMsgFileInUse.chinese, name) ||
        !FormatBounded(english, sizeof english, kMsgFileInUse.english, name) ||
        Notify({chinese, english, kMsgFileInUse.buttons}, WizardWindow) != IDYES)
      return false;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
  }
  return true;
}
