// Room on the target drive: what the installation needs and how it is told to the user.
#pragma once

#include <cstddef>
#include <cstdint>

// The bytes a run needs beyond what the target folder holds: for each file, how much larger the
// new file is than the one it replaces (`newSizes[i]`, `existingSizes[i]`, 0 for none), plus
// the largest new file once more, for its temporary copy beside the file it replaces.
uint64_t RoomNeeded(const uint64_t* newSizes, const uint64_t* existingSizes, size_t count);

// `bytes` as the user reads it: "512 bytes", "12 KB", "37.5 MB", "1.2 GB" (rounded up, so that
// the space needed never reads smaller than it is). False when `out` is too small.
bool DescribeBytes(uint64_t bytes, char* out, size_t outSize);

// Shows the notice of too little room and returns false when the drive of InstallDir reports
// fewer free bytes than the run needs for the manifest's files (the word base left out when it
// is kept and whole); true otherwise, also when the drive reports no figures.
bool CheckRoom(bool keepOldWordBase);
