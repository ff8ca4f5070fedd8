// The earlier copies that an installation run keeps until it has succeeded, and what the run
// changed, so that a run that fails puts the target folder back as it was.
//
// A kept copy lies in InstallDir under a name that says whose copy it is, so that a run killed
// part-way leaves what the next run can put back:
//   "~K7Setup.<id>"  the manifest's file of resource <id> (three digits, 106..315): ~K7Setup.109
//                    is the earlier K7.exe
//   "~K7Setup.d<nn>" the stale dictionary <nn> (00..63) of install/stale_dictionaries.h
//   "~K7Setup.cfg"   velmarui.ini while the configuration edit replaces it
// Every such name is as long as the temporary file's (common/file_replace.h), shorter than every
// installed file's, so wherever a file fits, its kept copy fits too.
#pragma once

#include <cstddef>

#include "install/install_manifest.h"
#include "install/manifest_walk.h"

enum class KeptCopyKind { kManifestFile, kStaleDictionary, kUiConfig };

struct KeptCopyOwner {
  KeptCopyKind kind;
  int number;  // the manifest row's resource id, or the stale dictionary's index; 0 for the rest
};

// The kept copy's file name of `owner`. False for an owner that has none (a resource id outside
// the manifest, an index outside 0..63) or a buffer too small; `out` is then empty.
bool KeptCopyName(KeptCopyOwner owner, char* out, size_t outSize);

// Whose kept copy the file `name` is; false for every other name.
bool KeptCopyOwnerOf(const char* name, KeptCopyOwner* owner);

// The paths in `folder` of `owner`'s file and of its kept copy; false when either does not fit.
bool KeptCopyPaths(const char* folder, KeptCopyOwner owner, char* target, char* keptCopy,
                   size_t pathSize);

// The manifest row of the file `fileName` (ASCII letters compared without regard to case, as
// Windows names files), or null when the manifest has none.
const ManifestRow* ManifestRowNamed(const char* fileName);

// Win32: what one run changes in InstallDir, recorded so that it can be undone.

// The first step of every run: puts back what a run killed part-way left aside (every kept copy
// whose owner's file is missing, or whose owner's file that run had already written anew; the
// configuration edit's copy only where its file is missing) and removes its temporary file, so
// that the folder is as it was before that run; kept copies that cannot be put back (their file
// held open) stay. Then starts an empty record.
void RepairKilledRun();

// Moves `owner`'s file, when there is one, aside as its kept copy, and records it. False when
// there was none or it could not be moved (it stays where it was).
bool KeepAside(KeptCopyOwner owner);

// Records that `owner`'s file was written anew (`written`) and whether its earlier copy was kept.
void RecordChange(KeptCopyOwner owner, bool kept, bool written);

// The run succeeded: the kept copies are deleted.
void CommitRun();

// The run failed: in the reverse order of the record, every file it wrote is deleted and every
// kept copy put back, so that the folder holds what it held before the run.
void RollBackRun();
