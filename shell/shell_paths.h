// Path texts of the shell entries: the legacy folder composition and the link's working folder.
#pragma once

#include <cstddef>

#include "common/bounded_path.h"

// ShellFolderKind: the shell's special-folder ids that the Installer asks for.
constexpr int kShellFolderDesktop = 0;   // CSIDL_DESKTOP, the user's desktop folder
constexpr int kShellFolderPrograms = 2;  // CSIDL_PROGRAMS, the Start-menu Programs folder

// The Start-menu Programs folder (kind 2), the desktop (kind 0) or, for any other kind, the
// folder itself with a trailing backslash, composed under the Windows folder as systems of
// major version 3 keep them: {W}\start menu\programs and {W}\Desktop, or on the NT platform
// {W}\profiles\{U}\start menu\programs and {W}\profiles\{U}\Desktop. Wide: the user name may be
// one that the ANSI code page cannot spell. `userName` is read only when `isWinNT`. False, with
// `out` empty, when the Windows folder is empty or the path would not fit in `outSize`
// characters.
bool ComposeLegacyFolderPath(const wchar_t* windowsFolder, bool isWinNT, const wchar_t* userName,
                             int kind, wchar_t* out, size_t outSize);

// The working folder of a link to `target`: the target cut at its last "\" (the backslash
// removed). False when the target holds no backslash (no working folder is set then) or does
// not fit in `outSize` bytes.
bool LinkWorkingFolder(const char* target, LeadByteTest isLeadByte, char* out, size_t outSize);
