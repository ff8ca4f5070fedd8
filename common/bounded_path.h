// Path texts: bounded formatting into the Installer's fixed buffers, and the backslash search.
#pragma once

#include <cstddef>

constexpr size_t kPathCapacity = 260;  // MAX_PATH, terminating zero included

// printf-style formatting into `out` of `outSize` bytes. Returns false, and leaves `out` as an
// empty string, when the result would not fit or the format fails: a cut path is never used.
bool FormatBounded(char* out, size_t outSize, const char* format, ...);

// Tells whether a byte starts a double-byte character in the system's ANSI code page. Paths
// are walked character by character with it: in GBK and Big5 the second byte of a character
// may be 0x5C, the byte of "\", and must not be taken for a separator. Null stands for a
// single-byte code page.
using LeadByteTest = bool (*)(unsigned char byte);

// Whether the file name `name` is `other` or, with `prefixOnly`, begins with it: ASCII letters
// compared without regard to case, as Windows compares file names.
bool SameFileName(const char* name, const char* other, bool prefixOnly = false);

// Offset of the last "\" character of `text`, or -1 when it holds none.
long FindLastBackslash(const char* text, LeadByteTest isLeadByte);

// Wide paths (UTF-16 on Windows), for names that the ANSI code page may not spell.
// Appends `text` (or the ASCII `ascii`, widened) to the zero-terminated text in `out` of
// `outSize` characters; false, with `out` as it was, when the result would not fit.
bool AppendText(wchar_t* out, size_t outSize, const wchar_t* text);
bool AppendText(wchar_t* out, size_t outSize, const char* ascii);
// The length of `text`, and the offset of its last "\" (-1 when it holds none).
size_t WideLength(const wchar_t* text);
long FindLastBackslash(const wchar_t* text);
// Removes the backslashes that end `path`, so that "%s\%s" can follow it: a drive's root
// "C:\" becomes "C:".
void DropTrailingBackslashes(wchar_t* path);
