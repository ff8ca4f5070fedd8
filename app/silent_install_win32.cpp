// The silent mode on Win32: the target folder, the installation run and the log.
#include "app/silent_install.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/install_folder.h"
#include "app/startup.h"
#include "app/wizard_pages.h"
#include "common/bounded_path.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/message_dialog.h"
#include "install/installation_run.h"

bool SilentMode;

namespace {

// Whether InstallDir exists, so that the log goes there rather than beside the Installer.
bool TargetFolderReady;

}  // namespace

int AnswerSilently(const char* chinese, const char* english, int buttons) {
  char path[kPathCapacity];
  bool named = TargetFolderReady
                   ? FormatBounded(path, sizeof path, "%s\\%s", InstallDir, kSilentLogName)
                   : FormatBounded(path, sizeof path, "%s%s", InstallerFolder, kSilentLogName);
  FILE* log = named ? fopen(path, "ab") : nullptr;
  if (log != nullptr) {
    // Plain writes: a formatting call would bring the C99 printf into the Installer.
    fputs(chinese != nullptr ? chinese : "", log);
    fputs(" ", log);
    fputs(english != nullptr ? english : "", log);
    fputs("\r\n", log);
    fclose(log);
  }
  return buttons == kButtonsYesNo ? IDNO : IDOK;
}

int RunSilentInstallation(const CommandLine& commandLine) {
  SilentMode = true;
  FindWindowsFolder();
  if (commandLine.folder[0] != '\0') {
    lstrcpynA(InstallDir, commandLine.folder, sizeof InstallDir);
  } else if (!DefaultInstallFolder(InstallDir)) {
    return 1;
  }
  WantDesktopIcon = 1;
  ForceLanguage = kLanguageTable[0].id;

  // A damaged Installer is refused before anything is made; its notice goes beside it.
  if (!CheckInstallerFile()) return 1;
  if (!CreateInstallFolder()) {
    ShowFolderMessage();
    return 1;
  }
  TargetFolderReady = true;
  if (RunInstallation()) return 0;
  ShowMessage(kMsgInstallFailed.chinese, kMsgInstallFailed.english, kMsgInstallFailed.buttons,
              nullptr);
  return 1;
}
