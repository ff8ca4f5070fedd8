// Start-up decisions: system language, the Installer's folder, the Enter-key rule, wizard pages.
#include "app/system_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/wizard_pages.h"

namespace {

TEST(SystemLanguageFor, ChineseOnAMultibyteCodePageOnly) {
  EXPECT_EQ(SystemLanguageFor(true, 0x0804), 1);   // People's Republic
  EXPECT_EQ(SystemLanguageFor(true, 0x1004), 1);   // Singapore
  EXPECT_EQ(SystemLanguageFor(true, 0x0404), 2);   // Taiwan
  EXPECT_EQ(SystemLanguageFor(true, 0x0C04), 2);   // Hong Kong
  EXPECT_EQ(SystemLanguageFor(true, 0x1404), 2);   // Macau
  EXPECT_EQ(SystemLanguageFor(false, 0x0804), 0);  // Chinese on a single-byte code page
  EXPECT_EQ(SystemLanguageFor(false, 0x0404), 0);
  EXPECT_EQ(SystemLanguageFor(true, 0x0409), 0);  // English
  EXPECT_EQ(SystemLanguageFor(true, 0x0411), 0);  // Japanese on a multibyte code page
  EXPECT_EQ(SystemLanguageFor(true, 0x0004), 1);  // neutral Chinese
}

std::wstring FolderOf(const wchar_t* name) {
  wchar_t folder[260];
  InstallerFolderOf(name, folder, 260);
  return folder;
}

TEST(InstallerFolderOf, KeepsTheFolderWithItsBackslash) {
  EXPECT_EQ(FolderOf(L"C:\\setup\\inst.exe"), L"C:\\setup\\");
  EXPECT_EQ(FolderOf(L"C:\\inst.exe"), L"C:\\");
  EXPECT_EQ(FolderOf(L"inst.exe"), L"A:\\");
  EXPECT_EQ(FolderOf(L""), L"A:\\");
  EXPECT_EQ(FolderOf(nullptr), L"A:\\");
  EXPECT_EQ(FolderOf(L"\\inst.exe"), L"\\");
  // A download folder that no ANSI code page of the system need spell.
  EXPECT_EQ(FolderOf(L"C:\\Users\\张三\\Downloads\\安装.exe"), L"C:\\Users\\张三\\Downloads\\");
  // A folder that would fill its buffer to the last character, leaving no room for the
  // terminating zero, falls back to A:\ instead of being written past the buffer's end.
  std::vector<wchar_t> six(6);  // "C:\K7\" takes 7 with its zero
  InstallerFolderOf(L"C:\\K7\\inst.exe", six.data(), six.size());
  EXPECT_EQ(std::wstring(six.data()), L"A:\\");
  wchar_t one[1] = {L'x'};
  InstallerFolderOf(L"C:\\K7\\inst.exe", one, 1);
  EXPECT_EQ(one[0], L'\0');
}

TEST(EnterKeyActionFor, PushButtonsPressThemselvesEverythingElsePressesNext) {
  const int kNext = 1001;
  // Owner-drawn push buttons (style byte 0x0B): their own id, key used up.
  EnterKeyAction cancel = EnterKeyActionFor(true, true, 0x0B, 2, kNext);
  EXPECT_EQ(cancel.command, 2);
  EXPECT_FALSE(cancel.passOn);
  EXPECT_EQ(EnterKeyActionFor(true, true, 0x00, 1003, kNext).command, 1003);  // BS_PUSHBUTTON
  // Check boxes and radio buttons of every kind: Next, and the key goes on.
  for (unsigned style : {2u, 3u, 4u, 5u, 6u, 9u}) {
    EnterKeyAction box = EnterKeyActionFor(true, true, style, 1004, kNext);
    EXPECT_EQ(box.command, kNext) << style;
    EXPECT_TRUE(box.passOn) << style;
  }
  EnterKeyAction edit = EnterKeyActionFor(true, false, 0x80, 1002, kNext);  // the path field
  EXPECT_EQ(edit.command, kNext);
  EXPECT_TRUE(edit.passOn);
  EXPECT_EQ(EnterKeyActionFor(false, false, 0, 0, kNext).command, kNext);
}

// What Next and Back do in every state: page 1 is passed over, the English box is checked on the
// way to the licence, and only Next on the language page starts the installation.
TEST(WizardPages, NextAndBackSkipPageOne) {
  struct Row {
    int state;
    bool next;  // Next, or Back
    WizardTransition expected;
  };
  const Row rows[] = {
      {0, true, {2, 2, true, false}},     {2, true, {3, 3, false, false}},
      {3, true, {99, 3, false, true}},    {99, true, {99, -1, false, false}},
      {-1, true, {-1, -1, false, false}}, {3, false, {2, 2, false, false}},
      {2, false, {0, 0, false, false}},   {0, false, {0, -1, false, false}},
      {99, false, {99, -1, false, false}}, {-1, false, {-1, -1, false, false}},
  };
  for (const Row& row : rows) {
    WizardTransition got = row.next ? NextTransition(row.state) : BackTransition(row.state);
    const char* key = row.next ? "Next in state " : "Back in state ";
    EXPECT_EQ(got.newState, row.expected.newState) << key << row.state;
    EXPECT_EQ(got.page, row.expected.page) << key << row.state;
    EXPECT_EQ(got.checkEnglishBox, row.expected.checkEnglishBox) << key << row.state;
    EXPECT_EQ(got.startInstallation, row.expected.startInstallation) << key << row.state;
  }
}

TEST(WizardPages, TableRowsAndLanguageList) {
  int rows = 0;
  while (kPageControls[rows][0] != 0) ++rows;
  EXPECT_EQ(rows, 4);
  EXPECT_EQ(kPageControls[2][0], 1010);
  EXPECT_EQ(kPageControls[3][1], 1031);
  EXPECT_EQ(kPageControls[3][2], 0);
  EXPECT_STREQ(kLanguageTable[0].label, "English 英文");
  EXPECT_STREQ(kLanguageTable[1].label, "Chinese(Simplified)  中文简体");
  EXPECT_EQ(kLanguageListEntries, 2);
  // The entry chosen is recorded as its language: the configuration file's ForceLanguage=1 is
  // Simplified Chinese, 2 Traditional.
  EXPECT_EQ(kLanguageTable[1].id, 1);
  EXPECT_EQ(kLanguageTable[2].id, 2);
}

}  // namespace
