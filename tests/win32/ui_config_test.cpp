// The configuration-file update and the control-settings copy on real files under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/installer_state.h"
#include "install/kept_copies.h"
#include "install/payload.h"
#include "shell/ui_config.h"
#include "test_files.h"

namespace {

constexpr DWORD kRO = FILE_ATTRIBUTE_READONLY;
constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;
constexpr uint16_t kUiConfigResource = 120;
const std::string kShippedTail = "[Config]\r\nUseBmpFont=0\r\n\r\n";

class UiConfigTest : public testing::Test {
 protected:
  // Installs the shipped file as the payload writer does, read-only and hidden.
  std::string InstallShippedFile() {
    std::vector<char> buffer(1 << 20);
    EXPECT_TRUE(ExtractPayload(kUiConfigResource, "velmarui.ini", buffer.data(), buffer.size(),
                               true, true));
    return ReadBytes(file());
  }
  // Runs the update with `language` chosen and checks what every update guarantees: the result,
  // the file's flags and no file left behind besides it.
  void Update(int language) {
    ForceLanguage = language;
    EXPECT_TRUE(UpdateUiConfig());
    EXPECT_EQ(ProtectionOf(file()), kRO | kHidden);
    EXPECT_EQ(CountEntries(dir.path()), 1);
  }
  std::string file() const { return dir / "velmarui.ini"; }

  ScratchInstallDir dir;
};

TEST_F(UiConfigTest, TheShippedFileRecordsTheBitmapFontAndTheChosenLanguage) {
  for (int language : {0, 1}) {
    std::string shipped = InstallShippedFile();
    ASSERT_GT(shipped.size(), kShippedTail.size());
    ASSERT_EQ(shipped.substr(shipped.size() - kShippedTail.size()), kShippedTail);
    Update(language);
    EXPECT_EQ(ReadBytes(file()), shipped.substr(0, shipped.size() - kShippedTail.size()) +
                                     "[Config]\r\nUseBmpFont=1\r\n\r\n\r\nForceLanguage=" +
                                     std::to_string(language) + "\r\n")
        << language;
  }
}

TEST_F(UiConfigTest, PresentKeysAreReplacedAndMissingOnesAppended) {
  struct Case {
    const char* before;
    DWORD flags;
    const char* after;
  };
  const Case kCases[] = {
      {"[UI_STR]\r\nA=1\r\n[Config]\r\nUseBmpFont=0\r\nForceLanguage=0\r\nB=2\r\n", kRO | kHidden,
       "[UI_STR]\r\nA=1\r\n[Config]\r\nUseBmpFont=1\r\nForceLanguage=1\r\nB=2\r\n"},
      {"[UI_STR]\r\nA=1\r\n", kHidden,
       "[UI_STR]\r\nA=1\r\n\r\n\r\n[Config]\r\n\r\n\r\nUseBmpFont=1\r\n\r\nForceLanguage=1\r\n"},
      {"", kRO, "\r\n\r\n[Config]\r\n\r\n\r\nUseBmpFont=1\r\n\r\nForceLanguage=1\r\n"},
      // LF-only lines: what text-mode offsets would corrupt.
      {"[UI_STR]\nA=1\n[Config]\nUseBmpFont=0\nForceLanguage=00\nB=2\n", 0,
       "[UI_STR]\nA=1\n[Config]\nUseBmpFont=1\nForceLanguage=1\nB=2\n"},
  };
  for (const Case& c : kCases) {
    WriteBytes(file(), c.before, c.flags);
    Update(1);
    EXPECT_EQ(ReadBytes(file()), c.after) << c.before;
  }
}

// A missing file is not made, and the run that needs it fails.
TEST_F(UiConfigTest, AMissingFileIsNotCreated) {
  EXPECT_FALSE(UpdateUiConfig());
  EXPECT_EQ(CountEntries(dir.path()), 0);
}

TEST_F(UiConfigTest, AFileThatCannotBeReplacedKeepsItsBytes) {
  const std::string before = "[Config]\r\nUseBmpFont=0\r\n";
  WriteBytes(file(), before);
  // Another program reads the file and does not let it be deleted or renamed over.
  HANDLE held = CreateFileA(file().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ForceLanguage = 1;
  EXPECT_FALSE(UpdateUiConfig()) << "a failed edit is no success";
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(file()), before);
  EXPECT_EQ(ProtectionOf(file()), 0u) << "its flags untouched";
  EXPECT_EQ(CountEntries(dir.path()), 1) << "no temporary file, no kept copy";
}

class ControlSettingsTest : public testing::Test {
 protected:
  ControlSettingsTest() {
    const std::wstring folder = Wide(installer.path() + "\\");
    folder.copy(InstallerFolder, folder.size());
    InstallerFolder[folder.size()] = 0;
    snprintf(WindowsFolder, sizeof WindowsFolder, "%s\\", windows.path().c_str());
  }
  ScratchInstallDir installer;
  ScratchInstallDir windows;
};

TEST_F(ControlSettingsTest, WithoutASourceTheWindowsFolderIsLeftAlone) {
  CopyControlSettings();
  EXPECT_EQ(CountEntries(windows.path()), 0);
  WriteBytes(windows / "SCtrlSet2.bin", "earlier settings", kRO | kHidden);
  CopyControlSettings();
  EXPECT_EQ(ReadBytes(windows / "SCtrlSet2.bin"), "earlier settings");
  EXPECT_EQ(ProtectionOf(windows / "SCtrlSet2.bin"), kRO | kHidden);
}

TEST_F(ControlSettingsTest, TheSourceIsCopiedOverAnyEarlierCopy) {
  const std::string settings("settings\0\x80\xFF", 11);
  WriteBytes(installer / "SCtrlSet2.bin", settings);
  WriteBytes(installer / "SCtrlSet1.bin", "another variant");
  CopyControlSettings();
  EXPECT_EQ(ReadBytes(windows / "SCtrlSet2.bin"), settings);
  EXPECT_EQ(CountEntries(windows.path()), 1);

  WriteBytes(windows / "SCtrlSet2.bin", "an earlier, longer copy of the settings", kRO | kHidden);
  CopyControlSettings();
  EXPECT_EQ(ReadBytes(windows / "SCtrlSet2.bin"), settings);
  EXPECT_EQ(ReadBytes(installer / "SCtrlSet2.bin"), settings);
}

}  // namespace
