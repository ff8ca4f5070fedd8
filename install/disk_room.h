// Room on the target drive: what the installation needs and how it is told to the user.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/bounded_path.h"

// The room a run takes on the target drive beyond what the folder held before it. Every file it
// writes stays beside the earlier copy it replaces, which is kept until the whole run has
// succeeded (install/kept_copies.h), so the run gives nothing back before its end: it takes most
// when its last file is written, all the files it wrote. A file takes whole clusters of the
// drive: a one-byte file takes one cluster, a file of no bytes none.
struct RoomNeed {
  uint64_t bytes = 0;
};
// Adds a file of `size` bytes on a drive of `clusterBytes` (0 or 1: rounded to nothing).
void AddToRoomNeed(RoomNeed& need, uint64_t size, uint32_t clusterBytes);

// The root of the drive of the absolute path `path` as every GetDiskFreeSpaceA takes it: "C:\"
// for "C:\K7" or "C:". False for any other path (a network share's, whose clusters are its
// server's business) or when `out` is too small; `out` is then empty.
bool DriveRootOf(const char* path, char* out, size_t outSize);

// `bytes` as the user reads it: "512 bytes", "12 KB", "37.5 MB", "1.2 GB" (rounded up, so that
// the space needed never reads smaller than it is). False when `out` is too small.
bool DescribeBytes(uint64_t bytes, char* out, size_t outSize);

// Shows the notice of too little room and returns false when the drive of InstallDir reports
// fewer free bytes than the run needs for the manifest's files (the word base left out when it
// is kept and whole) and the configuration edit's copy; true otherwise, also when the drive
// reports no figures.
bool CheckRoom(bool keepOldWordBase);
