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
#include "install/file_transaction.h"
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

// Every row's earlier file is kept aside by the run's transaction, then the row is inflated
// into the one payload buffer and written with the manifest's flags by the file writer. A file
// whose new copy did not reach its place keeps its earlier copy. The configuration file is
// edited as soon as it is written, so that the program, the last file, is followed at once by
// the commit: a run that stops in between leaves as little as can be to undo.
class PayloadSteps final : public ManifestSteps {
 public:
  PayloadSteps(void* buffer, FileTransaction& run) : buffer_(buffer), run_(run) {}
  bool Install(const ManifestRow& row) override {
    if (!run_.KeepAside(row.fileName)) return false;
    if (!ExtractPayload(row.resourceId, row.fileName, buffer_, kPayloadBufferCapacity,
                        (row.attributes & kAttrReadOnly) != 0, (row.attributes & kAttrHidden) != 0)) {
      run_.PutBack(row.fileName);
      return false;
    }
    if (!SameFileName(row.fileName, kUiConfigFileName)) return true;
    StepTimer timer(kStepConfig);
    return UpdateUiConfig(run_.scratchName());
  }
  void Progress(int position) override { SetProgress(position); }
  bool Exists(const ManifestRow& row) override {
    char path[kPathCapacity];
    return FormatBounded(path, sizeof path, "%s\\%s", InstallDir, row.fileName) &&
           GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
  }

 private:
  void* buffer_;
  FileTransaction& run_;
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

// The run's changes in InstallDir, from what an earlier run left to the commit. False, with the
// folder as the user had it, when the run cannot finish.
bool RunChanges(void* buffer) {
  FileTransaction run;
  // What an earlier run left is finished or undone first: the files in use, the word base and
  // the room are those of the folder as the user had it. The files in use are found before the
  // word-base question, so that a word base held open is never taken for none.
  const bool recovered = run.Recover();
  if (!CheckFilesInUse()) return false;
  // What a held file kept from going back goes back now that it is free; if it still cannot,
  // the run does not begin.
  if (!recovered && !run.Recover()) return false;
  DecideWordBase();
  {
    StepTimer timer(kStepRoomCheck);
    if (!CheckRoom(KeepOldWordBase)) return false;
  }
  PayloadSteps steps(buffer, run);
  // The earlier copies go only once the run is recorded as finished; otherwise the folder is
  // put back as it was (what cannot go back now, the next run puts back).
  if (run.Begin(KeepOldWordBase) && SweepStaleDictionaries(run) &&
      WalkManifest(KeepOldWordBase, steps) && run.Commit())
    return true;
  run.RollBack();
  return false;
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
  const bool succeeded = RunChanges(buffer);
  free(buffer);
  if (!succeeded) return false;
  // The run has succeeded: what follows cannot change that.
  CreateShortcuts();
  for (uint8_t position : kRunProgressEnd) SetProgress(position);
  StepTimer timer(kStepConfig);
  CopyControlSettings();
  return true;
}