// The installation run: the word base, the manifest's files, the configuration file and the
// shortcuts, with the wizard's progress bar moving through it.
#pragma once

// Installs the product into InstallDir (which exists): finishes or undoes what an earlier run
// left (install/file_transaction.h), checks the files in use, decides on the word base, checks
// the room, records the changes it will make, sweeps the stale dictionaries, writes the
// manifest's files (editing the configuration file as soon as it is written), commits (the
// earlier copies it kept are deleted), then makes the Start-menu entries and, when
// WantDesktopIcon, the desktop link, and copies the control settings. Moves the wizard's progress
// bar (hidden until the run starts) through 10 ... 100. True when every required file was
// written and the run recorded as finished. False, with the folder as it was before the run,
// when it was not (the run stops there, puts back every earlier copy and removes every file it
// wrote, and makes no shortcut or copy), when the drive has too little room (the notice is
// shown), when a file it would replace is in use and the user gives up or may not be changed,
// when InstallDir is too long for the longest file name (the wizard and the silent mode refuse
// such a folder before) or when the 48 MiB buffer cannot be had (the memory message is shown).
bool RunInstallation();

// Looks, before anything is written and before the word-base question, for a file that the run
// may replace or sweep (the word base's included) and that another program holds open (the
// product running): only a sharing or lock violation counts. For each one found asks the
// question of kMsgFileInUse, naming the file: Yes looks again, any other answer returns false.
// A file the system refuses for another reason (no permission, a read-only medium) gets the
// notice of kMsgFileRefused, naming it, and false. True when no file is held. No file, flag or
// time of a file changes.
bool CheckFilesInUse();

// Checks the Installer's own file against its payload record (common/payload_record.h) before
// anything is written: every stream present with its recorded length and CRC-32. On a mismatch,
// a missing stream or a missing or damaged record, shows the notice that the Installer is damaged
// and should be downloaded again, and returns false.
bool CheckInstallerFile();
