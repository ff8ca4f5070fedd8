// Read-only and hidden attributes of installed files: setting them in an order every file system
// keeps, and clearing them before a file is replaced or deleted.
#pragma once

#include <windows.h>

constexpr DWORD kProtectionBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

// Sets `attributes` on `path`; an empty set is written as FILE_ATTRIBUTE_NORMAL. Hidden is set
// on its own before read-only joins it: file systems that keep the hidden bit apart from the
// read-only permission (Wine's) cannot add it to a file that is already read-only.
void SetAttributes(const char* path, DWORD attributes);

// Clears read-only and hidden on an existing file, keeping its other attributes, so that it can
// be replaced or deleted. Nothing happens to a missing file.
void ClearProtection(const char* path);
