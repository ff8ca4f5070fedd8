// What an installation run changes in InstallDir, recorded so that a failed run can undo it, on
// Win32.
#include <windows.h>

#include "common/file_replace.h"
#include "common/installer_state.h"
#include "install/kept_copies.h"
#include "install/payload.h"
#include "install/stale_dictionaries.h"

namespace {

// One change of the run: the owner's earlier copy kept aside, its file written anew, or both.
struct RunChange {
  short owner;
  bool kept;
  bool written;
};
// A run keeps at most every stale dictionary and writes at most every manifest file.
constexpr int kMostRunChanges = kStaleDictionaryCount + static_cast<int>(kInstallManifestRows);
RunChange runChanges[kMostRunChanges];
int runChangeCount;

// Puts the kept copy back in its file's place; a file of that name written by the run goes
// first. A copy that cannot go back (the file held open) stays kept, never deleted.
void PutBack(const char* target, const char* keptCopy) {
  if (GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES) DeleteInstallFile(target);
  MoveFileA(keptCopy, target);
}

}  // namespace

void RepairKilledRun() {
  runChangeCount = 0;
  // The folder is listed whole before anything in it is moved: a listing of a folder that
  // changes meanwhile may pass names over.
  short owners[kMostRunChanges + 1];
  int ownerCount = 0;
  bool temporaryLeft = false;
  char pattern[kPathCapacity], target[kPathCapacity], keptCopy[kPathCapacity];
  if (!FormatBounded(pattern, sizeof pattern, "%s\\%s*", InstallDir, kSetupFilePrefix)) return;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    temporaryLeft |= lstrcmpiA(found.cFileName, kTemporaryFileName) == 0;
    const int owner = KeptCopyOwnerOf(found.cFileName);
    if (owner >= 0 && ownerCount <= kMostRunChanges)
      owners[ownerCount++] = static_cast<short>(owner);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  if (temporaryLeft &&
      FormatBounded(target, sizeof target, "%s\\%s", InstallDir, kTemporaryFileName))
    DiscardFile(target);
  // A kept copy exists only while its run had not succeeded: whatever stands at its file's name
  // was written by that run. Only the configuration edit's copy is the run's own new file: it
  // goes back only where the edit left no file, and never over the earlier release's copy,
  // which may have gone back before it.
  for (int i = 0; i < ownerCount; ++i) {
    if (!KeptCopyPaths(InstallDir, owners[i], target, keptCopy, kPathCapacity)) continue;
    if (owners[i] == kUiConfigOwner && GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES)
      DiscardFile(keptCopy);
    else
      PutBack(target, keptCopy);
  }
}

bool KeepAside(int owner) {
  char target[kPathCapacity], keptCopy[kPathCapacity];
  if (!KeptCopyPaths(InstallDir, owner, target, keptCopy, kPathCapacity)) return false;
  const DWORD attributes = GetFileAttributesA(target);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      GetFileAttributesA(keptCopy) != INVALID_FILE_ATTRIBUTES || !MoveFileA(target, keptCopy))
    return false;
  RecordChange(owner, true, false);
  return true;
}

void RecordChange(int owner, bool kept, bool written) {
  if (runChangeCount < kMostRunChanges)
    runChanges[runChangeCount++] = {static_cast<short>(owner), kept, written};
}

void CommitRun() {
  char target[kPathCapacity], keptCopy[kPathCapacity];
  for (int i = 0; i < runChangeCount; ++i)
    if (runChanges[i].kept &&
        KeptCopyPaths(InstallDir, runChanges[i].owner, target, keptCopy, kPathCapacity))
      DeleteInstallFile(keptCopy);
  runChangeCount = 0;
}

void RollBackRun() {
  char target[kPathCapacity], keptCopy[kPathCapacity];
  for (int i = runChangeCount - 1; i >= 0; --i) {
    const RunChange& change = runChanges[i];
    if (!KeptCopyPaths(InstallDir, change.owner, target, keptCopy, kPathCapacity)) continue;
    if (change.kept)
      PutBack(target, keptCopy);
    else if (change.written)
      DeleteInstallFile(target);
  }
  runChangeCount = 0;
}
