// The Installer's command line: "/S" and "/D=<folder>".
#include "app/command_line.h"

#include "install/install_manifest.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Whether `text` begins with the ASCII `start`.
bool StartsWith(const wchar_t* text, const char* start) {
  for (; *start != '\0'; ++start, ++text)
    if (*text != static_cast<wchar_t>(*start)) return false;
  return true;
}

// The first character after the program's name.
const wchar_t* SkipProgramName(const wchar_t* line) {
  if (*line == L'"') {
    ++line;
    while (*line != 0 && *line != L'"') ++line;
    return *line != 0 ? line + 1 : line;
  }
  while (*line != 0 && !IsBlank(*line)) ++line;
  return line;
}

// Copies the folder of "/D=" into `folder`; false when it is empty, too long or holds a quote
// (no Windows file name does: a quote left over is a quoting mistake).
// `quoted`: the switch itself began with a quote, whose partner ends the folder.
bool TakeFolder(const wchar_t* text, bool quoted, wchar_t (&folder)[kPathCapacity]) {
  size_t length = WideLength(text);
  while (length > 0 && IsBlank(text[length - 1])) --length;
  if (quoted) {
    if (length == 0 || text[length - 1] != L'"') return false;
    --length;
  } else if (length >= 2 && text[0] == L'"' && text[length - 1] == L'"') {
    ++text;
    length -= 2;
  }
  if (length == 0 || length > kLongestInstallDir) return false;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] == L'"') return false;
    folder[i] = text[i];
  }
  folder[length] = 0;
  return true;
}

}  // namespace

CommandLine ParseCommandLine(const wchar_t* line) {
  CommandLine result = {LaunchMode::kWizard, {0}};
  bool silent = false;
  bool bad = false;
  const wchar_t* p = line != nullptr ? SkipProgramName(line) : L"";
  while (*p != 0) {
    if (IsBlank(*p)) {
      ++p;
      continue;
    }
    // "/D=..." or, as a command line built from separate arguments quotes one with blanks,
    // "\"/D=...\"".
    bool quoted = StartsWith(p, "\"/D=");
    if (quoted || StartsWith(p, "/D=")) {
      if (!TakeFolder(p + (quoted ? 4 : 3), quoted, result.folder)) bad = true;
      break;
    }
    const wchar_t* end = p;
    while (*end != 0 && !IsBlank(*end)) ++end;
    if (end - p == 2 && p[0] == L'/' && p[1] == L'S')
      silent = true;
    else
      bad = true;
    p = end;
  }
  if (silent) result.mode = bad ? LaunchMode::kBadCommandLine : LaunchMode::kSilent;
  if (result.mode != LaunchMode::kSilent) result.folder[0] = 0;
  return result;
}
