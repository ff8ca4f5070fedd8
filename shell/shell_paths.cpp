// Path texts of the shell entries: the legacy folder composition and the link's working folder.
#include "shell/shell_paths.h"

#include "common/bounded_path.h"

bool ComposeLegacyFolderPath(const wchar_t* windowsFolder, bool isWinNT, const wchar_t* userName,
                             int kind, wchar_t* out, size_t outSize) {
  if (outSize == 0) return false;
  out[0] = 0;
  if (windowsFolder == nullptr || windowsFolder[0] == 0) return false;
  if (isWinNT && userName == nullptr) return false;
  const bool endsInBackslash =
      FindLastBackslash(windowsFolder) == static_cast<long>(WideLength(windowsFolder)) - 1;
  const char* tail = kind == kShellFolderPrograms  ? "start menu\\programs"
                     : kind == kShellFolderDesktop ? "Desktop"
                                                   : "";
  const bool composed =
      AppendText(out, outSize, windowsFolder) &&
      (endsInBackslash || AppendText(out, outSize, "\\")) &&
      (!isWinNT || (AppendText(out, outSize, "profiles\\") && AppendText(out, outSize, userName) &&
                    AppendText(out, outSize, "\\"))) &&
      AppendText(out, outSize, tail);
  if (!composed) out[0] = 0;
  return composed;
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
