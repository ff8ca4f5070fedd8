// Files that the installation run would replace and that another program holds open (the product
// running, a dictionary it holds), found before anything is written, on Win32.
#include <windows.h>

#include "common/bounded_path.h"
#include "common/file_replace.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/scoped_handles.h"
#include "install/files_in_use.h"
#include "install/install_manifest.h"
#include "install/installation_run.h"
#include "install/manifest_walk.h"
#include "install/stale_dictionaries.h"

FileHold HoldOn(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return NoSuchFile(GetLastError()) ? FileHold::kFree : FileHold::kRefused;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileHold::kFree;
  const DWORD access = (attributes & FILE_ATTRIBUTE_READONLY) ? GENERIC_READ : GENERIC_WRITE;
  const FileHandle file(
      CreateFileA(path, access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.valid()) return FileHold::kFree;
  const DWORD error = GetLastError();
  if (NoSuchFile(error)) return FileHold::kFree;
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? FileHold::kInUse
                                                                           : FileHold::kRefused;
}

namespace {

// The first file that the run may replace or sweep and cannot, with its name in `name`: every
// manifest file (the word base's too: the question whether to keep it comes later) and every
// stale dictionary.
FileHold FindFileHeld(char (&name)[kPathCapacity]) {
  char path[kPathCapacity];
  for (size_t i = 0; i < kInstallManifestRows; ++i) {
    const ManifestRow row = ManifestRowAt(i);
    if (!FormatBounded(path, sizeof path, "%s\\%s", InstallDir, row.fileName)) continue;
    const FileHold hold = HoldOn(path);
    if (hold != FileHold::kFree)
      return FormatBounded(name, sizeof name, "%s", row.fileName) ? hold : FileHold::kRefused;
  }
  for (int i = 0; i < kStaleDictionaryCount; ++i) {
    if (!StaleDictionaryPath(InstallDir, i, path, sizeof path)) continue;
    const FileHold hold = HoldOn(path);
    if (hold != FileHold::kFree)
      return FormatBounded(name, sizeof name, "%s", path + FindLastBackslash(path, nullptr) + 1)
                 ? hold
                 : FileHold::kRefused;
  }
  return FileHold::kFree;
}

// The notice `text` formatted with the file's name, to the sink; -1 when it does not fit.
int NotifyNaming(const BilingualText& text, const char* name) {
  char chinese[kPathCapacity + 128], english[kPathCapacity + 128];
  if (!FormatBounded(chinese, sizeof chinese, text.chinese, name) ||
      !FormatBounded(english, sizeof english, text.english, name))
    return -1;
  return Notify({chinese, english, text.buttons}, WizardWindow);
}

}  // namespace

bool CheckFilesInUse() {
  char name[kPathCapacity];
  for (;;) {
    const FileHold hold = FindFileHeld(name);
    if (hold == FileHold::kFree) return true;
    // A refusal that closing a program does not lift is said once; the run ends.
    if (hold == FileHold::kRefused) {
      NotifyNaming(kMsgFileRefused, name);
      return false;
    }
    if (NotifyNaming(kMsgFileInUse, name) != IDYES) return false;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
  }
}
