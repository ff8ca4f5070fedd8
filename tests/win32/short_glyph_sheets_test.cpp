// The glyph-sheet loader given a resource 110 that inflates to less than the four sheets.
#include <gtest/gtest.h>
#include <windows.h>

#include "bitmap_text/bitmap_text.h"
#include "common/payload_resource.h"
#include "resources/resource_ids.h"

namespace {

TEST(ShortGlyphSheets, AStreamOneByteShortIsRefusedAsDamaged) {
  static char buffer[300000];
  uint32_t length = 0;
  ASSERT_TRUE(DecompressPayload(IDR_GLYPH_SHEETS, buffer, sizeof buffer, &length))
      << "the stream itself is sound";
  ASSERT_EQ(length, 241663u);

  EXPECT_EQ(LoadGlyphSheets(), GlyphLoadResult::kNoData);
  FreeGlyphSheets();
  FreeGlyphSheets();
}

}  // namespace
