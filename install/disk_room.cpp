// Room on the target drive: the arithmetic and the wording.
#include "install/disk_room.h"

#include "common/bounded_path.h"

void AddToRoomNeed(RoomNeed& need, uint64_t size, uint32_t clusterBytes) {
  // Clusters are a power of two bytes; any other figure is taken as the next power of two, which
  // never counts less than the drive takes. Masks, so no 64-bit division (a libgcc routine).
  uint64_t cluster = 1;
  while (cluster < clusterBytes) cluster <<= 1;
  need.bytes += (size + cluster - 1) & ~(cluster - 1);
}

bool DriveRootOf(const char* path, char* out, size_t outSize) {
  if (path == nullptr || out == nullptr || outSize == 0) return false;
  out[0] = '\0';
  const char letter = static_cast<char>(path[0] | 0x20);
  return letter >= 'a' && letter <= 'z' && path[1] == ':' &&
         FormatBounded(out, outSize, "%c:\\", path[0]);
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
