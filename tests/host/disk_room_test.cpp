// Room on the target drive: what a run needs, and sizes as the user reads them.
#include "install/disk_room.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

// Rows: the files a run writes, in its order, each with the size of the file it replaces.
struct RunFile {
  uint64_t newSize, existingSize;
};
uint64_t Need(std::initializer_list<RunFile> files) {
  RoomNeed need;
  for (const RunFile& f : files) AddToRoomNeed(need, f.newSize, f.existingSize);
  return need.peak;
}

TEST(DiskRoom, NeedsWhatTheRunTakesAtItsFullest) {
  // A fresh installation takes what its files take, no more: a file that replaces nothing is
  // moved into place without a second copy.
  EXPECT_EQ(Need({{100, 0}, {38013217, 0}, {40, 0}}), 38013357u);
  // A replaced file takes its new size beside the old one until it takes the old one's place.
  EXPECT_EQ(Need({{100, 100}, {5000, 6000}, {40, 10}}), 5000u);
  EXPECT_EQ(Need({{10, 0}, {20, 0}, {5000, 4000}}), 5030u);
  // Shrinking files free room that later files use.
  EXPECT_EQ(Need({{0, 3000}, {2500, 0}, {900, 0}}), 400u);
  // The last file written counts like any other.
  EXPECT_EQ(Need({{10, 0}, {20, 0}, {7, 0}}), 37u);
  // A kept word base is not written: only the other files count.
  EXPECT_EQ(Need({{120, 100}, {40, 0}}), 120u);
  EXPECT_EQ(Need({}), 0u);
  EXPECT_EQ(Need({{1, 0}}), 1u);

  char text[16];
  const struct {
    uint64_t bytes;
    const char* text;
  } cases[] = {{0, "0 bytes"},           {1023, "1023 bytes"},  {1024, "1 KB"},
               {1025, "2 KB"},           {38013217, "36.3 MB"}, {1048576, "1.0 MB"},
               {(1ull << 30) - 1, "1024.0 MB"}, {1ull << 30, "1.0 GB"},
               {5ull << 40, "5120.0 GB"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(DescribeBytes(c.bytes, text, sizeof text)) << c.bytes;
    EXPECT_STREQ(text, c.text) << c.bytes;
  }
  // Too small a buffer is refused in every unit.
  for (uint64_t bytes : {uint64_t{1023}, uint64_t{2048}, uint64_t{38013217}})
    EXPECT_FALSE(DescribeBytes(bytes, text, 4)) << bytes;
}

}  // namespace
