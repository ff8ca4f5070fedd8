// Path texts: bounded formatting into the Installer's fixed buffers, and the backslash search.
#include "common/bounded_path.h"

#include <cstdarg>

// The Installer's own formatter, the same in both builds: the C runtime's would tie the Installer
// to a C library that the first Windows 95 lacks. It knows what the Installer's texts use: %s,
// %.*s, %c, %d, %u and %%; any other conversion (a width among them) fails.
bool FormatBounded(char* out, size_t outSize, const char* format, ...) {
  if (out == nullptr || outSize == 0) return false;
  size_t length = 0;
  bool fits = true;
  auto put = [&](char c) {
    if (length + 1 < outSize)
      out[length++] = c;
    else
      fits = false;
  };
  va_list args;
  va_start(args, format);
  for (const char* p = format; fits && *p != '\0'; ++p) {
    if (*p != '%') {
      put(*p);
      continue;
    }
    long most = -1;  // the precision of %.*s: at most that many bytes of the text
    const bool precision = p[1] == '.' && p[2] == '*';
    if (precision) {
      most = va_arg(args, int);
      p += 2;
    }
    const char conversion = *++p;
    if (precision && conversion != 's') {
      fits = false;  // a precision means something only to %s here
    } else if (conversion == 's') {
      // No byte is read past the precision: the text need not end within it.
      const char* text = va_arg(args, const char*);
      for (long i = 0; text != nullptr && (most < 0 || i < most) && text[i] != '\0'; ++i)
        put(text[i]);
    } else if (conversion == 'd' || conversion == 'u') {
      unsigned value = va_arg(args, unsigned);
      // A negative %d as its sign and magnitude, taken in unsigned arithmetic, which holds even
      // the most negative int's.
      if (conversion == 'd' && static_cast<int>(value) < 0) {
        put('-');
        value = 0u - value;
      }
      char digits[10];
      int count = 0;
      do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
      } while (value != 0);
      while (count > 0) put(digits[--count]);
    } else if (conversion == 'c') {
      put(static_cast<char>(va_arg(args, int)));
    } else if (conversion == '%') {
      put('%');
    } else {
      fits = false;  // an unknown conversion, or a format that ends in "%"
    }
  }
  va_end(args);
  out[fits ? length : 0] = '\0';
  return fits;
}

bool SameFileName(const char* name, const char* other, bool prefixOnly) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (; *other != '\0'; ++name, ++other)
    if (lower(*name) != lower(*other)) return false;
  return prefixOnly || *name == '\0';
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

namespace {

template <typename From>
bool AppendWide(wchar_t* out, size_t outSize, const From* text) {
  size_t length = WideLength(out);
  size_t added = 0;
  while (text[added] != 0) ++added;
  if (outSize == 0 || added >= outSize - length) return false;
  for (size_t i = 0; i <= added; ++i) out[length + i] = static_cast<wchar_t>(text[i]);
  return true;
}

}  // namespace

bool AppendText(wchar_t* out, size_t outSize, const wchar_t* text) {
  return AppendWide(out, outSize, text);
}

bool AppendText(wchar_t* out, size_t outSize, const char* ascii) {
  return AppendWide(out, outSize, ascii);
}

size_t WideLength(const wchar_t* text) {
  size_t length = 0;
  while (text[length] != 0) ++length;
  return length;
}

long FindLastBackslash(const wchar_t* text) {
  long last = -1;
  for (long i = 0; text[i] != 0; ++i)
    if (text[i] == L'\\') last = i;
  return last;
}

void DropTrailingBackslashes(wchar_t* path) {
  size_t length = WideLength(path);
  while (length > 0 && path[length - 1] == L'\\') path[--length] = 0;
}
