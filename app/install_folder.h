// The target folder made ready for the installation run, as the wizard and the silent mode do it:
// the folder proposed, the folder given taken, the folder made.
#pragma once

#include <cstddef>

#include "common/bounded_path.h"

// Sets WindowsFolder: the Windows folder with a trailing backslash, empty when it is not known.
void FindWindowsFolder();

// Writes the folder the Installer proposes, "<Windows drive>:\K7_Quorvane", into `folder`
// (C: when the Windows folder is not known). Needs WindowsFolder and InstallFolderName.
bool DefaultInstallFolder(char (&folder)[kPathCapacity]);

// Sets InstallDir from the folder the user gave (the path box or "/D="), as TakeInstallDir of
// common/wide_paths.h takes it. When it is not taken, shows the notice that says why (owned by
// the wizard): a folder the code page cannot spell, one too long to hold the product's files
// once made absolute and spelled in the code page, or none at all (the folder notice), and
// returns false with InstallDir as it was.
bool TakeGivenFolder(const wchar_t* folder);

// Makes InstallDir the current folder when it exists; otherwise creates it (one level: its parent
// must exist) with the subfolder "doc". When InstallDir is too long to hold the installed files,
// or cannot be created, shows the notice that says which (owned by the wizard) and returns
// false, with nothing created.
bool CreateInstallFolder();
