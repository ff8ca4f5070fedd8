// The file writer on Win32: payload files written with their attributes, the earlier copies kept,
// installed files deleted.
#include <windows.h>

#include "common/bounded_path.h"
#include "common/file_attributes.h"
#include "common/file_replace.h"
#include "common/installer_state.h"
#include "common/step_times.h"
#include "common/system_calls.h"
#include "install/file_move.h"
#include "install/kept_copies.h"
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
  // The kept copy's name says whose it is: only the manifest's files are written.
  const int index = ManifestIndexNamed(fileName);
  if (index < 0) return false;
  const ManifestRow row = ManifestRowAt(static_cast<size_t>(index));
  const int owner = row.resourceId;
  char path[kPathCapacity], keptCopy[kPathCapacity], temporary[kPathCapacity];
  if (!KeptCopyPaths(InstallDir, owner, path, keptCopy, kPathCapacity) ||
      !PathBeside(path, kTemporaryFileName, temporary))
    return false;

  // Through a temporary file made with the file's flags and flushed to the disk: a failed write
  // leaves the earlier copy whole, never a cut file, and the finished file is never seen
  // without its flags. In a run the name is free (the run's transaction has kept the earlier
  // file aside); elsewhere an earlier file is moved aside and deleted once the new one is in.
  const DWORD attributes =
      (readOnly ? FILE_ATTRIBUTE_READONLY : 0) | (hidden ? FILE_ATTRIBUTE_HIDDEN : 0);
  if (!WriteTemporaryFile(temporary, data, length, attributes)) return false;
  bool kept = false;
  const bool replaced = ReplaceKeepingEarlierCopy(path, temporary, keptCopy, &kept, MoveFor(row));
  if (replaced && kept) DiscardFile(keptCopy);
  return replaced;
}

void DeleteInstallFile(const char* path) {
  ClearProtection(path);
  // Windows 95, 98 and Me have DeleteFileW only as a stub that fails: there the ANSI path, which
  // names the same file, is deleted. The platform decides; a stub's error code is only a second
  // sign, for a system that reports the NT platform without the wide call.
  auto deleteWide = WideSystemCall<kernel32::DeleteFileW>();
  WCHAR widePath[kPathCapacity];
  if (deleteWide != nullptr) {
    // A path that cannot be converted is not deleted under some other name.
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, kPathCapacity) == 0) return;
    if (deleteWide(widePath) || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return;
  }
  DeleteFileA(path);
}
