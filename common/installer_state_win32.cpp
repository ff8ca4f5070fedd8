// Storage of the process-wide values (all start as zero or empty), and the ANSI lead-byte test.
#include "common/installer_state.h"

HINSTANCE InstanceHandle;
HWND WizardWindow;
HICON WizardIcon;
int IsWinNT;
int IsMajorVersion3;
int SystemLanguage;
int ForceLanguage;
int WantDesktopIcon;
int WizardState;
char InstallFolderName[16];
wchar_t InstallerFolder[kPathCapacity];
char WindowsFolder[kPathCapacity];
char InstallDir[kPathCapacity];

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }
