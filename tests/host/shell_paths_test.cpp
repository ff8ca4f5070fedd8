// The legacy folder composition and the link's working folder, with double-byte names.
#include "shell/shell_paths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Lead bytes of GBK (code page 936) and Big5 (code page 950) alike.
bool IsChineseLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Big5 許 and GBK 癨 both end in the byte of "\".
const std::string kBig5Xu = "\xB3\x5C";
const std::string kGbkWithBackslash = "\xB0\x5C";

std::wstring Compose(const std::wstring& windows, bool nt, const std::wstring& user, int kind) {
  wchar_t out[260];
  if (!ComposeLegacyFolderPath(windows.c_str(), nt, user.c_str(), kind, out, 260))
    return L"<failed:" + std::wstring(out) + L">";
  return out;
}

TEST(LegacyFolder, TheFourPathsWithAndWithoutATrailingBackslash) {
  for (const wchar_t* windows : {L"C:\\WINDOWS", L"C:\\WINDOWS\\"}) {
    EXPECT_EQ(Compose(windows, false, L"", kShellFolderPrograms),
              L"C:\\WINDOWS\\start menu\\programs");
    EXPECT_EQ(Compose(windows, false, L"", kShellFolderDesktop), L"C:\\WINDOWS\\Desktop");
    EXPECT_EQ(Compose(windows, true, L"mei", kShellFolderPrograms),
              L"C:\\WINDOWS\\profiles\\mei\\start menu\\programs");
    EXPECT_EQ(Compose(windows, true, L"mei", kShellFolderDesktop),
              L"C:\\WINDOWS\\profiles\\mei\\Desktop");
  }
  EXPECT_EQ(Compose(L"C:\\", false, L"", kShellFolderDesktop), L"C:\\Desktop");
  // A user name that no ANSI code page of the system need spell (NT 3.51 keeps the profile
  // under it), and a Windows folder named so.
  EXPECT_EQ(Compose(L"C:\\WINNT", true, L"张三", kShellFolderPrograms),
            L"C:\\WINNT\\profiles\\张三\\start menu\\programs");
  EXPECT_EQ(Compose(L"D:\\視窗", false, L"", kShellFolderDesktop), L"D:\\視窗\\Desktop");
}

TEST(LegacyFolder, OtherKindsEndInABackslash) {
  EXPECT_EQ(Compose(L"C:\\WINNT", false, L"", 5), L"C:\\WINNT\\");
  EXPECT_EQ(Compose(L"C:\\WINNT\\", true, L"mei", 16), L"C:\\WINNT\\profiles\\mei\\");
}

TEST(LegacyFolder, AnEmptyWindowsFolderFails) {
  EXPECT_EQ(Compose(L"", false, L"", kShellFolderDesktop), L"<failed:>");
  // So does NT without a user name, its buffer left empty; a buffer of no room is not touched.
  wchar_t out[1] = {L'x'};
  EXPECT_FALSE(ComposeLegacyFolderPath(L"C:\\WINNT", true, nullptr, 5, out, 1));
  EXPECT_EQ(out[0], L'\0');
  out[0] = L'x';
  EXPECT_FALSE(ComposeLegacyFolderPath(L"C:\\WINNT", false, L"", 5, out, 0));
  EXPECT_EQ(out[0], L'x');
}

