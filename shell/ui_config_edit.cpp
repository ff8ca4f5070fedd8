// The edit of the product's configuration file "velmarui.ini": its bytes in, the edited bytes out.
#include "shell/ui_config_edit.h"

#include <cstdint>
#include <cstring>

#include "common/bounded_path.h"

namespace {

constexpr char kSectionLine[] = "[Config]";
constexpr char kUseBmpFontKey[] = "UseBmpFont=";
constexpr char kForceLanguageKey[] = "ForceLanguage=";
constexpr char kSectionAppended[] = "\r\n\r\n[Config]\r\n\r\n";
// The header, both key lines and the widest int.
static_assert(sizeof kSectionAppended - 1 + sizeof "\r\nUseBmpFont=1\r\n" - 1 +
                      sizeof "\r\nForceLanguage=-2147483648\r\n" - 1 <=
                  kUiConfigMostGrowth,
              "the appended text must fit the capacity's allowance");

// Whether the bytes [begin, end) contain `key` (zero bytes in the text are plain bytes).
bool Contains(const char* begin, const char* end, const char* key) {
  size_t keyLength = strlen(key);
  for (const char* p = begin; static_cast<size_t>(end - p) >= keyLength; ++p)
    if (memcmp(p, key, keyLength) == 0) return true;
  return false;
}

// Bounded output: appends refuse, and mark the whole edit failed, once the capacity is reached.
class Output {
 public:
  Output(char* out, size_t capacity) : out_(out), capacity_(capacity) {}

  void Append(const char* bytes, size_t count) {
    if (!ok_ || count > capacity_ - length_) {
      ok_ = false;
      return;
    }
    if (count != 0) memcpy(out_ + length_, bytes, count);
    length_ += count;
  }
  void Append(const char* text) { Append(text, strlen(text)); }

  bool ok() const { return ok_; }
  size_t length() const { return length_; }

 private:
  char* out_;
  size_t capacity_;
  size_t length_ = 0;
  bool ok_ = true;
};

}  // namespace

size_t UiConfigEditCapacity(size_t length) {
  if (length > (SIZE_MAX - kUiConfigMostGrowth) / 2) return 0;
  return 2 * length + kUiConfigMostGrowth;
}

bool EditUiConfig(const char* text, size_t length, char useBmpFont, int forceLanguage, char* out,
                  size_t capacity, size_t* outLength) {
  char useBmpFontLine[16];
  char forceLanguageLine[32];
  if (!FormatBounded(useBmpFontLine, sizeof useBmpFontLine, "%s%c", kUseBmpFontKey, useBmpFont) ||
      !FormatBounded(forceLanguageLine, sizeof forceLanguageLine, "%s%d", kForceLanguageKey,
                     forceLanguage))
    return false;

  Output output(out, capacity);
  bool sectionSeen = false, useBmpFontDone = false, forceLanguageDone = false;
  size_t position = 0;
  while (!(useBmpFontDone && forceLanguageDone) && position < length) {
    const char* line = text + position;
    const char* newline = static_cast<const char*>(memchr(line, '\n', length - position));
    const char* next = newline != nullptr ? newline + 1 : text + length;
    // The line's content ends before its LF, or before a CR that precedes the LF.
    const char* contentEnd = next;
    if (newline != nullptr) contentEnd = newline;
    if (newline != nullptr && newline > line && newline[-1] == '\r') contentEnd = newline - 1;

    if (Contains(line, contentEnd, kSectionLine)) sectionSeen = true;
    bool useBmpFont = Contains(line, contentEnd, kUseBmpFontKey);
    bool forceLanguage = Contains(line, contentEnd, kForceLanguageKey);
    if (!useBmpFont && !forceLanguage) {
      output.Append(line, next - line);
    } else {
      // The key's line is rewritten whole: the new text, then the line's own ending.
      if (useBmpFont) {
        output.Append(useBmpFontLine);
        // Two keys on a last line without an ending still become two lines.
        if (forceLanguage && contentEnd == next) output.Append("\r\n");
        output.Append(contentEnd, next - contentEnd);
        useBmpFontDone = true;
      }
      if (forceLanguage) {
        output.Append(forceLanguageLine);
        output.Append(contentEnd, next - contentEnd);
        forceLanguageDone = true;
      }
    }
    position = next - text;
  }

  if (!(useBmpFontDone && forceLanguageDone)) {
    // The scan reached the end of the text: add what is missing.
    if (!sectionSeen) output.Append(kSectionAppended);
    if (!useBmpFontDone) {
      output.Append("\r\n");
      output.Append(useBmpFontLine);
      output.Append("\r\n");
    }
    if (!forceLanguageDone) {
      output.Append("\r\n");
      output.Append(forceLanguageLine);
      output.Append("\r\n");
    }
  } else {
    output.Append(text + position, length - position);
  }
  *outLength = output.length();
  return output.ok();
}
