// The changes of one installation run in InstallDir as one transaction: from the first earlier
// copy kept aside to the commit that deletes them or the rollback that puts them back, recorded
// on the disk before each step (install/change_record.h) so that a run stopped at any moment is
// finished or undone by the next one.
//
// Every earlier file the run replaces or sweeps is moved aside whole, bytes and flags, under a
// name of the Installer's own (install/kept_copies.h gives each file's first choice) and stays
// there until the run has succeeded. The file writer (install/payload.h) only ever writes into a
// free name; the run calls the two in turn, and neither calls the other.
#pragma once

#include "install/change_record.h"

class FileTransaction {
 public:
  FileTransaction() = default;
  ~FileTransaction();
  FileTransaction(const FileTransaction&) = delete;
  FileTransaction& operator=(const FileTransaction&) = delete;

  // Finishes what an earlier run left in InstallDir: a finished run's kept copies deleted, an
  // unfinished run's changes undone (every kept copy back in its place, every file it added
  // removed), the temporary file removed. True when no unfinished run is left; false when a
  // change could not be undone (a file held open, a record that cannot be read): the run must
  // not begin. A finished run's copy that cannot be deleted now is handed on to this run's
  // record, to be deleted later, and never put back; one that could not go back to its missing
  // file (its only copy) keeps the run from beginning.
  bool Recover();

  // Records, flushed to the disk, every change the run will make: each manifest file it writes
  // (all but a kept word base's, `keepOldWordBase`) as kept (an earlier file is there) or new,
  // each stale dictionary there as kept, and the configuration edit's scratch copy
  // (scratchName(), the kept name UpdateUiConfig takes). False, with nothing changed, when the
  // record cannot be written or a file's presence cannot be told.
  bool Begin(bool keepOldWordBase);

  // The name of the configuration edit's scratch copy that Begin recorded.
  const char* scratchName() const { return scratchName_; }

  // Moves the earlier file `name` aside as its recorded kept copy. True when it went aside, or
  // the record has no earlier file of that name (nothing to keep); false when it stays in place.
  bool KeepAside(const char* name);

  // Puts the kept copy of `name` back, for a file whose new copy did not reach its place (an
  // optional file keeps its earlier copy).
  void PutBack(const char* name);

  // The run has succeeded: records so (the record renamed finished), then deletes the earlier
  // copies, the scratch copy and the record. False, with everything as before the call, when the
  // record could not be marked finished: the run must then be rolled back. An earlier copy whose
  // file is not in place goes back instead of being deleted; one that cannot be deleted stays
  // listed for a later run to delete.
  bool Commit();

  // The run failed: every file it wrote is removed and every kept copy put back, in the reverse
  // order of the record, then the record goes. False when something could not be undone: the
  // record stays, and the next run undoes the rest.
  bool RollBack();

 private:
  // The change of `name` whose earlier file is kept aside, or null.
  const RecordedChange* KeptChangeOf(const char* name) const;
  bool Load(const char* recordName, char** text, RecordedChange** changes, int* count,
            bool* unreadable);
  char* text_ = nullptr;  // this run's record, its names cut out for changes_
  RecordedChange* changes_ = nullptr;
  int count_ = 0;
  // What a finished earlier run left to delete: handed on to this run's record by Begin.
  char* leftoverText_ = nullptr;
  RecordedChange* leftovers_ = nullptr;
  int leftoverCount_ = 0;
  char scratchName_[16] = "";
};
