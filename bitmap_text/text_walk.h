// The walk over a GBK/ASCII byte string that drawing and measuring bitmap text share.
#pragma once

#include <cstddef>

constexpr int kDoubleByteAdvance = 16;  // a two-byte character is one glyph cell wide

// Steps through a zero-terminated GBK/ASCII string one character at a time. A byte of 0x80 or
// above is a lead byte and forms a two-byte character with the byte after it, even when that
// byte is the terminating zero (the walk then ends after that character); any other byte is
// one single-byte character.
class TextWalk {
 public:
  explicit TextWalk(const char* text);

  // Moves to the next character; false at the end of the string.
  bool Next();

  bool IsDoubleByte() const { return doubleByte_; }
  // Two-byte characters: lead * 256 + trail. Single-byte characters: the byte.
  unsigned Code() const { return code_; }

 private:
  const unsigned char* text_;
  size_t length_;
  size_t position_ = 0;
  unsigned code_ = 0;
  bool doubleByte_ = false;
};

// The width of one single-byte character in the caller's font; 0 when it cannot be measured.
using SingleByteWidth = int (*)(void* context, unsigned char byte);

// The width of `text`: 16 for every two-byte character plus `width(context, byte)` for every
// single-byte character, the distance that drawing the string advances.
int MeasureTextWalk(const char* text, SingleByteWidth width, void* context);
