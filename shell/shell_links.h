// Shell folders and shortcuts: the Start-menu group with its links and the desktop link.
#pragma once

#include "common/bounded_path.h"

// One shortcut of the Start-menu group. A list ends with an entry whose name is null.
struct ShortcutEntry {
  const char* name;  // the link's file name without ".lnk" and its description (ANSI code page)
  const char* file;  // the target's file name in InstallDir
};

// The path of a shell folder (kShellFolderDesktop or kShellFolderPrograms of shell_paths.h):
// composed under the Windows folder on systems of major version 3 (IsMajorVersion3), asked of
// the shell everywhere else. There is no fallback from one way to the other. The shell folders
// are the user's profile's, whose name the ANSI code page may not spell: they are wide, read
// with the wide calls on the NT platform (common/wide_paths.h).
bool GetShellFolderPath(int kind, wchar_t (&path)[kPathCapacity]);
// The shell's own lookup of a special folder.
bool GetSpecialFolderPath(int kind, wchar_t (&path)[kPathCapacity]);
// The folder composed from the Windows folder and, on the NT platform, the user name.
bool GetLegacyFolderPath(int kind, wchar_t (&path)[kPathCapacity]);

// Writes the link file `linkPath` (replacing one of that name) to `target`, with the
// description, the target's first icon and the target's folder as working folder. True only
// when the file was saved. COM is initialised for the call and left as it was found.
bool CreateShellLink(const char* target, const wchar_t* linkPath, const char* description);

// Makes the folder `groupName` under the Start-menu Programs folder (kept if it exists) and one
// link per entry in it, each to its file in InstallDir. The names are in the ANSI code page,
// widened for the folder's path. Shows one notice, owned by the wizard,
// when the programs folder is not found, the group folder cannot be made (no link is tried then)
// or the last link is not saved; false in those cases.
bool CreateStartMenuEntries(const char* groupName, const ShortcutEntry* entries);

// One link on the desktop, named `shortcutName`, to `fileName` in InstallDir. Shows nothing.
bool CreateDesktopIcon(const char* fileName, const char* shortcutName);
