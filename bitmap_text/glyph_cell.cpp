// The code-to-cell arithmetic of the glyph sheets.
#include "bitmap_text/glyph_cell.h"

namespace {

constexpr uint16_t kCodeRong = 0xE946;        // 镕, outside GB2312, kept in cell 7456
constexpr uint16_t kCodeBoxLine = 0xA9A4;     // ─, the one box-drawing glyph, in cell 7457
constexpr uint16_t kFirstHanziCode = 0xB0A1;  // 啊, cell 658

}  // namespace

// The arithmetic folds a code into a running number N = 96 * H + W of a row-of-96 numbering
// that starts at 0x20A0 (0xA1 - 1 rows ahead of the GB2312 lead byte range, wrapped mod 65536),
// then removes the two trail positions 0xA0 and 0xFF of every row that GB2312 leaves out,
// giving 94 cells a row. Codes outside GB2312 go through the same steps and land wherever the
// wrap-around and the clamp below put them: always inside a sheet.
GlyphCell GlyphCellOf(uint16_t code) {
  if (code == kCodeRong) return {3, 0, 896};
  if (code == kCodeBoxLine) return {3, 16, 896};

  const int u = (code + 0x5F60) & 0xFFFF;
  const int n = 96 * (u >> 8) + (u & 0xFF);
  int cell;
  if (code < kFirstHanziCode) {
    const int d = n - 97;
    cell = (d - 2 * (d / 96)) & 0xFFFF;  // C++ division truncates toward zero
  } else {
    cell = (n - 879 - 2 * ((n - 1537) / 96)) & 0xFFFF;
  }

  const int gridRow = cell / kSheetColumns;
  int sheet = kGlyphSize * gridRow / kSheetHeight;
  if (sheet > kSheetCount - 1) sheet = kSheetCount - 1;
  return {sheet, kGlyphSize * (cell % kSheetColumns), kGlyphSize * gridRow % kSheetHeight};
}
