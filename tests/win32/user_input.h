// Real mouse and keyboard input through SendInput, as a user gives it: what reaches the
// Installer's window is what Windows makes of it (a double-click, a held key's repeats), not a
// posted command.
#pragma once

#include <windows.h>

// Brings the top-level `window` to the front, so that the keyboard's input goes to it.
bool BringToFront(HWND window);
// `clicks` presses of the left button at the centre of `control` (2: a double-click).
void ClickWithMouse(HWND control, int clicks);
// `keyDowns` key-downs of `key` held down, then its key-up: the system marks every key-down
// after the first as a repeat.
void HoldKey(WORD key, int keyDowns);
// One press of `key`, with `modifier` (VK_SHIFT, ...) held around it when not 0.
void PressKey(WORD key, WORD modifier = 0);
