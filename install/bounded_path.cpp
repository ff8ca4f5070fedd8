// Bounded formatting of paths and texts into the Installer's fixed buffers.
#include "install/bounded_path.h"

#include <cstdarg>
#include <cstdio>

bool FormatBounded(char* out, size_t outSize, const char* format, ...) {
  if (out == nullptr || outSize == 0) return false;
  va_list args;
  va_start(args, format);
  int n = vsnprintf(out, outSize, format, args);
  va_end(args);
  if (n < 0 || static_cast<size_t>(n) >= outSize) {
    out[0] = '\0';
    return false;
  }
  return true;
}
