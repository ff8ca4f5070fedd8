// Room on the target drive: what a run needs, and sizes as the user reads them.
#include "install/disk_room.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DiskRoom, NeedsWhatGrowsPlusTheLargestFileOnceMore) {
  const uint64_t newSizes[] = {100, 5000, 40, 0};
  const uint64_t existing[] = {0, 6000, 10, 0};
  EXPECT_EQ(RoomNeeded(newSizes, existing, 4), 100u + 30u + 5000u);
  EXPECT_EQ(RoomNeeded(newSizes, existing, 0), 0u);

  char text[16];
  const struct {
    uint64_t bytes;
    const char* text;
  } cases[] = {{0, "0 bytes"},           {1023, "1023 bytes"},  {1024, "1 KB"},
               {1025, "2 KB"},           {38013217, "36.3 MB"}, {1048576, "1.0 MB"},
               {5ull << 40, "5120.0 GB"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(DescribeBytes(c.bytes, text, sizeof text)) << c.bytes;
    EXPECT_STREQ(text, c.text) << c.bytes;
  }
  EXPECT_FALSE(DescribeBytes(38013217, text, 4));
}

}  // namespace
