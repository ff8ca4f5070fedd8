// End-to-end driver: starts the real Installer, finds its windows, reads controls, captures pixels.
#include "installer_driver.h"

#include <cstdio>

InstallerRun::InstallerRun(const std::string& exe) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::string commandLine = "\"" + exe + "\"";
  if (CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
  }
}

InstallerRun::~InstallerRun() {
  if (process_ == nullptr) return;
  if (running()) {
    TerminateProcess(process_, 255);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool InstallerRun::running() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

namespace {

struct WindowSearch {
  DWORD processId;
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char title[256];
  if (owner == search->processId && GetWindowTextA(window, title, sizeof title) > 0 &&
      lstrcmpA(title, search->title) == 0 && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND InstallerRun::WaitForWindow(const char* title, DWORD timeoutMs) const {
  DWORD start = GetTickCount();
  do {
    WindowSearch search = {processId_, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (!running()) return nullptr;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

long InstallerRun::WaitForExit(DWORD timeoutMs) {
  if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<long>(code);
}

DWORD Capture::At(int screenX, int screenY) const {
  int x = screenX - left, y = screenY - top;
  if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFF;
  return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF;
}

Capture CaptureScreen(const RECT& r) {
  Capture capture;
  capture.left = r.left;
  capture.top = r.top;
  capture.width = r.right - r.left;
  capture.height = r.bottom - r.top;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, capture.width, capture.height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const DWORD* p = static_cast<const DWORD*>(bits);
  capture.pixels.assign(p, p + static_cast<size_t>(capture.width) * capture.height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return capture;
}

void RepaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Wine hands a window's drawing to the X server a little after the paint.
  Sleep(1000);
}

bool SaveBmp(const Capture& capture, const std::string& path) {
  FILE* f = fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = capture.width;
  header.biHeight = -capture.height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  // Opaque pixels: the screen leaves the alpha byte 0, which viewers take as transparent.
  std::vector<DWORD> opaque(capture.pixels);
  for (DWORD& pixel : opaque) pixel |= 0xFF000000;
  DWORD imageBytes = static_cast<DWORD>(opaque.size() * 4);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + imageBytes;
  bool ok = fwrite(&file, sizeof file, 1, f) == 1 && fwrite(&header, sizeof header, 1, f) == 1 &&
            fwrite(opaque.data(), 1, imageBytes, f) == imageBytes;
  return fclose(f) == 0 && ok;
}

bool IsVisibleControl(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string ControlText(HWND dialog, int id) {
  char text[512] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

RECT ScreenRectOf(HWND dialog, int id) {
  RECT r = {};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  return r;
}
