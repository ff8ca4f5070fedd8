// The Installer's command line: "/S" and "/D=<folder>".
#include "app/command_line.h"

#include <cstring>

#include "install/install_manifest.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The first character after the program's name.
const char* SkipProgramName(const char* line) {
  if (*line == '"') {
    const char* end = strchr(line + 1, '"');
    return end != nullptr ? end + 1 : line + strlen(line);
  }
  while (*line != '\0' && !IsBlank(*line)) ++line;
  return line;
}

// Copies the folder of "/D=" into `folder`; false when it is empty, too long or holds a quote
// (no Windows file name does: a quote left over is a quoting mistake).
// `quoted`: the switch itself began with a quote, whose partner ends the folder.
bool TakeFolder(const char* text, bool quoted, LeadByteTest isLeadByte,
                char (&folder)[kPathCapacity]) {
  size_t length = strlen(text);
  while (length > 0 && IsBlank(text[length - 1])) --length;
  if (quoted) {
    if (length == 0 || text[length - 1] != '"') return false;
    --length;
  } else if (length >= 2 && text[0] == '"' && text[length - 1] == '"') {
    ++text;
    length -= 2;
  }
  if (length == 0 || length >= kPathCapacity || memchr(text, '"', length) != nullptr) return false;
  memcpy(folder, text, length);
  folder[length] = '\0';
  // "D:\Tools\" names the folder "D:\Tools"; the files go to "D:\Tools\<name>".
  if (FindLastBackslash(folder, isLeadByte) == static_cast<long>(length) - 1)
    folder[--length] = '\0';
  return length > 0 && length <= kLongestInstallDir;
}

}  // namespace

CommandLine ParseCommandLine(const char* line, LeadByteTest isLeadByte) {
  CommandLine result = {LaunchMode::kWizard, ""};
  bool silent = false;
  bool bad = false;
  const char* p = line != nullptr ? SkipProgramName(line) : "";
  while (*p != '\0') {
    if (IsBlank(*p)) {
      ++p;
      continue;
    }
    // "/D=..." or, as a command line built from separate arguments quotes one with blanks,
    // "\"/D=...\"".
    bool quoted = strncmp(p, "\"/D=", 4) == 0;
    if (quoted || strncmp(p, "/D=", 3) == 0) {
      if (!TakeFolder(p + (quoted ? 4 : 3), quoted, isLeadByte, result.folder)) bad = true;
      break;
    }
    const char* end = p;
    while (*end != '\0' && !IsBlank(*end)) ++end;
    if (end - p == 2 && p[0] == '/' && p[1] == 'S')
      silent = true;
    else
      bad = true;
    p = end;
  }
  if (silent) result.mode = bad ? LaunchMode::kBadCommandLine : LaunchMode::kSilent;
  if (result.mode != LaunchMode::kSilent) result.folder[0] = '\0';
  return result;
}
