// Driving the Installer's windows in tests.
#include "installer_driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

InstallerRun::InstallerRun(const std::string& exe, const std::string& arguments) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  Started(CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                         nullptr, &startup, &info),
          info);
}

InstallerRun::InstallerRun(const std::wstring& exe, const std::wstring& arguments,
                           const std::wstring& folder) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  Started(CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                         folder.empty() ? nullptr : folder.c_str(), &startup, &info),
          info);
}

void InstallerRun::Started(BOOL created, const PROCESS_INFORMATION& info) {
  if (!created) return;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
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

WindowsVersionFor::WindowsVersionFor(const char* exeName, const char* version)
    : key_(std::string("Software\\Wine\\AppDefaults\\") + exeName) {
  if (version == nullptr || *version == '\0') return;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &handle_, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(handle_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                 static_cast<DWORD>(strlen(version) + 1));
}

WindowsVersionFor::~WindowsVersionFor() {
  if (handle_ == nullptr) return;
  RegCloseKey(handle_);
  RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
}

void RepaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Wine hands a window's drawing to the X server a little after the paint.
  Sleep(1000);
}

bool IsVisibleControl(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string ControlText(HWND dialog, int id) {
  char text[1024] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

RECT ScreenRectOf(HWND dialog, int id) {
  RECT r = {};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  return r;
}

RECT ChildRect(HWND dialog, int id) {
  RECT r = ScreenRectOf(dialog, id);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  for (DWORD start = GetTickCount(); !condition(); Sleep(50))
    if (GetTickCount() - start > timeoutMs) return false;
  return true;
}

namespace {

constexpr int kGiveUpTicks = 100;  // ten seconds of 100 ms ticks

struct OpenDialog {
  const char* title;
  DialogStep step;
  int ticks;
};
OpenDialog* Current;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA(nullptr, Current->title);
  if (dialog == nullptr || !IsWindowVisible(dialog)) return;
  if (Current->ticks >= kGiveUpTicks) {
    ADD_FAILURE() << "the dialog \"" << Current->title << "\" was not answered";
    KillTimer(nullptr, timer);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (Current->step(dialog, Current->ticks++)) KillTimer(nullptr, timer);
}

}  // namespace

int StepThroughDialog(const char* title, DialogStep step, const std::function<void()>& open) {
  OpenDialog dialog = {title, std::move(step), 0};
  Current = &dialog;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, OnTimer);
  open();
  KillTimer(nullptr, timer);
  Current = nullptr;
  return dialog.ticks;
}
