// Checks the installation manifest table against the product's list of files, flags and groups.
#include "install/install_manifest.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const ManifestGroup& GroupOf(int group) { return kManifestGroups[group - 1]; }

TEST(InstallManifest, HasTheRowsInInstallationOrder) {
  ASSERT_EQ(kInstallManifestRows, 105u);
  EXPECT_EQ(kInstallManifest[0].resourceId, 106);
  EXPECT_STREQ(kInstallManifest[0].fileName, "pykeys.dic");
  EXPECT_EQ(kInstallManifest[11].resourceId, 110);
  EXPECT_STREQ(kInstallManifest[11].fileName, "ChnBmp.bin");
  EXPECT_STREQ(kInstallManifest[104].fileName, "K7.exe");
  EXPECT_EQ(kInstallManifest[104].resourceId, 109);

  // Groups run 1..15 without going back, and every group has rows.
  std::vector<int> rowsPerGroup(16, 0);
  int previous = 1;
  for (const ManifestRow& row : kInstallManifest) {
    ASSERT_GE(row.group, previous) << row.fileName;
    previous = row.group;
    ++rowsPerGroup[row.group];
  }
  const int expected[16] = {0, 3, 1, 3, 4, 1, 8, 1, 4, 13, 31, 4, 28, 1, 2, 1};
  for (int g = 1; g <= 15; ++g) EXPECT_EQ(rowsPerGroup[g], expected[g]) << "group " << g;
}

TEST(InstallManifest, IdsAndNamesAreUnique) {
  std::set<int> ids;
  std::set<std::string> names;
  for (const ManifestRow& row : kInstallManifest) {
    EXPECT_TRUE(ids.insert(row.resourceId).second) << row.resourceId;
    EXPECT_TRUE(names.insert(row.fileName).second) << row.fileName;
    EXPECT_GE(row.resourceId, 106);
    EXPECT_LE(row.resourceId, 315);
  }
  for (uint16_t id : kUnlistedPayloadIds) EXPECT_TRUE(ids.insert(id).second) << id;
  EXPECT_EQ(ids.size(), 111u);
}

TEST(InstallManifest, FlagsFollowTheGroups) {
  // Columns: group, attributes, required.
  struct GroupFlags {
    int group;
    uint8_t attributes;
    bool required;
  };
  const GroupFlags kExpected[] = {
      {1, kRH, true},   {2, kH, true},    {3, kRH, true}, {4, kRH, false},   {5, kRH, true},
      {6, kRH, true},   {7, kNone, true}, {8, kRH, true}, {9, kRH, false},   {10, kR, false},
      {11, kRH, false}, {12, kR, false},  {13, kR, true}, {14, kNone, true}, {15, kR, true},
  };
  for (const ManifestRow& row : kInstallManifest) {
    const GroupFlags& want = kExpected[row.group - 1];
    EXPECT_EQ(row.attributes, want.attributes) << row.fileName;
    EXPECT_EQ(row.required, want.required) << row.fileName;
  }
}

TEST(InstallManifest, OnlyTheWordBaseHasNeitherFlagAndOnlySortDicIsHiddenAlone) {
  std::set<int> plain, hiddenOnly;
  for (const ManifestRow& row : kInstallManifest) {
    if (row.attributes == kNone) plain.insert(row.resourceId);
    if (row.attributes == kAttrHidden) hiddenOnly.insert(row.resourceId);
  }
  EXPECT_EQ(plain, (std::set<int>{127, 128, 129}));
  EXPECT_EQ(hiddenOnly, (std::set<int>{111}));
}

TEST(InstallManifest, WordBaseGroupsAreSevenAndFourteen) {
  for (const ManifestGroup& g : kManifestGroups)
    EXPECT_EQ(g.wordBase, g.group == 7 || g.group == 14);
  for (const ManifestRow& row : kInstallManifest) {
    bool wordBaseFile = row.resourceId == 127 || row.resourceId == 128 || row.resourceId == 129;
    EXPECT_EQ(GroupOf(row.group).wordBase, wordBaseFile) << row.fileName;
  }
}

TEST(InstallManifest, ProgressPositionsOfARun) {
  std::vector<int> positions = {kRunProgressStart};
  for (const ManifestGroup& g : kManifestGroups)
    for (uint8_t p : g.progressAfter)
      if (p != 0) positions.push_back(p);
  positions.push_back(kRunProgressAfterStartMenu);
  for (uint8_t p : kRunProgressEnd) positions.push_back(p);
  EXPECT_EQ(positions,
            (std::vector<int>{10, 15, 20, 25, 30, 35, 45, 50, 55, 65, 70, 90, 94, 97, 100}));
}

}  // namespace
