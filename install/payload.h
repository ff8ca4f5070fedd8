// The file writer: payload files written into the target folder, and installed files deleted.
// The payload format and DecompressPayload are in common/payload_resource.h.
#pragma once

#include <cstdint>

#include "common/payload_resource.h"

// Inflates resource `resourceId` and writes it as `fileName` under InstallDir with the given
// flags. When the inflation fails nothing is written and an existing file stays untouched.
bool ExtractPayload(uint16_t resourceId, const char* fileName, void* buffer, uint32_t capacity,
                    bool readOnly, bool hidden);

// Writes `length` bytes as `fileName` under InstallDir, replacing a read-only or hidden earlier
// copy, and leaves the file with exactly the read-only and hidden flags given. The bytes go to a
// temporary file first (common/file_replace.h). False when the path does not fit in 260 bytes,
// the file cannot be written whole, or it cannot take the earlier copy's place; the earlier copy
// then keeps its bytes and no temporary file is left.
bool WriteInstallFile(const char* fileName, const void* data, uint32_t length, bool readOnly,
                      bool hidden);

// Deletes the file at the full path `path`, clearing read-only and hidden first. A missing file
// is no error; nothing is reported.
void DeleteInstallFile(const char* path);
