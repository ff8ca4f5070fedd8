// The character walk over GBK/ASCII strings and the width measurement built on it.
#include "bitmap_text/text_walk.h"

#include <cstring>

TextWalk::TextWalk(const char* text)
    : text_(reinterpret_cast<const unsigned char*>(text)), length_(strlen(text)) {}

bool TextWalk::Next() {
  if (position_ >= length_) return false;
  const unsigned lead = text_[position_];
  doubleByte_ = lead >= 0x80;
  if (doubleByte_) {
    // text_[length_] is the terminating zero, so a last lead byte pairs with it and the
    // position then moves past the end, which ends the walk.
    code_ = lead << 8 | text_[position_ + 1];
    position_ += 2;
  } else {
    code_ = lead;
    position_ += 1;
  }
  return true;
}

int MeasureTextWalk(const char* text, SingleByteWidth width, void* context) {
  int total = 0;
  TextWalk walk(text);
  while (walk.Next()) {
    total += walk.IsDoubleByte() ? kDoubleByteAdvance
                                 : width(context, static_cast<unsigned char>(walk.Code()));
  }
  return total;
}
