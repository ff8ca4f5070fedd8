// The silent mode on Win32: the target folder, the installation run and the log.
#include "app/silent_install.h"

#include <windows.h>

#include "app/install_folder.h"
#include "app/wizard_pages.h"
#include "common/bounded_path.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/plain_files.h"
#include "common/wide_paths.h"
#include "common/step_times.h"
#include "install/installation_run.h"

namespace {

// Every message with its formatted arguments fits easily; one that would not is left out
// rather than cut.
constexpr size_t kLogLineCapacity = 1024;

// Whether InstallDir exists, so that the log goes there rather than beside the Installer.
bool TargetFolderReady;

}  // namespace

int AnswerSilently(const char* chinese, const char* english, int buttons, HWND) {
  // Wide: the Installer's own folder may be one that the ANSI code page cannot spell. A target
  // folder that takes no log (another user's installation, a medium that cannot be written)
  // leaves the line beside the Installer, as before the folder was made.
  WidePath folder, path;
  char line[kLogLineCapacity];
  if (FormatBounded(line, sizeof line, "%s %s\r\n", chinese, english) &&
      !(TargetFolderReady && WidenAnsi(InstallDir, folder, kPathCapacity) &&
        WidePathWith(folder, kSilentLogName, "", path) && AppendToWideFile(path, line)) &&
      WidePathWith(InstallerFolder, nullptr, kSilentLogName, path))
    AppendToWideFile(path, line);
  return buttons == kButtonsYesNo ? IDNO : IDOK;
}

RunOutcome RunSilentInstallation(const CommandLine& commandLine) {
  SetNoticeSink(AnswerSilently);
  FindWindowsFolder();
  // A folder given is taken as the wizard takes its path box's; one that cannot be taken makes
  // the command line bad, its reason logged.
  if (commandLine.folder[0] != 0) {
    if (!TakeGivenFolder(commandLine.folder)) return RunOutcome::kBadCommandLine;
  } else if (!DefaultInstallFolder(InstallDir)) {
    return RunOutcome::kNotInstalled;
  }
  WantDesktopIcon = 1;
  ForceLanguage = kLanguageTable[0].id;

  // A damaged Installer is refused before anything is made; its notice goes beside it.
  {
    StepTimer timer(kStepFileCheck);
    if (!CheckInstallerFile()) return RunOutcome::kNotInstalled;
  }
  if (!CreateInstallFolder()) return RunOutcome::kNotInstalled;
  TargetFolderReady = true;
  if (RunInstallation()) return RunOutcome::kInstalled;
  Notify(kMsgInstallFailed, nullptr);
  return RunOutcome::kNotInstalled;
}
