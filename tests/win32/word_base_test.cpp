// The word-base decision and the stale-dictionary sweep on real folders, with the real question
// dialog answered from a second thread, under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "dialog_answerer.h"
#include "install/file_transaction.h"
#include "install/word_base.h"
#include "test_files.h"

namespace {

constexpr DWORD kRO = FILE_ATTRIBUTE_READONLY;
constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;

class WordBaseTest : public testing::Test {
 protected:
  // Runs the decision with a user ready to answer; returns how many questions were asked.
  int Decide(DialogAnswerer::Action action = DialogAnswerer::kPressEscape) {
    KeepOldWordBase = true;  // the decision must set it either way
    DialogAnswerer user(action);
    DecideWordBase();
    int asked = user.Finish();
    EXPECT_EQ(user.ignored(), 0) << "the dialog did not take the answer";
    lastTexts = user.texts();
    return asked;
  }

  ScratchInstallDir dir;
  std::string lastTexts;
};

TEST_F(WordBaseTest, AFreshFolderAsksNothingAndLeavesTheCursorAlone) {
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  SetCursor(arrow);
  EXPECT_EQ(Decide(), 0);
  EXPECT_FALSE(KeepOldWordBase);
  EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(WordBaseTest, WithoutTheFullMarkerNothingIsAskedAndTheWordBaseIsReplaced) {
  struct Case {
    const char* what;
    bool flat;          // CiZuFlat.igb present
    const char* index;  // bytes of pycizudic.idx, or null for none
    size_t indexSize;
  };
  const Case kCases[] = {
      {"CiZuFlat.igb without pycizudic.idx", true, nullptr, 0},
      {"pycizudic.idx beginning below 0x80", true, "\x7F\x80\xFF", 3},
      {"an empty pycizudic.idx", true, "", 0},
      {"pycizudic.idx beginning with 0x80 without CiZuFlat.igb", false, "\x80", 1},
  };
  for (const Case& c : kCases) {
    ScratchInstallDir folder;
    if (c.flat) WriteBytes(folder / "CiZuFlat.igb", "flat");
    if (c.index != nullptr) WriteBytes(folder / "pycizudic.idx", std::string(c.index, c.indexSize));
    EXPECT_EQ(Decide(), 0) << c.what;
    EXPECT_FALSE(KeepOldWordBase) << c.what;
  }
}

TEST_F(WordBaseTest, AnEarlierInstallationsWordBaseRaisesTheQuestion) {
  struct Case {
    DialogAnswerer::Action action;
    bool keep;
  };
  const Case kCases[] = {{DialogAnswerer::kClickYes, false},
                         {DialogAnswerer::kClickNo, true},
                         {DialogAnswerer::kPressEscape, true}};
  // The word base that the Installer carries is recognised as such.
  WriteBytes(dir / "CiZuFlat.igb", SampleFile("CiZuFlat.igb"));
  WriteBytes(dir / "pycizudic.idx", SampleFile("pycizudic.idx"));
  ASSERT_EQ(static_cast<unsigned char>(ReadBytes(dir / "pycizudic.idx")[0]), 0x80);
  for (const Case& c : kCases) {
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(Decide(c.action), 1) << c.action;
    EXPECT_EQ(KeepOldWordBase, c.keep) << c.action;
    EXPECT_NE(lastTexts.find(kMsgReplaceWordBase.english), std::string::npos) << lastTexts;
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  }
  // The running product holds the index: writing it while sharing reading and writing, or
  // without sharing at all, when it cannot be read. The question comes all the same, even for
  // an index whose first byte marks none: what cannot be read is taken for the user's own.
  for (const char* first : {"\x80", "\x7F"}) {
    WriteBytes(dir / "pycizudic.idx", std::string(first) + " user words");
    for (DWORD share : {DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}, DWORD{0}}) {
      if (share != 0 && first[0] != '\x80') continue;
      HANDLE held = CreateFileA((dir / "pycizudic.idx").c_str(), GENERIC_READ | GENERIC_WRITE,
                                share, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
      EXPECT_EQ(Decide(DialogAnswerer::kClickNo), 1) << share;
      CloseHandle(held);
      EXPECT_TRUE(KeepOldWordBase) << share;
    }
  }
}

// The sweep keeps the stale dictionaries aside: a failed run puts them back as they were, a
// run that succeeds deletes them. pykeys.dic and gbkflat.dic are the manifest's own files, which
// the run replaces keeping their earlier copies as it keeps every file's: the sweep leaves them.
TEST_F(WordBaseTest, SweepRemovesEveryStaleDictionaryAndNothingElse) {
  const char* const kStale[] = {"pykeys.dic0001", "Gbkflat.dic0110", "flatAuto.dic",
                                "flatAdjust.dic", "flatAuto.dic1010"};
  for (const char* name : kStale) WriteBytes(dir / name, std::string("stale ") + name);
  WriteBytes(dir / "flatAdjust.dic1111", "stale", kRO | kHidden);
  ASSERT_EQ(ProtectionOf(dir / "flatAdjust.dic1111"), kRO | kHidden);
  const char* const kKept[] = {"pykeys.dic0000",   "pykeys.dic0002", "pykeys.dic00001",
                               "flatAuto.dic.bak", "sort.dic",       "pykeys.dic",
                               "gbkflat.dic"};
  for (const char* name : kKept) WriteBytes(dir / name, "kept");
  const FolderContents before = ContentsOf(dir.path());

  for (bool commit : {false, true}) {
    FileTransaction run;
    ASSERT_TRUE(run.Recover() && run.Begin(false));
    EXPECT_TRUE(SweepStaleDictionaries(run));
    for (const char* name : kStale) EXPECT_FALSE(FileExists(dir / name)) << name;
    EXPECT_FALSE(FileExists(dir / "flatAdjust.dic1111"));
    if (commit) {
      EXPECT_TRUE(run.Commit());
    } else {
      EXPECT_TRUE(run.RollBack());
      EXPECT_EQ(ChangesBetween(before, ContentsOf(dir.path())), "");
    }
  }
  for (const char* name : kKept) EXPECT_EQ(ReadBytes(dir / name), "kept") << name;
  EXPECT_EQ(CountEntries(dir.path()), 7);
}

TEST_F(WordBaseTest, KeepingTheWordBaseLeavesItsFilesAsTheyWere) {
  const std::string index = SampleFile("pycizudic.idx");
  WriteBytes(dir / "CiZuFlat.igb", "old flat word base", kHidden);
  WriteBytes(dir / "pycizudic.idx", index, kRO);
  WriteBytes(dir / "py2_3ZiCi1stZuMu.idx", "old first-letter index");
  WriteBytes(dir / "flatAuto.dic", "learned words");
  WriteBytes(dir / "flatAdjust.dic", "adjusted words", kRO | kHidden);

  EXPECT_EQ(Decide(DialogAnswerer::kClickNo), 1);
  EXPECT_TRUE(KeepOldWordBase);
  FileTransaction run;
  ASSERT_TRUE(run.Recover() && run.Begin(true) && SweepStaleDictionaries(run));
  EXPECT_TRUE(run.Commit());

  EXPECT_EQ(ReadBytes(dir / "CiZuFlat.igb"), "old flat word base");
  EXPECT_EQ(ProtectionOf(dir / "CiZuFlat.igb"), kHidden);
  EXPECT_EQ(ReadBytes(dir / "pycizudic.idx"), index);
  EXPECT_EQ(ProtectionOf(dir / "pycizudic.idx"), kRO);
  EXPECT_EQ(ReadBytes(dir / "py2_3ZiCi1stZuMu.idx"), "old first-letter index");
  EXPECT_EQ(ProtectionOf(dir / "py2_3ZiCi1stZuMu.idx"), 0u);
  EXPECT_FALSE(FileExists(dir / "flatAuto.dic"));
  EXPECT_FALSE(FileExists(dir / "flatAdjust.dic"));
}

}  // namespace
