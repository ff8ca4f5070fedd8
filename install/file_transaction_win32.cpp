// The installation run's changes as one transaction, recorded on the disk, on Win32.
#include "install/file_transaction.h"

#include <windows.h>

#include <cstdlib>

#include "common/bounded_path.h"
#include "common/file_replace.h"
#include "common/installer_state.h"
#include "common/plain_files.h"
#include "common/setup_file_names.h"
#include "install/files_in_use.h"
#include "install/install_manifest.h"
#include "install/kept_copies.h"
#include "install/manifest_walk.h"
#include "install/stale_dictionaries.h"
#include "shell/ui_config.h"

namespace {

// A record is small: a line for every manifest file, every stale dictionary and the scratch copy,
// and what an earlier run left. One of more than this many bytes was not written by a run.
constexpr size_t kMostRecordBytes = 0x40000;
constexpr int kMostRecordedChanges = kMostRecordBytes / 4;
// The first kept-copy name tried when a file's own (install/kept_copies.h) is taken.
constexpr int kFirstSpareKeptNumber = 600;
constexpr int kLastSpareKeptNumber = 999;

bool InFolder(const char* name, char (&path)[kPathCapacity]) {
  return FormatBounded(path, sizeof path, "%s\\%s", InstallDir, name);
}

// What stands at `name` in InstallDir. A failed look is never taken for "nothing there": the
// record is acted on only where the system said what is there.
enum Presence { kUnknown, kAbsent, kFile, kFolder };
Presence PresenceOf(const char* name) {
  char path[kPathCapacity];
  if (!InFolder(name, path)) return kUnknown;
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES)
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? kFolder : kFile;
  return NoSuchFile(GetLastError()) ? kAbsent : kUnknown;
}

// Deletes `name` in InstallDir; true when it is gone.
bool Remove(const char* name) {
  char path[kPathCapacity];
  return InFolder(name, path) && DiscardFile(path);
}

bool Move(const char* from, const char* to) {
  char fromPath[kPathCapacity], toPath[kPathCapacity];
  return InFolder(from, fromPath) && InFolder(to, toPath) && MoveFileA(fromPath, toPath);
}

// Puts the kept copy `kept` back as `name`. Whatever stands at `name` while the kept copy exists
// is the run's own file and goes first. True when the kept copy is no longer there (back in its
// place, or never made).
bool MoveBack(const char* kept, const char* name) {
  const Presence present = PresenceOf(kept);
  if (present != kFile) return present == kAbsent;
  if (Move(kept, name)) return true;
  return Remove(name) && Move(kept, name);
}

// Undoes one change of a run that did not finish.
bool Undo(const RecordedChange& change) {
  return change.kept != nullptr ? MoveBack(change.kept, change.name) : Remove(change.name);
}

// Finishes one change of a run that succeeded: its kept copy deleted while its file is in place,
// put back where the file is missing (it may be the only copy), its scratch copy deleted.
bool Finish(const RecordedChange& change) {
  if (change.kind == kChangeNew) return true;
  if (change.kind != kChangeKept) return Remove(change.kept != nullptr ? change.kept : change.name);
  const Presence present = PresenceOf(change.name);
  return present == kFile ? Remove(change.kept)
                          : present == kAbsent && MoveBack(change.kept, change.name);
}

// Whether the file `name` is there and no one holds it (or it is not there at all).
bool Free(const char* name) {
  char path[kPathCapacity];
  return InFolder(name, path) && HoldOn(path) == FileHold::kFree;
}

// Whether every change of an unfinished run can be undone now: no file that the undoing moves or
// deletes is held open. A repair that could only undo part of a run would leave a mix of two
// releases; it waits instead until the file is free.
bool CanUndo(const RecordedChange* changes, int count) {
  for (int i = 0; i < count; ++i) {
    const RecordedChange& change = changes[i];
    if (change.kept != nullptr ? !Free(change.kept) || !Free(change.name)
                               : change.kind == kChangeNew && !Free(change.name))
      return false;
  }
  return true;
}

