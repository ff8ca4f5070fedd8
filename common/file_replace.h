// Whole files written without ever leaving a cut one: the bytes go to a temporary file beside the
// target, which takes the target's place only once every byte reached the disk.
#pragma once

#include <windows.h>

#include <cstddef>

// The temporary file's name, in the folder of the file being written. One fixed name: a run that
// was killed leaves at most this one file, which the next write in that folder reuses and moves
// away. It is shorter than every installed file's name, so wherever a file fits, it fits too.
constexpr char kTemporaryFileName[] = "~K7Setup.tmp";

// The system's MoveFileExA, or a stand-in with its signature.
using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR existing, LPCSTR replacement, DWORD flags);

// Writes `length` bytes as the file `path` (a full path): first into kTemporaryFileName in the
// same folder, then put in place by ReplaceWithFile. True only when every byte was written, the
// close succeeded and the move did. On failure an earlier file at `path` keeps its bytes (its
// read-only and hidden flags may be cleared), and no temporary file is left.
bool WriteWholeFile(const char* path, const void* data, size_t length,
                    MoveFileExFunction moveFileEx = MoveFileExA);

// Puts the finished file `temporary` in place of `target`, a read-only or hidden target
// included. Where MoveFileExA is not implemented (Windows 95, 98 and Me answer
// ERROR_CALL_NOT_IMPLEMENTED), the target is deleted and the file moved with MoveFileA. On
// failure the temporary file is deleted.
bool ReplaceWithFile(const char* target, const char* temporary,
                     MoveFileExFunction moveFileEx = MoveFileExA);
