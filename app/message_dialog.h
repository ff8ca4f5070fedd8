// The bilingual message dialog: every notice and question of the wizard, Chinese from the glyph
// sheets above English. It is the wizard's notice sink (common/notices.h).
#pragma once

#include <windows.h>

// Shows `chinese` (GBK, required) above `english` (ASCII, may be null or empty) in a modal
// dialog owned by `owner` (may be null), with the button set `buttons` (kButtonsOk or
// kButtonsYesNo). Returns the id of the button that ended it: 1 OK, 6 Yes, 7 No, 2 for Escape or
// the close box; -1 when the dialog could not be created.
int ShowMessage(const char* chinese, const char* english, int buttons, HWND owner);

// In a key-down's lParam: the key was already down, the message is the key's repeat. A held
// Enter acts once: the wizard's loop and the message dialog's filter drop its repeats.
constexpr LPARAM kKeyWasDown = 1 << 30;
