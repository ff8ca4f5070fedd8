// The install floor of bench/install_speed.sh: the least that installing the payload takes.
//
// Usage: install_floor [--links] FOLDER
// Inflates every manifest row's "TEXT" resource (the Installer's own packed payload, linked in
// from the same resource script) with zlib's uncompress into one buffer of
// kPayloadBufferCapacity bytes and writes it under its file name into FOLDER, made first, with
// one WriteFile call. No attributes, no configuration, no window. With --links it then makes the
// Installer's three shortcuts through the shell's link object, as the Installer does (the
// program's and the uninstaller's in the Start menu's group, the program's on the desktop), so
// that the floor and the Installer do like work; without it, none. Exit code 0 when every file
// and link was written, 1 otherwise (the first that failed is named on stderr).
#include <windows.h>
#include <zlib.h>
// after windows.h, which they need
#include <shlobj.h>

#include <cstring>

#include "install/install_manifest.h"

namespace {

// Inflates resource `resourceId` into `buffer`; its inflated length in `*length`.
bool Inflate(uint16_t resourceId, unsigned char* buffer, uLongf* length) {
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(resourceId), "TEXT");
  if (resource == nullptr) return false;
  HGLOBAL loaded = LoadResource(nullptr, resource);
  const void* stream = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (stream == nullptr) return false;
  *length = kPayloadBufferCapacity;
  return uncompress(buffer, length, static_cast<const Bytef*>(stream),
                    SizeofResource(nullptr, resource)) == Z_OK;
}

bool WriteWhole(const char* path, const unsigned char* data, DWORD length) {
  HANDLE file =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, data, length, &written, nullptr) && written == length;
  return CloseHandle(file) && ok;
}

// "FOLDER\NAME" into `path` (MAX_PATH bytes); false when it does not fit.
bool JoinPath(const char* folder, const char* name, char* path) {
  size_t folderLength = strlen(folder), nameLength = strlen(name);
  if (folderLength + 1 + nameLength >= MAX_PATH) return false;
  memcpy(path, folder, folderLength);
  path[folderLength] = '\\';
  memcpy(path + folderLength + 1, name, nameLength + 1);
  return true;
}

// Writes the three texts to stderr (no stdio: the floor carries no formatter).
void Report(const char* first, const char* second, const char* third) {
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  DWORD written;
  const char* const texts[] = {first, second, third};
  for (const char* text : texts)
    WriteFile(err, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

// One link at `link` to `target`, with its description, icon and working folder set as the
// Installer sets them.
bool MakeLink(const char* target, const char* link, const char* folder) {
  IShellLinkA* shellLink = nullptr;
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&shellLink)))) {
    shellLink->SetPath(target);
    shellLink->SetDescription("Quorvane-Brix4");
    shellLink->SetIconLocation(target, 0);
    shellLink->SetWorkingDirectory(folder);
    wchar_t wide[MAX_PATH];
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        MultiByteToWideChar(CP_ACP, 0, link, -1, wide, MAX_PATH) != 0)
      saved = SUCCEEDED(file->Save(wide, TRUE));
    if (file != nullptr) file->Release();
    shellLink->Release();
  }
  return saved;
}

// The Installer's three shortcuts to the files in `folder`.
bool MakeLinks(const char* folder) {
  char programs[MAX_PATH], desktop[MAX_PATH], group[MAX_PATH], link[MAX_PATH], target[MAX_PATH];
  if (!SHGetSpecialFolderPathA(nullptr, programs, CSIDL_PROGRAMS, FALSE) ||
      !SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE) ||
      !JoinPath(programs, "Quorvane-Brix4", group))
    return false;
  CreateDirectoryA(group, nullptr);
  CoInitialize(nullptr);
  const bool made = JoinPath(folder, "K7.exe", target) &&
                    JoinPath(group, "Quorvane-Brix4.lnk", link) && MakeLink(target, link, folder) &&
                    JoinPath(desktop, "Quorvane-Brix4.lnk", link) && MakeLink(target, link, folder) &&
                    JoinPath(folder, "K7UnInstall.exe", target) &&
                    JoinPath(group, "UnInstall.lnk", link) && MakeLink(target, link, folder);
  CoUninitialize();
  return made;
}

}  // namespace

int main(int argc, char** argv) {
  const bool links = argc == 3 && strcmp(argv[1], "--links") == 0;
  if (argc != 2 && !links) {
    Report("usage: install_floor [--links] FOLDER", "", "\n");
    return 1;
  }
  const char* folder = argv[argc - 1];
  auto* buffer = static_cast<unsigned char*>(
      VirtualAlloc(nullptr, kPayloadBufferCapacity, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  if (buffer == nullptr) return 1;
  CreateDirectoryA(folder, nullptr);
  for (const ManifestRow& row : kInstallManifest) {
    char path[MAX_PATH];
    uLongf length = 0;
    if (!JoinPath(folder, row.fileName, path) || !Inflate(row.resourceId, buffer, &length) ||
        !WriteWhole(path, buffer, length)) {
      Report("install_floor: cannot install ", row.fileName, "\n");
      return 1;
    }
  }
  if (links && !MakeLinks(folder)) {
    Report("install_floor: cannot make the shortcuts", "", "\n");
    return 1;
  }
  return 0;
}
