// The directory chooser: the old-style file-open dialog on template 168 and its folder hook.
#include "bitmap_text/directory_chooser.h"

#include <commdlg.h>
#include <windows.h>

#include <cstddef>
#include <cstring>

#include "bitmap_text/owner_draw.h"
#include "common/bounded_path.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/system_calls.h"
#include "common/wide_paths.h"
#include "resources/resource_ids.h"

namespace {

// The dialog is told of 128 characters of file buffer; the buffer stays empty, since the hook
// ends the dialog before a file name is ever written there.
constexpr DWORD kStatedFileCapacity = 128;

// Old style (no OFN_EXPLORER), so that the dialog runs on our own template with our hook.
constexpr DWORD kChooserFlags =
    OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_PATHMUSTEXIST;
static_assert(kChooserFlags == 0x86C, "the chooser's request flags");

// The request has the size of Windows 95's and NT 4.0's OPENFILENAMEA, 76 bytes in the PE32
// Installer: their comdlg32 refuses the 88 bytes of Windows 2000's structure (CDERR_STRUCTSIZE)
// and shows nothing, and every later comdlg32 takes 76 too. The fields after it stay unused.
// (OPENFILENAME_SIZE_VERSION_400A, written so that the compiler can check it.)
constexpr DWORD kRequestSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(sizeof(void*) != 4 || kRequestSize == 76, "the PE32 request size");

// The chooser as it opens: Cancel drawn by PaintOwnerDrawButton like the labels, the keyboard
// in the folder list.
void PrepareChooser(HWND dialog) {
  HWND cancel = GetDlgItem(dialog, IDCANCEL);
  SetWindowLongA(cancel, GWL_STYLE, GetWindowLongA(cancel, GWL_STYLE) | BS_OWNERDRAW);
  SetFocus(GetDlgItem(dialog, IDC_CHOOSER_FOLDER_LIST));
}

// OK: the dialog keeps the folder the user has opened as the process's current directory; it
// becomes InstallDir as TakeInstallDir takes a folder: a drive root "C:\" comes back as "C:", so
// that "%s\%s" gives "C:\K7_Quorvane". Read wide on the NT platform, where it may be a folder
// that the ANSI code page cannot spell.
FolderTaken TakeCurrentDirectory() {
  WidePath folder;
  char ansi[kPathCapacity];
  if (!ReadWide<kernel32::GetCurrentDirectoryW>(
          folder,
          [](auto call, WidePath& out) {
            return WholeRead(call(kPathCapacity, out), kPathCapacity) ? out : nullptr;
          },
          [&] {
            return WholeRead(GetCurrentDirectoryA(sizeof ansi, ansi), sizeof ansi) ? ansi : nullptr;
          }))
    return FolderTaken::kTooLong;
  return TakeInstallDir(folder);
}

}  // namespace

bool DirectoryChooser(HWND wizard) {
  char file[kPathCapacity] = "";
  OPENFILENAMEA request = {};
  request.lStructSize = kRequestSize;
  request.hwndOwner = wizard;
  request.lpstrFile = file;
  // Without a title of its own the common dialog shows "Open", whatever the template's caption.
  request.lpstrTitle = K7_CHOOSER_TITLE;
  request.nMaxFile = kStatedFileCapacity;
  request.Flags = kChooserFlags;
  request.lpfnHook = ChooseFolderHook;
  request.lpTemplateName = MAKEINTRESOURCEA(IDD_DIRECTORY_CHOOSER);
  // The common dialog's DLL is loaded from the system folder when first needed.
  auto getOpenFileName = SystemCall<comdlg32::GetOpenFileNameA>();
  if (getOpenFileName == nullptr || !getOpenFileName(&request)) return false;

  char path[kPathCapacity];
  if (!FormatBounded(path, sizeof path, "%s\\%s", InstallDir, InstallFolderName)) {
    // The path box keeps what it had; the user hears why.
    Notify(kMsgPathTooLong, wizard);
    return false;
  }
  SetDlgItemTextA(wizard, IDC_PATH, path);
  return true;
}

UINT_PTR CALLBACK ChooseFolderHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      PrepareChooser(dialog);
      return TRUE;
    case WM_DRAWITEM:
      // The folder and drive lists are the dialog's own to draw.
      if (wParam != IDC_CHOOSER_DIRECTORIES && wParam != IDC_CHOOSER_DRIVES && wParam != IDCANCEL)
        return FALSE;
      PaintOwnerDrawButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK) return FALSE;
      switch (TakeCurrentDirectory()) {
        case FolderTaken::kTaken:
          // Ended here, the dialog never validates a file name.
          EndDialog(dialog, 1);
          return TRUE;
        case FolderTaken::kNotInCodePage:
          // No file could be named there: the user hears why and picks another folder.
          Notify(kMsgFolderNotInCodePage, dialog);
          return TRUE;
        default:
          return FALSE;
      }
  }
  return FALSE;
}
