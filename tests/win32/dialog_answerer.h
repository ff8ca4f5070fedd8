// Answers the Installer's message dialog from a second thread, as a user would, and counts how
// many times it appeared.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class DialogAnswerer {
 public:
  // What the user does once the dialog is up: click a button by id, or press Escape.
  enum Action { kClickOk, kClickYes, kClickNo, kPressEscape };

  explicit DialogAnswerer(Action action);
  ~DialogAnswerer();  // stops watching
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  // Stops watching and returns how many dialogs titled "Quorvane Install Message" were answered.
  int Finish();
  // The texts of the last answered dialog's child windows, joined by '|'.
  const std::string& texts() const { return texts_; }
  // How many dialogs ignored the answer and had to be closed for the test to go on.
  int ignored() const { return ignored_; }
  // The Chinese line (control 1013) of every dialog answered so far, in order.
  std::vector<std::string> chineseLines() const;

 private:
  static DWORD WINAPI Watch(void* self);
  void Answer(HWND dialog);

  Action action_;
  HANDLE thread_ = nullptr;
  volatile LONG stop_ = 0;
  mutable CRITICAL_SECTION lock_;  // guards chineseLines_, read while the watcher runs
  int answered_ = 0;
  int ignored_ = 0;
  std::string texts_;
  std::vector<std::string> chineseLines_;
};
