// End-to-end driver: starts the real Installer, finds its windows, reads its controls.
#pragma once

#include <windows.h>

#include <string>

// One run of an Installer executable, ended (forcibly if need be) when the object goes.
class InstallerRun {
 public:
  // `arguments` follow the quoted program name on the command line.
  explicit InstallerRun(const std::string& exe, const std::string& arguments = "");
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
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

// Repaints `window` and its children at once and lets the screen settle.
void RepaintNow(HWND window);
bool IsVisibleControl(HWND dialog, int id);
std::string ControlText(HWND dialog, int id);
RECT ScreenRectOf(HWND dialog, int id);
