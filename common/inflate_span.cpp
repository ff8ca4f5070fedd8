// Inflation of one zlib stream into a bounded buffer, through zlib's one-call uncompress.
#include "common/inflate_span.h"

#include <zlib.h>

bool InflateSpan(const void* source, uint32_t sourceLength, void* buffer, uint32_t capacity,
                 uint32_t* length) {
  if (source == nullptr || sourceLength == 0 || buffer == nullptr) return false;
  if (capacity == 0) {
    // For a zero capacity zlib's uncompress inflates into a byte of its own and reports success
    // with length 0 for a one-byte file; only a stream of an empty file fits into no capacity.
    unsigned char probe;
    uint32_t probeLength = 0;
    if (!InflateSpan(source, sourceLength, &probe, 1, &probeLength) || probeLength != 0)
      return false;
    *length = 0;
    return true;
  }
  uLongf outLength = capacity;
  int rc = uncompress(static_cast<Bytef*>(buffer), &outLength, static_cast<const Bytef*>(source),
                      sourceLength);
  if (rc != Z_OK) return false;
  *length = static_cast<uint32_t>(outLength);
  return true;
}
