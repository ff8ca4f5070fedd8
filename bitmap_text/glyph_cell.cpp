// The code-to-cell arithmetic of the glyph sheets.
#include "bitmap_text/glyph_cell.h"

namespace {

constexpr uint16_t kCodeRong = 0xE946;        // 镕, outside GB2312, kept in cell 7456
constexpr uint16_t kCodeBoxLine = 0xA9A4;     // ─, the one box-drawing glyph, in cell 7457
constexpr uint16_t kFirstHanziCode = 0xB0A1;  // 啊, cell 658

}  // namespace

// Adding 0x5F60 turns a GB2312 code into H = lead - 0xA0 and W = trail - 0xA0, so N counts the
// codes in rows of 96 from 0xA0A0; taking 2 off for every whole row drops the trail bytes 0xA0
// and 0xFF, which GB2312 leaves out, and leaves 94 cells a row. The hanzi rows start again at
// cell 658, after the seven symbol rows. Codes outside GB2312 go through the same steps and land
// wherever the wrap-around and the clamp below put them: always inside a sheet.
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
