// The bilingual message dialog (template 112): ShowMessage and its dialog procedure.
#include <windows.h>

#include <cstring>

#include "common/installer_state.h"
#include "app/message_dialog.h"
#include "app/message_layout.h"
#include "common/message_catalogue.h"
#include "common/scoped_handles.h"
#include "bitmap_text/bitmap_text.h"
#include "bitmap_text/owner_draw.h"
#include "resources/resource_ids.h"

namespace {

// The dialog being shown: one at a time, overwritten by the next call.
int MessageButtons;
char MessageEnglish[128];

void Place(HWND control, const LayoutBox& box, UINT show) {
  SetWindowPos(control, nullptr, box.x, box.y, box.width, box.height,
               SWP_NOZORDER | SWP_NOACTIVATE | show);
}

// Sizes the dialog to its texts, centres it on the screen and places the buttons and lines.
void LayOutMessageDialog(HWND dialog, const char* chinese) {
  MessageLayoutInput in{};
  in.buttons = MessageButtons;
  in.chineseBytes = static_cast<int>(strlen(chinese));

  const WindowDc window(dialog);
  HDC dc = window.get();
  const SIZE c = MeasureBitmapText(dc, chinese);
  in.chineseWidth = c.cx;
  in.chineseHeight = c.cy;
  SIZE e = {0, 0};
  if (MessageEnglish[0] == '\0' ||
      !GetTextExtentPointA(dc, MessageEnglish, static_cast<int>(strlen(MessageEnglish)), &e)) {
    e = {0, 0};
  }
  in.englishWidth = e.cx;
  in.englishHeight = e.cy;

  HWND first = GetDlgItem(dialog, MessageButtons == kButtonsYesNo ? IDYES : IDOK);
  in.buttonWidth = kMessageButtonFallbackWidth;
  in.buttonHeight = kMessageButtonFallbackHeight;
  RECT buttonRect;
  if (first != nullptr && GetClientRect(first, &buttonRect)) {
    in.buttonWidth = buttonRect.right - buttonRect.left;
    in.buttonHeight = buttonRect.bottom - buttonRect.top;
  }
  in.frameWidth = GetSystemMetrics(SM_CXDLGFRAME);
  in.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  in.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  in.captionHeight = GetSystemMetrics(SM_CYCAPTION);

  const MessageLayout layout = LayoutMessageDialog(in);
  Place(dialog, layout.window, 0);
  RECT client;
  GetClientRect(dialog, &client);

  for (const MessageButtonPlace& button : layout.buttons) {
    HWND control = GetDlgItem(dialog, button.id);
    if (control != nullptr && button.shown) Place(control, button.box, SWP_SHOWWINDOW);
  }

  const MessageLines lines = LayoutMessageLines(in.chineseHeight, in.englishHeight,
                                                MessageEnglish[0] != '\0', client.right);
  HWND chineseLine = GetDlgItem(dialog, IDC_MESSAGE_CHINESE);
  SetWindowTextA(chineseLine, chinese);
  Place(chineseLine, lines.chinese, 0);
  HWND englishLine = GetDlgItem(dialog, IDC_MESSAGE_ENGLISH);
  if (lines.englishShown) {
    SetWindowTextA(englishLine, MessageEnglish);
    Place(englishLine, lines.english, 0);
  } else {
    ShowWindow(englishLine, SW_HIDE);
  }
}

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const char* chinese = reinterpret_cast<const char*>(lParam);
      LayOutMessageDialog(dialog, chinese != nullptr ? chinese : "");
      return TRUE;
    }
    case WM_DRAWITEM:
      PaintOwnerDrawButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
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

// A key-down of Enter that repeats a key held since before the dialog opened (kKeyWasDown)
// answers nothing: the message filter drops it before the dialog manager turns it into a press of
// the default button. A user who holds Enter through the wizard does not answer a question unseen
// (the main loop has the same rule for the wizard).
LRESULT CALLBACK DropHeldEnter(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && message->message == WM_KEYDOWN && message->wParam == VK_RETURN &&
      (message->lParam & kKeyWasDown) != 0)
    return TRUE;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int ShowMessage(const char* chinese, const char* english, int buttons, HWND owner) {
  MessageButtons = buttons;
  // Bounded copy: a longer English text shows its first 127 bytes rather than run past the buffer.
  MessageEnglish[0] = '\0';
  if (english != nullptr) lstrcpynA(MessageEnglish, english, sizeof MessageEnglish);
  HINSTANCE instance = InstanceHandle != nullptr ? InstanceHandle : GetModuleHandleA(nullptr);
  HHOOK filter = SetWindowsHookExA(WH_MSGFILTER, DropHeldEnter, nullptr, GetCurrentThreadId());
  const INT_PTR answer = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MESSAGE), owner,
                                         MessageDialogProc, reinterpret_cast<LPARAM>(chinese));
  if (filter != nullptr) UnhookWindowsHookEx(filter);
  return static_cast<int>(answer);
}
