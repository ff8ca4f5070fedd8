// The bilingual message dialog: every notice and question, Chinese from the glyph sheets above
// English.
#pragma once

#include <windows.h>

// Button sets, with the values of the system message box.
constexpr int kButtonsOk = 0;     // MB_OK: one OK button, result 1
constexpr int kButtonsYesNo = 4;  // MB_YESNO: results 6 (Yes) and 7 (No)

// Shows `chinese` (GBK, required) above `english` (ASCII, may be null or empty) in a modal
// dialog owned by `owner` (may be null). Returns the id of the button that ended it: 1 OK,
// 6 Yes, 7 No, 2 for Escape or the close box; -1 when the dialog could not be created.
int ShowMessage(const char* chinese, const char* english, int buttons, HWND owner);
