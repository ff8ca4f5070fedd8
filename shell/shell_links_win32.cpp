// Shell folders and shortcuts on Windows: folder lookup, link files through the shell's link
// object, the Start-menu group and the desktop link.
#include <windows.h>

#include <shlobj.h>

#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/message_dialog.h"
#include "common/system_libraries.h"
#include "shell/shell_links.h"
#include "shell/shell_paths.h"

// The shell's own numbers for the two folders the links go to.
static_assert(kShellFolderDesktop == CSIDL_DESKTOP && kShellFolderPrograms == CSIDL_PROGRAMS,
              "the folder kinds are the shell's CSIDL values");

namespace {

constexpr DWORD kUserNameCapacity = 256;

// COM for the current thread, undone only when this call initialised it (S_OK or S_FALSE).
class ComInitialization {
 public:
  ComInitialization() : result_(CoInitialize(nullptr)) {}
  ~ComInitialization() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComInitialization(const ComInitialization&) = delete;
  ComInitialization& operator=(const ComInitialization&) = delete;
  bool ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

// Releases one COM interface at the end of its scope.
template <typename Interface>
class ComReference {
 public:
  ComReference() = default;
  ~ComReference() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  ComReference(const ComReference&) = delete;
  ComReference& operator=(const ComReference&) = delete;
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  void** out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

void ShowNotice(const char* chinese, const BilingualText& text) {
  ShowMessage(chinese, text.english, text.buttons, WizardWindow);
}

}  // namespace

bool GetShellFolderPath(int kind, char (&path)[kPathCapacity]) {
  return IsMajorVersion3 ? GetLegacyFolderPath(kind, path) : GetSpecialFolderPath(kind, path);
}

// The shell's folder lookup came with the Windows 95 shell: NT 3.51's shell32 lacks it, so it is
// looked up, and a system without it has no such folders (it takes the legacy composition).
bool GetSpecialFolderPath(int kind, char (&path)[kPathCapacity]) {
  path[0] = '\0';
  using GetMalloc = HRESULT(WINAPI*)(IMalloc**);
  using GetLocation = HRESULT(WINAPI*)(HWND, int, LPITEMIDLIST*);
  using GetPath = BOOL(WINAPI*)(LPCITEMIDLIST, LPSTR);
  auto getMalloc = SystemProcedureOf<GetMalloc>("shell32.dll", "SHGetMalloc");
  auto getLocation = SystemProcedureOf<GetLocation>("shell32.dll", "SHGetSpecialFolderLocation");
  auto getPath = SystemProcedureOf<GetPath>("shell32.dll", "SHGetPathFromIDListA");
  if (getMalloc == nullptr || getLocation == nullptr || getPath == nullptr) return false;
  IMalloc* allocator = nullptr;
  if (FAILED(getMalloc(&allocator))) return false;
  LPITEMIDLIST items = nullptr;
  if (FAILED(getLocation(nullptr, kind, &items))) {
    allocator->Release();
    return false;
  }
  bool found = getPath(items, path) != FALSE;
  allocator->Free(items);
  allocator->Release();
  return found;
}

bool GetLegacyFolderPath(int kind, char (&path)[kPathCapacity]) {
  path[0] = '\0';
  char windows[kPathCapacity];
  UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  char user[kUserNameCapacity];
  DWORD userSize = sizeof user;
  if (IsWinNT && !GetUserNameA(user, &userSize)) return false;
  // A length of the buffer's size or more is the size the folder would need: nothing was read.
  if (length == 0 || length >= sizeof windows) return false;
  return ComposeLegacyFolderPath(windows, IsWinNT != 0, IsWinNT ? user : nullptr, kind,
                                 IsAnsiLeadByte, path, sizeof path);
}

// The shell link object (CLSID_ShellLink). Named here rather than taken from the system's GUID
// library, whose one object holds every GUID of the headers (41 KB of the Installer).
constexpr CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000,
                                   {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool CreateShellLink(const char* target, const char* linkPath, const char* description) {
  ComInitialization com;
  if (!com.ok()) return false;
  // Declared after `com`: released before COM is uninitialised, the file before the link.
  ComReference<IShellLinkA> link;
  if (FAILED(CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER,
                              __uuidof(IShellLinkA), link.out())))
    return false;
  if (FAILED(link->SetPath(target))) return false;
  link->SetDescription(description);
  link->SetIconLocation(target, 0);
  char workingFolder[kPathCapacity];
  if (LinkWorkingFolder(target, IsAnsiLeadByte, workingFolder, sizeof workingFolder))
    link->SetWorkingDirectory(workingFolder);
  ComReference<IPersistFile> file;
  if (FAILED(link->QueryInterface(__uuidof(IPersistFile), file.out()))) return false;
  wchar_t widePath[kPathCapacity];
  if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, kPathCapacity) == 0) return false;
  return SUCCEEDED(file->Save(widePath, TRUE));
}

bool CreateStartMenuEntries(const char* groupName, const ShortcutEntry* entries) {
  char folder[kPathCapacity];
  if (!GetShellFolderPath(kShellFolderPrograms, folder)) {
    ShowNotice(kMsgStartMenuFailed.chinese, kMsgStartMenuFailed);
    return false;
  }
  if (groupName != nullptr && groupName[0] != '\0') {
    char group[kPathCapacity];
    if (!FormatBounded(group, sizeof group, "%s\\%s", folder, groupName)) {
      // No group folder fits under this programs folder: no entry can be made there.
      ShowNotice(kMsgStartMenuFailed.chinese, kMsgStartMenuFailed);
      return false;
    }
    // A file of the group's name is no group folder: making the folder then fails.
    DWORD attributes = GetFileAttributesA(group);
    bool isFolder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!isFolder && !CreateDirectoryA(group, nullptr)) {
      char chinese[kPathCapacity + 64];
      if (!FormatBounded(chinese, sizeof chinese, kMsgCannotCreateGroup.chinese, group))
        return false;
      ShowNotice(chinese, kMsgCannotCreateGroup);
      return false;
    }
    lstrcpyA(folder, group);
  }
  // Every entry is tried; the last one decides.
  bool lastSaved = true;
  for (const ShortcutEntry* entry = entries; entry != nullptr && entry->name != nullptr; ++entry) {
    char link[kPathCapacity], target[kPathCapacity];
    lastSaved = FormatBounded(link, sizeof link, "%s\\%s.lnk", folder, entry->name) &&
                FormatBounded(target, sizeof target, "%s\\%s", InstallDir, entry->file) &&
                CreateShellLink(target, link, entry->name);
  }
  if (!lastSaved) {
    ShowNotice(kMsgStartMenuFailed.chinese, kMsgStartMenuFailed);
    return false;
  }
  return true;
}

bool CreateDesktopIcon(const char* fileName, const char* shortcutName) {
  char target[kPathCapacity], desktop[kPathCapacity], link[kPathCapacity];
  if (!FormatBounded(target, sizeof target, "%s\\%s", InstallDir, fileName)) return false;
  if (!GetShellFolderPath(kShellFolderDesktop, desktop)) return false;
  if (!FormatBounded(link, sizeof link, "%s\\%s.lnk", desktop, shortcutName)) return false;
  return CreateShellLink(target, link, shortcutName);
}
