// Bitmap text under Wine: glyph cells drawn from the real resource 110, pixel for pixel.
#include "bitmap_text/bitmap_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "bitmap_text/glyph_cell.h"
#include "common/payload_resource.h"
#include "resources/resource_ids.h"
#include "canvas.h"

namespace {

constexpr int kCanvasWidth = 160;
constexpr int kCanvasHeight = 40;
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Whether two canvases of the test's size hold the same pixels.
bool Same(const Canvas& a, const Canvas& b) {
  return CountDifferences(a, b, {0, 0, kCanvasWidth, kCanvasHeight}) == 0;
}

// Expects the 16x16 cell at (x, y) of `canvas` to show the glyph of `code` in `ink` on `paper`,
// and counts its ink pixels.
int ExpectCell(const Canvas& canvas, int x, int y, uint16_t code, COLORREF ink, COLORREF paper) {
  const GlyphCellMatch match = MatchGlyphCell(canvas, x, y, code, ink, paper);
  EXPECT_EQ(match.wrong, 0) << "cell of " << std::hex << code << " at " << std::dec << x << ","
                            << y;
  return match.ink;
}

int SingleWidth(HDC dc, char c) {
  SIZE size = {};
  GetTextExtentPointA(dc, &c, 1, &size);
  return size.cx;
}

class BitmapTextTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(GlyphSheetBytes().size(), static_cast<size_t>(kGlyphSheetBytes));
  }
  void SetUp() override { ASSERT_EQ(LoadGlyphSheets(), GlyphLoadResult::kLoaded); }
  void TearDown() override { FreeGlyphSheets(); }
};

TEST_F(BitmapTextTest, ResourceHoldsTheSampleSheets) {
  std::string buffer(kGlyphInflateCapacity, '\0');
  uint32_t length = 0;
  ASSERT_TRUE(DecompressPayload(IDR_GLYPH_SHEETS, &buffer[0], buffer.size(), &length));
  ASSERT_EQ(length, static_cast<uint32_t>(kGlyphSheetBytes));
  EXPECT_TRUE(buffer.compare(0, length, GlyphSheetBytes()) == 0);
}

TEST_F(BitmapTextTest, DrawsEachTwoByteCharacterAsItsCellSixteenApart) {
  for (const char* text : {"安装程序", "镕─", "\xA8\xA1"}) {  // the last: a pinyin-row code
    Canvas canvas(kCanvasWidth, kCanvasHeight, kWhite);
    ASSERT_TRUE(canvas.ok());
    DrawBitmapText(canvas.dc(), 7, 5, text, 0);
    for (int i = 0; text[2 * i] != '\0'; ++i)
      EXPECT_GT(ExpectCell(canvas, 7 + 16 * i, 5, GbkCodeAt(text + 2 * i), kBlack, kWhite), 0)
          << text;
    // Nothing outside the cells.
    const int right = 7 + 16 * static_cast<int>(strlen(text) / 2);
    int outside = 0;
    for (int y = 0; y < kCanvasHeight; ++y)
      for (int x = 0; x < kCanvasWidth; ++x)
        if ((x < 7 || x >= right || y < 5 || y >= 21) && canvas.At(x, y) != kWhite) ++outside;
    EXPECT_EQ(outside, 0) << text;
  }
}

TEST_F(BitmapTextTest, SelectedFlagOnlyChangesTheRasterOperation) {
  // Ink pixels take the text colour, background pixels the background colour, each combined
  // with what the canvas held: AND for normal text, OR for selected text.
  const COLORREF fill = RGB(0xC6, 0x5A, 0x3C), text = RGB(0x0F, 0xF0, 0x55),
                 back = RGB(0xF3, 0x3F, 0xAA);
  const COLORREF andInk = RGB(0xC6 & 0x0F, 0x5A & 0xF0, 0x3C & 0x55);
  const COLORREF andPaper = RGB(0xC6 & 0xF3, 0x5A & 0x3F, 0x3C & 0xAA);
  const COLORREF orInk = RGB(0xC6 | 0x0F, 0x5A | 0xF0, 0x3C | 0x55);
  const COLORREF orPaper = RGB(0xC6 | 0xF3, 0x5A | 0x3F, 0x3C | 0xAA);
  for (int selected : {0, 1, -7}) {
    Canvas canvas(kCanvasWidth, kCanvasHeight, fill);
    SetTextColor(canvas.dc(), text);
    SetBkColor(canvas.dc(), back);
    DrawBitmapText(canvas.dc(), 20, 10, "程序", selected);
    const COLORREF ink = selected == 0 ? andInk : orInk, paper = selected == 0 ? andPaper : orPaper;
    ExpectCell(canvas, 20, 10, GbkCodeAt("程"), ink, paper);
    ExpectCell(canvas, 36, 10, GbkCodeAt("序"), ink, paper);
    EXPECT_EQ(canvas.At(19, 10), fill);
    EXPECT_EQ(canvas.At(52, 10), fill);
  }
}

