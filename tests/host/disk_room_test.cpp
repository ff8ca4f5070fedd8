// Room on the target drive: what a run needs, and sizes as the user reads them.
#include "install/disk_room.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

// The room for files of these sizes on a drive of `cluster` bytes.
uint64_t Need(uint32_t cluster, std::initializer_list<uint64_t> sizes) {
  RoomNeed need;
  for (uint64_t size : sizes) AddToRoomNeed(need, size, cluster);
  return need.bytes;
}

TEST(DiskRoom, NeedsEveryFileTheRunWritesInWholeClusters) {
  // Earlier copies are kept until the run has succeeded: an upgrade takes its files' room as a
  // fresh installation does, nothing given back on the way.
  EXPECT_EQ(Need(1, {100, 38013217, 40}), 38013357u);
  EXPECT_EQ(Need(0, {7, 5}), 12u);
  EXPECT_EQ(Need(512, {}), 0u);
  // Whole clusters: one byte takes one, no byte none, one byte over takes another.
  EXPECT_EQ(Need(4096, {1, 0, 4096, 4097}), 4096u + 4096u + 8192u);
  // FAT16's 32 KB clusters: 105 small files take 3.3 MB, far beyond their bytes.
  RoomNeed fat16;
  for (int i = 0; i < 105; ++i) AddToRoomNeed(fat16, 100, 32768);
  EXPECT_EQ(fat16.bytes, 105u * 32768u);
  // A cluster size that is not a power of two counts as the next one: never less than taken.
  EXPECT_EQ(Need(3000, {1}), 4096u);
  EXPECT_EQ(Need(65536, {(5ull << 32) + 1}), (5ull << 32) + 65536u);

  // The drive's root as GetDiskFreeSpaceA takes it.
  char root[8];
  const struct {
    const char* path;
    const char* root;
  } roots[] = {{"C:\\K7_Quorvane", "C:\\"}, {"d:", "d:\\"}, {"A:\\K7", "A:\\"}, {"z:", "z:\\"},
               {"\\\\server\\share\\K7", ""}, {"K7", ""}, {"\\K7", ""}, {"1:\\K7", ""},
               {"@:\\K7", ""}, {"[:\\K7", ""}};
  for (const auto& r : roots) {
    EXPECT_EQ(DriveRootOf(r.path, root, sizeof root), r.root[0] != '\0') << r.path;
    EXPECT_STREQ(root, r.root) << r.path;
  }
  EXPECT_FALSE(DriveRootOf("C:\\K7", root, 3)) << "no room for its zero";
  char one[1] = {'x'};
  EXPECT_FALSE(DriveRootOf("C:\\K7", one, sizeof one));
  EXPECT_EQ(one[0], '\0') << "a buffer too small is left empty";
  EXPECT_FALSE(DriveRootOf(nullptr, root, sizeof root));
  EXPECT_FALSE(DriveRootOf("C:\\K7", nullptr, sizeof root));

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
