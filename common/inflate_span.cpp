// Inflation of one zlib stream into a bounded buffer, through libdeflate's whole-buffer zlib
// decompressor.
#include "common/inflate_span.h"

#include <libdeflate.h>

bool InflateSpan(const void* source, uint32_t sourceLength, void* buffer, uint32_t capacity,
                 uint32_t* length) {
  if (source == nullptr || sourceLength == 0 || buffer == nullptr) return false;
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  if (decompressor == nullptr) return false;
  size_t inflated = 0;
  // A stream whose output would not fit the capacity, whatever the capacity (0 included), is
  // refused (LIBDEFLATE_INSUFFICIENT_SPACE), as is a damaged one.
  const libdeflate_result result =
      libdeflate_zlib_decompress(decompressor, source, sourceLength, buffer, capacity, &inflated);
  libdeflate_free_decompressor(decompressor);
  if (result != LIBDEFLATE_SUCCESS) return false;
  *length = static_cast<uint32_t>(inflated);
  return true;
}