TEST_F(BitmapTextTest, SingleBytesUseTheFontOnePixelLowerAndAdvanceByTheirWidth) {
  Canvas drawn(kCanvasWidth, kCanvasHeight, kWhite), expected(kCanvasWidth, kCanvasHeight, kWhite);
  DrawBitmapText(drawn.dc(), 4, 6, "Ab安c", 0);

  SetBkMode(expected.dc(), TRANSPARENT);
  const int wA = SingleWidth(expected.dc(), 'A'), wb = SingleWidth(expected.dc(), 'b');
  ASSERT_GT(wA, 0);
  TextOutA(expected.dc(), 4, 7, "A", 1);
  TextOutA(expected.dc(), 4 + wA, 7, "b", 1);
  TextOutA(expected.dc(), 4 + wA + wb + 16, 7, "c", 1);
  for (int py = 0; py < kGlyphSize; ++py)
    for (int px = 0; px < kGlyphSize; ++px)
      if (GlyphInk(GbkCodeAt("安"), px, py)) expected.Set(4 + wA + wb + px, 6 + py, kBlack);
  EXPECT_TRUE(Same(drawn, expected));

  // The same letters at the cells' own top would differ.
  Canvas high(kCanvasWidth, kCanvasHeight, kWhite);
  SetBkMode(high.dc(), TRANSPARENT);
  TextOutA(high.dc(), 4, 6, "A", 1);
  Canvas alone(kCanvasWidth, kCanvasHeight, kWhite);
  DrawBitmapText(alone.dc(), 4, 6, "A", 0);
  EXPECT_FALSE(Same(alone, high));

  const SIZE size = MeasureBitmapText(drawn.dc(), "Ab安c");
  EXPECT_EQ(size.cx, wA + wb + 16 + SingleWidth(drawn.dc(), 'c'));
  EXPECT_EQ(size.cy, 16);
}

TEST_F(BitmapTextTest, BackgroundModeIsTransparentWhileDrawingAndRestoredAfter) {
  for (const char* text : {"A安", ""}) {
    Canvas canvas(kCanvasWidth, kCanvasHeight, kWhite);
    SetBkMode(canvas.dc(), OPAQUE);
    SetBkColor(canvas.dc(), RGB(0xFF, 0, 0));
    DrawBitmapText(canvas.dc(), 3, 3, text, 0);
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE) << text;
    // An opaque TextOutA would have filled the letter's box with red.
    int red = 0;
    for (int y = 0; y < kCanvasHeight; ++y)
      for (int x = 0; x < 3 + SingleWidth(canvas.dc(), 'A'); ++x)
        red += canvas.At(x, y) == RGB(0xFF, 0, 0);
    EXPECT_EQ(red, 0) << text;
  }
}

TEST_F(BitmapTextTest, EmptyStringDrawsNothingAndMeasuresZeroBySixteen) {
  Canvas canvas(kCanvasWidth, kCanvasHeight, kWhite),
      untouched(kCanvasWidth, kCanvasHeight, kWhite);
  DrawBitmapText(canvas.dc(), 0, 0, "", 0);
  EXPECT_TRUE(Same(canvas, untouched));
  const SIZE size = MeasureBitmapText(canvas.dc(), "");
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 16);
}

TEST_F(BitmapTextTest, TrailingLeadBytePairsWithTheTerminatingZero) {
  Canvas canvas(kCanvasWidth, kCanvasHeight, kWhite);
  const char text[] = {'\xB0', '\0', 'X', '\0'};
  DrawBitmapText(canvas.dc(), 10, 10, text, 0);
  ExpectCell(canvas, 10, 10, 0xB000, kBlack, kWhite);
  for (int y = 0; y < kCanvasHeight; ++y)
    for (int x = 26; x < kCanvasWidth; ++x)
      ASSERT_EQ(canvas.At(x, y), kWhite) << "nothing after it";
  EXPECT_EQ(MeasureBitmapText(canvas.dc(), text).cx, 16);
}

TEST_F(BitmapTextTest, MeasuresSixteenPerCharacterPlusSingleByteExtents) {
  Canvas canvas(kCanvasWidth, kCanvasHeight, kWhite);
  EXPECT_EQ(MeasureBitmapText(canvas.dc(), "安装程序").cx, 64);
  EXPECT_EQ(MeasureBitmapText(canvas.dc(), "安装程序").cy, 16);
  int letters = 0;
  for (char c : std::string(" Next")) letters += SingleWidth(canvas.dc(), c);
  EXPECT_GT(letters, 0);
  EXPECT_EQ(MeasureBitmapText(canvas.dc(), "下一步 Next").cx, 48 + letters);
}

TEST(GlyphSheetLifetime, FreeingTwiceOrWithoutALoadIsHarmlessAndTheSheetsLoadAgain) {
  FreeGlyphSheets();
  ASSERT_EQ(LoadGlyphSheets(), GlyphLoadResult::kLoaded);
  FreeGlyphSheets();
  FreeGlyphSheets();
  Canvas canvas(kCanvasWidth, kCanvasHeight, kWhite),
      untouched(kCanvasWidth, kCanvasHeight, kWhite);
  DrawBitmapText(canvas.dc(), 0, 0, "安", 0);  // no sheets: the copy fails and draws nothing
  EXPECT_TRUE(Same(canvas, untouched));
  ASSERT_EQ(LoadGlyphSheets(), GlyphLoadResult::kLoaded);
  DrawBitmapText(canvas.dc(), 0, 0, "安", 0);
  ExpectCell(canvas, 0, 0, GbkCodeAt("安"), kBlack, kWhite);
  FreeGlyphSheets();
}

}  // namespace
