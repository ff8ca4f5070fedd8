// Files that another program holds open, found without changing them: the installation run's
// check before it writes (CheckFilesInUse of install/installation_run.h) and the repair of a run
// that stopped (install/file_transaction.h) look at each file they would replace this way.
#pragma once

// What keeps the run from replacing or deleting a file.
enum class FileHold {
  kFree,     // no one holds it (or there is none)
  kInUse,    // another program holds it open: a sharing or lock violation
  kRefused,  // the system refuses it for another reason: no permission, a read-only medium
};

// Opens the file `path` without sharing and closes it: for writing, which a running program's
// file also refuses, or, for a read-only file, which no one may open for writing, for reading,
// which every program that holds it open refuses as well. No attribute, byte or time of the
// file changes.
FileHold HoldOn(const char* path);
