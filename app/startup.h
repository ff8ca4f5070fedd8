// Start-up and main loop: environment detection, the Installer's folder, the wizard's message loop.
#pragma once

#include <windows.h>

#include "app/exit_code.h"

// Sets IsWinNT, IsMajorVersion3 and SystemLanguage from the running system.
void DetectEnvironment();

// Sets InstallerFolder from the module file name of `instance`.
void FindInstallerFolder(HINSTANCE instance);

// Runs the wizard's message loop, with its Enter-key rule, while WizardState is not negative.
void RunWizardLoop();

// The whole run of the Installer with the command line `commandLine` (as GetCommandLineA gives
// it): the wizard, or the silent mode. How it ended; app/exit_code.h makes that the exit code.
RunOutcome RunInstaller(HINSTANCE instance, const char* commandLine);
