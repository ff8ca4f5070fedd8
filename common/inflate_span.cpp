// Inflation of one zlib stream into a bounded buffer, through zlib's one-call uncompress.
#include "common/inflate_span.h"

#include <zlib.h>

bool InflateSpan(const void* source, uint32_t sourceLength, void* buffer, uint32_t capacity,
                 uint32_t* length) {
  if (source == nullptr || sourceLength == 0 || buffer == nullptr) return false;
  uLongf outLength = capacity;
  int rc = uncompress(static_cast<Bytef*>(buffer), &outLength, static_cast<const Bytef*>(source),
                      sourceLength);
  if (rc != Z_OK) return false;
  *length = static_cast<uint32_t>(outLength);
  return true;
}
