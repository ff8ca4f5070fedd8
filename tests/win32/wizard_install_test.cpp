// The whole wizard under Wine, driven through its window as a user would: folder, licence in both
// languages, language, installation, outcome; then the installed product on disk and in the
// shell. Runs under an English, a Simplified-Chinese and a Traditional-Chinese system.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "canvas.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "installed_product.h"
#include "installer_driver.h"
#include "resources/resource_ids.h"
#include "test_files.h"

namespace {

constexpr const char* kWizardTitle = "K7_Quorvane Install";
constexpr const char* kMessageTitle = "Quorvane Install Message";

// A folder name of this system's code page whose last character's second byte is 0x5C, the
// byte of "\": 誠 (D5 5C) in GBK, 功 (A5 5C) in Big5.
std::string FolderNameForThisSystem() {
  if (SystemLanguage == kUiChineseSimplified) return "K7 \xD5\x5C";
  if (SystemLanguage == kUiChineseTraditional) return "K7 \xA5\x5C";
  return "K7 Wizard";
}

bool WaitFor(bool (*condition)(HWND), HWND wizard, DWORD timeoutMs = 5000) {
  for (DWORD start = GetTickCount(); !condition(wizard); Sleep(50))
    if (GetTickCount() - start > timeoutMs) return false;
  return true;
}

// Back appears last, once the page's controls were shown and hidden.
bool OnLicencePage(HWND w) {
  return IsVisibleControl(w, IDC_LICENCE_ENGLISH_BOX) && IsVisibleControl(w, IDC_BACK);
}
bool OnLanguagePage(HWND w) {
  return IsVisibleControl(w, IDC_LANGUAGE_LIST) && IsVisibleControl(w, IDC_BACK);
}
bool OnFolderPage(HWND w) { return IsVisibleControl(w, IDC_PATH); }

// The screen rectangle of `window` (and of `over` on top of it), saved as
// K7_SCREENSHOT_DIR\<name>.bmp on an English system (the pictures of the README, compared with
// docs/ after the tests).
std::unique_ptr<Canvas> Screenshot(HWND window, const char* name, HWND over = nullptr) {
  RepaintNow(window);
  RECT r, top;
  GetWindowRect(window, &r);
  if (over != nullptr) {
    RepaintNow(over);
    GetWindowRect(over, &top);
    UnionRect(&r, &r, &top);
  }
  std::unique_ptr<Canvas> shot =
      Canvas::FromScreen(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (SystemLanguage == kUiEnglish && getenv("K7_TEST_WINDOWS_VERSION") == nullptr) {
    EXPECT_TRUE(shot->SaveBmp(std::string(K7_SCREENSHOT_DIR) + "\\" + name + ".bmp")) << name;
  }
  return shot;
}

// A folder at a fixed place, so that the pictures show the same path on every run.
class FixedFolder {
 public:
  FixedFolder() { CreateDirectoryA(kPath, nullptr); }
  ~FixedFolder() { RemoveTree(kPath); }
  FixedFolder(const FixedFolder&) = delete;
  FixedFolder& operator=(const FixedFolder&) = delete;
  std::string operator/(const std::string& name) const { return std::string(kPath) + "\\" + name; }
  static constexpr const char* kPath = "C:\\K7 Pictures";
};

void PressNext(HWND wizard) { PostMessageA(wizard, WM_COMMAND, IDC_NEXT, 0); }

// With K7_TEST_WINDOWS_VERSION set (win95, nt40, winxp, ...), Wine tells the Installer alone
// that it runs on that Windows, through the application defaults of its file name.
class WindowsVersionForTheInstaller {
 public:
  WindowsVersionForTheInstaller() {
    const char* version = getenv("K7_TEST_WINDOWS_VERSION");
    if (version == nullptr || *version == '\0') return;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS)
      return;
    RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>(strlen(version) + 1));
  }
  ~WindowsVersionForTheInstaller() {
    if (key_ == nullptr) return;
    RegCloseKey(key_);
    RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
  }
  WindowsVersionForTheInstaller(const WindowsVersionForTheInstaller&) = delete;
  WindowsVersionForTheInstaller& operator=(const WindowsVersionForTheInstaller&) = delete;

 private:
  static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\K7_Quorvane_Setup.exe";
  HKEY key_ = nullptr;
};

