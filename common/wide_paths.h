// Paths that the system's ANSI code page may not spell (a profile folder named in Chinese on an
// English system): the wide calls on the NT platform, which has had them since its first release,
// and on Windows 95, 98 and Me, whose paths are all in their code page, the ANSI calls with the
// path converted. The wide calls are looked up at run time: Windows 95 has most of them only as
// stubs that fail, and some not at all.
#pragma once

#include <windows.h>

#include <cstddef>

#include "common/bounded_path.h"
#include "common/system_calls.h"

using WidePath = wchar_t[kPathCapacity];

// `text` in the ANSI code page, widened into `out` (`outSize` characters); false, with `out`
// empty, when it does not fit.
bool WidenAnsi(const char* text, wchar_t* out, size_t outSize);

// Text that the system gives in both spellings, read wide: on the NT platform with the wide call
// `Call` (common/system_calls.h), `wide(call, out)`; elsewhere, or where the system lacks it,
// the ANSI text that `ansi()` reads, widened into `out`. Each reader gives its text, or null when
// it has none (a failed or cut read); so does the result.
template <typename Call, size_t N, typename WideReader, typename AnsiReader>
const wchar_t* ReadWide(wchar_t (&out)[N], WideReader wide, AnsiReader ansi) {
  if (auto call = WideSystemCall<Call>()) return wide(call, out);
  const char* text = ansi();
  return text != nullptr && WidenAnsi(text, out, N) ? out : nullptr;
}

// Whether a read that wrote `length` characters into a buffer of `capacity` gave all the text:
// 0 means it failed; one that fills the buffer may have been cut.
constexpr bool WholeRead(size_t length, size_t capacity) {
  return length != 0 && length < capacity;
}

// The ANSI spelling of `path` into `out` (`outSize` bytes), only when it reads back as the very
// same text. False for a character the code page lacks (it would become "?") and for one that
// Windows turns into a look-alike ("best fit": a full-width backslash into "\", full-width dots
// into "."), which would name another file; and when it does not fit.
bool AnsiSpelling(const wchar_t* path, char* out, size_t outSize);

// The wide path of `path` with `name` (ANSI, widened) and `suffix` (ASCII) appended, after a
// backslash when `name` is not null; false when it does not fit.
bool WidePathWith(const wchar_t* path, const char* name, const char* suffix, WidePath& out);

// File calls on wide paths; they fail where the path cannot be spelled on Windows 95, 98 and Me.
DWORD WideFileAttributes(const wchar_t* path);  // INVALID_FILE_ATTRIBUTES when missing
bool CreateWideFolder(const wchar_t* path);     // one level
bool CopyWideFile(const wchar_t* from, const wchar_t* to);  // replacing `to`
bool AppendToWideFile(const wchar_t* path, const char* text);  // made when missing
// `path` made absolute against the current folder; false when the result does not fit.
bool WideFullPath(const wchar_t* path, WidePath& full);

// What became of a folder the user gave as the target folder.
enum class FolderTaken {
  kTaken,          // InstallDir holds it
  kNoFolder,       // it names no folder (empty, or a bare "\\")
  kTooLong,        // its path is longer than the caller takes, or than a path buffer
  kNotInCodePage,  // the ANSI code page cannot spell it
};

// Sets InstallDir from `folder` as the user gave it (the path box, "/D=", the folder open in the
// chooser): made absolute against the current folder, as the wizard shows a path, without the
// backslashes that end it ("C:\" becomes "C:"), and spelled in the ANSI code page, in which the
// Installer names every file it writes, in at most `longest` bytes. InstallDir is left as it was
// unless kTaken.
FolderTaken TakeInstallDir(const wchar_t* folder, size_t longest = kPathCapacity - 1);
