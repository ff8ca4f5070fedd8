// The installation run on Win32: the payload buffer, the progress bar and the calls into the file
// writer, the word base, the configuration file and the shell.
#include "install/installation_run.h"

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "common/bounded_path.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/step_times.h"
#include "install/disk_room.h"
#include "install/install_manifest.h"
#include "install/kept_copies.h"
#include "install/manifest_walk.h"
#include "install/payload.h"
#include "install/word_base.h"
#include "resources/resource_ids.h"
#include "shell/product_variant.h"
#include "shell/shell_links.h"
#include "shell/ui_config.h"

namespace {

// Moves the progress bar and repaints it at once: no message is dispatched while the run works.
void SetProgress(int position) {
  HWND bar = GetDlgItem(WizardWindow, IDC_PROGRESS);
  if (bar == nullptr) return;
  SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  UpdateWindow(bar);
}

// Every row is inflated into the one payload buffer and written with the manifest's flags.
class PayloadSteps final : public ManifestSteps {
 public:
  explicit PayloadSteps(void* buffer) : buffer_(buffer) {}
  bool Install(const ManifestRow& row) override {
    return ExtractPayload(row.resourceId, row.fileName, buffer_, kPayloadBufferCapacity,
                          (row.attributes & kAttrReadOnly) != 0,
                          (row.attributes & kAttrHidden) != 0);
  }
  void Progress(int position) override { SetProgress(position); }
  bool Exists(const ManifestRow& row) override {
    char path[kPathCapacity];
    return FormatBounded(path, sizeof path, "%s\\%s", InstallDir, row.fileName) &&
           GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
  }

 private:
  void* buffer_;
};

void CreateShortcuts() {
  StepTimer timer(kStepShortcuts);
  ShellNames names = SelectShellNames(kProductVariant, SystemLanguage);
  const ShortcutEntry entries[] = {
      {names.programShortcutName, kProductVariant.programFile},
      {names.uninstallerShortcutName, kProductVariant.uninstallerFile},
      {nullptr, nullptr},
  };
  CreateStartMenuEntries(names.groupName, entries);
  SetProgress(kRunProgressAfterStartMenu);
  if (WantDesktopIcon) CreateDesktopIcon(kProductVariant.programFile, names.programShortcutName);
}

}  // namespace

bool RunInstallation() {
  // A folder too long for the longest file name would fail part-way: refused before any file.
  if (strlen(InstallDir) > kLongestInstallDir) return false;
  void* buffer = malloc(kPayloadBufferCapacity);
  if (buffer == nullptr) {
    Notify(kMsgNoMemory, WizardWindow);
    return false;
  }
  HWND bar = GetDlgItem(WizardWindow, IDC_PROGRESS);
  if (bar != nullptr) ShowWindow(bar, SW_SHOW);
  SetProgress(kRunProgressStart);

  // What a killed run left aside goes back first: the word base, the room and the files in use
  // are those of the folder as the user had it.
  RepairKilledRun();
  DecideWordBase();
  bool ready;
  {
    StepTimer timer(kStepRoomCheck);
    ready = CheckRoom(KeepOldWordBase);
  }
  if (!ready || !CheckFilesInUse(KeepOldWordBase)) {
    free(buffer);
    return false;
  }
  // What a held file kept from going back goes back now that it is free.
  RepairKilledRun();
  SweepStaleDictionaries();
  PayloadSteps steps(buffer);
  const bool succeeded = WalkManifest(KeepOldWordBase, steps);
  // The buffer goes back once the files are written: the shell's shortcuts, loaded next, then
  // add to a smaller process.
  free(buffer);
  if (!succeeded) {
    // The folder as it was: no configuration edit, shortcut or copy follows.
    RollBackRun();
    return false;
  }
  {
    StepTimer timer(kStepConfig);
    UpdateUiConfig();
  }
  CreateShortcuts();
  for (uint8_t position : kRunProgressEnd) SetProgress(position);
  // The run has succeeded: the earlier copies go.
  CommitRun();
  StepTimer timer(kStepConfig);
  CopyControlSettings();
  return true;
}
