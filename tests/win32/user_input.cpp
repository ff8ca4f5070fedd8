// Real mouse and keyboard input through SendInput.
#include "user_input.h"

#include <vector>

namespace {

INPUT Key(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// A button event at the screen point `at`: each event carries its place, so that it lands there
// whatever the pointer did before.
INPUT Button(DWORD flags, POINT at) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(300);  // the target process takes the input from its queue
}

}  // namespace

bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  for (int i = 0; i < 40 && GetForegroundWindow() != window; ++i) Sleep(50);
  return GetForegroundWindow() == window;
}

void ClickWithMouse(HWND control, int clicks) {
  RECT r;
  GetWindowRect(control, &r);
  const POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  std::vector<INPUT> inputs = {Button(0, centre)};
  for (int i = 0; i < clicks; ++i) {
    inputs.push_back(Button(MOUSEEVENTF_LEFTDOWN, centre));
    inputs.push_back(Button(MOUSEEVENTF_LEFTUP, centre));
  }
  Send(inputs);
}

void HoldKey(WORD key, int keyDowns) {
  std::vector<INPUT> inputs(static_cast<size_t>(keyDowns), Key(key, false));
  inputs.push_back(Key(key, true));
  Send(inputs);
}

void PressKey(WORD key, WORD modifier) {
  std::vector<INPUT> inputs;
  if (modifier != 0) inputs.push_back(Key(modifier, false));
  inputs.push_back(Key(key, false));
  inputs.push_back(Key(key, true));
  if (modifier != 0) inputs.push_back(Key(modifier, true));
  Send(inputs);
}
