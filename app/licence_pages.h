// The licence page's texts: the Chinese licence in its owner-drawn list, the English one in its
// edit control, loaded once.
#pragma once

#include <windows.h>

// Set once both texts are in their controls.
extern bool LicenceTextsLoaded;

// Loads resource 124 (Chinese, one list item per line) into list 1019 and resource 161 (English,
// whole) into edit 1014 of the wizard `dialog`, then sets LicenceTextsLoaded. False when the
// 64 KiB buffer cannot be had (the memory message is shown) or a text is missing, damaged or
// longer than 65,535 bytes (nothing is shown); the next visit of the page loads again.
bool LoadLicenceTexts(HWND dialog);