TEST(Wizard, InstallsThroughEveryPage) {
  WindowsVersionForTheInstaller version;
  FixedFolder dir;
  ProductShellEntries shell;
  const std::string target = dir / FolderNameForThisSystem();
  InstallerRun run(K7_INSTALLER_EXE);
  HWND wizard = run.WaitForWindow(kWizardTitle, 20000);
  ASSERT_NE(wizard, nullptr);
  SetDlgItemTextA(wizard, IDC_PATH, target.c_str());
  SendDlgItemMessageA(wizard, IDC_PATH, EM_SETSEL, 0, 0);
  Screenshot(wizard, "wizard_folder");

  // The licence: English first, the Chinese list once the box is cleared.
  PressNext(wizard);
  ASSERT_TRUE(WaitFor(OnLicencePage, wizard));
  EXPECT_TRUE(IsVisibleControl(wizard, IDC_LICENCE_ENGLISH));
  EXPECT_FALSE(IsVisibleControl(wizard, IDC_LICENCE_CHINESE));
  const std::string english = SampleFile("License_en.txt");
  EXPECT_EQ(ControlText(wizard, IDC_LICENCE_ENGLISH), english);
  Screenshot(wizard, "wizard_licence_english");
  SendDlgItemMessageA(wizard, IDC_LICENCE_ENGLISH_BOX, BM_CLICK, 0, 0);
  EXPECT_TRUE(IsVisibleControl(wizard, IDC_LICENCE_CHINESE));
  EXPECT_FALSE(IsVisibleControl(wizard, IDC_LICENCE_ENGLISH));
  const std::string chinese = SampleFile("License_cn.txt");
  int crLines = 0;
  for (char c : chinese) crLines += c == '\r';
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LICENCE_CHINESE, LB_GETCOUNT, 0, 0), crLines);
  std::unique_ptr<Canvas> licence = Screenshot(wizard, "wizard_licence_chinese");
  // The first line's first character is drawn from the glyph sheets, black on the window colour.
  RECT window, item;
  GetWindowRect(wizard, &window);
  HWND list = GetDlgItem(wizard, IDC_LICENCE_CHINESE);
  SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  POINT origin = {item.left + 2, item.top + 2};  // the list painter's inset
  ClientToScreen(list, &origin);
  const int x0 = origin.x - window.left, y0 = origin.y - window.top;
  const uint16_t code = static_cast<uint16_t>(static_cast<unsigned char>(chinese[0]) << 8 |
                                              static_cast<unsigned char>(chinese[1]));
  ASSERT_GE(static_cast<unsigned char>(chinese[0]), 0xA1u) << "the licence starts with Chinese";
  int ink = 0, inkOnScreen = 0, inkElsewhere = 0;
  for (int dy = 0; dy < 16; ++dy)
    for (int dx = 0; dx < 16; ++dx) {
      ink += GlyphInk(code, dx, dy);
      bool black = licence->At(x0 + dx, y0 + dy) == RGB(0, 0, 0);
      (GlyphInk(code, dx, dy) ? inkOnScreen : inkElsewhere) += black;
    }
  EXPECT_GT(ink, 20);
  EXPECT_EQ(inkOnScreen, ink);
  EXPECT_EQ(inkElsewhere, 0);
  // Back and forth: the box swaps the texts without loading them again.
  SendDlgItemMessageA(wizard, IDC_LICENCE_ENGLISH_BOX, BM_CLICK, 0, 0);
  SendDlgItemMessageA(wizard, IDC_LICENCE_ENGLISH_BOX, BM_CLICK, 0, 0);
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LICENCE_CHINESE, LB_GETCOUNT, 0, 0), crLines);

  // The language page: English and Simplified Chinese, English selected.
  PressNext(wizard);
  ASSERT_TRUE(WaitFor(OnLanguagePage, wizard));
  for (int id : {IDC_LICENCE_ENGLISH_BOX, IDC_LICENCE_CHINESE, IDC_LICENCE_ENGLISH})
    EXPECT_FALSE(IsVisibleControl(wizard, id)) << id;
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LANGUAGE_LIST, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LANGUAGE_LIST, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LANGUAGE_LIST, CB_GETITEMDATA, 0, 0), kUiEnglish);
  Screenshot(wizard, "wizard_language");

  // Install: the outcome comes no sooner than five seconds after the start.
  DWORD start = GetTickCount();
  PressNext(wizard);
  HWND message = run.WaitForWindow(kMessageTitle, 60000);
  ASSERT_NE(message, nullptr);
  EXPECT_GE(GetTickCount() - start, 5000u);
  EXPECT_FALSE(IsVisibleControl(wizard, IDC_NEXT));
  EXPECT_TRUE(IsVisibleControl(wizard, IDC_PROGRESS));
  EXPECT_TRUE(IsVisibleControl(wizard, IDC_LANGUAGE_LIST));
  EXPECT_FALSE(IsVisibleControl(wizard, IDC_LICENCE_CHINESE));
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_PROGRESS, PBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(ControlText(message, IDC_MESSAGE_CHINESE), kMsgInstallSucceeded.chinese);
  Screenshot(wizard, "wizard_installed", message);
  PostMessageA(message, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(run.WaitForExit(10000), 0);

  // The product: files, folder "doc", configuration, links to the installed program.
  ExpectInstalled(target);
  EXPECT_NE(Attributes(target + "\\doc") & FILE_ATTRIBUTE_DIRECTORY, 0u);
  std::string ini = ReadBytes(target + "\\velmarui.ini");
  EXPECT_NE(ini.find("UseBmpFont=1"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ForceLanguage=0"), std::string::npos) << ini;
  LinkContents program, uninstaller, desktop;
  ASSERT_TRUE(ReadLink(shell.programLink(), &program));
  ASSERT_TRUE(ReadLink(shell.uninstallerLink(), &uninstaller));
  ASSERT_TRUE(ReadLink(shell.desktopLink(), &desktop));
  EXPECT_EQ(program.target, target + "\\K7.exe");
  EXPECT_EQ(uninstaller.target, target + "\\K7UnInstall.exe");
  EXPECT_EQ(desktop.target, target + "\\K7.exe");
  EXPECT_EQ(CountEntries(shell.group()), 2);
}

// A folder that cannot be made (two levels at once, or too long to hold the product's files)
// gives the folder message and leaves the user on the language page, from where Back leads to
// the folder to correct; then the installation goes through.
TEST(Wizard, AFolderThatCannotBeMadeCanBeCorrected) {
  FixedFolder dir;
  ProductShellEntries shell;
  InstallerRun run(K7_INSTALLER_EXE);
  HWND wizard = run.WaitForWindow(kWizardTitle, 20000);
  ASSERT_NE(wizard, nullptr);
  const std::string tooLong = dir / std::string(240 - strlen(FixedFolder::kPath), 'x');
  for (const std::string& wrong : {dir / "two\\levels", tooLong}) {
    SetDlgItemTextA(wizard, IDC_PATH, wrong.c_str());
    PressNext(wizard);
    PressNext(wizard);
    ASSERT_TRUE(WaitFor(OnLanguagePage, wizard));
    PressNext(wizard);
    HWND message = run.WaitForWindow(kMessageTitle, 10000);
    ASSERT_NE(message, nullptr) << wrong;
    EXPECT_EQ(ControlText(message, IDC_MESSAGE_CHINESE), kMsgCannotCreateTarget.chinese);
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor(OnLanguagePage, wizard));
    for (int id : {IDC_BACK, IDC_NEXT, IDCANCEL}) EXPECT_TRUE(IsVisibleControl(wizard, id)) << id;
    EXPECT_EQ(CountEntries(FixedFolder::kPath), 0) << "nothing was created";
    PostMessageA(wizard, WM_COMMAND, IDC_BACK, 0);
    PostMessageA(wizard, WM_COMMAND, IDC_BACK, 0);
    ASSERT_TRUE(WaitFor(OnFolderPage, wizard));
  }
  const std::string target = dir / "corrected";
  SetDlgItemTextA(wizard, IDC_PATH, target.c_str());
  for (int page = 0; page < 3; ++page) {
    PressNext(wizard);
    Sleep(300);
  }
  HWND message = run.WaitForWindow(kMessageTitle, 60000);
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(ControlText(message, IDC_MESSAGE_CHINESE), kMsgInstallSucceeded.chinese);
  PostMessageA(message, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(run.WaitForExit(10000), 0);
  ExpectInstalled(target);
}

// Cancel on the folder, licence and language pages ends the run with nothing on disk.
TEST(Wizard, CancelOnAnyPageLeavesNothing) {
  ScratchInstallDir dir;
  const std::string target = dir / "never made";
  bool (*pages[])(HWND) = {OnFolderPage, OnLicencePage, OnLanguagePage};
  for (int page = 0; page < 3; ++page) {
    InstallerRun run(K7_INSTALLER_EXE);
    HWND wizard = run.WaitForWindow(kWizardTitle, 20000);
    ASSERT_NE(wizard, nullptr);
    SetDlgItemTextA(wizard, IDC_PATH, target.c_str());
    for (int next = 0; next < page; ++next) PressNext(wizard);
    EXPECT_TRUE(WaitFor(pages[page], wizard)) << page;
    PostMessageA(wizard, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(run.WaitForExit(10000), 0) << page;
    EXPECT_EQ(CountEntries(dir.path()), 0) << page;
  }
}

}  // namespace
