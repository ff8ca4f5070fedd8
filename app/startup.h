// Start-up and main loop: environment detection, the Installer's folder, the wizard's message loop.
#pragma once

#include <windows.h>

#include "common/bounded_path.h"

// Sets IsWinNT, IsMajorVersion3 and SystemLanguage from the running system.
void DetectEnvironment();

// Sets InstallerFolder from the module file name of `instance`.
void FindInstallerFolder(HINSTANCE instance);

// Sets WindowsFolder: the Windows folder with a trailing backslash, empty when it is not known.
void FindWindowsFolder();

// Writes the folder the Installer proposes, "<Windows drive>:\K7_Quorvane", into `folder`
// (C: when the Windows folder is not known). Needs WindowsFolder and InstallFolderName.
bool DefaultInstallFolder(char (&folder)[kPathCapacity]);

// In a key-down's lParam: the key was already down, the message is the key's repeat. A held
// Enter acts once: the wizard's loop and the message dialog's filter drop its repeats.
constexpr LPARAM kKeyWasDown = 1 << 30;

// Runs the wizard's message loop, with its Enter-key rule, while WizardState is not negative.
void RunWizardLoop();

// The whole run of the Installer with the command line `commandLine` (as GetCommandLineA gives
// it); the process exit code: 0 after the wizard or a silent installation, 1 when the glyph
// sheets or the wizard cannot be made or a silent installation failed, 2 for a bad silent
// command line.
int RunInstaller(HINSTANCE instance, const char* commandLine);
