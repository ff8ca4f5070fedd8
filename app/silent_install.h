// The silent mode: an installation without any window, its notices written to a log file.
#pragma once

#include "app/command_line.h"

// True for the whole of a silent run: ShowMessage writes to the log instead of showing a dialog.
extern bool SilentMode;

// The log's file name, in the target folder (or beside the Installer when that folder could
// not be made). Written only when the run has something to say.
inline constexpr char kSilentLogName[] = "K7_Quorvane_Setup.log";

// Installs into the command line's folder (or the wizard's default folder) with the wizard's
// defaults: desktop link wanted, English interface, an earlier word base kept. Returns the exit
// code: 0 installed, 1 failed.
int RunSilentInstallation(const CommandLine& commandLine);

// ShowMessage's answer in the silent mode: appends "<chinese> <english>" as one line to the log
// and answers as the user who keeps what they have would: OK (1), or No (7) to a question.
int AnswerSilently(const char* chinese, const char* english, int buttons);
