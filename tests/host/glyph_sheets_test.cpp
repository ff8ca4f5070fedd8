// The glyph sheets drawn by the build from GNU Unifont: size, placement, blank cells, lines.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bitmap_text/glyph_cell.h"
#include "tools/zlib_file.h"

namespace {

using Bytes = std::vector<unsigned char>;

class GlyphSheetsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ReadWholeFile(K7_GLYPH_SHEETS_FILE, &sheets));
    ASSERT_EQ(sheets.size(), static_cast<size_t>(kGlyphSheetBytes));
  }

  // The 16 rows of the cell of `code`, bit 15 = leftmost pixel, 1 = ink.
  std::vector<uint16_t> Cell(uint16_t code) const {
    const GlyphCell c = GlyphCellOf(code);
    std::vector<uint16_t> rows;
    for (int r = 0; r < kGlyphSize; ++r) {
      const unsigned char* at = sheets.data() + c.sheet * kSheetBytes + (c.y + r) * 64 + c.x / 8;
      rows.push_back(static_cast<uint16_t>(~(at[0] << 8 | at[1])));
    }
    return rows;
  }

  bool Blank(uint16_t code) const {
    for (uint16_t row : Cell(code))
      if (row != 0) return false;
    return true;
  }

  Bytes sheets;
};

// The 16x16 glyph of `codePoint` as Unifont's hex file has it.
std::vector<uint16_t> UnifontGlyph(unsigned codePoint) {
  std::vector<uint16_t> rows;
  FILE* file = fopen(K7_UNIFONT_HEX, "r");
  char line[512], prefix[16];
  snprintf(prefix, sizeof prefix, "%04X:", codePoint);
  while (file != nullptr && fgets(line, sizeof line, file) != nullptr) {
    if (strncmp(line, prefix, strlen(prefix)) != 0) continue;
    for (int r = 0; r < kGlyphSize; ++r) {
      char digits[5] = {};
      memcpy(digits, line + strlen(prefix) + 4 * r, 4);
      rows.push_back(static_cast<uint16_t>(strtoul(digits, nullptr, 16)));
    }
    break;
  }
  if (file != nullptr) fclose(file);
  return rows;
}

TEST_F(GlyphSheetsTest, HanziStandUprightInTheirCells) {
  // 安 U+5B89, 啊 U+554A, 齄 U+9F44, 镕 U+9555 (GBK only): exactly Unifont's bits.
  EXPECT_EQ(Cell(0xB0B2), UnifontGlyph(0x5B89));
  EXPECT_EQ(Cell(0xB0A1), UnifontGlyph(0x554A));
  EXPECT_EQ(Cell(0xF7FE), UnifontGlyph(0x9F44));
  EXPECT_EQ(Cell(0xE946), UnifontGlyph(0x9555));
}

TEST_F(GlyphSheetsTest, UnassignedCodesAndTheIdeographicSpaceAreBlank) {
  EXPECT_TRUE(Blank(0xA1A1));   // ideographic space, cell 0
  EXPECT_TRUE(Blank(0xA2A1));   // unassigned in GB2312 (GBK's small roman numerals)
  EXPECT_TRUE(Blank(0xA4F4));   // after the last hiragana
  EXPECT_TRUE(Blank(0xD7FA));   // after the last hanzi of level 1
  EXPECT_FALSE(Blank(0xA1A2));  // 、
  EXPECT_FALSE(Blank(0xD7F9));  // 座, the last of level 1
}

TEST_F(GlyphSheetsTest, HalfWidthGlyphsAreCentred) {
  // Greek Α, Cyrillic Я and the roman numeral Ⅻ are 8 pixels wide in Unifont.
  for (uint16_t code : {0xA6A1, 0xA7C1, 0xA2FC}) {
    uint16_t ink = 0;
    for (uint16_t row : Cell(code)) ink |= row;
    EXPECT_NE(ink, 0) << std::hex << code;
    EXPECT_EQ(ink & 0xF00F, 0) << std::hex << code << ": ink outside columns 4-11";
  }
}

TEST_F(GlyphSheetsTest, LinesRunAcrossTheWholeCell) {
  for (uint16_t code : {0xA9A4, 0xA1AA}) {  // ─ and ―
    int fullRows = 0;
    for (uint16_t row : Cell(code)) fullRows += row == 0xFFFF;
    EXPECT_EQ(fullRows, 1) << std::hex << code;
  }
  // The ellipsis keeps its three dots, spread over the cell with equal margins.
  uint16_t ink = 0;
  for (uint16_t row : Cell(0xA1AD)) ink |= row;
  EXPECT_EQ(ink, 0x6186);  // .##....##....##.
}

TEST_F(GlyphSheetsTest, TheToolIsDeterministicAndFeedsTheSamplePayload) {
  char scratch[] = "/tmp/k7_glyph_sheets_XXXXXX";
  int fd = mkstemp(scratch);
  ASSERT_GE(fd, 0);
  close(fd);
  const std::string command =
      std::string(K7_MAKE_GLYPH_SHEETS_TOOL) + " " + K7_UNIFONT_HEX + " " + scratch;
  ASSERT_EQ(system(command.c_str()), 0);
  Bytes again, sample;
  ASSERT_TRUE(ReadWholeFile(scratch, &again));
  unlink(scratch);
  EXPECT_TRUE(again == sheets);
  ASSERT_TRUE(ReadWholeFile(std::string(K7_SAMPLE_PAYLOAD_DIR) + "/ChnBmp.bin", &sample));
  EXPECT_TRUE(sample == sheets);
}

TEST(GlyphSheetsToolTest, RefusesAMissingFontFile) {
  const std::string command = std::string(K7_MAKE_GLYPH_SHEETS_TOOL) +
                              " /nonexistent/unifont.hex /tmp/k7_never_written.bin 2>/dev/null";
  EXPECT_NE(system(command.c_str()), 0);
  EXPECT_NE(access("/tmp/k7_never_written.bin", F_OK), 0);
}

}  // namespace
