// Room on the target drive: what the installation needs and how it is told to the user.
#pragma once

#include <cstddef>
#include <cstdint>

// The most room a run takes on the target drive at any moment, beyond what the folder held
// before it. Files are added in the order the run writes them: each new file is written whole
// beside the file it replaces (`existingSize`, 0 for none), which gives up its room only once the
// new one has taken its place; a file that the run does not write is not added.
struct RoomNeed {
  int64_t change = 0;  // what the files added so far take beyond the files they replaced
  uint64_t peak = 0;   // the most the run took at any moment so far
};
void AddToRoomNeed(RoomNeed& need, uint64_t newSize, uint64_t existingSize);

// `bytes` as the user reads it: "512 bytes", "12 KB", "37.5 MB", "1.2 GB" (rounded up, so that
// the space needed never reads smaller than it is). False when `out` is too small.
bool DescribeBytes(uint64_t bytes, char* out, size_t outSize);

// Shows the notice of too little room and returns false when the drive of InstallDir reports
// fewer free bytes than the run needs for the manifest's files (the word base left out when it
// is kept and whole); true otherwise, also when the drive reports no figures.
bool CheckRoom(bool keepOldWordBase);
