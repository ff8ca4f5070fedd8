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
  char folder[kPathCapacity];  // from "/D=", without a trailing backslash; empty: the default
};

// Reads the whole command line as the system gives it (the program's name first, quoted or
// not). Switches are separated by blanks; "/D=" is the last one and takes the rest of the line,
// blanks included, as the target folder (surrounding quotes are dropped). A folder longer than
// the longest one that holds every installed file is bad. `isLeadByte` tells the two-byte
// characters of the ANSI code page, so that a trail byte 0x5C is not taken for a backslash.
CommandLine ParseCommandLine(const char* line, LeadByteTest isLeadByte);
