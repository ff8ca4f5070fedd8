// The glyph sheets on Win32: loading them into memory contexts, drawing and measuring GBK text.
#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "common/message_catalogue.h"
#include "common/notices.h"
#include "bitmap_text/bitmap_text.h"
#include "bitmap_text/glyph_cell.h"
#include "bitmap_text/text_walk.h"
#include "common/payload_resource.h"
#include "common/scoped_handles.h"
#include "resources/resource_ids.h"

namespace {

constexpr uint16_t kGlyphSheetResource = IDR_GLYPH_SHEETS;

// The four sheets, from LoadGlyphSheets to FreeGlyphSheets: sheet k is selected into context k,
// and earlierBitmaps[k] is what context k held before, put back before the context goes.
struct GlyphSheetSet {
  HBITMAP sheets[kSheetCount];
  HDC contexts[kSheetCount];
  HGDIOBJ earlierBitmaps[kSheetCount];
};

GlyphSheetSet GlyphSheets;

// The width of one single-byte character in the context's current font; 0 when unknown.
int SingleByteWidthIn(void* context, unsigned char byte) {
  const char text = static_cast<char>(byte);
  SIZE size;
  if (!GetTextExtentPointA(static_cast<HDC>(context), &text, 1, &size)) return 0;
  return size.cx;
}

// Makes sheet k from its bits and selects it into a new memory context; false when the bitmap
// or the context cannot be made (what was made stays in GlyphSheets for FreeGlyphSheets).
bool MakeSheet(int k, const unsigned char* bits) {
  GlyphSheets.sheets[k] = CreateBitmap(kSheetWidth, kSheetHeight, 1, 1, bits);
  if (GlyphSheets.sheets[k] == nullptr) return false;
  GlyphSheets.contexts[k] = CreateCompatibleDC(WindowDc(nullptr).get());
  if (GlyphSheets.contexts[k] == nullptr) return false;
  GlyphSheets.earlierBitmaps[k] = SelectObject(GlyphSheets.contexts[k], GlyphSheets.sheets[k]);
  return true;
}

}  // namespace

GlyphLoadResult LoadGlyphSheets() {
  unsigned char* buffer = static_cast<unsigned char*>(malloc(kGlyphInflateCapacity));
  if (buffer == nullptr) {
    Notify(kMsgNoMemory, nullptr);
    return GlyphLoadResult::kNoMemory;
  }
  // A stream that inflates to less than the four sheets would have the bitmaps made from
  // bytes it never wrote: it counts as damaged.
  uint32_t length = 0;
  if (!DecompressPayload(kGlyphSheetResource, buffer, kGlyphInflateCapacity, &length) ||
      length < static_cast<uint32_t>(kGlyphSheetBytes)) {
    free(buffer);
    return GlyphLoadResult::kNoData;
  }
  for (int k = 0; k < kSheetCount; ++k) {
    if (!MakeSheet(k, buffer + k * kSheetBytes)) {
      free(buffer);
      return GlyphLoadResult::kNoBitmaps;
    }
  }
  free(buffer);  // the bitmaps hold their own copies of the bits
  return GlyphLoadResult::kLoaded;
}

void FreeGlyphSheets() {
  for (int k = 0; k < kSheetCount; ++k) {
    if (GlyphSheets.contexts[k] != nullptr) {
      if (GlyphSheets.earlierBitmaps[k] != nullptr)
        SelectObject(GlyphSheets.contexts[k], GlyphSheets.earlierBitmaps[k]);
      DeleteDC(GlyphSheets.contexts[k]);
    }
    if (GlyphSheets.sheets[k] != nullptr) DeleteObject(GlyphSheets.sheets[k]);
  }
  GlyphSheets = GlyphSheetSet{};
}

void DrawBitmapText(HDC dc, int x, int y, const char* text, int selected) {
  const DWORD rasterOperation = selected == 0 ? SRCAND : SRCPAINT;
  const int earlierMode = SetBkMode(dc, TRANSPARENT);
  TextWalk walk(text);
  while (walk.Next()) {
    if (walk.IsDoubleByte()) {
      const GlyphCell cell = GlyphCellOf(static_cast<uint16_t>(walk.Code()));
      BitBlt(dc, x, y, kGlyphSize, kGlyphSize, GlyphSheets.contexts[cell.sheet], cell.x, cell.y,
             rasterOperation);
      x += kDoubleByteAdvance;
    } else {
      const char byte = static_cast<char>(walk.Code());
      const int advance = SingleByteWidthIn(dc, static_cast<unsigned char>(byte));
      TextOutA(dc, x, y + 1, &byte, 1);
      x += advance;
    }
  }
  SetBkMode(dc, earlierMode);
}

SIZE MeasureBitmapText(HDC dc, const char* text) {
  return SIZE{MeasureTextWalk(text, SingleByteWidthIn, dc), kGlyphSize};
}
