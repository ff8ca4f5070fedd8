// Where a two-byte GBK code's glyph lies on the glyph sheets: pure arithmetic, no sheet access.
#pragma once

#include <cstdint>

constexpr int kGlyphSize = 16;
constexpr int kSheetCount = 4;
constexpr int kSheetWidth = 512;
constexpr int kSheetHeight = 944;
constexpr int kSheetBytes = kSheetWidth / 8 * kSheetHeight;            // 60,416
constexpr int kGlyphSheetBytes = kSheetCount * kSheetBytes;            // 241,664
constexpr int kGlyphInflateCapacity = 307200;                          // the loader's buffer
constexpr int kSheetColumns = kSheetWidth / kGlyphSize;                // 32
constexpr int kSheetRows = kSheetHeight / kGlyphSize;                  // 59
constexpr int kGlyphCells = kSheetCount * kSheetColumns * kSheetRows;  // 7,552

struct GlyphCell {
  int sheet;  // 0..3
  int x;      // top-left pixel on the sheet
  int y;
};

// The cell of code K = lead * 256 + trail. Every one of the 65,536 codes lands inside a sheet.
GlyphCell GlyphCellOf(uint16_t code);
