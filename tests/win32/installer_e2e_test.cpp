// The real Installer under Wine, driven from outside as a user would: window, keys, pixels, exit
// code.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include <cstdlib>
#include <cstring>
#include <string>

#include "bitmap_text/glyph_cell.h"
#include "common/inflate_span.h"
#include "common/scoped_handles.h"
#include "install/install_manifest.h"
#include "canvas.h"
#include "installer_driver.h"
#include "resources/resource_ids.h"
#include "test_files.h"
#include "version.h"

namespace {

constexpr const char* kWizardTitle = "K7_Quorvane Install";
constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;

// Started with the wizard on screen; the test fails at once when it does not appear.
class WizardRun : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(run.started()) << K7_INSTALLER_EXE;
    wizard = run.WaitForWindow(kWizardTitle, kStartTimeoutMs);
    ASSERT_NE(wizard, nullptr) << "no window \"" << kWizardTitle << "\"";
    RepaintNow(wizard);
  }

  // Gives the keyboard focus to a control the way Tab would.
  void FocusControl(int id) {
    SendMessageA(wizard, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(wizard, id)), TRUE);
  }
  // A key press posted to the focused control, as the keyboard would deliver it (the kit's
  // PressKey goes through the system's input instead): a key-down with a repeat count of 1, then
  // the key-up, whose lParam also says the key was down (bit 30) and is being released (bit 31).
  void PostKeyPress(WPARAM key) {
    constexpr LPARAM kKeyDown = 1, kKeyUp = static_cast<LPARAM>(0xC0000001u);
    HWND target = GetDlgItem(wizard, focusedId);
    PostMessageA(target, WM_KEYDOWN, key, kKeyDown);
    PostMessageA(target, WM_KEYUP, key, kKeyUp);
  }
  bool WaitUntil(bool (*condition)(HWND)) {
    return ::WaitUntil([this, condition] { return condition(wizard); });
  }

  InstallerRun run{K7_INSTALLER_EXE};
  HWND wizard = nullptr;
  int focusedId = IDC_PATH;
};

bool LicencePageShown(HWND w) {
  return IsVisibleControl(w, IDC_LICENCE_ENGLISH_BOX) && !IsVisibleControl(w, IDC_PATH_LABEL);
}

TEST_F(WizardRun, OpensOnTheTargetFolderPage) {
  for (int id : {IDC_PATH, IDC_BROWSE, IDC_DESKTOP_ICON, IDC_PATH_LABEL, IDC_NEXT, IDCANCEL,
                 IDC_SIDE_LABEL1, IDC_SIDE_LABEL2, IDC_SIDE_LABEL3, IDC_PRODUCT_ICON})
    EXPECT_TRUE(IsVisibleControl(wizard, id)) << id;
  for (int id :
       {IDC_BACK, IDC_LICENCE_ENGLISH_BOX, IDC_LICENCE_CHINESE, IDC_LICENCE_ENGLISH,
        IDC_LANGUAGE_LABEL, IDC_LANGUAGE_LIST, IDC_PROGRESS, IDC_SIDE_LABEL4, IDC_TEST_FRAME})
    EXPECT_FALSE(IsVisibleControl(wizard, id)) << id;
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(wizard, IDC_BACK)));
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_DESKTOP_ICON, BM_GETCHECK, 0, 0), BST_CHECKED);
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  EXPECT_EQ(ControlText(wizard, IDC_PATH), std::string(1, windows[0]) + ":\\K7_Quorvane");
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LANGUAGE_LIST, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LANGUAGE_LIST, CB_GETITEMDATA, 0, 0), 0);
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LANGUAGE_LIST, CB_GETCURSEL, 0, 0), 0);

  RECT window;
  GetWindowRect(wizard, &window);
  std::unique_ptr<Canvas> shot = Canvas::FromScreen(
      window.left, window.top, window.right - window.left, window.bottom - window.top);
  EXPECT_TRUE(shot->SaveBmp(std::string(K7_SCREENSHOT_DIR) + "\\wizard_page0.bmp"));
}

