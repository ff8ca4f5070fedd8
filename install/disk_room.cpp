// Room on the target drive: the arithmetic and the wording.
#include "install/disk_room.h"

#include "common/bounded_path.h"

uint64_t RoomNeeded(const uint64_t* newSizes, const uint64_t* existingSizes, size_t count) {
  uint64_t needed = 0, largest = 0;
  for (size_t i = 0; i < count; ++i) {
    if (newSizes[i] > existingSizes[i]) needed += newSizes[i] - existingSizes[i];
    if (newSizes[i] > largest) largest = newSizes[i];
  }
  return needed + largest;
}

bool DescribeBytes(uint64_t bytes, char* out, size_t outSize) {
  constexpr uint64_t kKilo = 1024, kMega = kKilo * 1024, kGiga = kMega * 1024;
  if (bytes < kKilo) return FormatBounded(out, outSize, "%u bytes", static_cast<unsigned>(bytes));
  if (bytes < kMega)
    return FormatBounded(out, outSize, "%u KB", static_cast<unsigned>((bytes + kKilo - 1) / kKilo));
  // Tenths, rounded up: 37.5 MB.
  const uint64_t unit = bytes < kGiga ? kMega : kGiga;
  const uint64_t tenths = (bytes * 10 + unit - 1) / unit;
  return FormatBounded(out, outSize, "%u.%u %s", static_cast<unsigned>(tenths / 10),
                       static_cast<unsigned>(tenths % 10), unit == kMega ? "MB" : "GB");
}
