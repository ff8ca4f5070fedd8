// The Installer's entry point: the whole command line is read for the silent mode; the show
// command is not used.
//
// The Installer is linked without the C runtime's start-up code (-nostartfiles), which would
// parse a command line, run static constructors, set up thread-local data and patch imported
// data in place, none of which the Installer has (the link refuses imported data; the build
// checks the link map for the rest). No C library is linked either (common/c_library_win32.cpp):
// memory comes from the process heap, and the Installer closes every file it opens.
#include <windows.h>

#include "app/startup.h"
#include "common/step_times.h"

// The name the linker takes as a Windows program's entry point; kept through the link-time
// optimisation, which sees no call of it.
extern "C" __attribute__((used, externally_visible)) void WinMainCRTStartup() {
  MarkEntryTime();
  const RunOutcome outcome = RunInstaller(GetModuleHandleA(nullptr), GetCommandLineA());
  ReportStepTimes();
  // The one place where the outcome becomes the exit code.
  ExitProcess(static_cast<UINT>(ExitCodeOf(outcome)));
}
