// Start-up's view of the system under Wine: the platform flags, SystemLanguage, the Installer
// folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "common/installer_state.h"
#include "test_files.h"
#include "app/startup.h"

namespace {

// Run once per simulated system: K7_EXPECT_SYSTEM_LANGUAGE holds the value for the LC_ALL set.
TEST(DetectEnvironment, SystemLanguageFollowsTheSystemLocale) {
  const char* expected = getenv("K7_EXPECT_SYSTEM_LANGUAGE");
  ASSERT_NE(expected, nullptr);
  SystemLanguage = -1;
  DetectEnvironment();
  EXPECT_EQ(SystemLanguage, atoi(expected))
      << "LC_ALL=" << (getenv("LC_ALL") ? getenv("LC_ALL") : "");
}

TEST(DetectEnvironment, ReportsAnNtSystemThatIsNotVersionThree) {
  IsWinNT = IsMajorVersion3 = -1;
  DetectEnvironment();
  EXPECT_EQ(IsWinNT, 1);
  EXPECT_EQ(IsMajorVersion3, 0);
}

TEST(FindInstallerFolder, IsTheFolderOfTheRunningProgramWithItsBackslash) {
  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, sizeof module);
  std::string name = module;
  FindInstallerFolder(GetModuleHandleA(nullptr));
  EXPECT_EQ(Ansi(InstallerFolder), name.substr(0, name.rfind('\\') + 1));
}

}  // namespace
