// The whole wizard under Wine, driven through its window as a user would: folder, licence in both
// languages, language, installation, outcome; then the installed product on disk and in the
// shell. Runs under an English, a Simplified-Chinese and a Traditional-Chinese system, and on
// every Windows generation as Wine tells it to the Installer, there with the mouse and keyboard.
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
#include "user_input.h"

namespace {

constexpr const char* kWizardTitle = "K7_Quorvane Install";
constexpr const char* kMessageTitle = "Quorvane Install Message";
// A folder at a fixed place, so that the pictures show the same path on every run.
constexpr const char* kPicturesFolder = "C:\\K7 Pictures";

// A folder name of this system's code page whose last character's second byte is 0x5C, the
// byte of "\": 誠 (D5 5C) in GBK, 功 (A5 5C) in Big5.
std::string FolderNameForThisSystem() {
  if (SystemLanguage == kUiChineseSimplified) return "K7 \xD5\x5C";
  if (SystemLanguage == kUiChineseTraditional) return "K7 \xA5\x5C";
  return "K7 Wizard";
}

bool WaitFor(bool (*condition)(HWND), HWND wizard) {
  return WaitUntil([&] { return condition(wizard); });
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

void PressNext(HWND wizard) { PostMessageA(wizard, WM_COMMAND, IDC_NEXT, 0); }

// The number of places inside `area` of `shot` where the glyph of GBK code `code` shows whole:
// a 16x16 cell whose pixels are one colour on every ink pixel of the glyph sheets and another
// colour everywhere else (black on white, or the selection's colours).
int WholeGlyphsShown(const Canvas& shot, RECT area, uint16_t code) {
  POINT someInk = {-1, -1};
  for (int dy = 0; dy < 16; ++dy)
    for (int dx = 0; dx < 16; ++dx)
      if (GlyphInk(code, dx, dy)) someInk = {dx, dy};
  if (someInk.x < 0) return 0;
  int found = 0;
  for (int y = area.top; y + 16 <= area.bottom; ++y)
    for (int x = area.left; x + 16 <= area.right; ++x) {
      const COLORREF inkColour = shot.At(x + someInk.x, y + someInk.y);
      found += inkColour != CLR_INVALID && MatchGlyphCell(shot, x, y, code, inkColour).wrong == 0;
    }
  return found;
}

// The Windows version this run tells the Installer, or null for Wine's own.
const char* TestedWindowsVersion() {
  const char* version = getenv("K7_TEST_WINDOWS_VERSION");
  return version != nullptr && *version != '\0' ? version : nullptr;
}

// The folders the product's shell entries go to on the tested system: on Windows NT 3.51 (major
// version 3) {Windows}\profiles\{user}\start menu\programs and ...\Desktop, which the test
// makes first (the Installer makes only its group, one level); elsewhere the shell's own.
class TestedShellFolders {
 public:
  TestedShellFolders() {
    const char* version = TestedWindowsVersion();
    if (version == nullptr || strcmp(version, "nt351") != 0) return;
    char windows[MAX_PATH], user[256];
    DWORD userSize = sizeof user;
    GetWindowsDirectoryA(windows, sizeof windows);
    GetUserNameA(user, &userSize);
    profile_ = std::string(windows) + "\\profiles";
    const std::string home = profile_ + "\\" + user;
    const std::string programs = home + "\\start menu\\programs", desktop = home + "\\Desktop";
    for (const std::string& folder : {profile_, home, home + "\\start menu", programs, desktop})
      CreateDirectoryA(folder.c_str(), nullptr);
    legacy_.reset(new ProductShellEntries(programs, desktop));
  }
  ~TestedShellFolders() {
    legacy_.reset();
    if (!profile_.empty()) RemoveTree(profile_);
  }
  TestedShellFolders(const TestedShellFolders&) = delete;
  TestedShellFolders& operator=(const TestedShellFolders&) = delete;

  const ProductShellEntries& entries() const { return legacy_ ? *legacy_ : shell_; }

 private:
  ProductShellEntries shell_;
  std::string profile_;
  std::unique_ptr<ProductShellEntries> legacy_;
};

// The wizard's focused control, read from its thread.
HWND FocusOf(HWND wizard) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(wizard, nullptr), &info);
  return info.hwndFocus;
}

