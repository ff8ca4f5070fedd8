// The earlier copies that an installation run keeps until it has succeeded, and what the run
// changed, so that a run that fails puts the target folder back as it was.
//
// A kept copy lies in InstallDir under a name that says whose copy it is, so that a run killed
// part-way leaves what the next run can put back: kSetupFilePrefix ("~K7Setup.") and its owner's
// number, three digits:
//   106..315  the manifest's file of that resource id: ~K7Setup.109 is the earlier K7.exe
//   400..463  the stale dictionary (number - 400) of install/stale_dictionaries.h
//   500       velmarui.ini while the configuration edit replaces it (kUiConfigKeptName)
// Every such name is as long as the temporary file's (common/setup_file_names.h), shorter than
// every installed file's, so wherever a file fits, its kept copy fits too.
#pragma once

#include <cstddef>

#include "install/install_manifest.h"
#include "install/manifest_walk.h"

// An owner's number, as above.
constexpr int kStaleDictionaryOwner = 400;  // plus the stale dictionary's index
constexpr int kUiConfigOwner = 500;

// The paths in `folder` of the file of `owner` and of its kept copy. False for a number that is
// no owner's (a resource id outside the manifest among them) or paths that do not fit.
bool KeptCopyPaths(const char* folder, int owner, char* target, char* keptCopy, size_t pathSize);

// Whose kept copy the file `name` is (names compared as Windows does); -1 for every other name.
int KeptCopyOwnerOf(const char* name);

// Win32: what one run changes in InstallDir, recorded so that it can be undone.

// The first step of every run: puts back what a run killed part-way left aside (every kept copy
// whose owner's file is missing, or whose owner's file that run had already written anew; the
// configuration edit's copy only where its file is missing) and removes its temporary file, so
// that the folder is as it was before that run; kept copies that cannot be put back (their file
// held open) stay. Then starts an empty record.
void RepairKilledRun();

// Moves `owner`'s file, when there is one, aside as its kept copy, and records it. False when
// there was none or it could not be moved (it stays where it was).
bool KeepAside(int owner);

// Records that `owner`'s file was written anew (`written`) and whether its earlier copy was kept.
void RecordChange(int owner, bool kept, bool written);

// The run succeeded: the kept copies are deleted.
void CommitRun();

// The run failed: in the reverse order of the record, every file it wrote is deleted and every
// kept copy put back, so that the folder holds what it held before the run.
void RollBackRun();
