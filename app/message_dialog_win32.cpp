// The bilingual message dialog (template 112): ShowMessage and its dialog procedure.
#include <windows.h>

#include <cstring>

#include "app/installer_state.h"
#include "app/message_dialog.h"
#include "resources/resource_ids.h"

namespace {

// The dialog being shown: one at a time, overwritten by the next call.
int MessageButtons;
char MessageEnglish[128];

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const char* chinese = reinterpret_cast<const char*>(lParam);
      SetDlgItemTextA(dialog, IDC_MESSAGE_CHINESE, chinese);
      if (MessageEnglish[0] != '\0') SetDlgItemTextA(dialog, IDC_MESSAGE_ENGLISH, MessageEnglish);
      else ShowWindow(GetDlgItem(dialog, IDC_MESSAGE_ENGLISH), SW_HIDE);
      if (MessageButtons == kButtonsYesNo) {
        ShowWindow(GetDlgItem(dialog, IDYES), SW_SHOW);
        ShowWindow(GetDlgItem(dialog, IDNO), SW_SHOW);
      } else {
        ShowWindow(GetDlgItem(dialog, IDOK), SW_SHOW);
      }
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
        case IDYES:
        case IDNO:
          EndDialog(dialog, LOWORD(wParam));
          break;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

int ShowMessage(const char* chinese, const char* english, int buttons, HWND owner) {
  MessageButtons = buttons;
  // Bounded copy: a longer English text is cut rather than run past the buffer.
  MessageEnglish[0] = '\0';
  if (english != nullptr) lstrcpynA(MessageEnglish, english, sizeof MessageEnglish);
  HINSTANCE instance = InstanceHandle != nullptr ? InstanceHandle : GetModuleHandleA(nullptr);
  return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MESSAGE), owner,
                                          MessageDialogProc, reinterpret_cast<LPARAM>(chinese)));
}
