// Word-base replacement: whether an earlier installation's word base is kept, and the removal of
// the derived dictionaries that belong to the dictionaries about to be reinstalled.
//
// The word base is "CiZuFlat.igb", "pycizudic.idx" and "py2_3ZiCi1stZuMu.idx" in InstallDir. An
// earlier installation left one when "CiZuFlat.igb" exists and the first byte of "pycizudic.idx"
// is 0x80 or above (the word base that this Installer carries begins with 0x80).
#pragma once

// True when the user declined to replace an existing word base: the installation run then
// skips the three word-base files. False at the start of every run.
extern bool KeepOldWordBase;

// Sets KeepOldWordBase: false, unless InstallDir holds an earlier word base and the user answers
// the question of kMsgReplaceWordBase (owned by WizardWindow) with anything other than Yes. Shows
// the wait cursor afterwards when "CiZuFlat.igb" exists.
void DecideWordBase();

// Removes the 64 stale dictionary files of install/stale_dictionaries.h from InstallDir, read-only
// and hidden ones included: each is kept aside (install/kept_copies.h) until the run has
// succeeded, then deleted, or put back when the run fails. Missing files and files that cannot
// be moved are passed over.
void SweepStaleDictionaries();
