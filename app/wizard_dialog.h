// The wizard window (template 101): its dialog procedure and page switching.
#pragma once

#include <windows.h>

INT_PTR CALLBACK WizardDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the controls of `page` and hides those of every other page.
void ShowWizardPage(HWND dialog, int page);
