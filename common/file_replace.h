// Whole files written without ever leaving a cut one, and without losing the copy they replace:
// the bytes go to a temporary file beside the target; the earlier copy is moved aside under a
// name of its own, and the new file takes the target's name only once every byte reached the
// disk. Moves keep a file's bytes and flags, and every Windows has MoveFileA, so the same steps
// serve Windows 95, 98 and Me and the NT family.
#pragma once

#include <windows.h>

#include <cstddef>

#include "common/bounded_path.h"
#include "common/setup_file_names.h"

// A move of one file to a free name: MoveFileA, or a stand-in in tests.
using FileMove = decltype(&MoveFileA);

// The file `name` beside `path`: its folder (up to the last "\") and `name`. False when `path`
// holds no "\" or the result does not fit.
bool PathBeside(const char* path, const char* name, char (&beside)[kPathCapacity]);

// Writes `length` bytes as the new file `temporary` with `attributes` (0 for none; read-only and
// hidden are what the Installer gives), replacing one that a killed run left there. True only
// when every byte reached the disk (flushed: a power cut later cannot leave it empty) and the
// flags were set; on failure no file of that name is left, as far as the system lets it go.
bool WriteTemporaryFile(const char* temporary, const void* data, size_t length, DWORD attributes);

// Puts the finished file `temporary` in place of `target`. An earlier file at `target` is first
// moved to `keptCopy` (a free name in the same folder) and stays there, with its bytes and its
// flags, for the caller to delete or to move back; `*kept` tells whether there was one. False
// for a folder at `target`, a `keptCopy` name taken, or a move refused (the file held open by
// another program): the temporary file is gone and the earlier file is back at `target`, unless
// even that move failed, when it stays at `keptCopy` and `*kept` says so.
bool ReplaceKeepingEarlierCopy(const char* target, const char* temporary, const char* keptCopy,
                               bool* kept, FileMove move = MoveFileA);

// Writes `length` bytes as the file `path` through the temporary file, keeping the earlier copy
// as `keptName` beside it until the new file is in place, then deleting it: at every moment the
// file or its earlier copy is whole on the disk. True only when the new file is in place.
bool WriteWholeFile(const char* path, const void* data, size_t length, DWORD attributes,
                    const char* keptName);

// Whether the last failed call found no file: the file, or its folder, is not there.
bool NoSuchFile(DWORD error);

// Deletes a file the Installer made or kept, read-only or hidden as it may be. True when no
// file of that name is left (a missing file included); false when it stays.
bool DiscardFile(const char* path);
