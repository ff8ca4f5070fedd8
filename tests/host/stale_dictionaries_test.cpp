// Checks the 64 stale dictionary paths: their order, their suffixes and the refusal of long paths.
#include "install/stale_dictionaries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> AllPaths(const char* folder) {
  std::vector<std::string> paths;
  char path[260];
  for (int i = 0; i < kStaleDictionaryCount; ++i) {
    EXPECT_TRUE(StaleDictionaryPath(folder, i, path, sizeof path)) << i;
    paths.push_back(path);
  }
  return paths;
}

TEST(StaleDictionaries, RunSuffixBySuffixThroughTheFourNames) {
  std::vector<std::string> paths = AllPaths("C:\\K7");
  ASSERT_EQ(paths.size(), 64u);
  // Suffixes count in binary, the first digit the outermost counter, and "0000" never occurs.
  const char* const kSuffixes[] = {"",     "0001", "0010", "0011", "0100", "0101", "0110", "0111",
                                   "1000", "1001", "1010", "1011", "1100", "1101", "1110", "1111"};
  const char* const kNames[] = {"pykeys.dic", "Gbkflat.dic", "flatAuto.dic", "flatAdjust.dic"};
  for (int s = 0; s < 16; ++s)
    for (int n = 0; n < 4; ++n)
      EXPECT_EQ(paths[s * 4 + n], std::string("C:\\K7\\") + kNames[n] + kSuffixes[s]) << s << n;
}

TEST(StaleDictionaries, RefusesIndexesOutsideTheList) {
  char path[260] = "untouched";
  EXPECT_FALSE(StaleDictionaryPath("C:\\K7", -1, path, sizeof path));
  EXPECT_STREQ(path, "");
  EXPECT_FALSE(StaleDictionaryPath("C:\\K7", 64, path, sizeof path));
  // No buffer, or one of no bytes, is refused without a byte written.
  EXPECT_FALSE(StaleDictionaryPath("C:\\K7", 0, nullptr, 0));
  char none[1] = {'x'};
  EXPECT_FALSE(StaleDictionaryPath("C:\\K7", -1, none, 0));
  EXPECT_EQ(none[0], 'x');
}

TEST(StaleDictionaries, RefusesAPathThatWouldNotFitRatherThanCuttingIt) {
  // "\flatAdjust.dic1111" is 19 characters: a folder of 240 fits it in 259 exactly.
  std::string folder(240, 'd');
  char path[260];
  ASSERT_TRUE(StaleDictionaryPath(folder.c_str(), 63, path, sizeof path));
  EXPECT_EQ(std::string(path).size(), 259u);
  folder += 'd';
  EXPECT_FALSE(StaleDictionaryPath(folder.c_str(), 63, path, sizeof path));
  EXPECT_STREQ(path, "") << "a cut path must never be used";
  // The shorter names of the same folder still fit.
  EXPECT_TRUE(StaleDictionaryPath(folder.c_str(), 0, path, sizeof path));
  EXPECT_EQ(std::string(path), folder + "\\pykeys.dic");
}

}  // namespace
