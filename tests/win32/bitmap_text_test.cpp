// Bitmap text under Wine: glyph cells drawn from the real resource 110, pixel for pixel.
#include "bitmap_text/bitmap_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "bitmap_text/glyph_cell.h"
#include "install/payload.h"
#include "test_files.h"

namespace {

constexpr int kCanvasWidth = 160;
constexpr int kCanvasHeight = 40;
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A 24-bit top-down DIB section selected into a memory context, filled with one colour.
class Canvas {
 public:
  explicit Canvas(COLORREF fill) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kCanvasWidth;
    info.bmiHeader.biHeight = -kCanvasHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ =
        CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    earlier_ = SelectObject(dc_, bitmap_);
    RECT all = {0, 0, kCanvasWidth, kCanvasHeight};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
    SetTextColor(dc_, kBlack);
    SetBkColor(dc_, kWhite);
  }
  ~Canvas() {
    SelectObject(dc_, earlier_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  bool ok() const { return dc_ != nullptr && bitmap_ != nullptr; }

  COLORREF At(int x, int y) const {
    GdiFlush();
    const unsigned char* p = bits_ + y * kStride + 3 * x;
    return RGB(p[2], p[1], p[0]);
  }
  void Set(int x, int y, COLORREF colour) {
    GdiFlush();
    unsigned char* p = bits_ + y * kStride + 3 * x;
    p[0] = GetBValue(colour), p[1] = GetGValue(colour), p[2] = GetRValue(colour);
  }
  bool SameAs(const Canvas& other) const {
    GdiFlush();
    return memcmp(bits_, other.bits_, kStride * kCanvasHeight) == 0;
  }

 private:
  static constexpr int kStride = (kCanvasWidth * 3 + 3) & ~3;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ earlier_ = nullptr;
  unsigned char* bits_ = nullptr;
};

// The glyph sheets as the sample payload holds them (ChnBmp.bin, the bytes of resource 110).
const std::string& SheetBytes() {
  static const std::string bytes = ReadBytes(std::string(K7_SAMPLE_PAYLOAD_DIR) + "\\ChnBmp.bin");
  return bytes;
}

// Whether pixel (px, py) of the glyph of `code` is ink.
bool Ink(uint16_t code, int px, int py) {
  const GlyphCell c = GlyphCellOf(code);
  const unsigned char byte = SheetBytes()[c.sheet * kSheetBytes + (c.y + py) * 64 + (c.x + px) / 8];
  return (byte & (0x80 >> ((c.x + px) % 8))) == 0;
}

uint16_t CodeAt(const char* text) {
  return static_cast<uint16_t>(static_cast<unsigned char>(text[0]) << 8 |
                               static_cast<unsigned char>(text[1]));
}

// Expects the 16x16 cell at (x, y) of `canvas` to show the glyph of `code` in `ink` on `paper`,
// and counts its ink pixels.
int ExpectCell(const Canvas& canvas, int x, int y, uint16_t code, COLORREF ink, COLORREF paper) {
  int inked = 0, wrong = 0;
  for (int py = 0; py < kGlyphSize; ++py) {
    for (int px = 0; px < kGlyphSize; ++px) {
      const bool isInk = Ink(code, px, py);
      inked += isInk;
      wrong += canvas.At(x + px, y + py) != (isInk ? ink : paper);
    }
  }
  EXPECT_EQ(wrong, 0) << "cell of " << std::hex << code << " at " << std::dec << x << "," << y;
  return inked;
}

int SingleWidth(HDC dc, char c) {
  SIZE size = {};
  GetTextExtentPointA(dc, &c, 1, &size);
  return size.cx;
}

class BitmapTextTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(SheetBytes().size(), static_cast<size_t>(kGlyphSheetBytes));
  }
  void SetUp() override { ASSERT_EQ(LoadGlyphSheets(), GlyphLoadResult::kLoaded); }
  void TearDown() override { FreeGlyphSheets(); }
};

TEST_F(BitmapTextTest, ResourceHoldsTheSampleSheets) {
  std::string buffer(kGlyphInflateCapacity, '\0');
  uint32_t length = 0;
  ASSERT_TRUE(DecompressPayload(110, &buffer[0], buffer.size(), &length));
  ASSERT_EQ(length, static_cast<uint32_t>(kGlyphSheetBytes));
  EXPECT_TRUE(buffer.compare(0, length, SheetBytes()) == 0);
}

