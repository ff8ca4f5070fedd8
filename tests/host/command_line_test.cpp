// The silent mode's command line: switches, the folder of "/D=", and what is refused.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>

#include "install/install_manifest.h"

namespace {

// GBK: a byte of 0x81..0xFE starts a two-byte character.
bool GbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

TEST(ParseCommandLine, ModesAndFolders) {
  struct Case {
    const char* line;
    LaunchMode mode;
    const char* folder;
  };
  const std::string longest = "C:\\" + std::string(kLongestInstallDir - 3, 'd');
  const std::string tooLong = longest + "d";
  const std::string longestLine = "setup.exe /S /D=" + longest;
  const std::string tooLongLine = "setup.exe /S /D=" + tooLong;
  // As long as the folder buffer, terminating zero left out: refused, not written past its end.
  const std::string bufferLongLine = "setup.exe /S /D=C:\\" + std::string(kPathCapacity - 3, 'd');
  const Case cases[] = {
      {"setup.exe", LaunchMode::kWizard, ""},
      {"\"C:\\My Downloads\\setup.exe\" /X /D=C:\\Q", LaunchMode::kWizard, ""},
      {"setup.exe /s", LaunchMode::kWizard, ""},
      {"\"C:\\a b\\setup.exe\" /S", LaunchMode::kSilent, ""},
      {"\"setup.exe\"/S", LaunchMode::kSilent, ""},
      {"\"\" /S", LaunchMode::kSilent, ""},
      {"\"C:\\a b\\setup.exe /S", LaunchMode::kWizard, ""},  // the name's quote never closed
      {"setup.exe  /S   /D=C:\\Program Files\\K7 Q  ", LaunchMode::kSilent,
       "C:\\Program Files\\K7 Q"},
      {"setup.exe /S \"/D=C:\\Program Files\\K7\"", LaunchMode::kSilent, "C:\\Program Files\\K7"},
      {"setup.exe /S /D=\"D:\\Tools\\\"", LaunchMode::kSilent, "D:\\Tools"},
      {"setup.exe /S /D=E:\\", LaunchMode::kSilent, "E:"},
      {"setup.exe /S /D=\"C:\\Q\"", LaunchMode::kSilent, "C:\\Q"},
      {"setup.exe /S /D=Q", LaunchMode::kSilent, "Q"},
      // 功 is A5 5C in Big5 and 誠 D5 5C in GBK: a trail byte 0x5C is no backslash.
      {"setup.exe /S /D=C:\\\xD5\x5C", LaunchMode::kSilent, "C:\\\xD5\x5C"},
      {"setup.exe /D=C:\\Q /S", LaunchMode::kWizard, ""},  // "/D=" takes the rest of the line
      {longestLine.c_str(), LaunchMode::kSilent, longest.c_str()},
      {tooLongLine.c_str(), LaunchMode::kBadCommandLine, ""},
      {bufferLongLine.c_str(), LaunchMode::kBadCommandLine, ""},
      {"setup.exe /S /X", LaunchMode::kBadCommandLine, ""},
      {"setup.exe /S /SILENT", LaunchMode::kBadCommandLine, ""},
      // Only "/S" itself is the silent switch.
      {"setup.exe /SILENT /D=C:\\Q", LaunchMode::kWizard, ""},
      {"setup.exe /S2", LaunchMode::kWizard, ""},
      {"setup.exe -S", LaunchMode::kWizard, ""},
      {"setup.exe /S /D=", LaunchMode::kBadCommandLine, ""},
      {"setup.exe /S /D=\\", LaunchMode::kBadCommandLine, ""},
      {"setup.exe /S /D= ", LaunchMode::kBadCommandLine, ""},
      {"setup.exe /S /D=\"\"", LaunchMode::kBadCommandLine, ""},
      {"setup.exe /S /D=\"C:\\K7", LaunchMode::kBadCommandLine, ""},
      {"setup.exe /S /D=C:\\K7\"", LaunchMode::kBadCommandLine, ""},
      {"setup.exe /S \"/D=C:\\K7", LaunchMode::kBadCommandLine, ""},
  };
  for (const Case& c : cases) {
    CommandLine parsed = ParseCommandLine(c.line, GbkLeadByte);
    EXPECT_EQ(parsed.mode, c.mode) << c.line;
    EXPECT_STREQ(parsed.folder, c.folder) << c.line;
  }
  EXPECT_EQ(ParseCommandLine(nullptr, nullptr).mode, LaunchMode::kWizard);
}

}  // namespace
