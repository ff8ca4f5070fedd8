// Whole files written without ever leaving a cut one: the bytes go to a temporary file beside the
// target, which takes the target's place only once every byte reached the disk.
#pragma once

#include <windows.h>

#include <cstddef>

// The temporary file's name, in the folder of the file being written. One fixed name: a run that
// was killed leaves at most this one file, which the next write in that folder reuses and moves
// away. It is shorter than every installed file's name, so wherever a file fits, it fits too.
constexpr char kTemporaryFileName[] = "~K7Setup.tmp";
// Where Windows 95, 98 and Me keep the earlier copy while the new file is moved in; deleted once
// the new file is in place, put back when it could not be.
constexpr char kEarlierCopyName[] = "~K7Setup.old";

// The moves a replacement makes: the system's (SystemFileMoves), or stand-ins in tests.
struct FileMoves {
  BOOL(WINAPI* moveFileEx)(LPCSTR existing, LPCSTR replacement, DWORD flags);
  BOOL(WINAPI* moveFile)(LPCSTR existing, LPCSTR newName);
};

// MoveFileExA as the system has it (failing with ERROR_CALL_NOT_IMPLEMENTED on Windows 95, 98
// and Me) and MoveFileA.
const FileMoves& SystemFileMoves();

// Writes `length` bytes as the file `path` (a full path) with `attributes` (0 for none; read-only
// and hidden are what the Installer gives): first into kTemporaryFileName in the same folder,
// which is given those attributes, then put in place by ReplaceWithFile, so the finished file never
// stands without them. True only when every byte was written, the close succeeded and the move
// did. On failure an earlier file at `path` keeps its bytes (its read-only and hidden flags may
// be cleared), and no temporary file is left.
bool WriteWholeFile(const char* path, const void* data, size_t length, DWORD attributes = 0,
                    const FileMoves& moves = SystemFileMoves());

// Puts the finished file `temporary` in place of `target`, a read-only or hidden target
// included. Where MoveFileExA is not implemented, the earlier copy is first moved aside as
// kEarlierCopyName, the new file moved in, and the earlier copy deleted; when the new file
// cannot be moved in, the earlier copy is put back. On failure the temporary file is deleted.
bool ReplaceWithFile(const char* target, const char* temporary,
                     const FileMoves& moves = SystemFileMoves());
