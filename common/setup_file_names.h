// The names of the Installer's own files in the target folder. Portable (no <windows.h>).
#pragma once

// The temporary file's name, in the folder of the file being written. One fixed name: a run that
// was killed leaves at most this one file, which the next write in that folder replaces. It is
// shorter than every installed file's name, so wherever a file fits, it fits too.
inline constexpr char kTemporaryFileName[] = "~K7Setup.tmp";
// Every name that the Installer gives a file of its own in the target folder starts so: the
// temporary file and the earlier copies a run keeps (install/kept_copies.h names them).
inline constexpr char kSetupFilePrefix[] = "~K7Setup.";
