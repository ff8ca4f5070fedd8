// The Installer's command line: the silent mode's switches.
#pragma once

#include "common/bounded_path.h"

enum class LaunchMode {
  kWizard,          // no "/S": the wizard, whatever else the command line holds
  kSilent,          // "/S": install without a window
  kBadCommandLine,  // "/S" with an unknown switch, or "/D=" with an empty or over-long folder
};

struct CommandLine {
  LaunchMode mode;
  // From "/D=" as given, quotes dropped; empty: the default. TakeInstallDir
  // (common/wide_paths.h) makes it absolute and drops the backslashes that end it.
  wchar_t folder[kPathCapacity];
};

// Reads the whole command line as the system gives it (the program's name first, quoted or not),
// wide: on the NT platform it may name a folder that the ANSI code page cannot spell. Switches are
// separated by blanks; "/D=" is the last one and takes the rest of the line, blanks included, as
// the target folder (surrounding quotes are dropped). A folder longer than the longest one that
// holds every installed file is bad.
CommandLine ParseCommandLine(const wchar_t* line);
