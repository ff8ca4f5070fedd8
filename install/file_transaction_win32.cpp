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

// Deletes `name` in InstallDir; true when it is gone. Tried twice: a scanner or an indexer that
// opens a file the moment it appears holds it only for a moment.
bool Remove(const char* name) {
  char path[kPathCapacity];
  return InFolder(name, path) && (DiscardFile(path) || DiscardFile(path));
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
    // A file kept aside goes back over whatever stands in its place; a file the run added goes.
    if (change.kept != nullptr ? PresenceOf(change.kept) != kAbsent &&
                                     (!Free(change.kept) || !Free(change.name))
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

// The record as Begin writes it: its text, and the next spare kept-copy number.
struct RecordText {
  char* text;
  size_t capacity, length;
  int spare;
};

bool Append(RecordText& record, char kind, const char* kept, const char* name) {
  return AppendChange(record.text, record.capacity, &record.length, kind, kept, name);
}

// Records the file `name` of `owner`: as `keptKind`, with a free kept-copy name, where it is a
// file (nothing when `keptKind` is 0), as `absentKind` where there is none (nothing when 0), and
// nothing for a folder (a row whose name a folder holds fails, and the folder stays). False
// when the system cannot tell which, or no kept-copy name is free.
bool PlanFile(RecordText& record, char keptKind, char absentKind, int owner, const char* name) {
  const Presence present = PresenceOf(name);
  char kept[16];
  if (present == kFile)
    return keptKind == 0 || (FreeKeptName(owner, &record.spare, kept) &&
                             Append(record, keptKind, kept, name));
  return present == kFolder ||
         (present == kAbsent && (absentKind == 0 || Append(record, absentKind, nullptr, name)));
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
  // A change a line, and no line shorter than five bytes ("N x\r\n").
  const int most = static_cast<int>(length / 5) + 1;
  *changes = static_cast<RecordedChange*>(malloc(sizeof(RecordedChange) * most));
  if (*changes == nullptr) {
    *unreadable = true;
    return false;
  }
  // A record cut short as it was first written comes from a run that had changed nothing.
  *count = ReadChanges(*text, length, *changes, most);
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
  // A finished run's kept copy that could not go back to its missing file is that file's only
  // copy: it is never handed on to be deleted, and the run does not begin.
  for (int i = 0; i < leftoverCount_; ++i)
    undone &= leftovers_[i].kind != kChangeKept || PresenceOf(leftovers_[i].name) == kFile;
  return undone && !unreadable && Remove(kTemporaryFileName);
}

bool FileTransaction::Begin(bool keepOldWordBase) {
  // A line for the header, every manifest file, every stale dictionary, the scratch copy and
  // every leftover.
  const int most =
      static_cast<int>(kInstallManifestRows) + kStaleDictionaryCount + 2 + leftoverCount_;
  RecordText record = {nullptr, static_cast<size_t>(most) * (kPathCapacity + 20), 0,
                       kFirstSpareKeptNumber};
  text_ = record.text = static_cast<char*>(malloc(record.capacity));
  changes_ = static_cast<RecordedChange*>(malloc(sizeof(RecordedChange) * static_cast<size_t>(most)));
  if (text_ == nullptr || changes_ == nullptr) return false;
  bool planned = Append(record, 0, nullptr, nullptr);
  // What a finished run could not delete is deleted by this one, whatever its outcome.
  for (int i = 0; i < leftoverCount_; ++i) {
    const RecordedChange& left = leftovers_[i];
    if (left.kind != 0)
      planned &= Append(record, kChangeLeftover, nullptr, left.kept != nullptr ? left.kept : left.name);
  }
  // Every manifest file the run writes: a kept word base's files are left where they are.
  for (size_t i = 0; i < kInstallManifestRows && planned; ++i) {
    const ManifestRow row = ManifestRowAt(i);
    const bool kept = keepOldWordBase && IsWordBaseRow(row);
    planned = PlanFile(record, kept ? 0 : kChangeKept, kChangeNew, row.resourceId, row.fileName);
  }
  // The stale dictionaries, but pykeys.dic and Gbkflat.dic: they are the manifest's pykeys.dic
  // and gbkflat.dic, which the run replaces keeping their earlier copies as every manifest file's.
  char path[kPathCapacity];
  for (int i = 0; i < kStaleDictionaryCount && planned; ++i) {
    planned = StaleDictionaryPath("", i, path, sizeof path) &&
              (ManifestIndexNamed(path + 1) >= 0 ||
               PlanFile(record, kChangeRemoved, 0, kStaleDictionaryOwner + i, path + 1));
  }
  planned = planned && FreeKeptName(kUiConfigOwner, &record.spare, scratchName_) &&
            Append(record, kChangeScratch, nullptr, scratchName_);
  // On the disk before the first change; then the finished run's record, whose leftovers this
  // one now lists, can go.
  if (!planned || !InFolder(kUnfinishedRecordName, path) ||
      !WriteNewFile(path, text_, record.length, FILE_ATTRIBUTE_NORMAL, true))
    return false;
  count_ = ReadChanges(text_, record.length, changes_, most);
  if (count_ < 0) count_ = 0;
  return leftoverCount_ == 0 || Remove(kFinishedRecordName);
}

const RecordedChange* FileTransaction::KeptChangeOf(const char* name) const {
  for (int i = 0; i < count_; ++i)
    if (changes_[i].kept != nullptr && SameFileName(changes_[i].name, name)) return &changes_[i];
  return nullptr;
}

bool FileTransaction::KeepAside(const char* name) {
  const RecordedChange* change = KeptChangeOf(name);
  return change == nullptr || Move(change->name, change->kept) ||
         PresenceOf(change->name) == kAbsent;
}

void FileTransaction::PutBack(const char* name) {
  if (const RecordedChange* change = KeptChangeOf(name)) MoveBack(change->kept, change->name);
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
