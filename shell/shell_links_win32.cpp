// Shell folders and shortcuts on Windows: folder lookup, link files through the shell's link
// object, the Start-menu group and the desktop link.
#include <windows.h>

#include <shlobj.h>

#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/scoped_handles.h"
#include "common/system_calls.h"
#include "common/wide_paths.h"
#include "shell/shell_links.h"
#include "shell/shell_paths.h"

// The shell's own numbers for the two folders the links go to.
static_assert(kShellFolderDesktop == CSIDL_DESKTOP && kShellFolderPrograms == CSIDL_PROGRAMS,
              "the folder kinds are the shell's CSIDL values");

namespace {

constexpr DWORD kUserNameCapacity = 256;

}  // namespace

bool GetShellFolderPath(int kind, WidePath& path) {
  return IsMajorVersion3 ? GetLegacyFolderPath(kind, path) : GetSpecialFolderPath(kind, path);
}

// The shell's folder lookup came with the Windows 95 shell: NT 3.51's shell32 lacks it, so it is
// looked up, and a system without it has no such folders (it takes the legacy composition).
bool GetSpecialFolderPath(int kind, WidePath& path) {
  path[0] = 0;
  auto getMalloc = SystemCall<shell32::SHGetMalloc>();
  auto getLocation = SystemCall<shell32::SHGetSpecialFolderLocation>();
  auto getPath = SystemCall<shell32::SHGetPathFromIDListA>();
  if (getMalloc == nullptr || getLocation == nullptr || getPath == nullptr) return false;
  IMalloc* allocator = nullptr;
  if (FAILED(getMalloc(&allocator))) return false;
  LPITEMIDLIST items = nullptr;
  if (FAILED(getLocation(nullptr, kind, &items))) {
    allocator->Release();
    return false;
  }
  char ansi[kPathCapacity];
  const bool found =
      ReadWide<shell32::SHGetPathFromIDListW>(
          path, [&](auto call, WidePath& out) { return call(items, out) ? out : nullptr; },
          [&] { return getPath(items, ansi) ? ansi : nullptr; }) != nullptr;
  allocator->Free(items);
  allocator->Release();
  return found;
}

bool GetLegacyFolderPath(int kind, WidePath& path) {
  path[0] = 0;
  WidePath windows;
  char ansi[kPathCapacity];
  // A length of the buffer's size or more is the size the folder would need: nothing was read.
  if (!ReadWide<kernel32::GetWindowsDirectoryW>(
          windows,
          [](auto call, WidePath& out) {
            return WholeRead(call(out, kPathCapacity), kPathCapacity) ? out : nullptr;
          },
          [&] {
            return WholeRead(GetWindowsDirectoryA(ansi, sizeof ansi), sizeof ansi) ? ansi : nullptr;
          }))
    return false;
  // The user's own folder, on the NT platform only.
  wchar_t user[kUserNameCapacity];
  DWORD userSize = kUserNameCapacity;
  if (IsWinNT &&
      !ReadWide<advapi32::GetUserNameW>(
          user, [&](auto call, auto& out) { return call(out, &userSize) ? out : nullptr; },
          [&] { return GetUserNameA(ansi, &userSize) ? ansi : nullptr; }))
    return false;
  return ComposeLegacyFolderPath(windows, IsWinNT != 0, IsWinNT ? user : nullptr, kind, path,
                                 kPathCapacity);
}

// The shell link object (CLSID_ShellLink). Named here rather than taken from the system's GUID
// library, whose one object holds every GUID of the headers (41 KB of the Installer).
constexpr CLSID kShellLinkClass = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool CreateShellLink(const char* target, const wchar_t* linkPath, const char* description) {
  ComInitialization com;
  if (!com.ok()) return false;
  // Declared after `com`: released before COM is uninitialised, the file before the link.
  ComReference<IShellLinkA> link;
  if (FAILED(CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkA),
                              link.out())))
    return false;
  if (FAILED(link->SetPath(target))) return false;
  link->SetDescription(description);
  link->SetIconLocation(target, 0);
  char workingFolder[kPathCapacity];
  if (LinkWorkingFolder(target, IsAnsiLeadByte, workingFolder, sizeof workingFolder))
    link->SetWorkingDirectory(workingFolder);
  ComReference<IPersistFile> file;
  if (FAILED(link->QueryInterface(__uuidof(IPersistFile), file.out()))) return false;
  // The link's path is wide already: the shell saves it where the ANSI code page cannot spell.
  return SUCCEEDED(file->Save(linkPath, TRUE));
}

bool CreateStartMenuEntries(const char* groupName, const ShortcutEntry* entries) {
  WidePath folder, group, link;
  if (!GetShellFolderPath(kShellFolderPrograms, folder)) {
    Notify(kMsgStartMenuFailed, WizardWindow);
    return false;
  }
  if (groupName != nullptr && groupName[0] != '\0') {
    if (!WidePathWith(folder, groupName, "", group)) {
      // No group folder fits under this programs folder: no entry can be made there.
      Notify(kMsgStartMenuFailed, WizardWindow);
      return false;
    }
    // A file of the group's name is no group folder: making the folder then fails.
    DWORD attributes = WideFileAttributes(group);
    bool isFolder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!isFolder && !CreateWideFolder(group)) {
      // The notice's Chinese text is GBK: the path in GBK where the system has that code page,
      // so that the glyph sheets draw its Chinese, as the ANSI calls spell it elsewhere.
      char shown[2 * kPathCapacity], chinese[2 * kPathCapacity + 64];
      if ((WideCharToMultiByte(936, 0, group, -1, shown, sizeof shown, nullptr, nullptr) != 0 ||
           WideCharToMultiByte(CP_ACP, 0, group, -1, shown, sizeof shown, nullptr, nullptr) != 0) &&
          FormatBounded(chinese, sizeof chinese, kMsgCannotCreateGroup.chinese, shown))
        Notify({chinese, kMsgCannotCreateGroup.english, kMsgCannotCreateGroup.buttons},
               WizardWindow);
      return false;
    }
    WidePathWith(group, nullptr, "", folder);
  }
  // Every entry is tried; the last one decides.
  bool lastSaved = true;
  for (const ShortcutEntry* entry = entries; entry != nullptr && entry->name != nullptr; ++entry) {
    char target[kPathCapacity];
    lastSaved = WidePathWith(folder, entry->name, ".lnk", link) &&
                FormatBounded(target, sizeof target, "%s\\%s", InstallDir, entry->file) &&
                CreateShellLink(target, link, entry->name);
  }
  if (!lastSaved) {
    Notify(kMsgStartMenuFailed, WizardWindow);
    return false;
  }
  return true;
}

bool CreateDesktopIcon(const char* fileName, const char* shortcutName) {
  char target[kPathCapacity];
  WidePath desktop, link;
  return FormatBounded(target, sizeof target, "%s\\%s", InstallDir, fileName) &&
         GetShellFolderPath(kShellFolderDesktop, desktop) &&
         WidePathWith(desktop, shortcutName, ".lnk", link) &&
         CreateShellLink(target, link, shortcutName);
}