TEST(LegacyFolder, AResultThatDoesNotFitIsRefusedNotCut) {
  // "\profiles\" + user + "\Desktop" after a Windows folder of 10 characters.
  const std::wstring windows = L"C:\\WINDOWS";
  const size_t fixed = windows.size() + std::wstring(L"\\profiles\\\\Desktop").size();
  const std::wstring fits(259 - fixed, L'u'), tooLong(260 - fixed, L'u');
  EXPECT_EQ(Compose(windows, true, fits, kShellFolderDesktop).size(), 259u);
  EXPECT_EQ(Compose(windows, true, tooLong, kShellFolderDesktop), L"<failed:>");

  // Never a character past the buffer, however small it is.
  wchar_t small[12];
  for (wchar_t& c : small) c = L'x';
  EXPECT_FALSE(ComposeLegacyFolderPath(L"C:\\WINDOWS", false, L"", kShellFolderDesktop, small, 11));
  EXPECT_EQ(small[0], L'\0');
  EXPECT_EQ(small[11], L'x');

  // The wide appends and backslash helpers behind it.
  wchar_t text[8] = L"ab";
  EXPECT_TRUE(AppendText(text, 8, L"\\\\"));
  EXPECT_TRUE(AppendText(text, 8, "c\\"));
  EXPECT_EQ(std::wstring(text), L"ab\\\\c\\");
  EXPECT_EQ(FindLastBackslash(text), 5);
  EXPECT_EQ(FindLastBackslash(L"C:"), -1);
  DropTrailingBackslashes(text);
  EXPECT_EQ(std::wstring(text), L"ab\\\\c");
  EXPECT_TRUE(AppendText(text, 8, L"de")) << "seven characters and the zero fill it";
  EXPECT_FALSE(AppendText(text, 8, "f"));
  EXPECT_EQ(std::wstring(text), L"ab\\\\cde");
  wchar_t unit[1] = {L'\0'};
  EXPECT_TRUE(AppendText(unit, 1, "")) << "nothing appended fits one unit";
  wchar_t root[] = L"C:\\\\", none[] = L"\\";
  DropTrailingBackslashes(root);
  DropTrailingBackslashes(none);
  EXPECT_EQ(std::wstring(root), L"C:");
  EXPECT_EQ(std::wstring(none), L"");
}

TEST(BackslashSearch, SkipsSecondBytesAndReadsAFinalLeadByteAlone) {
  EXPECT_EQ(FindLastBackslash("C:\\a\\b", IsChineseLeadByte), 4);
  EXPECT_EQ(FindLastBackslash(("C:\\" + kBig5Xu).c_str(), IsChineseLeadByte), 2);
  EXPECT_EQ(FindLastBackslash(("C:\\" + kBig5Xu).c_str(), nullptr), 4);
  EXPECT_EQ(FindLastBackslash((kGbkWithBackslash + kGbkWithBackslash).c_str(), IsChineseLeadByte),
            -1);
  // A lead byte with nothing after it is one byte; the walk stays in the text.
  EXPECT_EQ(FindLastBackslash("a\\\xB3", IsChineseLeadByte), 1);
  // ASCII after a double-byte character is read as ASCII again.
  EXPECT_EQ(FindLastBackslash((kBig5Xu + "\\x").c_str(), IsChineseLeadByte), 2);
}

TEST(WorkingFolder, TheTargetsFolderWithoutItsBackslash) {
  char out[260];
  ASSERT_TRUE(LinkWorkingFolder("C:\\K7_Quorvane\\K7.exe", IsChineseLeadByte, out, sizeof out));
  EXPECT_STREQ(out, "C:\\K7_Quorvane");
  const std::string folder = "D:\\" + kBig5Xu + "\\" + kGbkWithBackslash;
  ASSERT_TRUE(LinkWorkingFolder((folder + "\\" + kBig5Xu + ".exe").c_str(), IsChineseLeadByte, out,
                                sizeof out));
  EXPECT_EQ(std::string(out), folder);
  EXPECT_FALSE(LinkWorkingFolder("K7.exe", IsChineseLeadByte, out, sizeof out));
  EXPECT_STREQ(out, "");
  // A file name ending in such a character is no folder separator.
  EXPECT_FALSE(LinkWorkingFolder(kBig5Xu.c_str(), IsChineseLeadByte, out, sizeof out));
}

TEST(WorkingFolder, ATargetThatDoesNotFitGivesNoFolder) {
  char out[8];
  EXPECT_FALSE(LinkWorkingFolder("C:\\folder\\K7.exe", nullptr, out, sizeof out));
  EXPECT_STREQ(out, "");
}

}  // namespace
