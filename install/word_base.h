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
//
// The index is opened as the product's own runtime opens it, sharing reading and writing, so
// that a running product that holds it open does not hide the word base. With "CiZuFlat.igb"
// there, an index that is there but cannot be read (held without sharing, no permission) is
// taken for the user's own word base, which is never replaced unasked; only a missing or empty
// index means replacement without a question.
void DecideWordBase();

// Moves the 64 stale dictionary files of install/stale_dictionaries.h out of InstallDir,
// read-only and hidden ones included: each is kept aside by `run` until the run has succeeded,
// then deleted, or put back when the run fails. False when one that is there could not be
// moved (the run then fails: the product's dictionaries would not match the stale ones).
class FileTransaction;
bool SweepStaleDictionaries(FileTransaction& run);