// The side-panel label "安装程序" is drawn from the glyph sheets: every pixel of its four cells
// is ink (black) or the button face exactly where the sheet says.
TEST_F(WizardRun, CaptionsComeFromTheGlyphSheets) {
  ASSERT_EQ(GlyphSheetBytes().size(), static_cast<size_t>(kGlyphSheetBytes));
  RECT label = ScreenRectOf(wizard, IDC_SIDE_LABEL3);
  std::unique_ptr<Canvas> shot =
      Canvas::FromScreen(label.left, label.top, label.right - label.left, label.bottom - label.top);
  const int x0 = (label.right - label.left - 64) / 2;
  const int y0 = (label.bottom - label.top - 16) / 2;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const char text[] = "安装程序";
  int ink = 0, wrong = 0;
  for (int k = 0; k < 4; ++k) {
    const GlyphCellMatch match =
        MatchGlyphCell(*shot, x0 + 16 * k, y0, GbkCodeAt(text + 2 * k), RGB(0, 0, 0), face);
    ink += match.ink;
    wrong += match.wrong;
  }
  EXPECT_GT(ink, 100) << "the four characters carry ink";
  EXPECT_EQ(wrong, 0);
}

TEST_F(WizardRun, EnterInThePathFieldPressesNext) {
  focusedId = IDC_PATH;
  FocusControl(IDC_PATH);
  PostKeyPress(VK_RETURN);
  ASSERT_TRUE(WaitUntil(LicencePageShown));
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LICENCE_ENGLISH_BOX, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(IsVisibleControl(wizard, IDC_BACK));
  EXPECT_TRUE(run.running());
}

TEST_F(WizardRun, EnterOnTheDesktopBoxPressesNext) {
  focusedId = IDC_DESKTOP_ICON;
  FocusControl(IDC_DESKTOP_ICON);
  PostKeyPress(VK_RETURN);
  EXPECT_TRUE(WaitUntil(LicencePageShown));
}

TEST_F(WizardRun, EnterOnCancelEndsTheRun) {
  focusedId = IDCANCEL;
  FocusControl(IDCANCEL);
  PostKeyPress(VK_RETURN);
  EXPECT_EQ(run.WaitForExit(kExitTimeoutMs), 0);
}

TEST_F(WizardRun, EscapeEndsTheRunWithExitCodeZero) {
  PostKeyPress(VK_ESCAPE);
  EXPECT_EQ(run.WaitForExit(kExitTimeoutMs), 0);
}

