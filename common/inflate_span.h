// Inflation of one zlib stream held in memory into a caller's buffer of fixed capacity.
#pragma once

#include <cstdint>

// Inflates the zlib stream `source` (`sourceLength` bytes) into `buffer`, which holds at most
// `capacity` bytes. On success stores the inflated length in `*length` and returns true. A null
// or empty source, a damaged stream, output longer than the capacity or no memory for the
// decompressor return false; `*length` is then unspecified and the buffer may hold partial output.
bool InflateSpan(const void* source, uint32_t sourceLength, void* buffer, uint32_t capacity,
                 uint32_t* length);
