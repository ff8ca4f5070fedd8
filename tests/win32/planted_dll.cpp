// A DLL planted beside the Installer under the name of a system DLL (comctl32.dll, comdlg32.dll):
// when loaded it leaves the file "planted_dll_loaded" beside itself. It exports what the
// Installer takes from the real ones, so that nothing but the marker tells it apart.
// Lean: the common dialog's own declaration of GetOpenFileNameA stays out.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    while (length > 0 && path[length - 1] != '\\') --length;
    if (length > 0 && length + 20 < MAX_PATH) {
      lstrcpyA(path + length, "planted_dll_loaded");
      CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
  }
  return TRUE;
}

extern "C" __declspec(dllexport) void WINAPI InitCommonControls() {}
extern "C" __declspec(dllexport) BOOL WINAPI GetOpenFileNameA(void*) { return FALSE; }
