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

std::string Compose(const std::string& windows, bool nt, const std::string& user, int kind,
                    LeadByteTest lead = IsChineseLeadByte) {
  char out[260];
  if (!ComposeLegacyFolderPath(windows.c_str(), nt, user.c_str(), kind, lead, out, sizeof out))
    return "<failed:" + std::string(out) + ">";
  return out;
}

TEST(LegacyFolder, TheFourPathsWithAndWithoutATrailingBackslash) {
  for (const char* windows : {"C:\\WINDOWS", "C:\\WINDOWS\\"}) {
    EXPECT_EQ(Compose(windows, false, "", kShellFolderPrograms),
              "C:\\WINDOWS\\start menu\\programs");
    EXPECT_EQ(Compose(windows, false, "", kShellFolderDesktop), "C:\\WINDOWS\\Desktop");
    EXPECT_EQ(Compose(windows, true, "mei", kShellFolderPrograms),
              "C:\\WINDOWS\\profiles\\mei\\start menu\\programs");
    EXPECT_EQ(Compose(windows, true, "mei", kShellFolderDesktop),
              "C:\\WINDOWS\\profiles\\mei\\Desktop");
  }
  EXPECT_EQ(Compose("C:\\", false, "", kShellFolderDesktop), "C:\\Desktop");
}

TEST(LegacyFolder, OtherKindsEndInABackslash) {
  EXPECT_EQ(Compose("C:\\WINNT", false, "", 5), "C:\\WINNT\\");
  EXPECT_EQ(Compose("C:\\WINNT\\", true, "mei", 16), "C:\\WINNT\\profiles\\mei\\");
}

TEST(LegacyFolder, AnEmptyWindowsFolderFails) {
  EXPECT_EQ(Compose("", false, "", kShellFolderDesktop), "<failed:>");
  // So does NT without a user name, its buffer left empty; a buffer of no bytes is not touched.
  char out[1] = {'x'};
  EXPECT_FALSE(ComposeLegacyFolderPath("C:\\WINNT", true, nullptr, 5, nullptr, out, 1));
  EXPECT_EQ(out[0], '\0');
  out[0] = 'x';
  EXPECT_FALSE(ComposeLegacyFolderPath("C:\\WINNT", false, "", 5, nullptr, out, 0));
  EXPECT_EQ(out[0], 'x');
}

TEST(LegacyFolder, AResultThatDoesNotFitIsRefusedNotCut) {
  // "\profiles\" + user + "\Desktop" after a Windows folder of 10 bytes.
  const std::string windows = "C:\\WINDOWS";
  const size_t fixed = windows.size() + std::string("\\profiles\\\\Desktop").size();
  const std::string fits(259 - fixed, 'u'), tooLong(260 - fixed, 'u');
  EXPECT_EQ(Compose(windows, true, fits, kShellFolderDesktop).size(), 259u);
  EXPECT_EQ(Compose(windows, true, tooLong, kShellFolderDesktop), "<failed:>");

  // Never a byte past the buffer, however small it is.
  char small[12];
  memset(small, 'x', sizeof small);
  EXPECT_FALSE(
      ComposeLegacyFolderPath("C:\\WINDOWS", false, "", kShellFolderDesktop, nullptr, small, 11));
  EXPECT_EQ(small[0], '\0');
  EXPECT_EQ(small[11], 'x');
}

TEST(LegacyFolder, ASecondByteEqualToBackslashIsNoTrailingBackslash) {
  // A Windows folder ending in a double-byte character whose second byte is 0x5C still needs
  // its separator.
  const std::string big5 = "C:\\" + kBig5Xu, gbk = "C:\\" + kGbkWithBackslash;
  EXPECT_EQ(Compose(big5, false, "", kShellFolderDesktop), big5 + "\\Desktop");
  EXPECT_EQ(Compose(gbk, false, "", kShellFolderDesktop), gbk + "\\Desktop");
  EXPECT_EQ(Compose(big5 + "\\", false, "", kShellFolderDesktop), big5 + "\\Desktop");
  // A user name of such characters passes through unchanged.
  EXPECT_EQ(Compose("C:\\WINNT", true, kBig5Xu + kBig5Xu, kShellFolderPrograms),
            "C:\\WINNT\\profiles\\" + kBig5Xu + kBig5Xu + "\\start menu\\programs");
  // On a single-byte code page the same bytes are two characters, the second a backslash.
  EXPECT_EQ(Compose(big5, false, "", kShellFolderDesktop, nullptr), big5 + "Desktop");
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
