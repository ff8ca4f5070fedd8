// The bare dialog of bench/first_paint.sh: the wizard's template 101 shown, nothing else.
//
// The least a program can do to show the Installer's first page: it loads the common controls'
// window classes (the template has a progress bar), creates the dialog modeless with a dialog
// procedure that leaves every message to the dialog manager, and runs a plain message loop until
// WM_QUIT (which bench/first_paint.cpp posts to end it) or until the dialog is gone. No glyph
// sheets, no payload; linked as the Installer is, with its own entry point and no C library.
#include <windows.h>
#include <commctrl.h>

#include "resources/resource_ids.h"

namespace {

// Draws nothing and answers nothing: the owner-drawn captions stay empty and Cancel does nothing.
INT_PTR CALLBACK BareDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

int RunBareDialog(HINSTANCE instance) {
  InitCommonControls();
  HWND dialog =
      CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_WIZARD), nullptr, BareDialogProc, 0);
  if (dialog == nullptr) return 1;
  MSG message;
  while (IsWindow(dialog) && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageA(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return 0;
}

}  // namespace

// The name the linker takes as a Windows program's entry point.
extern "C" __attribute__((used, externally_visible)) void WinMainCRTStartup() {
  ExitProcess(static_cast<UINT>(RunBareDialog(GetModuleHandleA(nullptr))));
}
