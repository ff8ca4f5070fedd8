// Driving the Installer's windows in tests: the real Installer started and its windows found,
// controls read and pressed, modal dialogs of this process answered from a timer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// One run of an Installer executable, ended (forcibly if need be) when the object goes.
class InstallerRun {
 public:
  // `arguments` follow the quoted program name on the command line.
  explicit InstallerRun(const std::string& exe, const std::string& arguments = "");
  // The same with wide names, which the ANSI code page need not spell, started in the current
  // folder `folder` (empty: the test's).
  InstallerRun(const std::wstring& exe, const std::wstring& arguments,
               const std::wstring& folder = L"");
  ~InstallerRun();
  InstallerRun(const InstallerRun&) = delete;
  InstallerRun& operator=(const InstallerRun&) = delete;

  bool started() const { return process_ != nullptr; }
  // The top-level dialog with this title in the Installer's process, or null after the timeout.
  HWND WaitForWindow(const char* title, DWORD timeoutMs) const;
  // The exit code, or -1 if the process has not ended within the timeout.
  long WaitForExit(DWORD timeoutMs);
  bool running() const;

 private:
  void Started(BOOL created, const PROCESS_INFORMATION& info);
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

// While it lives, Wine tells the program file `exeName` (no folder) that it runs on the Windows
// `version` ("win95", "nt351", "nt40", "winxp"...; null or empty: Wine's own), through the
// application defaults of that file name.
class WindowsVersionFor {
 public:
  WindowsVersionFor(const char* exeName, const char* version);
  ~WindowsVersionFor();
  WindowsVersionFor(const WindowsVersionFor&) = delete;
  WindowsVersionFor& operator=(const WindowsVersionFor&) = delete;

 private:
  std::string key_;
  HKEY handle_ = nullptr;
};

// Repaints `window` and its children at once and lets the screen settle.
void RepaintNow(HWND window);
bool IsVisibleControl(HWND dialog, int id);
std::string ControlText(HWND dialog, int id);
RECT ScreenRectOf(HWND dialog, int id);
// The rectangle of the control `id` in the client coordinates of `dialog`.
RECT ChildRect(HWND dialog, int id);
// Posts a click to the button `id` of `dialog`.
void Click(HWND dialog, int id);
// Polls `condition` every 50 ms until it holds; false when it still does not after `timeoutMs`.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Called on each timer tick while a modal dialog is open, with the tick number; returns true once
// it has answered the dialog.
using DialogStep = std::function<bool(HWND dialog, int tick)>;
// Runs `open`, a call of this thread that shows a modal dialog titled `title`, while `step` looks
// at the dialog and answers it from a timer of this thread, which the dialog's own message loop
// dispatches. A dialog left unanswered for ten seconds is cancelled and the test fails. Returns
// the number of ticks the dialog was seen open.
int StepThroughDialog(const char* title, DialogStep step, const std::function<void()>& open);
