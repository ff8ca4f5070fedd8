// Start-up decisions about the system: the shell-name language and the Installer's own folder.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/bounded_path.h"

// The SystemLanguage for a system whose ANSI code page is multibyte or not and whose default
// language id is `languageId`: 1 (Simplified) or 2 (Traditional) for Chinese on a multibyte
// code page, by the lowest sublanguage bit (0x400); 0 otherwise.
int SystemLanguageFor(bool ansiCodePageIsMultibyte, uint16_t languageId);

// Writes into `folder` (`folderSize` characters) the folder of the module file
// `moduleFileName`, up to and including its last backslash, or "A:\" when there is none.
void InstallerFolderOf(const wchar_t* moduleFileName, wchar_t* folder, size_t folderSize);

// What the main loop does with the Enter key, given the window that has the focus.
struct EnterKeyAction {
  int command;  // the WM_COMMAND id to post to the wizard
  bool passOn;  // whether the key message still goes to the dialog manager
};

// `focusIsButton`: the focused window's class name is "button" (any case); `styleByte`: the
// low byte of its style; `controlId`: its id. A push-type button posts its own id and takes the
// key; everything else (no focus, another class, check boxes, radio buttons) posts
// `defaultCommand` and passes the key on.
EnterKeyAction EnterKeyActionFor(bool hasFocus, bool focusIsButton, unsigned styleByte,
                                 int controlId, int defaultCommand);
