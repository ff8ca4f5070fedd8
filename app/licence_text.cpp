// The Chinese licence cut into list lines.
#include "app/licence_text.h"

namespace {

// GBK: a byte of 0x80 or above starts a two-byte character.
bool StartsTwoByteCharacter(unsigned char byte) { return byte >= 0x80; }

// Ends `line` after at most kLongestLicenceLine bytes, on a character boundary.
void CutLongLine(char* line, size_t length) {
  if (length <= kLongestLicenceLine) return;
  size_t end = 0;
  while (end < kLongestLicenceLine) {
    size_t width = StartsTwoByteCharacter(static_cast<unsigned char>(line[end])) ? 2 : 1;
    if (end + width > kLongestLicenceLine) break;
    end += width;
  }
  line[end] = '\0';
}

}  // namespace

int SplitLicenceLines(char* text, const char* (&lines)[kMostLicenceLines]) {
  int count = 0;
  char* line = text;
  while (count < kMostLicenceLines) {
    char* end = line;
    while (*end != '\0' && *end != '\r') ++end;
    if (*end == '\0') break;  // text after the last CR is not a line
    char* next = end + 1;
    if (*next == '\n') ++next;
    *end = '\0';
    CutLongLine(line, static_cast<size_t>(end - line));
    lines[count++] = line;
    line = next;
  }
  return count;
}
