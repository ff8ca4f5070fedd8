// Helpers of the Win32 tests: scratch folders, file contents and attributes on the real file
// system, and shell links read back.
#include "test_files.h"

#include <shlobj.h>

#include <cstdio>

#include "common/installer_state.h"

ScratchInstallDir::ScratchInstallDir() {
  static int counter;
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  char name[MAX_PATH];
  snprintf(name, sizeof name, "%sk7_%lu_%d", temp, GetCurrentProcessId(), ++counter);
  path_ = name;
  RemoveTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
  snprintf(InstallDir, sizeof InstallDir, "%s", path_.c_str());
}

ScratchInstallDir::~ScratchInstallDir() {
  RemoveTree(path_);
  InstallDir[0] = '\0';
}

std::wstring Wide(const std::string& ansi) {
  wchar_t wide[MAX_PATH] = L"";
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, MAX_PATH);
  return wide;
}

std::string Ansi(const std::wstring& wide) {
  char ansi[2 * MAX_PATH] = "";
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
  return ansi;
}

std::string SampleFile(const char* name) {
  return ReadBytes(std::string(K7_SAMPLE_PAYLOAD_DIR) + "\\" + name);
}

bool FileExists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  FILE* f = fopen(path.c_str(), "rb");
  if (f == nullptr) return bytes;
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  fclose(f);
  return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes, DWORD attributes) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  FILE* f = fopen(path.c_str(), "wb");
  if (f == nullptr) return;
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
  // Hidden first, then read-only: Wine keeps hidden in an extended attribute that it cannot
  // write once the file is read-only.
  if (attributes & FILE_ATTRIBUTE_HIDDEN) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
  if (attributes != 0) SetFileAttributesA(path.c_str(), attributes);
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

DWORD ProtectionOf(const std::string& path) {
  return Attributes(path) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
}

int CountEntries(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    std::string name = data.cFileName;
    if (name != "." && name != "..") ++count;
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return count;
}

FolderContents ContentsOf(const std::string& folder) {
  FolderContents contents;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return contents;
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    contents[name] = {isFolder ? "" : ReadBytes(folder + "\\" + name), data.dwFileAttributes};
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return contents;
}

std::string ChangesBetween(const FolderContents& before, const FolderContents& now) {
  std::string changes;
  for (const auto& entry : now) {
    auto earlier = before.find(entry.first);
    if (earlier == before.end())
      changes += "+" + entry.first + "\n";
    else if (!(earlier->second == entry.second))
      changes += "~" + entry.first + "\n";
  }
  for (const auto& entry : before)
    if (now.count(entry.first) == 0) changes += "-" + entry.first + "\n";
  return changes;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName, path = folder + L"\\" + name;
      if (name == L"." || name == L"..") continue;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

void RemoveTree(const std::string& folder) { RemoveTree(Wide(folder)); }

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  const bool ok = file != INVALID_HANDLE_VALUE &&
                  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                            nullptr) &&
                  written == bytes.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return ok;
}

bool ReadLink(const std::string& linkPath, LinkContents* contents) {
  return ReadLink(Wide(linkPath), contents);
}

bool ReadLink(const std::wstring& linkPath, LinkContents* contents) {
  bool read = false;
  if (FAILED(CoInitialize(nullptr))) return false;
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      if (SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
        char text[MAX_PATH];
        link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
        contents->target = text;
        link->GetDescription(text, sizeof text);
        contents->description = text;
        link->GetIconLocation(text, sizeof text, &contents->iconIndex);
        contents->iconPath = text;
        text[0] = '\0';
        link->GetWorkingDirectory(text, sizeof text);
        contents->workingFolder = text;
        read = true;
      }
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return read;
}
