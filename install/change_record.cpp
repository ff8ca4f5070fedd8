// The record of one installation run's changes: its lines written and read.
#include "install/change_record.h"

#include <cstring>

#include "common/bounded_path.h"
#include "common/setup_file_names.h"

namespace {

// A name that stands for a plain file of InstallDir and nothing else.
bool PlainFileName(const char* name) {
  const bool dots = name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
  if (*name == '\0' || dots) return false;
  for (const char* c = name; *c != '\0'; ++c)
    if (*c == '\\' || *c == '/' || *c == ':') return false;
  return true;
}

}  // namespace

bool AppendChange(char* text, size_t capacity, size_t* length, char kind, const char* kept,
                  const char* name) {
  if (*length >= capacity) return false;
  char* end = text + *length;
  const bool formed =
      kind == 0 ? FormatBounded(end, capacity - *length, "%s\r\n", kRecordHeader)
                : FormatBounded(end, capacity - *length, "%c %s%s%s\r\n", kind,
                                kept != nullptr ? kept : "", kept != nullptr ? " " : "", name);
  if (formed) *length += strlen(end);
  return formed;
}

int ReadChanges(char* text, size_t length, RecordedChange* changes, int most) {
  const size_t headerLength = sizeof kRecordHeader - 1;
  if (length < headerLength + 2 || memcmp(text, kRecordHeader, headerLength) != 0 ||
      text[headerLength] != '\r' || text[headerLength + 1] != '\n')
    return -1;
  int count = 0;
  size_t at = headerLength + 2;
  while (at < length && count < most) {
    char* line = text + at;
    char* end = static_cast<char*>(memchr(line, '\n', length - at));
    if (end == nullptr || end == line || end[-1] != '\r') break;  // cut short
    at = static_cast<size_t>(end - text) + 1;
    end[-1] = '\0';
    const char kind = line[0];
    if (line[1] != ' ') continue;
    RecordedChange change = {kind, nullptr, line + 2};
    if (kind == kChangeKept || kind == kChangeRemoved) {
      char* space = static_cast<char*>(memchr(line + 2, ' ', strlen(line + 2)));
      if (space == nullptr) continue;
      *space = '\0';
      change.kept = change.name;
      change.name = space + 1;
      if (!SameFileName(change.kept, kSetupFilePrefix, true) || !PlainFileName(change.kept))
        continue;
    } else if (kind == kChangeScratch || kind == kChangeLeftover) {
      // Deleted whatever the outcome: only ever one of the Installer's own files.
      if (!SameFileName(change.name, kSetupFilePrefix, true)) continue;
    } else if (kind != kChangeNew) {
      continue;
    }
    if (PlainFileName(change.name)) changes[count++] = change;
  }
  return count;
}