TEST_F(WizardRun, TheCloseBoxEndsTheRunWithExitCodeZero) {
  PostMessageA(wizard, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(run.WaitForExit(kExitTimeoutMs), 0);
}

// Browse opens the directory chooser, titled as the Installer asks (the common dialog's own
// title would be "Open"); its OK puts the folder open in it, at first the Installer's current
// directory, with the product folder's name into the path field.
TEST_F(WizardRun, BrowseOpensTheChooserWhoseOkSetsThePathField) {
  PostMessageA(GetDlgItem(wizard, IDC_BROWSE), BM_CLICK, 0, 0);
  HWND chooser = run.WaitForWindow(K7_CHOOSER_TITLE, 5000);
  ASSERT_NE(chooser, nullptr) << "no directory chooser";
  PostMessageA(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
  char current[MAX_PATH];
  GetCurrentDirectoryA(sizeof current, current);  // the Installer's too: it inherits it
  const std::string expected = std::string(current) + "\\K7_Quorvane";
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(50))
    if (ControlText(wizard, IDC_PATH) == expected) break;
  EXPECT_EQ(ControlText(wizard, IDC_PATH), expected);
  EXPECT_FALSE(IsWindow(chooser));
}

BOOL CALLBACK CountTextResource(HMODULE, LPCSTR, LPSTR name, LONG_PTR count) {
  if (IS_INTRESOURCE(name)) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The shipped PE32 executable, read as a file (so also by the PE32+ twin of this test): a 32-bit
// Windows GUI program whose resource table holds 111 TEXT streams, every one a zlib stream marked
// as the smallest compression, every manifest row inflating to its payload file.
TEST(InstallerExecutable, IsAWindowsGuiProgramCarryingTheWholePayloadAsZlibStreams) {
  std::string file = ReadBytes(K7_SHIPPED_INSTALLER_EXE);
  ASSERT_GT(file.size(), 0x400u) << K7_SHIPPED_INSTALLER_EXE;
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file.data());
  ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
  ASSERT_LT(static_cast<size_t>(dos->e_lfanew), file.size() - sizeof(IMAGE_NT_HEADERS32));
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(file.data() + dos->e_lfanew);
  EXPECT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_EQ(nt->FileHeader.TimeDateStamp, 0u);  // deterministic link

  const LoadedModule module(
      LoadLibraryExA(K7_SHIPPED_INSTALLER_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(module.valid());
  HMODULE exe = module.get();
  int count = 0;
  EnumResourceNamesA(exe, "TEXT", CountTextResource, reinterpret_cast<LONG_PTR>(&count));
  EXPECT_EQ(count, 111);
  std::string buffer(kPayloadBufferCapacity, '\0');
  for (const ManifestRow& row : kInstallManifest) {
    HRSRC info = FindResourceA(exe, MAKEINTRESOURCEA(row.resourceId), "TEXT");
    ASSERT_NE(info, nullptr) << row.resourceId;
    auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(exe, info)));
    DWORD size = SizeofResource(exe, info);
    ASSERT_GE(size, 2u);
    EXPECT_TRUE(data[0] == 0x78 && data[1] == 0xDA) << row.resourceId;
    uint32_t length = 0;
    ASSERT_TRUE(InflateSpan(data, size, &buffer[0], buffer.size(), &length)) << row.resourceId;
    EXPECT_EQ(buffer.substr(0, length),
              ReadBytes(std::string(K7_SAMPLE_PAYLOAD_DIR) + "\\" + row.fileName))
        << row.fileName;
  }

  // Its version resource, as the file's Properties read it: the project's version.
  DWORD unused = 0;
  const DWORD infoSize = GetFileVersionInfoSizeA(K7_SHIPPED_INSTALLER_EXE, &unused);
  ASSERT_GT(infoSize, 0u);
  std::string info(infoSize, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(K7_SHIPPED_INSTALLER_EXE, 0, infoSize, &info[0]));
  auto value = [&info](const std::string& name) {
    void* found = nullptr;
    UINT length = 0;
    std::string path = "\\StringFileInfo\\040904B0\\" + name;
    return VerQueryValueA(&info[0], path.c_str(), &found, &length) && found != nullptr
               ? std::string(static_cast<const char*>(found))
               : std::string("(none)");
  };
  EXPECT_EQ(value("ProductName"), "K7_Quorvane");
  EXPECT_EQ(value("FileDescription"), "K7_Quorvane Installer");
  EXPECT_EQ(value("FileVersion"), K7_VERSION_TEXT);
  EXPECT_EQ(value("ProductVersion"), K7_VERSION_TEXT);
  EXPECT_NE(value("LegalCopyright").find("Copyright"), std::string::npos);
  void* fixed = nullptr;
  UINT fixedLength = 0;
  ASSERT_TRUE(VerQueryValueA(&info[0], "\\", &fixed, &fixedLength));
  auto* version = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  EXPECT_EQ(version->dwFileVersionMS,
            static_cast<DWORD>(MAKELONG(K7_VERSION_MINOR, K7_VERSION_MAJOR)));
  EXPECT_EQ(version->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, K7_VERSION_PATCH)));
  EXPECT_EQ(version->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(InstallerWithoutGlyphs, EndsWithExitCodeOneAndShowsNothing) {
  InstallerRun run(K7_INSTALLER_NO_GLYPHS_EXE);
  ASSERT_TRUE(run.started());
  EXPECT_EQ(run.WaitForWindow(kWizardTitle, 3000), nullptr);
  EXPECT_EQ(run.WaitForExit(kExitTimeoutMs), 1);
}

// A licence that loads only in part (the English text's stream is cut short, after the Chinese
// lines went into their list) is loaded again on the next visit, from the language page back,
// without its lines in the list twice.
TEST(InstallerWithCutEnglishLicence, ShowsTheChineseLinesOnceOnEveryVisit) {
  InstallerRun run(K7_INSTALLER_CUT_LICENCE_EXE);
  HWND wizard = run.WaitForWindow(kWizardTitle, kStartTimeoutMs);
  ASSERT_NE(wizard, nullptr);
  const std::string chinese = SampleFile("License_cn.txt");
  const LRESULT lines = std::count(chinese.begin(), chinese.end(), '\r');
  for (int command : {IDC_NEXT, IDC_NEXT, IDC_BACK}) {
    PostMessageA(wizard, WM_COMMAND, command, 0);
    Sleep(500);
  }
  EXPECT_TRUE(IsVisibleControl(wizard, IDC_LICENCE_CHINESE));
  EXPECT_EQ(SendDlgItemMessageA(wizard, IDC_LICENCE_CHINESE, LB_GETCOUNT, 0, 0), lines);
  PostMessageA(wizard, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(run.WaitForExit(kExitTimeoutMs), 0);
}

// Without its wizard nothing could end the message loop: the run ends at once, reporting that
// it could not start, instead of waiting forever.
TEST(InstallerWithoutWizard, EndsInsteadOfWaitingForever) {
  InstallerRun run(K7_INSTALLER_NO_WIZARD_EXE);
  ASSERT_TRUE(run.started());
  EXPECT_EQ(run.WaitForExit(kExitTimeoutMs), 1);
}

// The Installer run from a download folder that holds DLLs named like the common controls and
// the common dialog, with Wine preferring such DLLs to its own (the test's own run sets
// WINEDLLOVERRIDES; elsewhere the case is skipped): the wizard opens, the directory chooser
// opens, and neither planted DLL is ever loaded.
TEST(InstallerBesideDownloads, LoadsNoDllFromItsOwnFolder) {
  const char* overrides = getenv("WINEDLLOVERRIDES");
  if (overrides == nullptr || strstr(overrides, "comctl32,comdlg32=n") == nullptr)
    GTEST_SKIP() << "Wine does not prefer planted DLLs in this run";
  ScratchInstallDir downloads;
  const std::string copy = downloads / "K7_Quorvane_Setup.exe";
  ASSERT_TRUE(CopyFileA(K7_INSTALLER_EXE, copy.c_str(), FALSE));
  for (const char* name : {"comctl32.dll", "comdlg32.dll"})
    ASSERT_TRUE(CopyFileA(K7_PLANTED_DLL, (downloads / name).c_str(), FALSE));
  InstallerRun run(copy);
  HWND wizard = run.WaitForWindow(kWizardTitle, kStartTimeoutMs);
  ASSERT_NE(wizard, nullptr);
  PostMessageA(GetDlgItem(wizard, IDC_BROWSE), BM_CLICK, 0, 0);
  HWND chooser = run.WaitForWindow(K7_CHOOSER_TITLE, 5000);
  EXPECT_NE(chooser, nullptr) << "no directory chooser";
  PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
  Sleep(300);
  PostMessageA(wizard, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(run.WaitForExit(kExitTimeoutMs), 0);
  EXPECT_FALSE(FileExists(downloads / "planted_dll_loaded"));
}

}  // namespace
