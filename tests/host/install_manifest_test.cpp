// Checks the installation manifest table against the product's list of files, flags and groups.
#include "install/install_manifest.h"
#include "install/change_record.h"
#include "install/kept_copies.h"
#include "install/manifest_walk.h"
#include "install/stale_dictionaries.h"
#include "shell/ui_config.h"
#include "common/setup_file_names.h"

#include <gtest/gtest.h>

#include <cstring>
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

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Records what the walk does: "+name" for a row, "=position" for the bar; `failing` fails.
class RecordedSteps final : public ManifestSteps {
 public:
  explicit RecordedSteps(std::string failing = "") : failing_(std::move(failing)) {}
  bool Install(const ManifestRow& row) override {
    log += std::string("+") + row.fileName + " ";
    return failing_ != row.fileName;
  }
  void Progress(int position) override { log += "=" + std::to_string(position) + " "; }
  bool Exists(const ManifestRow& row) override {
    ++asked;
    return row.fileName != missing;
  }
  std::string log;
  std::string missing;
  int asked = 0;  // how many times Exists was asked

 private:
  std::string failing_;
};

TEST(WalkManifest, WritesEveryRowInOrderAndSkipsOnlyTheKeptWordBase) {
  RecordedSteps all;
  EXPECT_TRUE(WalkManifest(false, all));
  std::string expected;
  for (const ManifestRow& row : kInstallManifest) expected += std::string("+") + row.fileName + " ";
  std::string rowsOnly, positions;
  for (size_t at = 0; at < all.log.size();) {
    size_t end = all.log.find(' ', at) + 1;
    (all.log[at] == '+' ? rowsOnly : positions) += all.log.substr(at, end - at);
    at = end;
  }
  EXPECT_EQ(rowsOnly, expected);
  EXPECT_EQ(positions, "=15 =20 =25 =30 =35 =45 =50 =55 =65 =70 =90 ");
  EXPECT_EQ(all.asked, 0) << "no file is looked for when nothing is kept";
  EXPECT_NE(all.log.find("=35 +CiZuFlat.igb =45 +ch2py.bin"), std::string::npos);

  RecordedSteps kept;
  EXPECT_TRUE(WalkManifest(true, kept));
  EXPECT_NE(kept.log.find("+keymapSPStd2.bmp =35 =45 +ch2py.bin"), std::string::npos);
  EXPECT_NE(kept.log.find("+Keydrill.exe =55 =65 +K7.exe =70 =90 "), std::string::npos);
  EXPECT_EQ(kept.log.find("idx"), std::string::npos);
  int wordBaseRows = 0;
  for (const ManifestRow& row : kInstallManifest) wordBaseRows += IsWordBaseRow(row);
  EXPECT_EQ(kept.asked, wordBaseRows) << "only the kept word base's files are looked for";
  // A kept word base that lost a file gets that file, and only that one.
  RecordedSteps incomplete;
  incomplete.missing = "pycizudic.idx";
  EXPECT_TRUE(WalkManifest(true, incomplete));
  EXPECT_NE(incomplete.log.find("=65 +pycizudic.idx +K7.exe"), std::string::npos);
  EXPECT_EQ(incomplete.log.find("CiZuFlat"), std::string::npos);
}

TEST(WalkManifest, StopsAtTheFirstFailedRequiredRowAndPassesOverOptionalOnes) {
  RecordedSteps optional("tips.txt");
  EXPECT_TRUE(WalkManifest(false, optional));
  EXPECT_NE(optional.log.find("+tips.txt +tips_en.txt"), std::string::npos);

  RecordedSteps required("ChnBmp.bin");
  EXPECT_FALSE(WalkManifest(false, required));
  EXPECT_TRUE(EndsWith(required.log, "=25 +ChnBmp.bin ")) << required.log;
  RecordedSteps last("K7.exe");
  EXPECT_FALSE(WalkManifest(false, last));
  EXPECT_TRUE(EndsWith(last.log, "+py2_3ZiCi1stZuMu.idx +K7.exe ")) << last.log;
}

