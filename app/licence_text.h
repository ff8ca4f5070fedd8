// The licence texts: the Chinese licence cut into the lines of its list.
#pragma once

#include <cstddef>

constexpr size_t kLicenceCapacity = 65536;  // inflated text and its terminating zero
constexpr int kMostLicenceLines = 500;
constexpr size_t kLongestLicenceLine = 259;  // the list's painter reads items into 260 bytes

// Cuts the zero-terminated `text` in place into its CR-terminated lines (a CR, or a CR and one
// LF, ends a line; an LF alone stays in the line; text after the last CR is no line) and stores
// the start of each in `lines`, at most kMostLicenceLines. A line longer than
// kLongestLicenceLine bytes is cut there, or one byte before when the cut would split a two-byte
// GBK character. Returns the number of lines.
int SplitLicenceLines(char* text, const char* (&lines)[kMostLicenceLines]);
