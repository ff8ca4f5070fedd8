// The target folder on Win32: existence test through the current folder, one-level creation.
#include "app/install_folder.h"

#include <direct.h>
#include <windows.h>

#include <cstring>

#include "common/bounded_path.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/message_dialog.h"
#include "install/install_manifest.h"

bool CreateInstallFolder() {
  size_t length = strlen(InstallDir);
  // A folder that cannot hold the longest file name (nor so "\doc") is refused before anything
  // is created.
  if (length == 0 || length > kLongestInstallDir) return false;
  if (_chdir(InstallDir) == 0) return true;
  if (!CreateDirectoryA(InstallDir, nullptr)) return false;
  bool endsInBackslash =
      FindLastBackslash(InstallDir, IsAnsiLeadByte) == static_cast<long>(length) - 1;
  char doc[kPathCapacity];
  if (FormatBounded(doc, sizeof doc, endsInBackslash ? "%sdoc" : "%s\\doc", InstallDir))
    CreateDirectoryA(doc, nullptr);
  return true;
}

void ShowFolderMessage() {
  char english[128];
  if (!FormatBounded(english, sizeof english, kMsgCannotCreateTarget.english,
                     kMsgCannotCreateTargetArgument))
    english[0] = '\0';
  ShowMessage(kMsgCannotCreateTarget.chinese, english, kMsgCannotCreateTarget.buttons,
              WizardWindow);
}
