// Start-up decisions about the system: the shell-name language and the Installer's own folder.
#include "app/system_environment.h"

#include <cstring>

namespace {

constexpr uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr uint16_t kLangChinese = 0x04;
constexpr uint16_t kTraditionalBit = 0x400;  // lowest sublanguage bit: Taiwan, Hong Kong, Macau

}  // namespace

int SystemLanguageFor(bool ansiCodePageIsMultibyte, uint16_t languageId) {
  if (!ansiCodePageIsMultibyte || (languageId & kPrimaryLanguageMask) != kLangChinese) return 0;
  return (languageId & kTraditionalBit) != 0 ? 2 : 1;
}

void InstallerFolderOf(const char* moduleFileName, bool (*isLeadByte)(unsigned char), char* folder,
                       size_t folderSize) {
  if (folderSize == 0) return;
  // Walk forward so that the second byte of a two-byte character is never read as a backslash.
  size_t end = 0;  // one past the last backslash, 0 when there is none
  const size_t length = moduleFileName != nullptr ? strlen(moduleFileName) : 0;
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(moduleFileName[i]);
    if (c == '\\')
      end = i + 1;
    else if (isLeadByte != nullptr && isLeadByte(c) && i + 1 < length)
      ++i;
  }
  if (end == 0 || end >= folderSize) {
    const char* fallback = "A:\\";
    strncpy(folder, fallback, folderSize - 1);
    folder[folderSize - 1] = '\0';
    return;
  }
  memcpy(folder, moduleFileName, end);
  folder[end] = '\0';
}

EnterKeyAction EnterKeyActionFor(bool hasFocus, bool focusIsButton, unsigned styleByte,
                                 int controlId, int defaultCommand) {
  // BS_CHECKBOX, BS_AUTOCHECKBOX, BS_RADIOBUTTON, BS_3STATE, BS_AUTO3STATE, BS_AUTORADIOBUTTON.
  const bool checkOrRadio = styleByte == 2 || styleByte == 3 || styleByte == 4 || styleByte == 5 ||
                            styleByte == 6 || styleByte == 9;
  if (hasFocus && focusIsButton && !checkOrRadio) return {controlId, false};
  return {defaultCommand, true};
}
