// Glyph sheets and bitmap text: GBK text drawn from the Installer's own 16x16 glyph images.
//
// Glyph-sheet format (resource 110, also installed as "ChnBmp.bin"). One zlib stream that
// inflates to exactly 241,664 bytes: four sheets of 60,416 (0xEC00) bytes one after the other,
// nothing before, between or after them. A sheet is a 1-bit image 512 pixels wide and 944 high,
// rows top to bottom, 64 bytes a row, most significant bit leftmost; 1 is background (white),
// 0 is ink (black): the bit layout that CreateBitmap takes for a one-plane, one-bit bitmap.
// A sheet is a grid of 16x16 cells, 32 columns by 59 rows. Cells are numbered row by row across
// the four sheets: cell I lies in grid row R = I / 32, column I % 32, on sheet R / 59, with its
// top-left pixel at (16 * (I % 32), 16 * (R % 59)). Cells 0-657 hold the GB2312 symbol rows
// 0xA1-0xA7 and cells 658-7425 the hanzi rows 0xB0-0xF7, 94 cells to a row in code order;
// cell 7456 holds 0xE946 and cell 7457 holds 0xA9A4. See bitmap_text/glyph_cell.h.
#pragma once

#include <windows.h>

enum class GlyphLoadResult {
  kLoaded,
  kNoMemory,   // the inflate buffer could not be obtained; the memory notice has been shown
  kNoData,     // resource 110 is missing, damaged, too large, or shorter than the four sheets
  kNoBitmaps,  // a sheet bitmap or memory context could not be made
};

// Inflates resource 110 and makes the four sheet bitmaps, each selected into a memory context
// for the whole run. Called once at start-up, before any window exists.
GlyphLoadResult LoadGlyphSheets();

// Releases what LoadGlyphSheets made; safe after a partial load and when nothing was made.
void FreeGlyphSheets();

// Draws `text` (GBK mixed with ASCII) with its top-left corner at (x, y): two-byte characters
// as glyph cells (SRCAND, or SRCPAINT when `selected` is non-zero), single bytes with TextOutA
// in the context's font one pixel lower. Leaves the context's background mode as it found it.
void DrawBitmapText(HDC dc, int x, int y, const char* text, int selected);

// The width that DrawBitmapText advances over `text` in `dc`, and the height 16.
SIZE MeasureBitmapText(HDC dc, const char* text);
