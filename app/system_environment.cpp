// Start-up decisions about the system: the shell-name language and the Installer's own folder.
#include "app/system_environment.h"

namespace {

constexpr uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr uint16_t kLangChinese = 0x04;
constexpr uint16_t kTraditionalBit = 0x400;  // lowest sublanguage bit: Taiwan, Hong Kong, Macau

}  // namespace

int SystemLanguageFor(bool ansiCodePageIsMultibyte, uint16_t languageId) {
  if (!ansiCodePageIsMultibyte || (languageId & kPrimaryLanguageMask) != kLangChinese) return 0;
  return (languageId & kTraditionalBit) != 0 ? 2 : 1;
}

void InstallerFolderOf(const wchar_t* moduleFileName, wchar_t* folder, size_t folderSize) {
  if (folderSize == 0) return;
  const long last = moduleFileName != nullptr ? FindLastBackslash(moduleFileName) : -1;
  const size_t end = static_cast<size_t>(last + 1);  // one past the backslash, 0 when none
  folder[0] = 0;
  if (last < 0 || end >= folderSize) {
    AppendText(folder, folderSize, "A:\\");
    return;
  }
  for (size_t i = 0; i < end; ++i) folder[i] = moduleFileName[i];
  folder[end] = 0;
}

EnterKeyAction EnterKeyActionFor(bool hasFocus, bool focusIsButton, unsigned styleByte,
                                 int controlId, int defaultCommand) {
  // BS_CHECKBOX, BS_AUTOCHECKBOX, BS_RADIOBUTTON, BS_3STATE, BS_AUTO3STATE, BS_AUTORADIOBUTTON.
  const bool checkOrRadio = styleByte == 2 || styleByte == 3 || styleByte == 4 || styleByte == 5 ||
                            styleByte == 6 || styleByte == 9;
  if (hasFocus && focusIsButton && !checkOrRadio) return {controlId, false};
  return {defaultCommand, true};
}