// An English or Chinese system goes through the pages with posted commands and the defaults,
// and takes README's pictures. On the Windows generations the user goes with the mouse and the
// keyboard, with their double-clicks and repeating keys, and makes the other choices: an
// existing folder, no desktop link, Chinese for the product.
TEST(Wizard, InstallsThroughEveryPage) {
  // With K7_TEST_WINDOWS_VERSION set (win95, nt40, winxp, ...), Wine tells the Installer alone
  // that it runs on that Windows.
  WindowsVersionFor version("K7_Quorvane_Setup.exe", TestedWindowsVersion());
  const bool byHand = TestedWindowsVersion() != nullptr;
  FixedFolder dir(kPicturesFolder);
  TestedShellFolders folders;
  const ProductShellEntries& shell = folders.entries();
  const std::string target = dir / FolderNameForThisSystem();
  // An existing folder is used as it is; by hand, it holds an earlier word base, whose question
  // a held Enter must not answer.
  if (byHand) {
    ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
    WriteBytes(target + "\\CiZuFlat.igb", "an earlier word base");
    WriteBytes(target + "\\pycizudic.idx", "\x80 its index");
  }
  InstallerRun run(K7_INSTALLER_EXE);
  HWND wizard = run.WaitForWindow(kWizardTitle, 20000);
  ASSERT_NE(wizard, nullptr);
  SetDlgItemTextA(wizard, IDC_PATH, target.c_str());
  SendDlgItemMessageA(wizard, IDC_PATH, EM_SETSEL, 0, 0);
  Screenshot(wizard, "wizard_folder");

  // The licence: English first, the Chinese list once the box is cleared. A double-click on Next
  // goes one page, not two.
  if (byHand) {
    ASSERT_TRUE(BringToFront(wizard));
    ClickWithMouse(GetDlgItem(wizard, IDC_DESKTOP_ICON), 1);
    EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_DESKTOP_ICON, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ClickWithMouse(GetDlgItem(wizard, IDC_NEXT), 2);
  } else {
    PressNext(wizard);
  }
  ASSERT_TRUE(WaitFor(OnLicencePage, wizard));
  Sleep(500);
  EXPECT_TRUE(OnLicencePage(wizard)) << "one press, one page";
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
  ASSERT_GE(static_cast<unsigned char>(chinese[0]), 0xA1u) << "the licence starts with Chinese";
  // Black exactly on the glyph's ink, whatever the paper.
  const GlyphCellMatch cell =
      MatchGlyphCell(*licence, x0, y0, GbkCodeAt(chinese.c_str()), RGB(0, 0, 0));
  EXPECT_GT(cell.ink, 20);
  EXPECT_EQ(cell.wrong, 0);
  // Back and forth: the box swaps the texts without loading them again.
  SendDlgItemMessageA(wizard, IDC_LICENCE_ENGLISH_BOX, BM_CLICK, 0, 0);
  SendDlgItemMessageA(wizard, IDC_LICENCE_ENGLISH_BOX, BM_CLICK, 0, 0);
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LICENCE_CHINESE, LB_GETCOUNT, 0, 0), crLines);

  // The language page: English and Simplified Chinese, English selected. A held Enter presses
  // Next once: the installation does not start.
  if (byHand) {
    HoldKey(VK_RETURN, 6);
  } else {
    PressNext(wizard);
  }
  ASSERT_TRUE(WaitFor(OnLanguagePage, wizard));
  Sleep(500);
  EXPECT_TRUE(IsVisibleControl(wizard, IDC_NEXT)) << "the held key started the installation";
  for (int id : {IDC_LICENCE_ENGLISH_BOX, IDC_LICENCE_CHINESE, IDC_LICENCE_ENGLISH})
    EXPECT_FALSE(IsVisibleControl(wizard, id)) << id;
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LANGUAGE_LIST, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LANGUAGE_LIST, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LANGUAGE_LIST, CB_GETITEMDATA, 0, 0), kUiEnglish);
  std::unique_ptr<Canvas> language = Screenshot(wizard, "wizard_language");
  // The closed field shows the selected item's first Chinese character whole, not cut short.
  const std::string selected = ControlText(wizard, IDC_LANGUAGE_LIST);
  size_t hanzi = 0;
  while (hanzi < selected.size() && static_cast<unsigned char>(selected[hanzi]) < 0x81) ++hanzi;
  ASSERT_LT(hanzi + 1, selected.size()) << selected;
  HWND combo = GetDlgItem(wizard, IDC_LANGUAGE_LIST);
  RECT field;
  GetClientRect(combo, &field);
  MapWindowPoints(combo, nullptr, reinterpret_cast<POINT*>(&field), 2);
  GetWindowRect(wizard, &window);
  OffsetRect(&field, -window.left, -window.top);
  const uint16_t first = GbkCodeAt(&selected[hanzi]);
  EXPECT_EQ(WholeGlyphsShown(*language, field, first), 1)
      << "closed field " << field.bottom - field.top << " pixels high";

  // Install: the outcome comes no sooner than five seconds after the start. By hand: the
  // keyboard's way back to the list, Chinese chosen with the arrow key, Enter held on the list:
  // its first press installs, its repeats leave the word-base question open for the user.
  DWORD start = GetTickCount();
  if (byHand) {
    PressKey(VK_TAB, VK_SHIFT);
    EXPECT_EQ(FocusOf(wizard), GetDlgItem(wizard, IDC_LANGUAGE_LIST));
    PressKey(VK_DOWN);
    EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LANGUAGE_LIST, CB_GETCURSEL, 0, 0), 1);
    start = GetTickCount();
    HoldKey(VK_RETURN, 6);
    HWND question = run.WaitForWindow(kMessageTitle, 20000);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(ControlText(question, IDC_MESSAGE_CHINESE), kMsgReplaceWordBase.chinese);
    Sleep(1000);
    ASSERT_TRUE(IsWindow(question)) << "the held key answered the question";
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
  } else {
    PressNext(wizard);
  }
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

  // The product: files, folder "doc" (made with a new folder only), configuration, links to
  // the installed program in the system's folders (the desktop's only when wanted).
  ExpectInstalled(target);
  EXPECT_EQ(FileExists(target + "\\doc"), !byHand);
  std::string ini = ReadBytes(target + "\\velmarui.ini");
  EXPECT_NE(ini.find("UseBmpFont=1"), std::string::npos) << ini;
  EXPECT_NE(ini.find(byHand ? "ForceLanguage=1" : "ForceLanguage=0"), std::string::npos) << ini;
  LinkContents program, uninstaller, desktop;
  ASSERT_TRUE(ReadLink(shell.programLink(), &program));
  ASSERT_TRUE(ReadLink(shell.uninstallerLink(), &uninstaller));
  EXPECT_EQ(program.target, target + "\\K7.exe");
  EXPECT_EQ(uninstaller.target, target + "\\K7UnInstall.exe");
  EXPECT_EQ(CountEntries(shell.group()), 2);
  EXPECT_EQ(ReadLink(shell.desktopLink(), &desktop), !byHand);
  if (!byHand) {
    EXPECT_EQ(desktop.target, target + "\\K7.exe");
  }
}