// Applies `step` to every change, last first, and once more to those it failed on: a file that a
// scanner held for a moment is free the second time. True when every step succeeded.
bool ForEachChange(RecordedChange* changes, int count, bool (*step)(const RecordedChange&)) {
  bool done = false;
  for (int pass = 0; pass < 2 && !done; ++pass) {
    done = true;
    for (int i = count - 1; i >= 0; --i) {
      if (changes[i].kind == 0) continue;
      if (step(changes[i]))
        changes[i].kind = 0;  // not tried again
      else
        done = false;
    }
  }
  return done;
}

// A free kept-copy name for the file of `owner` (install/kept_copies.h), or a spare one when a
// copy that an earlier run could not delete holds it. False when none is free or the system
// cannot tell.
bool FreeKeptName(int owner, int* spare, char (&name)[16]) {
  char target[kPathCapacity], kept[kPathCapacity];
  if (KeptCopyPaths("", owner, target, kept, sizeof kept) &&
      FormatBounded(name, sizeof name, "%s", kept + 1)) {
    const Presence present = PresenceOf(name);
    if (present == kAbsent) return true;
    if (present == kUnknown) return false;
  }
  for (; *spare <= kLastSpareKeptNumber; ++*spare) {
    if (!FormatBounded(name, sizeof name, "%s%d", kSetupFilePrefix, *spare)) return false;
    const Presence present = PresenceOf(name);
    if (present == kUnknown) return false;
    if (present == kAbsent) return ++*spare, true;
  }
  return false;
}

}  // namespace

FileTransaction::~FileTransaction() {
  free(text_);
  free(changes_);
  free(leftoverText_);
  free(leftovers_);
}

bool FileTransaction::Load(const char* recordName, char** text, RecordedChange** changes,
                           int* count, bool* unreadable) {
  char path[kPathCapacity];
  *count = 0;
  const Presence present = PresenceOf(recordName);
  if (present != kFile) {
    *unreadable |= present != kAbsent;
    return false;
  }
  size_t length = 0;
  if (!InFolder(recordName, path) || !ReadWholeFile(path, kMostRecordBytes, text, &length)) {
    *unreadable = true;
    return false;
  }
  *changes = static_cast<RecordedChange*>(malloc(sizeof(RecordedChange) * kMostRecordedChanges));
  if (*changes == nullptr) {
    *unreadable = true;
    return false;
  }
  // A record cut short as it was first written comes from a run that had changed nothing.
  *count = ReadChanges(*text, length, *changes, kMostRecordedChanges);
  if (*count < 0) *count = 0;
  return true;
}

bool FileTransaction::Recover() {
  // Called again after the files in use were closed: the earlier look's leftovers are read anew.
  free(leftoverText_);
  free(leftovers_);
  leftoverText_ = nullptr;
  leftovers_ = nullptr;
  leftoverCount_ = 0;
  bool unreadable = false;
  // A finished run first: it is older than an unfinished one beside it.
  if (Load(kFinishedRecordName, &leftoverText_, &leftovers_, &leftoverCount_, &unreadable) &&
      ForEachChange(leftovers_, leftoverCount_, Finish) && Remove(kFinishedRecordName)) {
    leftoverCount_ = 0;
  }
  char* text = nullptr;
  RecordedChange* changes = nullptr;
  int count = 0;
  bool undone = true;
  if (Load(kUnfinishedRecordName, &text, &changes, &count, &unreadable))
    undone = CanUndo(changes, count) && ForEachChange(changes, count, Undo) &&
             Remove(kUnfinishedRecordName);
  free(text);
  free(changes);
  return undone && !unreadable && Remove(kTemporaryFileName);
}

