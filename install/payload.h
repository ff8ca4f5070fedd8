// The file writer: payload files written into the target folder, and installed files deleted.
// The payload format and DecompressPayload are in common/payload_resource.h.
#pragma once

#include <cstdint>

#include "common/payload_resource.h"

// Inflates resource `resourceId` and writes it as `fileName` under InstallDir with the given
// flags. When the inflation fails nothing is written and an existing file stays untouched.
bool ExtractPayload(uint16_t resourceId, const char* fileName, void* buffer, uint32_t capacity,
                    bool readOnly, bool hidden);

// Writes `length` bytes as the manifest's file `fileName` under InstallDir, replacing a read-only
// or hidden earlier copy, and leaves the file with exactly the read-only and hidden flags given.
// The bytes go to a temporary file first (common/file_replace.h), flushed to the disk and given
// its flags; an earlier copy is moved aside under the name install/kept_copies.h gives it and
// deleted once the new file is in place (in an installation run the run's transaction has kept
// it aside before, and the name is free). False for a name the manifest lacks, a path that does
// not fit in 260 bytes, a file that cannot be written whole, given its flags or moved into
// place; the earlier copy is then where it was and no temporary file is left.
bool WriteInstallFile(const char* fileName, const void* data, uint32_t length, bool readOnly,
                      bool hidden);

// Deletes the file at the full path `path`, clearing read-only and hidden first. A missing file
// is no error; nothing is reported.
void DeleteInstallFile(const char* path);
