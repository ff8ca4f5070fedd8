// End-to-end driver: starts the real Installer, finds its windows, reads controls, captures pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One run of an Installer executable, ended (forcibly if need be) when the object goes.
class InstallerRun {
 public:
  explicit InstallerRun(const std::string& exe);
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

// A 32-bit top-down capture of a screen rectangle.
struct Capture {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<DWORD> pixels;  // 0x00RRGGBB
  DWORD At(int screenX, int screenY) const;
};

Capture CaptureScreen(const RECT& screenRect);
// Repaints `window` and its children at once and lets the screen settle.
void RepaintNow(HWND window);
// Saves a capture as a BMP file; false when it cannot be written.
bool SaveBmp(const Capture& capture, const std::string& path);

bool IsVisibleControl(HWND dialog, int id);
std::string ControlText(HWND dialog, int id);
RECT ScreenRectOf(HWND dialog, int id);