// Every file a run may keep aside has a first choice of name of its own, no longer than the
// temporary file's, so that wherever a file fits, its kept copy fits too.
TEST(KeptCopies, NameEveryOwner) {
  std::vector<int> owners = {kUiConfigOwner};
  for (const ManifestRow& row : kInstallManifest) owners.push_back(row.resourceId);
  for (int i = 0; i < kStaleDictionaryCount; ++i) owners.push_back(kStaleDictionaryOwner + i);
  std::set<std::string> names, targets;
  char target[260], kept[260];
  for (int owner : owners) {
    ASSERT_TRUE(KeptCopyPaths("C:\\K7", owner, target, kept, sizeof target)) << owner;
    const std::string name = std::string(kept).substr(6);
    EXPECT_EQ(std::string(kept, 6), "C:\\K7\\") << kept;
    EXPECT_EQ(name.size(), strlen(kTemporaryFileName)) << name;
    EXPECT_TRUE(names.insert(name).second) << name;
    targets.insert(target);
  }
  EXPECT_TRUE(names.count("~K7Setup.109") && names.count("~K7Setup.407") &&
              names.count("~K7Setup.463") && names.count(kUiConfigKeptName));
  // The manifest's 105 files and the 64 stale dictionaries: the configuration edit's copy is
  // velmarui.ini's, and pykeys.dic is both a manifest file and a stale dictionary (as is
  // Gbkflat.dic, under another case).
  EXPECT_EQ(targets.size(), 1u + 105u + 64u - 2u);
  EXPECT_FALSE(KeptCopyPaths("C:\\K7", 163, target, kept, sizeof target));
  EXPECT_FALSE(KeptCopyPaths("C:\\K7", 501, target, kept, sizeof target));
  EXPECT_FALSE(KeptCopyPaths(std::string(247, 'x').c_str(), 109, target, kept, sizeof target))
      << "no room for the kept copy's name";
  // The rows as the Installer carries them, found by file name (case aside) and resource id.
  for (size_t i = 0; i < kInstallManifestRows; ++i) {
    const ManifestRow row = ManifestRowAt(i), source = kInstallManifest[i];
    EXPECT_STREQ(row.fileName, source.fileName);
    EXPECT_TRUE(row.group == source.group && row.resourceId == source.resourceId &&
                row.attributes == source.attributes && row.required == source.required)
        << source.fileName;
    EXPECT_EQ(ManifestIndexOfResource(source.resourceId), static_cast<int>(i));
  }
  EXPECT_EQ(ManifestIndexNamed("k7.EXE"), 104);
  EXPECT_EQ(ManifestIndexNamed(kInstallManifest[0].fileName), 0);
  EXPECT_EQ(ManifestIndexNamed("Gbkflat.dic"), 1);
  // The first and last letters of the alphabet in either case.
  EXPECT_EQ(ManifestIndexNamed("ZI_ORDERED_BY_USAGE.TXT"), ManifestIndexOfResource(254));
  EXPECT_EQ(ManifestIndexNamed("KEYPAD-EXTERNAL.JPG"), ManifestIndexOfResource(315));
  EXPECT_EQ(ManifestIndexNamed("K7.ex"), -1);
  EXPECT_EQ(ManifestIndexNamed("K7.exe "), -1);
  EXPECT_EQ(ManifestIndexOfResource(163), -1);
}

// A run's record read back as written; a line cut short by a stop, and lines that would make a
// later run move or delete anything but the Installer's own copies and the product's files in
// its folder, are not acted on.
TEST(ChangeRecord, ReadsBackWhatWasWrittenAndNothingUnsafe) {
  char text[512];
  size_t length = 0;
  ASSERT_TRUE(AppendChange(text, sizeof text, &length, 0, nullptr, nullptr));
  ASSERT_TRUE(AppendChange(text, sizeof text, &length, kChangeKept, "~K7Setup.109", "K7.exe"));
  ASSERT_TRUE(AppendChange(text, sizeof text, &length, kChangeNew, nullptr, "a name with blanks"));
  ASSERT_TRUE(AppendChange(text, sizeof text, &length, kChangeScratch, nullptr, "~K7Setup.500"));
  ASSERT_TRUE(AppendChange(text, sizeof text, &length, kChangeLeftover, nullptr, "~k7setup.601"));
  ASSERT_TRUE(AppendChange(text, sizeof text, &length, kChangeRemoved, "~K7Setup.407", "x.dic0001"));
  EXPECT_FALSE(AppendChange(text, length + 8, &length, kChangeNew, nullptr, "too long"));
  std::string record(text, length);
  const std::string start = "K7Setup record 1\r\nK ~K7Setup.109 K7.exe\r\n";
  EXPECT_EQ(record.substr(0, start.size()), start);
  record += "K ~K7Setup.110 ..\r\nK K7.exe ~K7Setup.111\r\nN C:\\boot.ini\r\nN ..\\x\r\n"
            "D K7.exe\r\nS dir/x\r\nX what\r\nNno blank\r\nK ~K7Setup.112\r\nN LF only\n"
            "N cut short";
  RecordedChange changes[16];
  EXPECT_EQ(ReadChanges(&record[0], record.size(), changes, 16), 5);
  const std::string read = std::string(1, changes[0].kind) + changes[0].kept + "|" +
                           changes[0].name + changes[1].kind + changes[1].name + changes[2].kind +
                           changes[2].name + changes[3].kind + changes[3].name + changes[4].kind +
                           changes[4].kept + "|" + changes[4].name;
  EXPECT_EQ(read, "K~K7Setup.109|K7.exeNa name with blanksS~K7Setup.500D~k7setup.601"
                  "R~K7Setup.407|x.dic0001");
  std::string noHeader = "K7Setup record\r\nN K7.exe\r\n", cut = "K7Setup reco";
  EXPECT_EQ(ReadChanges(&noHeader[0], noHeader.size(), changes, 16), -1);
  EXPECT_EQ(ReadChanges(&cut[0], cut.size(), changes, 16), -1);
  std::string two = "K7Setup record 1\r\nN a\r\nN b\r\nN c\r\n";
  EXPECT_EQ(ReadChanges(&two[0], two.size(), changes, 2), 2) << "never more than it may hold";
}

}  // namespace
