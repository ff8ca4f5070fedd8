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
}

}  // namespace
