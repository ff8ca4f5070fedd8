// The edit of the product's configuration file "velmarui.ini": its bytes in, the edited bytes out.
//
// Two keys of the [Config] section record the user's choices: "UseBmpFont=" followed by one
// character and "ForceLanguage=" followed by a decimal UiLanguage. The text is scanned line by
// line (a line ends after LF; a CR before the LF belongs to its ending):
// - A line containing "[Config]" anywhere marks the section as seen.
// - A line containing "UseBmpFont=" or "ForceLanguage=" anywhere is replaced by exactly
//   "UseBmpFont=<c>" or "ForceLanguage=<n>", whatever stood on it before, and keeps its own line
//   ending. A line containing both keys becomes the UseBmpFont line followed by the ForceLanguage
//   line, each with that line's ending (CR LF between them when the line has none).
// - The scan stops at the line where both keys have been met; later lines are not looked at.
// - Only when the scan reached the end of the text, it appends, in this order: "\r\n\r\n[Config]
//   \r\n\r\n" if no line held "[Config]", "\r\nUseBmpFont=<c>\r\n" and "\r\nForceLanguage=<n>\r\n"
//   for the keys not met. When both keys stand before any [Config] line nothing is appended: the
//   keys were rewritten where they are, and a header after them would open an empty section.
// Every other byte is copied unchanged, so LF-only lines stay LF-only and a long line is one line
// whatever its length.
#pragma once

#include <cstddef>

// The most bytes the edit adds to a text: the lines it appends, or the longer values of the lines
// it rewrites (it never does both for one key).
constexpr size_t kUiConfigMostGrowth = 64;

// A capacity that always holds the edit of `length` input bytes: a rewritten line grows by less
// than its own length, and the appended text takes at most 64 bytes. Zero when that would
// overflow.
size_t UiConfigEditCapacity(size_t length);

// Writes the edit of `text` (`length` bytes) with the UseBmpFont character and the ForceLanguage
// value into `out` (`capacity` bytes) and its length into `*outLength`. False when the result
// would not fit; `out` is then not to be used.
bool EditUiConfig(const char* text, size_t length, char useBmpFont, int forceLanguage, char* out,
                  size_t capacity, size_t* outLength);
