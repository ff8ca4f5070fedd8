// The installation run: the word base, the manifest's files, the configuration file and the
// shortcuts, with the wizard's progress bar moving through it.
#pragma once

// Installs the product into InstallDir (which exists): decides on the word base, sweeps the
// stale dictionaries, writes the manifest's files, then edits the configuration file, makes the
// Start-menu entries and, when WantDesktopIcon, the desktop link, and copies the control
// settings. Moves the wizard's progress bar (hidden until the run starts) through 10 ... 100.
// True when every required file was written. False when one was not (the run stops there and
// makes no configuration edit, shortcut or copy), when the drive has too little room for the
// files (the notice is shown, nothing is written), when InstallDir is too long for the longest
// file name (nothing is written; the wizard and the silent mode refuse such a folder before)
// or when the 48 MiB buffer cannot be had (the memory message is shown).
bool RunInstallation();

// Checks the Installer's own file against its payload record (common/payload_record.h) before
// anything is written: every stream present with its recorded length and CRC-32. On a mismatch,
// a missing stream or a missing or damaged record, shows the notice that the Installer is damaged
// and should be downloaded again, and returns false.
bool CheckInstallerFile();
