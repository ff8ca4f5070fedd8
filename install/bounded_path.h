// Bounded formatting of paths and texts into the Installer's fixed buffers.
#pragma once

#include <cstddef>

constexpr size_t kPathCapacity = 260;  // MAX_PATH, terminating zero included

// printf-style formatting into `out` of `outSize` bytes. Returns false, and leaves `out` as an
// empty string, when the result would not fit or the format fails: a cut path is never used.
bool FormatBounded(char* out, size_t outSize, const char* format, ...);
