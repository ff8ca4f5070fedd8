// Answers the Installer's message dialog from a second thread, as a user would.
#include "dialog_answerer.h"

#include "app/message_dialog.h"
#include "common/notices.h"
#include "resources/resource_ids.h"

namespace {

constexpr const char* kMessageTitle = "Quorvane Install Message";

BOOL CALLBACK CollectText(HWND child, LPARAM param) {
  char text[256] = "";
  GetWindowTextA(child, text, sizeof text);
  std::string* texts = reinterpret_cast<std::string*>(param);
  *texts += text;
  *texts += '|';
  return TRUE;
}

}  // namespace

DialogAnswerer::DialogAnswerer(Action action) : action_(action) {
  // The notices of the code under test come as the wizard's message dialog, which this answers.
  SetNoticeSink(ShowMessage);
  InitializeCriticalSection(&lock_);
  thread_ = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

DialogAnswerer::~DialogAnswerer() {
  Finish();
  DeleteCriticalSection(&lock_);
}

std::vector<std::string> DialogAnswerer::chineseLines() const {
  EnterCriticalSection(&lock_);
  std::vector<std::string> lines = chineseLines_;
  LeaveCriticalSection(&lock_);
  return lines;
}

int DialogAnswerer::Finish() {
  if (thread_ != nullptr) {
    InterlockedExchange(&stop_, 1);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return answered_;
}

DWORD WINAPI DialogAnswerer::Watch(void* self) {
  DialogAnswerer* answerer = static_cast<DialogAnswerer*>(self);
  while (InterlockedCompareExchange(&answerer->stop_, 0, 0) == 0) {
    HWND dialog = FindWindowA(nullptr, kMessageTitle);
    if (dialog != nullptr && IsWindowVisible(dialog)) answerer->Answer(dialog);
    Sleep(20);
  }
  return 0;
}

void DialogAnswerer::Answer(HWND dialog) {
  ++answered_;
  texts_.clear();
  EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts_));
  char chinese[512] = "";
  GetDlgItemTextA(dialog, IDC_MESSAGE_CHINESE, chinese, sizeof chinese);
  EnterCriticalSection(&lock_);
  chineseLines_.push_back(chinese);
  LeaveCriticalSection(&lock_);
  switch (action_) {
    case kClickOk:
      SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      break;
    case kClickYes:
      SendMessageA(GetDlgItem(dialog, IDYES), BM_CLICK, 0, 0);
      break;
    case kClickNo:
      SendMessageA(GetDlgItem(dialog, IDNO), BM_CLICK, 0, 0);
      break;
    case kPressEscape:
      PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
      PostMessageA(dialog, WM_KEYUP, VK_ESCAPE, 0);
      break;
  }
  // Wait for the dialog to go; one that ignores the answer is closed after five seconds so that
  // a fault fails the test instead of hanging it.
  for (int waited = 0; IsWindow(dialog); waited += 20) {
    if (waited == 5000) {
      ++ignored_;
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    Sleep(20);
  }
}
