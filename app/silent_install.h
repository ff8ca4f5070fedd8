// The silent mode: an installation without any window, its notices written to a log file.
#pragma once

#include <windows.h>

#include "app/command_line.h"
#include "app/exit_code.h"

// The log's file name, in the target folder (or beside the Installer when that folder could
// not be made). Written only when the run has something to say.
inline constexpr char kSilentLogName[] = "K7_Quorvane_Setup.log";

// Installs into the command line's folder (or the wizard's default folder) with the wizard's
// defaults: desktop link wanted, English interface, an earlier word base kept; its notices go to
// the log (AnswerSilently is the notice sink). Installed, not installed, or a bad command line:
// a folder given that cannot be taken (too long, even once made absolute or spelled in the
// system's code page; one the code page cannot spell; none at all).
RunOutcome RunSilentInstallation(const CommandLine& commandLine);

// The notice sink of the silent mode: appends "<chinese> <english>" as one line to the log and
// answers as the user who keeps what they have would: OK (1), or No (7) to a question.
int AnswerSilently(const char* chinese, const char* english, int buttons, HWND owner);