bool FileTransaction::Begin(bool keepOldWordBase) {
  const size_t lineBytes = kPathCapacity + 20;
  const size_t capacity =
      (kInstallManifestRows + kStaleDictionaryCount + 2 + leftoverCount_) * lineBytes;
  text_ = static_cast<char*>(malloc(capacity));
  changes_ = static_cast<RecordedChange*>(malloc(sizeof(RecordedChange) * kMostRecordedChanges));
  if (text_ == nullptr || changes_ == nullptr) return false;
  size_t length = 0;
  bool planned = AppendChange(text_, capacity, &length, 0, nullptr, nullptr);
  // What a finished run could not delete is deleted by this one, whatever its outcome.
  for (int i = 0; i < leftoverCount_; ++i) {
    const RecordedChange& left = leftovers_[i];
    if (left.kind != 0)
      planned &= AppendChange(text_, capacity, &length, kChangeLeftover, nullptr,
                              left.kept != nullptr ? left.kept : left.name);
  }
  int spare = kFirstSpareKeptNumber;
  char kept[16];
  for (size_t i = 0; i < kInstallManifestRows && planned; ++i) {
    const ManifestRow row = ManifestRowAt(i);
    const Presence present = PresenceOf(row.fileName);
    // A folder of the file's name is no file of the run's: its row fails, and the folder stays.
    planned = present != kUnknown;
    if (present == kFolder || !RunWritesRow(row, keepOldWordBase, present == kFile)) continue;
    planned = present == kAbsent ? AppendChange(text_, capacity, &length, kChangeNew, nullptr,
                                          row.fileName)
                           : FreeKeptName(row.resourceId, &spare, kept) &&
                                 AppendChange(text_, capacity, &length, kChangeKept, kept,
                                              row.fileName);
  }
  // The stale dictionaries, but pykeys.dic and Gbkflat.dic: they are the manifest's pykeys.dic
  // and gbkflat.dic, which the run replaces keeping their earlier copies as every manifest file's.
  char path[kPathCapacity];
  for (int i = 0; i < kStaleDictionaryCount && planned; ++i) {
    if (!StaleDictionaryPath("", i, path, sizeof path)) continue;
    const char* name = path + 1;
    if (ManifestIndexNamed(name) >= 0) continue;
    const Presence present = PresenceOf(name);
    planned = present == kAbsent || present == kFolder ||
              (present == kFile && FreeKeptName(kStaleDictionaryOwner + i, &spare, kept) &&
               AppendChange(text_, capacity, &length, kChangeRemoved, kept, name));
  }
  planned = planned && FreeKeptName(kUiConfigOwner, &spare, scratchName_) &&
            AppendChange(text_, capacity, &length, kChangeScratch, nullptr, scratchName_);
  // On the disk before the first change; then the finished run's record, whose leftovers this
  // one now lists, can go.
  if (!planned || !InFolder(kUnfinishedRecordName, path) ||
      !WriteNewFile(path, text_, length, FILE_ATTRIBUTE_NORMAL, true))
    return false;
  count_ = ReadChanges(text_, length, changes_, kMostRecordedChanges);
  if (count_ < 0) count_ = 0;
  return leftoverCount_ == 0 || Remove(kFinishedRecordName);
}

bool FileTransaction::KeepAside(const char* name) {
  for (int i = 0; i < count_; ++i) {
    const RecordedChange& change = changes_[i];
    if (change.kept != nullptr && SameFileName(change.name, name))
      return Move(change.name, change.kept) || PresenceOf(change.name) == kAbsent;
  }
  return true;
}

void FileTransaction::PutBack(const char* name) {
  for (int i = 0; i < count_; ++i) {
    const RecordedChange& change = changes_[i];
    if (change.kind == kChangeKept && SameFileName(change.name, name))
      MoveBack(change.kept, change.name);
  }
}

bool FileTransaction::Commit() {
  if (!Move(kUnfinishedRecordName, kFinishedRecordName)) return false;
  // From here on the run has succeeded, whatever becomes of the deletions: what is left is
  // deleted by a later run.
  if (ForEachChange(changes_, count_, Finish)) Remove(kFinishedRecordName);
  count_ = 0;
  return true;
}

bool FileTransaction::RollBack() {
  const bool undone = ForEachChange(changes_, count_, Undo);
  count_ = 0;
  if (!undone) return false;
  Remove(kTemporaryFileName);
  return Remove(kUnfinishedRecordName);
}
