// Whole-file reads, small writes and existence tests through kernel32 alone: the Installer
// links no C library (the first Windows 95 has none that it could take from its system folder).
#pragma once

#include <windows.h>

#include <cstddef>

// Whether a file or folder of that name exists.
bool PathExists(const char* path);

// Reads the whole file at `path` into a new malloc'ed buffer (`*bytes`, freed by the caller;
// at least one byte long even for an empty file). False for a missing or unreadable file and
// for one of more than `most` bytes.
bool ReadWholeFile(const char* path, size_t most, char** bytes, size_t* length);

// Writes `length` bytes as the new file `path`, made with `attributes`. True only when the file
// was made (no file of that name stood there), every byte was written and the file closed; with
// `durable`, only once the bytes have also reached the disk (FlushFileBuffers), so that a power
// cut after the call cannot leave the file empty or zero-filled.
bool WriteNewFile(const char* path, const void* data, size_t length,
                  DWORD attributes = FILE_ATTRIBUTE_NORMAL, bool durable = false);

// Appends `text` to the open `file` (INVALID_HANDLE_VALUE: false) and closes it.
bool AppendAndClose(HANDLE file, const char* text);
