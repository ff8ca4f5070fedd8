// The record of one installation run's changes in the target folder, kept on the disk so that a
// run that stops at any moment (killed, a power cut) is finished or undone by the next one.
//
// The record is a text file in InstallDir, written whole and flushed to the disk before the run
// changes anything, one line each (CR LF):
//   K7Setup record 1            the first line
//   K <kept> <name>             the earlier file <name> is kept aside as <kept> until the run ends;
//                               the run writes a new <name>
//   R <kept> <name>             the same for a file that the run removes and does not write again
//   N <name>                    the run makes the file <name>; there was none before it
//   S <name>                    a scratch file of the run, deleted whatever the outcome
//   D <name>                    a kept copy that an earlier, finished run could not delete
// <kept> is one of the Installer's own names (kSetupFilePrefix); <name> is a file name in
// InstallDir, without a folder. While the run works the record is named kUnfinishedRecordName;
// once every new file is in place the run renames it kFinishedRecordName (one rename, which
// happens whole or not at all), and only then deletes the earlier copies. So a later run reads
// which it was: an unfinished run is undone (every kept copy back, every new file removed), a
// finished one is finished (its kept copies deleted, never put back). A file named like a kept
// copy that no record lists is left alone. Portable (no <windows.h>).
#pragma once

#include <cstddef>

inline constexpr char kUnfinishedRecordName[] = "~K7Setup.run";
inline constexpr char kFinishedRecordName[] = "~K7Setup.end";
inline constexpr char kRecordHeader[] = "K7Setup record 1";

// The kinds of change, as the first letter of their line.
constexpr char kChangeKept = 'K';
constexpr char kChangeRemoved = 'R';
constexpr char kChangeNew = 'N';
constexpr char kChangeScratch = 'S';
constexpr char kChangeLeftover = 'D';

struct RecordedChange {
  char kind;
  const char* kept;  // the kept copy's name for kChangeKept and kChangeRemoved; null otherwise
  const char* name;
};

// Appends the line of one change (`kept` only for kChangeKept and kChangeRemoved) to the record text `text` of
// `capacity` bytes, whose first `*length` bytes are written; the header when `kind` is 0. False,
// with the text as it was, when it does not fit.
bool AppendChange(char* text, size_t capacity, size_t* length, char kind, const char* kept,
                  const char* name);

// Reads the record `text` of `length` bytes, cutting its names out in place, into at most `most`
// changes; returns their count, or -1 for a text that does not start with the header (a record
// cut short while it was first written: the run had changed nothing yet). A last line without
// its line end (cut short) is left out, and so is a line that names anything but a plain file
// of InstallDir (a folder, a drive, "." or "..") or whose kept copy is not one of the
// Installer's names: such a line was not written by a run, and nothing is done on its word.
int ReadChanges(char* text, size_t length, RecordedChange* changes, int most);
