// Wide paths on Win32: the NT platform's wide calls, and the ANSI calls on Windows 95, 98 and Me.
#include "common/wide_paths.h"

#include <cstring>

#include "common/installer_state.h"
#include "common/plain_files.h"

namespace {

// The ANSI path for the ANSI calls of Windows 95, 98 and Me, whose paths the code page spells.
bool Narrow(const wchar_t* path, char (&ansi)[kPathCapacity]) {
  return WideCharToMultiByte(CP_ACP, 0, path, -1, ansi, kPathCapacity, nullptr, nullptr) != 0;
}

bool SameText(const wchar_t* a, const wchar_t* b) {
  for (; *a != 0 && *a == *b; ++a, ++b) {
  }
  return *a == *b;
}

}  // namespace

bool WidenAnsi(const char* text, wchar_t* out, size_t outSize) {
  const int length = static_cast<int>(outSize);
  if (outSize == 0 || MultiByteToWideChar(CP_ACP, 0, text, -1, out, length) != 0) return true;
  out[0] = 0;
  return false;
}

bool AnsiSpelling(const wchar_t* path, char* out, size_t outSize) {
  WidePath back;
  // No flags: the conversion as every ANSI call makes it, best fit included; what it changed
  // shows in the conversion back.
  return WideCharToMultiByte(CP_ACP, 0, path, -1, out, static_cast<int>(outSize), nullptr,
                             nullptr) != 0 &&
         MultiByteToWideChar(CP_ACP, 0, out, -1, back, kPathCapacity) != 0 && SameText(path, back);
}

bool WidePathWith(const wchar_t* path, const char* name, const char* suffix, WidePath& out) {
  WidePath wideName;
  out[0] = 0;
  return AppendText(out, kPathCapacity, path) &&
         (name == nullptr ||
          (WidenAnsi(name, wideName, kPathCapacity) && AppendText(out, kPathCapacity, "\\") &&
           AppendText(out, kPathCapacity, wideName))) &&
         AppendText(out, kPathCapacity, suffix);
}

DWORD WideFileAttributes(const wchar_t* path) {
  if (auto wide = WideSystemCall<kernel32::GetFileAttributesW>()) return wide(path);
  char ansi[kPathCapacity];
  return Narrow(path, ansi) ? GetFileAttributesA(ansi) : INVALID_FILE_ATTRIBUTES;
}

bool CreateWideFolder(const wchar_t* path) {
  if (auto wide = WideSystemCall<kernel32::CreateDirectoryW>()) return wide(path, nullptr) != FALSE;
  char ansi[kPathCapacity];
  return Narrow(path, ansi) && CreateDirectoryA(ansi, nullptr);
}

bool CopyWideFile(const wchar_t* from, const wchar_t* to) {
  if (auto wide = WideSystemCall<kernel32::CopyFileW>()) return wide(from, to, FALSE) != FALSE;
  char ansiFrom[kPathCapacity], ansiTo[kPathCapacity];
  return Narrow(from, ansiFrom) && Narrow(to, ansiTo) && CopyFileA(ansiFrom, ansiTo, FALSE);
}

bool AppendToWideFile(const wchar_t* path, const char* text) {
  HANDLE file = INVALID_HANDLE_VALUE;
  char ansi[kPathCapacity];
  if (auto wide = WideSystemCall<kernel32::CreateFileW>())
    file = wide(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                nullptr);
  else if (Narrow(path, ansi))
    file = CreateFileA(ansi, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  return AppendAndClose(file, text);
}

bool WideFullPath(const wchar_t* path, WidePath& full) {
  LPWSTR widePart;
  if (auto wide = WideSystemCall<kernel32::GetFullPathNameW>()) {
    const DWORD length = wide(path, kPathCapacity, full, &widePart);
    return length != 0 && length < kPathCapacity;
  }
  char ansi[kPathCapacity], ansiFull[kPathCapacity];
  LPSTR part;
  const DWORD length =
      Narrow(path, ansi) ? GetFullPathNameA(ansi, kPathCapacity, ansiFull, &part) : 0;
  return length != 0 && length < kPathCapacity && WidenAnsi(ansiFull, full, kPathCapacity);
}

FolderTaken TakeInstallDir(const wchar_t* folder, size_t longest) {
  WidePath full;
  // Two bytes a character leave room for the longest spelling in a double-byte code page.
  char ansi[2 * kPathCapacity];
  if (folder[0] == 0) return FolderTaken::kNoFolder;
  if (!WideFullPath(folder, full)) return FolderTaken::kTooLong;
  DropTrailingBackslashes(full);
  if (full[0] == 0) return FolderTaken::kNoFolder;
  if (!AnsiSpelling(full, ansi, sizeof ansi)) return FolderTaken::kNotInCodePage;
  const size_t length = strlen(ansi);
  if (length > longest || length >= sizeof InstallDir) return FolderTaken::kTooLong;
  lstrcpynA(InstallDir, ansi, sizeof InstallDir);
  return FolderTaken::kTaken;
}