TEST_F(BitmapTextTest, DrawsEachTwoByteCharacterAsItsCellSixteenApart) {
  for (const char* text : {"安装程序", "镕─", "\xA8\xA1"}) {  // the last: a pinyin-row code
    Canvas canvas(kWhite);
    ASSERT_TRUE(canvas.ok());
    DrawBitmapText(canvas.dc(), 7, 5, text, 0);
    for (int i = 0; text[2 * i] != '\0'; ++i)
      EXPECT_GT(ExpectCell(canvas, 7 + 16 * i, 5, CodeAt(text + 2 * i), kBlack, kWhite), 0) << text;
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
    Canvas canvas(fill);
    SetTextColor(canvas.dc(), text);
    SetBkColor(canvas.dc(), back);
    DrawBitmapText(canvas.dc(), 20, 10, "程序", selected);
    const COLORREF ink = selected == 0 ? andInk : orInk, paper = selected == 0 ? andPaper : orPaper;
    ExpectCell(canvas, 20, 10, CodeAt("程"), ink, paper);
    ExpectCell(canvas, 36, 10, CodeAt("序"), ink, paper);
    EXPECT_EQ(canvas.At(19, 10), fill);
    EXPECT_EQ(canvas.At(52, 10), fill);
  }
}

TEST_F(BitmapTextTest, SingleBytesUseTheFontOnePixelLowerAndAdvanceByTheirWidth) {
  Canvas drawn(kWhite), expected(kWhite);
  DrawBitmapText(drawn.dc(), 4, 6, "Ab安c", 0);

  SetBkMode(expected.dc(), TRANSPARENT);
  const int wA = SingleWidth(expected.dc(), 'A'), wb = SingleWidth(expected.dc(), 'b');
  ASSERT_GT(wA, 0);
  TextOutA(expected.dc(), 4, 7, "A", 1);
  TextOutA(expected.dc(), 4 + wA, 7, "b", 1);
  TextOutA(expected.dc(), 4 + wA + wb + 16, 7, "c", 1);
  for (int py = 0; py < kGlyphSize; ++py)
    for (int px = 0; px < kGlyphSize; ++px)
      if (Ink(CodeAt("安"), px, py)) expected.Set(4 + wA + wb + px, 6 + py, kBlack);
  EXPECT_TRUE(drawn.SameAs(expected));

  // The same letters at the cells' own top would differ.
  Canvas high(kWhite);
  SetBkMode(high.dc(), TRANSPARENT);
  TextOutA(high.dc(), 4, 6, "A", 1);
  Canvas alone(kWhite);
  DrawBitmapText(alone.dc(), 4, 6, "A", 0);
  EXPECT_FALSE(alone.SameAs(high));

  const SIZE size = MeasureBitmapText(drawn.dc(), "Ab安c");
  EXPECT_EQ(size.cx, wA + wb + 16 + SingleWidth(drawn.dc(), 'c'));
  EXPECT_EQ(size.cy, 16);
}

TEST_F(BitmapTextTest, BackgroundModeIsTransparentWhileDrawingAndRestoredAfter) {
  for (const char* text : {"A安", ""}) {
    Canvas canvas(kWhite);
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
  Canvas canvas(kWhite), untouched(kWhite);
  DrawBitmapText(canvas.dc(), 0, 0, "", 0);
  EXPECT_TRUE(canvas.SameAs(untouched));
  const SIZE size = MeasureBitmapText(canvas.dc(), "");
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 16);
}

TEST_F(BitmapTextTest, TrailingLeadBytePairsWithTheTerminatingZero) {
  Canvas canvas(kWhite);
  const char text[] = {'\xB0', '\0', 'X', '\0'};
  DrawBitmapText(canvas.dc(), 10, 10, text, 0);
  ExpectCell(canvas, 10, 10, 0xB000, kBlack, kWhite);
  for (int y = 0; y < kCanvasHeight; ++y)
    for (int x = 26; x < kCanvasWidth; ++x)
      ASSERT_EQ(canvas.At(x, y), kWhite) << "nothing after it";
  EXPECT_EQ(MeasureBitmapText(canvas.dc(), text).cx, 16);
}

TEST_F(BitmapTextTest, MeasuresSixteenPerCharacterPlusSingleByteExtents) {
  Canvas canvas(kWhite);
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
  Canvas canvas(kWhite), untouched(kWhite);
  DrawBitmapText(canvas.dc(), 0, 0, "安", 0);  // no sheets: the copy fails and draws nothing
  EXPECT_TRUE(canvas.SameAs(untouched));
  ASSERT_EQ(LoadGlyphSheets(), GlyphLoadResult::kLoaded);
  DrawBitmapText(canvas.dc(), 0, 0, "安", 0);
  ExpectCell(canvas, 0, 0, CodeAt("安"), kBlack, kWhite);
  FreeGlyphSheets();
}

}  // namespace
