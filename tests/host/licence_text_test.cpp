// The Chinese licence cut into list lines.
#include "app/licence_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(std::string text) {
  const char* lines[kMostLicenceLines];
  int count = SplitLicenceLines(&text[0], lines);
  return std::vector<std::string>(lines, lines + count);
}

TEST(SplitLicenceLines, CrEndsALineAndEverythingElseStaysInIt) {
  EXPECT_EQ(Split("一\r\n\r\nb\nc\rd\r\n\ntail"),
            (std::vector<std::string>{"一", "", "b\nc", "d"}));
  EXPECT_TRUE(Split("LF only\nlines\n").empty());
  EXPECT_TRUE(Split("").empty());
}

TEST(SplitLicenceLines, AtMostFiveHundredLinesOfAtMost259Bytes) {
  std::string many;
  for (int i = 0; i < 600; ++i) many += std::to_string(i) + "\r\n";
  std::vector<std::string> lines = Split(many);
  ASSERT_EQ(lines.size(), 500u);
  EXPECT_EQ(lines[499], "499");

  std::string ascii(300, 'a');
  EXPECT_EQ(Split(ascii + "\r\n")[0], std::string(259, 'a'));
  // A two-byte character across the cut is left out whole.
  std::string chinese = std::string(258, 'a') + "中文\r\nnext\r\n";
  lines = Split(chinese);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(258, 'a'));
  EXPECT_EQ(lines[1], "next");
  // So is one with any other lead byte, 0x80 to 0xFE (丂 81 40, 亐 81 B0).
  for (const char* character : {"\x80\x41", "\x81\x40", "\x81\xB0", "\xA0\xA1", "\xFE\x4F"}) {
    lines = Split(std::string(258, 'a') + character + "\r\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string(258, 'a')) << static_cast<int>(character[0] & 0xFF);
  }
  // Two-byte characters up to the cut are kept whole: 129 of them are 258 bytes.
  std::string wide;
  for (int i = 0; i < 140; ++i) wide += "\xB0\xA1";
  EXPECT_EQ(Split(wide + "\r\n")[0], wide.substr(0, 258));
  // One that ends on the 259th byte is kept; a line of 259 bytes is never cut, even when its
  // last byte leads.
  EXPECT_EQ(Split(std::string(257, 'a') + "中文\r\n")[0], std::string(257, 'a') + "中");
  EXPECT_EQ(Split(std::string(258, 'a') + "\xB0\r\n")[0], std::string(258, 'a') + "\xB0");
}

}  // namespace
