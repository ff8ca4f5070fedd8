// Host tool: draws the glyph sheets (bitmap_text/bitmap_text.h) from GNU Unifont's hex file.
//
// Usage: make_glyph_sheets UNIFONT_HEX OUT_FILE
// Every GB2312 code of the symbol rows 0xA1-0xA7 and the hanzi rows 0xB0-0xF7 is mapped to
// Unicode through iconv and its Unifont glyph is drawn into the code's cell; 0xE946 (GBK only)
// and 0xA9A4 take cells 7456 and 7457. Unassigned codes stay blank. Unifont's 16x16 glyphs fill
// their cell; its 8x16 glyphs are centred, except the line-like ones listed below, which are
// stretched to the full cell width so that a run of them reads as one unbroken line.
// The output depends only on the hex file: the same input gives the same bytes.
#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bitmap_text/glyph_cell.h"
#include "tools/zlib_file.h"

namespace {

using Bytes = std::vector<unsigned char>;
using GlyphRows = std::vector<uint16_t>;  // 16 rows, bit 15 = leftmost pixel, 1 = ink

constexpr int kSymbolCells = 658;       // rows 0xA1-0xA7, 94 cells each
constexpr int kRongCell = 7456;         // 镕, GBK 0xE946
constexpr int kBoxLineCell = 7457;      // ─, GB2312 0xA9A4
constexpr int kCellsPerGb2312Row = 94;  // trail bytes 0xA1-0xFE

// Half-width glyphs drawn twice as wide, filling the cell: the horizontal bar ― and the box
// line ─, whose strokes must meet their neighbours', and the ellipsis …, whose three dots
// span a full-width character in Chinese text.
constexpr uint32_t kStretchedCodePoints[] = {0x2015, 0x2500, 0x2026};

// The Unicode code point of one two-byte code in `charset`, or 0 when it has none.
uint32_t CodePointOf(iconv_t converter, int code) {
  char in[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  unsigned char out[8];
  char* inPtr = in;
  char* outPtr = reinterpret_cast<char*>(out);
  size_t inLeft = 2, outLeft = sizeof out;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
      inLeft != 0 || sizeof out - outLeft != 4)
    return 0;
  return static_cast<uint32_t>(out[0]) << 24 | out[1] << 16 | out[2] << 8 | out[3];
}

// Cell number -> code point, for every cell that a GB2312 code (or one of the two extras) fills.
bool CellCodePoints(std::map<int, uint32_t>* cells) {
  iconv_t gb2312 = iconv_open("UCS-4BE", "GB2312");
  iconv_t gbk = iconv_open("UCS-4BE", "GBK");
  if (gb2312 == reinterpret_cast<iconv_t>(-1) || gbk == reinterpret_cast<iconv_t>(-1)) {
    fprintf(stderr, "make_glyph_sheets: iconv knows no GB2312 or GBK\n");
    return false;
  }
  auto add = [&](int cell, iconv_t converter, int code) {
    uint32_t codePoint = CodePointOf(converter, code);
    if (codePoint != 0) (*cells)[cell] = codePoint;
  };
  for (int lead = 0xA1; lead <= 0xA7; ++lead)
    for (int trail = 0xA1; trail <= 0xFE; ++trail)
      add(kCellsPerGb2312Row * (lead - 0xA1) + (trail - 0xA1), gb2312, lead << 8 | trail);
  for (int lead = 0xB0; lead <= 0xF7; ++lead)
    for (int trail = 0xA1; trail <= 0xFE; ++trail)
      add(kSymbolCells + kCellsPerGb2312Row * (lead - 0xB0) + (trail - 0xA1), gb2312,
          lead << 8 | trail);
  add(kRongCell, gbk, 0xE946);
  add(kBoxLineCell, gb2312, 0xA9A4);
  iconv_close(gb2312);
  iconv_close(gbk);
  return true;
}

// Reads the Unifont hex lines "XXXX:HEX" of the wanted code points: 32 hex digits for an 8x16
// glyph, 64 for a 16x16 one.
bool ReadUnifont(const char* path, const std::map<uint32_t, bool>& wanted,
                 std::map<uint32_t, std::string>* glyphs) {
  FILE* file = fopen(path, "r");
  if (file == nullptr) {
    fprintf(stderr, "make_glyph_sheets: cannot read %s\n", path);
    return false;
  }
  char line[512];
  while (fgets(line, sizeof line, file) != nullptr) {
    char* colon = strchr(line, ':');
    if (colon == nullptr) continue;
    uint32_t codePoint = static_cast<uint32_t>(strtoul(line, nullptr, 16));
    if (wanted.count(codePoint) == 0) continue;
    std::string bits(colon + 1);
    while (!bits.empty() && (bits.back() == '\n' || bits.back() == '\r')) bits.pop_back();
    if (bits.size() != 32 && bits.size() != 64) {
      fprintf(stderr, "make_glyph_sheets: U+%04X has a glyph of unknown size\n", codePoint);
      fclose(file);
      return false;
    }
    (*glyphs)[codePoint] = bits;
  }
  fclose(file);
  return true;
}

bool IsStretched(uint32_t codePoint) {
  for (uint32_t c : kStretchedCodePoints)
    if (c == codePoint) return true;
  return false;
}

// Doubles every column of an 8-pixel row into 16 pixels.
uint16_t Doubled(unsigned row8) {
  uint16_t out = 0;
  for (int c = 0; c < 8; ++c)
    if (row8 & (0x80 >> c)) out |= 0xC000 >> (2 * c);
  return out;
}

// Shifts the ink of a stretched glyph sideways so that its blank margins are equal.
void CentreInk(GlyphRows* rows) {
  uint16_t ink = 0;
  for (uint16_t r : *rows) ink |= r;
  if (ink == 0) return;
  int left = 0, right = 0;
  while (!(ink & (0x8000 >> left))) ++left;
  while (!(ink & (1 << right))) ++right;
  int shift = (left - right) / 2;  // positive: move left
  for (uint16_t& r : *rows) r = shift >= 0 ? r << shift : r >> -shift;
}

// The 16 rows of a Unifont glyph as it is to stand in its cell.
GlyphRows CellImage(uint32_t codePoint, const std::string& hex) {
  GlyphRows rows(kGlyphSize);
  const bool wide = hex.size() == 64;
  const size_t digits = wide ? 4 : 2;
  for (int r = 0; r < kGlyphSize; ++r) {
    unsigned value = static_cast<unsigned>(std::stoul(hex.substr(r * digits, digits), nullptr, 16));
    if (wide)
      rows[r] = static_cast<uint16_t>(value);
    else if (IsStretched(codePoint))
      rows[r] = Doubled(value);
    else
      rows[r] = static_cast<uint16_t>(value << 4);  // columns 4-11 of 0-15
  }
  if (!wide && IsStretched(codePoint)) CentreInk(&rows);
  return rows;
}

// Draws `rows` into cell `cell` of the sheet data (1 = white, 0 = ink).
void DrawCell(Bytes* sheets, int cell, const GlyphRows& rows) {
  const int gridRow = cell / kSheetColumns;
  const int sheet = gridRow / kSheetRows;
  const int x = kGlyphSize * (cell % kSheetColumns), y = kGlyphSize * (gridRow % kSheetRows);
  constexpr int kRowBytes = kSheetWidth / 8;
  for (int r = 0; r < kGlyphSize; ++r) {
    unsigned char* at = sheets->data() + sheet * kSheetBytes + (y + r) * kRowBytes + x / 8;
    at[0] = static_cast<unsigned char>(~(rows[r] >> 8));
    at[1] = static_cast<unsigned char>(~rows[r]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: make_glyph_sheets UNIFONT_HEX OUT_FILE\n");
    return 2;
  }
  std::map<int, uint32_t> cells;
  if (!CellCodePoints(&cells)) return 1;
  std::map<uint32_t, bool> wanted;
  for (const auto& cell : cells) wanted[cell.second] = true;
  std::map<uint32_t, std::string> glyphs;
  if (!ReadUnifont(argv[1], wanted, &glyphs)) return 1;

  Bytes sheets(kGlyphSheetBytes, 0xFF);
  int missing = 0;
  for (const auto& cell : cells) {
    auto glyph = glyphs.find(cell.second);
    if (glyph == glyphs.end()) {
      ++missing;  // left blank
      continue;
    }
    DrawCell(&sheets, cell.first, CellImage(cell.second, glyph->second));
  }
  if (missing > 0)
    fprintf(stderr, "make_glyph_sheets: %d characters have no glyph, left blank\n", missing);
  if (!WriteWholeFile(argv[2], sheets)) {
    fprintf(stderr, "make_glyph_sheets: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
