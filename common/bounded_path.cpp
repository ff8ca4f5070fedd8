// Path texts: bounded formatting into the Installer's fixed buffers, and the backslash search.
#include "common/bounded_path.h"

#include <cstdarg>
#include <cstdio>

bool FormatBounded(char* out, size_t outSize, const char* format, ...) {
  if (out == nullptr || outSize == 0) return false;
  va_list args;
  va_start(args, format);
#ifdef _WIN32
  // The C runtime's own formatter: mingw's C99 vsnprintf would add some 25 KB to the Installer.
  // It returns -1 when the text does not fit and leaves no terminating zero when it fits
  // exactly; both count as not fitting below.
  int n = _vsnprintf(out, outSize, format, args);
#else
  int n = vsnprintf(out, outSize, format, args);
#endif
  va_end(args);
  if (n < 0 || static_cast<size_t>(n) >= outSize) {
    out[0] = '\0';
    return false;
  }
  return true;
}

long FindLastBackslash(const char* text, LeadByteTest isLeadByte) {
  long last = -1;
  size_t i = 0;
  while (text[i] != '\0') {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (isLeadByte != nullptr && isLeadByte(byte) && text[i + 1] != '\0') {
      i += 2;  // a double-byte character: its second byte is never a separator
      continue;
    }
    if (byte == '\\') last = static_cast<long>(i);
    ++i;
  }
  return last;
}
