// The wizard window (template 101): initialisation, owner-draw, commands and page switching.
#include <windows.h>

#include "common/installer_state.h"
#include "app/install_folder.h"
#include "app/licence_pages.h"
#include "app/wizard_dialog.h"
#include "app/wizard_pages.h"
#include "bitmap_text/directory_chooser.h"
#include "bitmap_text/owner_draw.h"
#include "common/bounded_path.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/wide_paths.h"
#include "install/installation_run.h"
#include "resources/resource_ids.h"

namespace {

constexpr DWORD kLeastInstallMs = 5000;

void ShowControl(HWND dialog, int id, bool show) {
  HWND control = GetDlgItem(dialog, id);
  if (control != nullptr) ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

void SubclassCheckBox(HWND dialog, int id) {
  HWND box = GetDlgItem(dialog, id);
  if (box == nullptr) return;
  WNDPROC previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CheckBoxSubclassProc)));
  if (previous != nullptr) SavedCheckBoxProc = previous;
}

void InitWizard(HWND dialog) {
  SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(WizardIcon));
  SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(WizardIcon));

  FindWindowsFolder();
  SetWindowTextA(dialog, "K7_Quorvane Install");
  ShowControl(dialog, IDC_SIDE_LABEL4, false);

  char path[kPathCapacity];
  if (DefaultInstallFolder(path)) SetDlgItemTextA(dialog, IDC_PATH, path);
  SendDlgItemMessageA(dialog, IDC_DESKTOP_ICON, BM_SETCHECK, BST_CHECKED, 0);
  ShowControl(dialog, IDC_BACK, false);
  EnableWindow(GetDlgItem(dialog, IDC_BACK), FALSE);

  HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
  for (int i = 0; i < kLanguageListEntries; ++i) {
    const LanguageEntry& entry = kLanguageTable[i];
    UINT insert = entry.id == ForceLanguage ? CB_INSERTSTRING : CB_ADDSTRING;
    LRESULT index = SendMessageA(list, insert, 0, reinterpret_cast<LPARAM>(entry.label));
    if (index >= 0) SendMessageA(list, CB_SETITEMDATA, index, entry.id);
  }
  SendMessageA(list, CB_SETCURSEL, 0, 0);
  // The closed field shows the selected item as the list does, whole glyphs and all: set its
  // height (-1) to the item height once more, now that the dialog font is in. The field took
  // that height from WM_MEASUREITEM when the control was made, but Wine's combo box sizes it
  // for the font again on WM_SETFONT, which comes later, and a field sized for the 8-point
  // dialog font cuts off the bottom rows of the 16-pixel glyphs.
  SendMessageA(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kListItemHeight);

  SubclassCheckBox(dialog, IDC_DESKTOP_ICON);
  SubclassCheckBox(dialog, IDC_TEST_ANSWER1);
  SubclassCheckBox(dialog, IDC_TEST_ANSWER2);
}

