// Room on the target drive: the arithmetic and the wording.
#include "install/disk_room.h"

#include "common/bounded_path.h"

void AddToRoomNeed(RoomNeed& need, uint64_t newSize, uint64_t existingSize) {
  // While the new copy is written, the file it replaces still takes its room.
  const int64_t whileWritten = need.change + static_cast<int64_t>(newSize);
  if (whileWritten > 0 && static_cast<uint64_t>(whileWritten) > need.peak) need.peak = whileWritten;
  need.change = whileWritten - static_cast<int64_t>(existingSize);
}

bool DescribeBytes(uint64_t bytes, char* out, size_t outSize) {
  // Binary units, so shifts: no 64-bit division (a libgcc routine) in the Installer.
  constexpr int kKiloShift = 10, kMegaShift = 20, kGigaShift = 30;
  if (bytes < (uint64_t{1} << kKiloShift))
    return FormatBounded(out, outSize, "%u bytes", static_cast<unsigned>(bytes));
  if (bytes < (uint64_t{1} << kMegaShift)) {
    const uint64_t kilo = (bytes + (uint64_t{1} << kKiloShift) - 1) >> kKiloShift;
    return FormatBounded(out, outSize, "%u KB", static_cast<unsigned>(kilo));
  }
  // Tenths, rounded up: 37.5 MB.
  const int shift = bytes < (uint64_t{1} << kGigaShift) ? kMegaShift : kGigaShift;
  // Below 400 TB the tenths fit 32 bits.
  const auto tenths = static_cast<unsigned>((bytes * 10 + (uint64_t{1} << shift) - 1) >> shift);
  return FormatBounded(out, outSize, "%u.%u %s", tenths / 10, tenths % 10,
                       shift == kMegaShift ? "MB" : "GB");
}
