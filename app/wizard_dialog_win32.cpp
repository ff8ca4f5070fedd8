// The wizard window (template 101): initialisation, owner-draw, commands and page switching.
#include <windows.h>

#include "common/installer_state.h"
#include "app/wizard_dialog.h"
#include "app/wizard_pages.h"
#include "bitmap_text/owner_draw.h"
#include "common/bounded_path.h"
#include "resources/resource_ids.h"

namespace {

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

  UINT length = GetWindowsDirectoryA(WindowsFolder, sizeof WindowsFolder);
  if (length == 0 || length >= sizeof WindowsFolder) WindowsFolder[0] = '\0';
  length = lstrlenA(WindowsFolder);
  if (length > 0 && WindowsFolder[length - 1] != '\\' && length + 1 < sizeof WindowsFolder) {
    WindowsFolder[length] = '\\';
    WindowsFolder[length + 1] = '\0';
  }
  SetWindowTextA(dialog, "K7_Quorvane Install");
  ShowControl(dialog, IDC_SIDE_LABEL4, false);

  char path[kPathCapacity];
  char drive = WindowsFolder[0] != '\0' ? WindowsFolder[0] : 'C';
  if (FormatBounded(path, sizeof path, "%c:\\%s", drive, InstallFolderName))
    SetDlgItemTextA(dialog, IDC_PATH, path);
  CheckDlgButton(dialog, IDC_DESKTOP_ICON, BST_CHECKED);
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

  SubclassCheckBox(dialog, IDC_DESKTOP_ICON);
  SubclassCheckBox(dialog, IDC_TEST_ANSWER1);
  SubclassCheckBox(dialog, IDC_TEST_ANSWER2);
}

// Next and Back. The installation itself starts from the last page once it exists; until then
// Next on that page stays there.
void Navigate(HWND dialog, const WizardTransition& step) {
  if (step.page < 0 || step.startInstallation) return;
  if (step.checkEnglishBox) CheckDlgButton(dialog, IDC_LICENCE_ENGLISH_BOX, BST_CHECKED);
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
    case IDC_DESKTOP_ICON:
      InvalidateRect(GetDlgItem(dialog, IDC_DESKTOP_ICON), nullptr, TRUE);
      break;
    case IDC_LICENCE_ENGLISH_BOX:
      ShowWizardPage(dialog, 2);
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

  ShowControl(dialog, IDC_LICENCE_CHINESE, false);
  ShowControl(dialog, IDC_LICENCE_ENGLISH, false);
  if (page == 2) {
    bool english = IsDlgButtonChecked(dialog, IDC_LICENCE_ENGLISH_BOX) == BST_CHECKED;
    ShowControl(dialog, english ? IDC_LICENCE_ENGLISH : IDC_LICENCE_CHINESE, true);
  }
  if (WizardState >= 0 && WizardState <= 98) {
    ShowControl(dialog, IDC_BACK, page != 0);
    EnableWindow(GetDlgItem(dialog, IDC_BACK), page != 0);
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
      OnCommand(dialog, LOWORD(wParam));
      return FALSE;
  }
  return FALSE;
}
