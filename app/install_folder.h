// The target folder made ready for the installation run, as the wizard and the silent mode do it.
#pragma once

// Makes InstallDir the current folder when it exists; otherwise creates it (one level: its parent
// must exist) with the subfolder "doc". False, with nothing created, when InstallDir is too long
// to hold the installed files or cannot be created.
bool CreateInstallFolder();

// The notice that InstallDir cannot be created, owned by the wizard.
void ShowFolderMessage();
