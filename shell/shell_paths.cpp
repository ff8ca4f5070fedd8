// Path texts of the shell entries: the legacy folder composition and the link's working folder.
#include "shell/shell_paths.h"

#include <cstring>

#include "common/bounded_path.h"

bool ComposeLegacyFolderPath(const char* windowsFolder, bool isWinNT, const char* userName,
                             int kind, LeadByteTest isLeadByte, char* out, size_t outSize) {
  if (outSize > 0) out[0] = '\0';
  if (windowsFolder == nullptr || windowsFolder[0] == '\0') return false;
  if (isWinNT && userName == nullptr) return false;
  size_t length = strlen(windowsFolder);
  bool endsInBackslash =
      FindLastBackslash(windowsFolder, isLeadByte) == static_cast<long>(length) - 1;
  const char* tail = kind == kShellFolderPrograms  ? "start menu\\programs"
                     : kind == kShellFolderDesktop ? "Desktop"
                                                   : "";
  return FormatBounded(out, outSize, "%s%s%s%s%s%s", windowsFolder, endsInBackslash ? "" : "\\",
                       isWinNT ? "profiles\\" : "", isWinNT ? userName : "", isWinNT ? "\\" : "",
                       tail);
}

bool LinkWorkingFolder(const char* target, LeadByteTest isLeadByte, char* out, size_t outSize) {
  if (!FormatBounded(out, outSize, "%s", target)) return false;
  long cut = FindLastBackslash(out, isLeadByte);
  if (cut < 0) {
    out[0] = '\0';
    return false;
  }
  out[cut] = '\0';
  return true;
}
