// The silent mode's command line: switches, the folder of "/D=", and what is refused.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>

#include "install/install_manifest.h"

namespace {

std::string Shown(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(ParseCommandLine, ModesAndFolders) {
  struct Case {
    const wchar_t* line;
    LaunchMode mode;
    const wchar_t* folder;
  };
  const std::wstring longest = L"C:\\" + std::wstring(kLongestInstallDir - 3, L'd');
  const std::wstring tooLong = longest + L"d";
  const std::wstring longestLine = L"setup.exe /S /D=" + longest;
  const std::wstring tooLongLine = L"setup.exe /S /D=" + tooLong;
  // As long as the folder buffer, terminating zero left out: refused, not written past its end.
  const std::wstring bufferLongLine = L"setup.exe /S /D=C:\\" + std::wstring(kPathCapacity - 3, L'd');
  const Case cases[] = {
      {L"setup.exe", LaunchMode::kWizard, L""},
      {L"\"C:\\My Downloads\\setup.exe\" /X /D=C:\\Q", LaunchMode::kWizard, L""},
      {L"setup.exe /s", LaunchMode::kWizard, L""},
      {L"\"C:\\a b\\setup.exe\" /S", LaunchMode::kSilent, L""},
      {L"\"setup.exe\"/S", LaunchMode::kSilent, L""},
      {L"\"\" /S", LaunchMode::kSilent, L""},
      {L"\"C:\\a b\\setup.exe /S", LaunchMode::kWizard, L""},  // the name's quote never closed
      // A program started from a folder named in Chinese.
      {L"\"C:\\Users\\张三\\Downloads\\setup.exe\" /S", LaunchMode::kSilent, L""},
      {L"setup.exe  /S   /D=C:\\Program Files\\K7 Q  ", LaunchMode::kSilent,
       L"C:\\Program Files\\K7 Q"},
      {L"setup.exe /S \"/D=C:\\Program Files\\K7\"", LaunchMode::kSilent, L"C:\\Program Files\\K7"},
      // The folder as given, trailing backslashes and all: taking it drops them.
      {L"setup.exe /S /D=\"D:\\Tools\\\"", LaunchMode::kSilent, L"D:\\Tools\\"},
      {L"setup.exe /S /D=E:\\", LaunchMode::kSilent, L"E:\\"},
      {L"setup.exe /S /D=C:\\K7\\\\", LaunchMode::kSilent, L"C:\\K7\\\\"},
      {L"setup.exe /S /D=\\", LaunchMode::kSilent, L"\\"},
      {L"setup.exe /S /D=\"C:\\Q\"", LaunchMode::kSilent, L"C:\\Q"},
      {L"setup.exe /S /D=Q", LaunchMode::kSilent, L"Q"},
      // Whatever the code page: the folder is checked when it is taken.
      {L"setup.exe /S /D=C:\\张三", LaunchMode::kSilent, L"C:\\张三"},
      {L"setup.exe /S /D=a\xFF3C..\xFF3CWindows", LaunchMode::kSilent, L"a\xFF3C..\xFF3CWindows"},
      // A full-width slash is no switch.
      {L"setup.exe \xFF0FS", LaunchMode::kWizard, L""},
      {L"setup.exe /D=C:\\Q /S", LaunchMode::kWizard, L""},  // "/D=" takes the rest of the line
      {longestLine.c_str(), LaunchMode::kSilent, longest.c_str()},
      {tooLongLine.c_str(), LaunchMode::kBadCommandLine, L""},
      {bufferLongLine.c_str(), LaunchMode::kBadCommandLine, L""},
      {L"setup.exe /S /X", LaunchMode::kBadCommandLine, L""},
      {L"setup.exe /S /SILENT", LaunchMode::kBadCommandLine, L""},
      // Only "/S" itself is the silent switch.
      {L"setup.exe /SILENT /D=C:\\Q", LaunchMode::kWizard, L""},
      {L"setup.exe /S2", LaunchMode::kWizard, L""},
      {L"setup.exe -S", LaunchMode::kWizard, L""},
      {L"setup.exe /S /D=", LaunchMode::kBadCommandLine, L""},
      {L"setup.exe /S /D= ", LaunchMode::kBadCommandLine, L""},
      {L"setup.exe /S /D=\"\"", LaunchMode::kBadCommandLine, L""},
      {L"setup.exe /S /D=\"C:\\K7", LaunchMode::kBadCommandLine, L""},
      {L"setup.exe /S /D=C:\\K7\"", LaunchMode::kBadCommandLine, L""},
      {L"setup.exe /S \"/D=C:\\K7", LaunchMode::kBadCommandLine, L""},
  };
  for (const Case& c : cases) {
    const CommandLine parsed = ParseCommandLine(c.line);
    EXPECT_EQ(parsed.mode, c.mode) << Shown(c.line);
    EXPECT_EQ(std::wstring(parsed.folder), c.folder) << Shown(c.line);
  }
  EXPECT_EQ(ParseCommandLine(nullptr).mode, LaunchMode::kWizard);
}

}  // namespace