// The wizard's choices: the desktop box and the selected language entry.
void ReadChoices(HWND dialog) {
  WantDesktopIcon =
      SendDlgItemMessageA(dialog, IDC_DESKTOP_ICON, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  HWND list = GetDlgItem(dialog, IDC_LANGUAGE_LIST);
  LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
  LRESULT id = index >= 0 ? SendMessageA(list, CB_GETITEMDATA, index, 0) : CB_ERR;
  ForceLanguage = id != CB_ERR ? static_cast<int>(id) : kUiEnglish;
}

// Hidden before the run: Next, Back, Cancel and the empty label.
constexpr int kHiddenForTheRun[] = {IDC_NEXT, IDC_BACK, IDCANCEL, IDC_EMPTY_LABEL};

// Hides the buttons of the pages, each repainted at once, before the run.
void HideButtons(HWND dialog) {
  for (int id : kHiddenForTheRun) {
    ShowControl(dialog, id, false);
    UpdateWindow(GetDlgItem(dialog, id));
  }
  UpdateWindow(dialog);
}

// The wait cursor, with the pointer brought over the wizard so that the user sees it.
void ShowWaitCursor(HWND dialog) {
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  RECT window;
  POINT pointer;
  if (!GetWindowRect(dialog, &window) || !GetCursorPos(&pointer)) return;
  const bool inside = pointer.x >= window.left && pointer.x < window.right &&
                      pointer.y >= window.top && pointer.y < window.bottom;
  if (!inside)
    SetCursorPos(window.left + (window.right - window.left) / 2,
                 window.top + (window.bottom - window.top) / 2);
}

// Takes the path box's folder into InstallDir (TakeGivenFolder, with its notice), as the user typed
// it: wide on the NT platform, where an input method can type what the ANSI code page cannot
// spell.
bool ReadPathBox(HWND dialog) {
  WidePath typed;
  char ansi[kPathCapacity];
  // An empty box, or one that cannot be read, is no folder.
  if (!ReadWide<user32::GetDlgItemTextW>(
          typed,
          [&](auto call, WidePath& out) {
            call(dialog, IDC_PATH, out, kPathCapacity);
            return out;
          },
          [&] { return GetDlgItemTextA(dialog, IDC_PATH, ansi, sizeof ansi) != 0 ? ansi : nullptr; }))
    typed[0] = 0;
  return TakeGivenFolder(typed);
}

// Next on the last page: the target folder, the choices, the run, at least five seconds after
// the start, the outcome, and the end of the wizard.
void StartInstallation(HWND dialog) {
  // A damaged Installer cannot install: after its notice the wizard ends, nothing made.
  if (!CheckInstallerFile()) {
    WizardState = kWizardFinished;
    return;
  }
  if (!ReadPathBox(dialog) || !CreateInstallFolder()) {
    // Back on the language page with every button there: the user can go back to the folder
    // page, correct the path and install.
    WizardState = kWizardLanguagePage;
    ShowWizardPage(dialog, kWizardLanguagePage);
    return;
  }
  ReadChoices(dialog);
  HideButtons(dialog);
  DWORD start = GetTickCount();
  ShowWaitCursor(dialog);
  bool installed = RunInstallation();
  // The user sees the progress for at least five seconds, however fast the disk. Counted in
  // milliseconds: whole seconds of the wall clock would allow as little as four.
  while (GetTickCount() - start < kLeastInstallMs) Sleep(50);
  Notify(installed ? kMsgInstallSucceeded : kMsgInstallFailed, dialog);
  WizardState = kWizardFinished;
}

// Next and Back; Next on the last page starts the installation.
void Navigate(HWND dialog, const WizardTransition& step) {
  if (step.page < 0) return;
  if (step.checkEnglishBox)
    SendDlgItemMessageA(dialog, IDC_LICENCE_ENGLISH_BOX, BM_SETCHECK, BST_CHECKED, 0);
  if (step.startInstallation) {
    ShowWizardPage(dialog, step.page);
    WizardState = step.newState;
    StartInstallation(dialog);
    return;
  }
  WizardState = step.newState;
  ShowWizardPage(dialog, step.page);
}

void OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDC_NEXT:
      Navigate(dialog, NextTransition(WizardState));
      break;
    case IDC_BACK:
      Navigate(dialog, BackTransition(WizardState));
      break;
    case IDCANCEL:
      WizardState = kWizardFinished;
      break;
    case IDC_BROWSE:
      DirectoryChooser(dialog);
      break;
    case IDC_DESKTOP_ICON:
      InvalidateRect(GetDlgItem(dialog, IDC_DESKTOP_ICON), nullptr, TRUE);
      break;
    case IDC_LICENCE_ENGLISH_BOX:
      // The box notifies focus changes too: the one it sends when Next hides it with the focus
      // on it must not bring the licence page back over the next page.
      if (WizardState == kWizardLicencePage) ShowWizardPage(dialog, kWizardLicencePage);
      break;
    default:
      break;  // among them 1, the dialog manager's own answer to Enter
  }
}

}  // namespace

void ShowWizardPage(HWND dialog, int page) {
  for (int row = 0; kPageControls[row][0] != 0; ++row)
    for (int i = 0; i < kPageControlSlots && kPageControls[row][i] != 0; ++i)
      ShowControl(dialog, kPageControls[row][i], row == page);
  // The licence texts, on the first visit of their page; a failed load ends the page switch.
  if (page == kWizardLicencePage && !LicenceTextsLoaded && !LoadLicenceTexts(dialog)) return;

  ShowControl(dialog, IDC_LICENCE_CHINESE, false);
  ShowControl(dialog, IDC_LICENCE_ENGLISH, false);
  if (page == kWizardLicencePage) {
    bool english =
        SendDlgItemMessageA(dialog, IDC_LICENCE_ENGLISH_BOX, BM_GETCHECK, 0, 0) == BST_CHECKED;
    ShowControl(dialog, english ? IDC_LICENCE_ENGLISH : IDC_LICENCE_CHINESE, true);
  }
  // On the pages only: the installation keeps its buttons hidden.
  if (WizardState >= kWizardFolderPage && WizardState < kWizardInstalling) {
    ShowControl(dialog, IDC_BACK, page != kWizardFolderPage);
    EnableWindow(GetDlgItem(dialog, IDC_BACK), page != kWizardFolderPage);
  }
  InvalidateRect(dialog, nullptr, TRUE);
  UpdateWindow(dialog);
}

INT_PTR CALLBACK WizardDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitWizard(dialog);
      return TRUE;
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (wParam != IDC_LICENCE_CHINESE && wParam != IDC_LANGUAGE_LIST) return FALSE;
      item->itemWidth = kListItemWidth;
      item->itemHeight = kListItemHeight;
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (wParam == IDC_LICENCE_CHINESE || wParam == IDC_LANGUAGE_LIST)
        PaintListItem(dialog, static_cast<int>(wParam), item);
      else
        PaintOwnerDrawButton(item);
      return TRUE;
    }
    case WM_COMMAND:
      // A double-click on an owner-drawn button reports its second click as BN_DOUBLECLICKED
      // after the BN_CLICKED of its first: the button acts once.
      if (HIWORD(wParam) != BN_DOUBLECLICKED) OnCommand(dialog, LOWORD(wParam));
      return FALSE;
  }
  return FALSE;
}
