// Checks the edit of "velmarui.ini" byte for byte: replaced key lines, appended lines, line ends.
#include "shell/ui_config_edit.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The edit of the text, alone in a block of its own size, into a buffer of exactly the promised
// capacity (AddressSanitizer guards both blocks' ends).
std::string Edit(const std::string& text, int forceLanguage = 0, char useBmpFont = '1') {
  size_t capacity = UiConfigEditCapacity(text.size());
  std::vector<char> in(text.begin(), text.end()), out(capacity);
  size_t length = 0;
  EXPECT_TRUE(EditUiConfig(in.data(), in.size(), useBmpFont, forceLanguage, out.data(), capacity,
                           &length));
  return std::string(out.data(), length);
}

constexpr const char* kAllAppended =
    "\r\n\r\n[Config]\r\n\r\n"
    "\r\nUseBmpFont=1\r\n"
    "\r\nForceLanguage=0\r\n";

TEST(UiConfigEdit, TheShippedFileGainsItsTwoSettingsAtTheEnd) {
  std::ifstream file(K7_SAMPLE_PAYLOAD_DIR "/velmarui.ini", std::ios::binary);
  ASSERT_TRUE(file) << "sample velmarui.ini";
  std::ostringstream bytes;
  bytes << file.rdbuf();
  const std::string shipped = bytes.str();
  const std::string tail = "[Config]\r\nUseBmpFont=0\r\n\r\n";
  ASSERT_GT(shipped.size(), tail.size());
  ASSERT_EQ(shipped.substr(shipped.size() - tail.size()), tail);
  const std::string before = shipped.substr(0, shipped.size() - tail.size());

  std::string english = Edit(shipped, 0);
  EXPECT_EQ(english, before + "[Config]\r\nUseBmpFont=1\r\n\r\n\r\nForceLanguage=0\r\n");
  std::string chinese = Edit(shipped, 1);
  EXPECT_EQ(chinese, before + "[Config]\r\nUseBmpFont=1\r\n\r\n\r\nForceLanguage=1\r\n");
  // An edited file edited again changes only the values, in place.
  EXPECT_EQ(Edit(english, 1), chinese);
  EXPECT_EQ(Edit(chinese, 1), chinese);
}

TEST(UiConfigEdit, KeysThatArePresentAreReplacedInPlaceAndNothingIsAppended) {
  EXPECT_EQ(Edit("[UI_STR]\r\nA=b\r\n[Config]\r\nUseBmpFont=0\r\nForceLanguage=1\r\nZ=2\r\n", 0),
            "[UI_STR]\r\nA=b\r\n[Config]\r\nUseBmpFont=1\r\nForceLanguage=0\r\nZ=2\r\n");
  // The order of the keys does not matter; the last line may lack its ending.
  EXPECT_EQ(Edit("[Config]\r\nForceLanguage=0\r\nUseBmpFont=0", 2),
            "[Config]\r\nForceLanguage=2\r\nUseBmpFont=1");
  // Scanning stops once both keys are met: later lines, keys or not, stay as they are.
  EXPECT_EQ(Edit("[Config]\r\nUseBmpFont=0\r\nForceLanguage=0\r\nUseBmpFont=7\r\n", 1),
            "[Config]\r\nUseBmpFont=1\r\nForceLanguage=1\r\nUseBmpFont=7\r\n");
}

TEST(UiConfigEdit, MissingSectionAndKeysAreAppended) {
  EXPECT_EQ(Edit(""), kAllAppended);
  EXPECT_EQ(Edit("[UI_STR]\r\nA=b\r\n"), std::string("[UI_STR]\r\nA=b\r\n") + kAllAppended);
  // "[Config]" is a case-sensitive test.
  EXPECT_EQ(Edit("[config]\r\n"), std::string("[config]\r\n") + kAllAppended);
  // With the section and one key present, only the other key is added, at the very end.
  EXPECT_EQ(Edit("[Config]\r\nUseBmpFont=0\r\n[Later]\r\nZ=1\r\n", 2),
            "[Config]\r\nUseBmpFont=1\r\n[Later]\r\nZ=1\r\n\r\nForceLanguage=2\r\n");
  EXPECT_EQ(Edit("[Config]\r\nForceLanguage=0\r\n", 1),
            "[Config]\r\nForceLanguage=1\r\n\r\nUseBmpFont=1\r\n");
  // A last line without its ending is ended by the appended text.
  EXPECT_EQ(Edit("[Config]\r\nUseBmpFont=0"), "[Config]\r\nUseBmpFont=1\r\nForceLanguage=0\r\n");
}

