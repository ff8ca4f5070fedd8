// The derived dictionary files that the stale-dictionary sweep removes from the target folder.
#pragma once

#include <cstddef>

// Four base names, each with 16 suffixes: the empty suffix, then "0001" to "1111" in binary
// counting order ("0000" never occurs). The paths run suffix by suffix, the four base names
// within each suffix: index = suffix number * 4 + base-name number.
constexpr int kStaleDictionaryNames = 4;
constexpr int kStaleDictionarySuffixes = 16;
constexpr int kStaleDictionaryCount = kStaleDictionaryNames * kStaleDictionarySuffixes;  // 64

// Formats the `index`-th stale dictionary path under `folder` into `out` (`outSize` bytes).
// False, with `out` empty, when the index is outside 0..63 or the path would not fit.
bool StaleDictionaryPath(const char* folder, int index, char* out, size_t outSize);
