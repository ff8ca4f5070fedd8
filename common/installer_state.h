// The process-wide values of the Installer, set at start-up and by the wizard, read everywhere.
#pragma once

#include <windows.h>

#include "common/bounded_path.h"
#include "common/installer_values.h"

// The command that Enter sends when no push button has the focus: the Next/Install button.
constexpr int DefaultCommandId = 1001;

// Whether `byte` starts a two-byte character in the system's ANSI code page (GBK, Big5).
bool IsAnsiLeadByte(unsigned char byte);

extern HINSTANCE InstanceHandle;
extern HWND WizardWindow;
extern HICON WizardIcon;
extern int IsWinNT;
extern int IsMajorVersion3;
extern int SystemLanguage;  // UiLanguage of the system's shell names, fixed at start-up
extern int ForceLanguage;   // UiLanguage chosen on the wizard's last page
extern int WantDesktopIcon;
extern int WizardState;
extern char InstallFolderName[16];           // "K7_Quorvane"
// The Installer's own folder, with its trailing backslash, wide: it may be a download folder in
// a profile that the ANSI code page cannot spell (common/wide_paths.h).
extern wchar_t InstallerFolder[kPathCapacity];
extern char WindowsFolder[kPathCapacity];    // the Windows folder, trailing backslash
extern char InstallDir[kPathCapacity];       // the target folder