TEST(UiConfigEdit, AKeysLineEndsWithExactlyTheNewValueAndKeepsItsOwnEnding) {
  // Wider and narrower old values leave no stray characters behind.
  EXPECT_EQ(Edit("[Config]\r\nForceLanguage=12345\r\nUseBmpFont=\r\nNext=1\r\n", 1),
            "[Config]\r\nForceLanguage=1\r\nUseBmpFont=1\r\nNext=1\r\n");
  EXPECT_EQ(Edit("[Config]\r\nForceLanguage=\r\nUseBmpFont=00\r\nNext=1\r\n", 10),
            "[Config]\r\nForceLanguage=10\r\nUseBmpFont=1\r\nNext=1\r\n");
  // A key that does not start its line: the line becomes the key and its value.
  EXPECT_EQ(Edit("[Config]\r\n  UseBmpFont=0 ; bitmap font\r\nForceLanguage=0\r\n"),
            "[Config]\r\nUseBmpFont=1\r\nForceLanguage=0\r\n");
  // LF-only lines stay LF-only, and nothing else moves.
  EXPECT_EQ(Edit("[UI_STR]\nA=\xB1\xEA\xCC\xE2\n[Config]\nUseBmpFont=0\nForceLanguage=0\nB=2\n", 1),
            "[UI_STR]\nA=\xB1\xEA\xCC\xE2\n[Config]\nUseBmpFont=1\nForceLanguage=1\nB=2\n");
  EXPECT_EQ(Edit("[Config]\nUseBmpFont=0\n\n"),
            "[Config]\nUseBmpFont=1\n\n\r\nForceLanguage=0\r\n");
  // A text that starts with an empty line: nothing before the text is read.
  EXPECT_EQ(Edit("\n[Config]\nUseBmpFont=0\nForceLanguage=0\n", 1),
            "\n[Config]\nUseBmpFont=1\nForceLanguage=1\n");
  // Both keys on one line become two lines.
  EXPECT_EQ(Edit("[Config]\r\nUseBmpFont=0 ForceLanguage=0\r\nZ\r\n", 1),
            "[Config]\r\nUseBmpFont=1\r\nForceLanguage=1\r\nZ\r\n");
  EXPECT_EQ(Edit("[Config]\nForceLanguage=0 UseBmpFont=0", 1),
            "[Config]\nUseBmpFont=1\r\nForceLanguage=1");
}

TEST(UiConfigEdit, LongLinesAndZeroBytesAreLinesLikeAnyOther) {
  // A key straddling byte 255 of a long line is still found, and the line is rewritten whole.
  std::string longKeyLine = std::string(250, 'x') + "UseBmpFont=0" + std::string(100, 'y');
  EXPECT_EQ(Edit("[Config]\r\n" + longKeyLine + "\r\nForceLanguage=0\r\n"),
            "[Config]\r\nUseBmpFont=1\r\nForceLanguage=0\r\n");
  std::string longPlainLine = "Text=" + std::string(1000, 'z') + std::string(1, '\0') + "end";
  std::string text = "[UI_STR]\r\n" + longPlainLine + "\r\n[Config]\r\nUseBmpFont=0\r\n\r\n";
  EXPECT_EQ(Edit(text), "[UI_STR]\r\n" + longPlainLine +
                            "\r\n[Config]\r\nUseBmpFont=1\r\n\r\n\r\nForceLanguage=0\r\n");
}

TEST(UiConfigEdit, KeysBeforeAnyConfigLineAreRewrittenWithoutAHeaderOverTheRest) {
  EXPECT_EQ(Edit("UseBmpFont=0\r\nForceLanguage=0\r\n[Other]\r\nX=1\r\n[Config]\r\n", 1),
            "UseBmpFont=1\r\nForceLanguage=1\r\n[Other]\r\nX=1\r\n[Config]\r\n");
}

TEST(UiConfigEdit, RefusesAnOutputBufferTooSmallAndTheCapacityBoundHolds) {
  const std::string text = "[Config]\r\nUseBmpFont=0\r\n";
  const std::string expected = "[Config]\r\nUseBmpFont=1\r\n\r\nForceLanguage=0\r\n";
  std::vector<char> out(expected.size());
  size_t length = 0;
  ASSERT_TRUE(EditUiConfig(text.data(), text.size(), '1', 0, out.data(), out.size(), &length));
  EXPECT_EQ(std::string(out.data(), length), expected);
  EXPECT_FALSE(EditUiConfig(text.data(), text.size(), '1', 0, out.data(), out.size() - 1, &length));

  // The worst growth: shortest key lines taking the widest value, and both keys on short lines.
  std::string worst;
  for (int i = 0; i < 100; ++i) worst += "ForceLanguage=\n";
  std::string widened;
  for (int i = 0; i < 100; ++i) widened += "ForceLanguage=-2147483648\n";
  EXPECT_EQ(Edit(worst, INT_MIN), widened + "\r\n\r\n[Config]\r\n\r\n\r\nUseBmpFont=1\r\n");
  EXPECT_EQ(Edit("UseBmpFont=ForceLanguage=", INT_MIN),
            "UseBmpFont=1\r\nForceLanguage=-2147483648");
  EXPECT_EQ(UiConfigEditCapacity(SIZE_MAX / 2), 0u);
  // The longest text whose capacity can be counted gets one at least twice its length, not a
  // wrapped-around one; past it, none.
  size_t longest = SIZE_MAX / 2 - 64;
  while (UiConfigEditCapacity(longest + 1) != 0) ++longest;
  EXPECT_GE(UiConfigEditCapacity(longest), 2 * longest);
  EXPECT_GT(longest, SIZE_MAX / 2 - 64) << "a text that fits refused";
}

}  // namespace
