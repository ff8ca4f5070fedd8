// Whole files written through a temporary file and moved into place, on Win32.
#include "common/file_replace.h"

#include "common/bounded_path.h"
#include "common/file_attributes.h"
#include "common/installer_state.h"
#include "common/plain_files.h"
#include "common/system_libraries.h"

namespace {

// The file `name` beside `path`: its folder (up to the last "\") and `name`.
bool PathBeside(const char* path, const char* name, char (&beside)[kPathCapacity]) {
  long slash = FindLastBackslash(path, IsAnsiLeadByte);
  if (slash < 0) return false;
  int folderLength = static_cast<int>(slash);
  return FormatBounded(beside, sizeof beside, "%.*s\\%s", folderLength, path, name);
}

// Deletes a file the Installer made, read-only or hidden as it may be.
void DiscardFile(const char* path) {
  ClearProtection(path);
  DeleteFileA(path);
}

using MoveFileEx = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
MoveFileEx systemMoveFileEx;  // looked up at the first move: a run moves every file it writes
bool moveFileExLookedUp;

BOOL WINAPI SystemMoveFileEx(LPCSTR existing, LPCSTR replacement, DWORD flags) {
  if (!moveFileExLookedUp) {
    systemMoveFileEx = SystemProcedureOf<MoveFileEx>("kernel32.dll", "MoveFileExA");
    moveFileExLookedUp = true;
  }
  MoveFileEx moveFileEx = systemMoveFileEx;
  if (moveFileEx == nullptr) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
  }
  return moveFileEx(existing, replacement, flags);
}

// The replacement without MoveFileExA: the earlier copy aside, the new file in, the earlier
// copy deleted; the earlier copy back when the new file does not go in.
bool ReplaceByMoves(const char* target, const char* temporary, const FileMoves& moves) {
  if (!PathExists(target)) return moves.moveFile(temporary, target) != FALSE;
  char aside[kPathCapacity];
  if (!PathBeside(target, kEarlierCopyName, aside)) return false;
  // One left by a killed run is stale: whatever it held is written anew by this run.
  DeleteFileA(aside);
  if (!moves.moveFile(target, aside)) return false;
  if (moves.moveFile(temporary, target)) {
    DeleteFileA(aside);
    return true;
  }
  moves.moveFile(aside, target);
  return false;
}

const FileMoves kSystemMoves = {SystemMoveFileEx, MoveFileA};

}  // namespace

const FileMoves& SystemFileMoves() { return kSystemMoves; }

bool WriteWholeFile(const char* path, const void* data, size_t length, DWORD attributes,
                    const FileMoves& moves) {
  char temporary[kPathCapacity];
  if (!PathBeside(path, kTemporaryFileName, temporary)) return false;
  // Made hidden, then made read-only once written: a file system that keeps the hidden bit
  // apart from the read-only permission (Wine's) cannot record hidden on a file made read-only.
  const DWORD hidden = attributes & FILE_ATTRIBUTE_HIDDEN;
  const DWORD made = hidden != 0 ? hidden : FILE_ATTRIBUTE_NORMAL;
  if (!WriteNewFile(temporary, data, length, made)) {
    // One left by a killed run stands in the way (and truncating it would not give it the
    // attributes everywhere): it is deleted, and the file written once more.
    DiscardFile(temporary);
    if (!WriteNewFile(temporary, data, length, made)) {
      DiscardFile(temporary);
      return false;
    }
  }
  if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(temporary, attributes);
  return ReplaceWithFile(path, temporary, moves);
}

bool ReplaceWithFile(const char* target, const char* temporary, const FileMoves& moves) {
  // A protected earlier copy cannot be replaced.
  ClearProtection(target);
  if (moves.moveFileEx(temporary, target, MOVEFILE_REPLACE_EXISTING)) return true;
  if (GetLastError() == ERROR_CALL_NOT_IMPLEMENTED && ReplaceByMoves(target, temporary, moves))
    return true;
  DiscardFile(temporary);
  return false;
}
