// The target folder made ready for the installation run, as the wizard and the silent mode do it.
#pragma once

// Makes InstallDir the current folder when it exists; otherwise creates it (one level: its parent
// must exist) with the subfolder "doc". When InstallDir is too long to hold the installed files,
// or cannot be created, shows the notice that says which (owned by the wizard) and returns
// false, with nothing created.
bool CreateInstallFolder();
