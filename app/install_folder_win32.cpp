// The target folder on Win32: the folder proposed on the Windows drive, the folder given taken,
// existence test through the current folder, one-level creation.
#include "app/install_folder.h"

#include <windows.h>

#include <cstring>

#include "common/bounded_path.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/wide_paths.h"
#include "install/install_manifest.h"

namespace {

// The notice that InstallDir cannot be created.
void ShowFolderMessage() {
  char english[128];
  if (!FormatBounded(english, sizeof english, kMsgCannotCreateTarget.english,
                     kMsgCannotCreateTargetArgument))
    english[0] = '\0';
  Notify({kMsgCannotCreateTarget.chinese, english, kMsgCannotCreateTarget.buttons}, WizardWindow);
}

}  // namespace

void FindWindowsFolder() {
  UINT length = GetWindowsDirectoryA(WindowsFolder, sizeof WindowsFolder);
  if (length == 0 || length >= sizeof WindowsFolder) WindowsFolder[0] = '\0';
  length = static_cast<UINT>(strlen(WindowsFolder));
  if (length > 0 && WindowsFolder[length - 1] != '\\' && length + 1 < sizeof WindowsFolder) {
    WindowsFolder[length] = '\\';
    WindowsFolder[length + 1] = '\0';
  }
}

bool DefaultInstallFolder(char (&folder)[kPathCapacity]) {
  char drive = WindowsFolder[0] != '\0' ? WindowsFolder[0] : 'C';
  return FormatBounded(folder, sizeof folder, "%c:\\%s", drive, InstallFolderName);
}

bool TakeGivenFolder(const wchar_t* folder) {
  // A folder that cannot hold the longest file name is too long as soon as it is known, whether it
  // was given so or became so made absolute (a relative one under a deep current folder) or
  // spelled in a double-byte code page.
  switch (TakeInstallDir(folder, kLongestInstallDir)) {
    case FolderTaken::kTaken:
      return true;
    case FolderTaken::kNotInCodePage:
      Notify(kMsgFolderNotInCodePage, WizardWindow);
      return false;
    case FolderTaken::kTooLong:
      Notify(kMsgPathTooLong, WizardWindow);
      return false;
    case FolderTaken::kNoFolder:
      break;
  }
  ShowFolderMessage();
  return false;
}

bool CreateInstallFolder() {
  size_t length = strlen(InstallDir);
  // A folder that cannot hold the longest file name (nor so "\doc") is refused before anything
  // is created, whether it exists or not.
  if (length > kLongestInstallDir) {
    Notify(kMsgPathTooLong, WizardWindow);
    return false;
  }
  // The folder exists when it can be made the current folder, as the wizard leaves it.
  if (length != 0 && SetCurrentDirectoryA(InstallDir)) return true;
  if (length == 0 || !CreateDirectoryA(InstallDir, nullptr)) {
    ShowFolderMessage();
    return false;
  }
  bool endsInBackslash =
      FindLastBackslash(InstallDir, IsAnsiLeadByte) == static_cast<long>(length) - 1;
  char doc[kPathCapacity];
  if (FormatBounded(doc, sizeof doc, endsInBackslash ? "%sdoc" : "%s\\doc", InstallDir))
    CreateDirectoryA(doc, nullptr);
  return true;
}
