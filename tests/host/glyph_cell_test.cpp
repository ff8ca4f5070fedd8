// The code-to-cell arithmetic of the glyph sheets and the GBK text walk.
#include "bitmap_text/glyph_cell.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bitmap_text/text_walk.h"

namespace {

// Where cell number `cell` lies: grid row cell / 32 across the four sheets of 59 rows.
GlyphCell CellPosition(int cell) {
  const int row = cell / kSheetColumns;
  return {row / kSheetRows, kGlyphSize * (cell % kSheetColumns), kGlyphSize * (row % kSheetRows)};
}

void ExpectCell(uint16_t code, int cell) {
  const GlyphCell got = GlyphCellOf(code), want = CellPosition(cell);
  EXPECT_EQ(got.sheet, want.sheet) << std::hex << code;
  EXPECT_EQ(got.x, want.x) << std::hex << code;
  EXPECT_EQ(got.y, want.y) << std::hex << code;
}

TEST(GlyphCellTest, EveryGb2312CodeLandsOnItsCellInCodeOrder) {
  for (int lead = 0xA1; lead <= 0xA7; ++lead)
    for (int trail = 0xA1; trail <= 0xFE; ++trail)
      ExpectCell(lead << 8 | trail, 94 * (lead - 0xA1) + (trail - 0xA1));
  for (int lead = 0xB0; lead <= 0xF7; ++lead)
    for (int trail = 0xA1; trail <= 0xFE; ++trail)
      ExpectCell(lead << 8 | trail, 658 + 94 * (lead - 0xB0) + (trail - 0xA1));
}

TEST(GlyphCellTest, KnownCharactersAndTheTwoCodesOutsideTheRows) {
  struct Case {
    const char* text;  // one character, GBK
    int sheet, x, y;
  };
  // Columns: character, sheet, x, y.
  const Case kCases[] = {
      {"《", 0, 336, 0},  {"啊", 0, 288, 320}, {"日", 1, 352, 528}, {"齄", 3, 16, 880},
      {"安", 0, 48, 336}, {"装", 2, 304, 272}, {"程", 0, 368, 480}, {"序", 1, 48, 928},
      {"镕", 3, 0, 896},  {"─", 3, 16, 896},   {"　", 0, 0, 0},
  };
  for (const Case& c : kCases) {
    ASSERT_EQ(strlen(c.text), 2u) << c.text;
    const uint16_t code =
        static_cast<unsigned char>(c.text[0]) << 8 | static_cast<unsigned char>(c.text[1]);
    const GlyphCell cell = GlyphCellOf(code);
    EXPECT_EQ(cell.sheet, c.sheet) << std::hex << code;
    EXPECT_EQ(cell.x, c.x) << std::hex << code;
    EXPECT_EQ(cell.y, c.y) << std::hex << code;
  }
  ExpectCell(0xE946, 7456);
  ExpectCell(0xA9A4, 7457);
}

TEST(GlyphCellTest, PinyinRowFallsOnTheFirstHanziRow) {
  for (int trail = 0xA1; trail <= 0xFE; ++trail) {
    const GlyphCell a = GlyphCellOf(0xA800 | trail), b = GlyphCellOf(0xB000 | trail);
    EXPECT_EQ(a.sheet, b.sheet);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
  }
}

TEST(GlyphCellTest, EveryCodeLandsOnAWholeCellInsideASheet) {
  for (int code = 0; code <= 0xFFFF; ++code) {
    const GlyphCell c = GlyphCellOf(static_cast<uint16_t>(code));
    ASSERT_GE(c.sheet, 0) << code;
    ASSERT_LE(c.sheet, kSheetCount - 1) << code;
    ASSERT_GE(c.x, 0) << code;
    ASSERT_LE(c.x, kSheetWidth - kGlyphSize) << code;
    ASSERT_GE(c.y, 0) << code;
    ASSERT_LE(c.y, kSheetHeight - kGlyphSize) << code;
    ASSERT_EQ(c.x % kGlyphSize, 0) << code;
    ASSERT_EQ(c.y % kGlyphSize, 0) << code;
  }
  // A code past the last sheet's last row (GBK's 0xFEFE) folds back onto the last sheet.
  EXPECT_EQ(GlyphCellOf(0xFEFE).sheet, kSheetCount - 1);
}

// A fixed-pitch stand-in for a font: every single byte is as wide as its value mod 10, plus 1.
int FakeWidth(void* calls, unsigned char byte) {
  static_cast<std::string*>(calls)->push_back(static_cast<char>(byte));
  return byte % 10 + 1;
}

TEST(TextWalkTest, MeasuresSixteenPerDoubleByteCharacterPlusEachSingleByteWidth) {
  std::string calls;
  // " Next": space 32 -> 3, N 78 -> 9, e 101 -> 2, x 120 -> 1, t 116 -> 7.
  EXPECT_EQ(MeasureTextWalk("下一步 Next", FakeWidth, &calls), 48 + 3 + 9 + 2 + 1 + 7);
  EXPECT_EQ(calls, " Next") << "each single byte measured once, two-byte characters never";

  calls.clear();
  EXPECT_EQ(MeasureTextWalk("", FakeWidth, &calls), 0);
  EXPECT_EQ(calls, "");
}

TEST(TextWalkTest, ALastLeadBytePairsWithTheTerminatingZero) {
  const char text[] = {'A', '\xB0', '\0', 'Z', '\0'};  // the Z must never be read
  TextWalk walk(text);
  std::vector<unsigned> codes;
  std::vector<bool> doubles;
  while (walk.Next()) {
    codes.push_back(walk.Code());
    doubles.push_back(walk.IsDoubleByte());
  }
  EXPECT_EQ(codes, (std::vector<unsigned>{'A', 0xB000}));
  EXPECT_EQ(doubles, (std::vector<bool>{false, true}));

  std::string calls;
  EXPECT_EQ(MeasureTextWalk(text, FakeWidth, &calls), 16 + 6);
}

TEST(TextWalkTest, HighBytesLeadEvenWhenTheTrailIsAscii) {
  TextWalk walk("\x81\x40\x7F");  // a GBK extension code, then DEL
  ASSERT_TRUE(walk.Next());
  EXPECT_TRUE(walk.IsDoubleByte());
  EXPECT_EQ(walk.Code(), 0x8140u);
  ASSERT_TRUE(walk.Next());
  EXPECT_FALSE(walk.IsDoubleByte());
  EXPECT_EQ(walk.Code(), 0x7Fu);
  EXPECT_FALSE(walk.Next());
  // 0x80, the lowest high byte, leads too.
  TextWalk lowest("\x80" "A");
  ASSERT_TRUE(lowest.Next());
  EXPECT_EQ(lowest.Code(), 0x8041u);
  EXPECT_FALSE(lowest.Next());
}

}  // namespace
