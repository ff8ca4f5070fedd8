// The names of the earlier copies that an installation run keeps until it has succeeded
// (install/file_transaction.h). Which file a kept copy belongs to is written in the run's record
// (install/change_record.h), never read from its name; the name is only the first choice, one
// for each file: kSetupFilePrefix ("~K7Setup.") and its owner's number, three digits:
//   106..315  the manifest's file of that resource id: ~K7Setup.109 is the earlier K7.exe
//   400..463  the stale dictionary (number - 400) of install/stale_dictionaries.h
//   500       velmarui.ini while the configuration edit replaces it (kUiConfigKeptName)
// A copy that an earlier run could not delete may hold one; the run then takes a spare number
// (600..999). Every such name is as long as the temporary file's (common/setup_file_names.h), shorter than
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
