// Read-only and hidden attributes of installed files: clearing them before a file is replaced or
// deleted. (A new file takes its flags as it is written: common/file_replace.h.)
#pragma once

#include <windows.h>

constexpr DWORD kProtectionBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

// Clears read-only and hidden on an existing file, keeping its other attributes, so that it can
// be replaced or deleted. Nothing happens to a missing file.
void ClearProtection(const char* path);