// A folder that cannot be made (two levels at once) gives the folder message; one too long to
// hold the product's files, whether it exists or not, says so. Either leaves the user on the
// language page, from where Back leads to the folder to correct; then the installation goes
// through.
TEST(Wizard, AFolderThatCannotBeMadeCanBeCorrected) {
  FixedFolder dir(kPicturesFolder);
  ProductShellEntries shell;
  InstallerRun run(K7_INSTALLER_EXE);
  HWND wizard = run.WaitForWindow(kWizardTitle, 20000);
  ASSERT_NE(wizard, nullptr);
  // 226 characters: one more than the longest file name leaves room for.
  const std::string existingTooLong = dir / std::string(226 - strlen(kPicturesFolder) - 1, 'e');
  ASSERT_TRUE(CreateDirectoryA(existingTooLong.c_str(), nullptr));
  const struct {
    std::string folder;
    const char* told;
  } wrongs[] = {{dir / "two\\levels", kMsgCannotCreateTarget.chinese},
                {dir / std::string(240 - strlen(kPicturesFolder), 'x'), kMsgPathTooLong.chinese},
                {existingTooLong, kMsgPathTooLong.chinese}};
  for (const auto& wrong : wrongs) {
    SetDlgItemTextA(wizard, IDC_PATH, wrong.folder.c_str());
    PressNext(wizard);
    PressNext(wizard);
    ASSERT_TRUE(WaitFor(OnLanguagePage, wizard));
    PressNext(wizard);
    HWND message = run.WaitForWindow(kMessageTitle, 10000);
    ASSERT_NE(message, nullptr) << wrong.folder;
    EXPECT_EQ(ControlText(message, IDC_MESSAGE_CHINESE), wrong.told) << wrong.folder;
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor(OnLanguagePage, wizard));
    for (int id : {IDC_BACK, IDC_NEXT, IDCANCEL}) EXPECT_TRUE(IsVisibleControl(wizard, id)) << id;
    EXPECT_EQ(CountEntries(kPicturesFolder), 1) << "nothing was created";
    EXPECT_EQ(CountEntries(existingTooLong), 0) << "nothing was created";
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
