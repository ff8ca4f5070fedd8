// Whole installations by the real Installer under Wine, silent and through the wizard: the files,
// flags, configuration, shortcuts and log they leave, and how they fail.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/silent_install.h"
#include "common/file_replace.h"
#include "common/message_catalogue.h"
#include "common/scoped_handles.h"
#include "dialog_answerer.h"
#include "install/install_manifest.h"
#include "installed_product.h"
#include "installer_driver.h"
#include "user_input.h"
#include "resources/resource_ids.h"
#include "shell/ui_config.h"
#include "test_files.h"

namespace {

constexpr DWORD kRunTimeoutMs = 60000;

long RunSilent(const std::string& exe, const std::string& arguments) {
  InstallerRun run(exe, arguments);
  return run.started() ? run.WaitForExit(kRunTimeoutMs) : -2;
}

// The fault that the test builds of the Installer meet in the runs started while it lives
// (install/payload_win32.cpp): "fail <id>" or "die <id>".
class FaultForRuns {
 public:
  explicit FaultForRuns(const char* fault) { SetEnvironmentVariableA("K7_TEST_FAULT", fault); }
  ~FaultForRuns() { SetEnvironmentVariableA("K7_TEST_FAULT", nullptr); }
  FaultForRuns(const FaultForRuns&) = delete;
  FaultForRuns& operator=(const FaultForRuns&) = delete;
};

// What changed in `folder` since `before`, the silent run's log (whose lines each run adds to)
// and the entry `except` aside.
std::string ChangesIn(const std::string& folder, const FolderContents& before,
                      const char* except = "") {
  FolderContents now = ContentsOf(folder), earlier = before;
  now.erase(kSilentLogName);
  for (FolderContents* contents : {&now, &earlier}) contents->erase(except);
  return ChangesBetween(earlier, now);
}

// A file held open without sharing, as the running product holds its program.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldFile() { Close(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Close() {
    if (held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

// The message dialog of `run` once it shows `chinese` on its Chinese line, or null.
HWND WaitForMessage(const InstallerRun& run, const std::string& chinese) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = run.WaitForWindow("Quorvane Install Message", 100);
        return found != nullptr && ControlText(found, IDC_MESSAGE_CHINESE) == chinese;
      },
      kRunTimeoutMs);
  return found != nullptr && ControlText(found, IDC_MESSAGE_CHINESE) == chinese ? found : nullptr;
}

// The wizard of `run` with `folder` in its path box, taken through its three pages to the
// installation; null when it did not open.
HWND InstallThroughTheWizard(const InstallerRun& run, const std::string& folder) {
  HWND wizard = run.WaitForWindow("K7_Quorvane Install", 20000);
  if (wizard == nullptr) return nullptr;
  SetDlgItemTextA(wizard, IDC_PATH, folder.c_str());
  for (int page = 0; page < 3; ++page) {
    PostMessageA(wizard, WM_COMMAND, IDC_NEXT, 0);
    Sleep(300);
  }
  return wizard;
}

FILETIME WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// A scratch folder, and the product's shell entries removed before and after each run.
class InstallationRun : public testing::Test {
 protected:
  std::string SilentArguments(const std::string& folder) { return "/S \"/D=" + folder + "\""; }

  ScratchInstallDir dir;
  ProductShellEntries shell;
};

TEST_F(InstallationRun, SilentlyInstallsEverythingThenKeepsTheUsersWordBaseOnASecondRun) {
  const std::string target = dir / "K7 Target";
  // An optional file that cannot be written (a folder holds its name) is left out.
  CreateDirectoryA(target.c_str(), nullptr);
  CreateDirectoryA((target + "\\tips.txt").c_str(), nullptr);
  // The folder named relative to the current folder, with backslashes after it: it is that
  // folder, not a folder of its name inside it.
  {
    InstallerRun run(Wide(K7_INSTALLER_EXE), L"/S \"/D=K7 Target\\\\\"", Wide(dir.path()));
    ASSERT_EQ(run.WaitForExit(kRunTimeoutMs), 0);
  }
  EXPECT_FALSE(FileExists(target + "\\K7 Target"));
  ExpectInstalled(target, true, "tips.txt");
  EXPECT_NE(Attributes(target + "\\tips.txt") & FILE_ATTRIBUTE_DIRECTORY, 0u);
  std::string ini = ReadBytes(target + "\\velmarui.ini");
  EXPECT_NE(ini.find("UseBmpFont=1"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ForceLanguage=0"), std::string::npos) << ini;
  EXPECT_TRUE(FileExists(shell.programLink()));
  EXPECT_EQ(CountEntries(shell.group()), 2);
  EXPECT_TRUE(FileExists(shell.desktopLink()));
  EXPECT_FALSE(FileExists(target + "\\" + kSilentLogName)) << "nothing to say, no log";

  // The user's own word base, and earlier files with other flags, before the second run.
  const char* wordBase[] = {"CiZuFlat.igb", "pycizudic.idx", "py2_3ZiCi1stZuMu.idx"};
  FILETIME times[3];
  for (int i = 0; i < 3; ++i) {
    WriteBytes(target + "\\" + wordBase[i], std::string("\x80 user words ") + wordBase[i]);
    times[i] = WriteTime(target + "\\" + wordBase[i]);
  }
  WriteBytes(target + "\\K7.exe", "older program", FILE_ATTRIBUTE_HIDDEN);
  WriteBytes(target + "\\sort.dic", "older sort", FILE_ATTRIBUTE_READONLY);
  RemoveDirectoryA((target + "\\tips.txt").c_str());
  Sleep(1100);

  ASSERT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(target)), 0);
  ExpectInstalled(target, false);
  for (int i = 0; i < 3; ++i) {
    std::string path = target + "\\" + wordBase[i];
    EXPECT_EQ(ReadBytes(path), std::string("\x80 user words ") + wordBase[i]);
    FILETIME now = WriteTime(path);
    EXPECT_EQ(CompareFileTime(&times[i], &now), 0) << wordBase[i];
  }
  // The question was asked, and answered by keeping the word base.
  EXPECT_EQ(ReadBytes(target + "\\" + kSilentLogName),
            std::string(kMsgReplaceWordBase.chinese) + " " + kMsgReplaceWordBase.english + "\r\n");
}

// As on the first Windows 95 (Wine tells it so): a test build whose lookups of newer kernel32
// calls find nothing, whose DeleteFileW fails as a stub (with an error code that says nothing of
// a stub) and whose chooser takes only the 76-byte request installs, then an upgrade whose
// mid-manifest file fails puts the earlier release back whole; then the upgrade replaces it
// (an old word base, its index unmarked, included): the stale dictionaries are gone, and a file
// named like a kept copy that no run recorded is left alone. Then the wizard, Browse to
// the end.
TEST_F(InstallationRun, AsOnWindows95AFailedUpgradeIsUndoneAndTheNextReplacesItWhole) {
  WindowsVersionFor win95("K7_Quorvane_Setup_as_win95.exe", "win95");
  const std::string target = dir / "K7 on 95";
  ASSERT_EQ(RunSilent(K7_INSTALLER_AS_WIN95_EXE, SilentArguments(target)), 0);
  ExpectInstalled(target);
  WriteEarlierRelease(target);
  const FolderContents earlier = ContentsOf(target);
  {
    FaultForRuns fault("fail 132");
    EXPECT_EQ(RunSilent(K7_INSTALLER_AS_WIN95_EXE, SilentArguments(target)), 1);
  }
  EXPECT_EQ(ChangesIn(target, earlier), "");
  DeleteFileA((target + "\\" + kSilentLogName).c_str());
  WriteBytes(target + "\\~K7Setup.109", "K7.exe kept by a killed run", FILE_ATTRIBUTE_READONLY);

  ASSERT_EQ(RunSilent(K7_INSTALLER_AS_WIN95_EXE, SilentArguments(target)), 0);
  // A file named like a kept copy that no run's record lists is no one's: it is left alone.
  EXPECT_EQ(ReadBytes(target + "\\~K7Setup.109"), "K7.exe kept by a killed run");
  DiscardFile((target + "\\~K7Setup.109").c_str());
  ExpectInstalled(target);
  EXPECT_NE(ReadBytes(target + "\\velmarui.ini").find("UseBmpFont=1"), std::string::npos);
  EXPECT_EQ(CountEntries(target), 105 + 1) << "the product's files and its folder doc";

  // Through the wizard: Browse opens the chooser with the request Windows 95 takes (its OK gives
  // the folder it opened in, the Installer's current folder), and the product installs there.
  const std::string started = dir / "started here";
  ASSERT_TRUE(CreateDirectoryA(started.c_str(), nullptr));
  InstallerRun run(Wide(K7_INSTALLER_AS_WIN95_EXE), L"", Wide(started));
  HWND wizard = run.WaitForWindow("K7_Quorvane Install", 20000);
  ASSERT_NE(wizard, nullptr);
  Click(wizard, IDC_BROWSE);
  HWND chooser = run.WaitForWindow(K7_CHOOSER_TITLE, 10000);
  ASSERT_NE(chooser, nullptr) << "the chooser opens";
  PostMessageA(chooser, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return ControlText(wizard, IDC_PATH) == started + "\\K7_Quorvane"; }))
      << ControlText(wizard, IDC_PATH);
  for (int page = 0; page < 3; ++page) {
    PostMessageA(wizard, WM_COMMAND, IDC_NEXT, 0);
    Sleep(300);
  }
  HWND outcome = WaitForMessage(run, kMsgInstallSucceeded.chinese);
  ASSERT_NE(outcome, nullptr);
  PostMessageA(outcome, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(run.WaitForExit(kRunTimeoutMs), 0);
  ExpectInstalled(started + "\\K7_Quorvane");
}

TEST_F(InstallationRun, BadCommandLinesAndFoldersThatCannotBeMadeChangeNothing) {
  const std::string target = dir / "never";
  EXPECT_EQ(RunSilent(K7_INSTALLER_EXE, "/S /X"), 2);
  EXPECT_EQ(RunSilent(K7_INSTALLER_EXE, "/S /D="), 2);
  EXPECT_EQ(RunSilent(K7_INSTALLER_EXE, "/S /D=" + target + std::string(230, 'x')), 2);
  EXPECT_FALSE(FileExists(target));
  // Two levels cannot be made at once: the folder message goes to a log beside the Installer.
  const std::string copy = dir / "setup.exe";
  ASSERT_TRUE(CopyFileA(K7_INSTALLER_EXE, copy.c_str(), FALSE));
  EXPECT_EQ(RunSilent(copy, SilentArguments(target + "\\two\\levels")), 1);
  EXPECT_FALSE(FileExists(target));
  std::string log = ReadBytes(dir / kSilentLogName);
  EXPECT_EQ(log.find(kMsgCannotCreateTarget.chinese), 0u) << log;
  EXPECT_NE(log.find("Cannot create folder! Please check folder path."), std::string::npos);
  // A short folder named relative to a deep current folder: too long for the product's files
  // only once made absolute, and so as bad a command line as one given too long.
  const std::string deep = dir / std::string(200 - std::min<size_t>(dir.path().size(), 150), 'd');
  const std::string relative(40, 'r');
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  {
    InstallerRun run(Wide(copy), Wide("/S /D=" + relative), Wide(deep));
    EXPECT_EQ(run.WaitForExit(kRunTimeoutMs), 2);
  }
  EXPECT_FALSE(FileExists(deep + "\\" + relative));
  log = ReadBytes(dir / kSilentLogName);
  EXPECT_NE(log.find(kMsgPathTooLong.english), std::string::npos) << log;
}

// An upgrade that cannot finish changes nothing. Over an earlier release: a running K7.exe (held
// open without sharing) is found before anything is written; a mid-manifest file that fails,
// and a run killed between keeping an earlier copy and writing its new file (and in the
// configuration edit) whose next run fails, each leave the earlier release whole, flags and all,
// with no configuration edit or link. Then the upgrade goes through. A fresh folder whose
// installation fails keeps no product file.
TEST_F(InstallationRun, AnUpgradeThatCannotFinishLeavesTheEarlierReleaseWhole) {
  const std::string target = dir / "upgrade";
  ASSERT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(target)), 0);
  RemoveTree(shell.group());
  DeleteFileA(shell.desktopLink().c_str());
  WriteEarlierRelease(target);
  const FolderContents earlier = ContentsOf(target);
  const std::string log = target + "\\" + kSilentLogName;
  {
    HeldFile program(target + "\\K7.exe");
    ASSERT_TRUE(program.held());
    EXPECT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(target)), 1);
  }
  EXPECT_EQ(ChangesIn(target, earlier), "");
  char chinese[256], english[256];
  snprintf(chinese, sizeof chinese, kMsgFileInUse.chinese, "K7.exe");
  snprintf(english, sizeof english, kMsgFileInUse.english, "K7.exe");
  EXPECT_EQ(ReadBytes(log), std::string(chinese) + " " + english + "\r\n" +
                                kMsgInstallFailed.chinese + " " + kMsgInstallFailed.english +
                                "\r\n");
  EXPECT_FALSE(FileExists(shell.group()));
  EXPECT_FALSE(FileExists(shell.desktopLink()));
  for (const char* fault : {"fail 132", "die 109", "fail 139"}) {
    FaultForRuns faulty(fault);
    EXPECT_EQ(RunSilent(K7_INSTALLER_FAULTY_EXE, SilentArguments(target)), fault[0] == 'd' ? 3 : 1)
        << fault;
    if (fault[0] == 'd') {
      EXPECT_FALSE(FileExists(target + "\\K7.exe"));
      EXPECT_EQ(ReadBytes(target + "\\~K7Setup.109"), "earlier K7.exe");
      // As a run killed in the configuration edit also leaves it: the new velmarui.ini, unedited.
      WriteBytes(target + "\\" + kUiConfigKeptName, "velmarui.ini as a killed edit left it");
    } else {
      EXPECT_EQ(ChangesIn(target, earlier), "") << fault;
    }
  }
  EXPECT_FALSE(FileExists(shell.group()));

  ASSERT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(target)), 0);
  ExpectInstalled(target);
  EXPECT_FALSE(FileExists(target + "\\flatAuto.dic"));
  EXPECT_FALSE(FileExists(target + "\\pykeys.dic0001"));
  EXPECT_TRUE(FileExists(shell.programLink()));

  const std::string fresh = dir / "fresh";
  FaultForRuns faulty("fail 132");
  EXPECT_EQ(RunSilent(K7_INSTALLER_FAULTY_EXE, SilentArguments(fresh)), 1);
  EXPECT_EQ(ChangesIn(fresh, {}), "+doc\n") << "the folder and doc stay, and nothing else";
}

// The same through the wizard: the question names the program in use; No ends the run with the
// failure message and the earlier release whole; Yes, once the program is closed, installs.
TEST_F(InstallationRun, TheWizardAsksForTheProgramInUseToBeClosed) {
  const std::string target = dir / "wizard";
  ASSERT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(target)), 0);
  WriteEarlierRelease(target);
  const FolderContents earlier = ContentsOf(target);
  char question[256];
  snprintf(question, sizeof question, kMsgFileInUse.chinese, "K7.exe");
  for (bool closeAndRetry : {false, true}) {
    HeldFile program(target + "\\K7.exe");
    ASSERT_TRUE(program.held());
    InstallerRun run(K7_INSTALLER_EXE);
    ASSERT_NE(InstallThroughTheWizard(run, target), nullptr);
    HWND asked = WaitForMessage(run, question);
    ASSERT_NE(asked, nullptr) << closeAndRetry;
    // The held program cannot be read meanwhile.
    EXPECT_EQ(ChangesIn(target, earlier, "K7.exe"), "") << "nothing is written before the answer";
    if (closeAndRetry) program.Close();
    PostMessageA(asked, WM_COMMAND, closeAndRetry ? IDYES : IDNO, 0);
    HWND outcome = WaitForMessage(
        run, closeAndRetry ? kMsgInstallSucceeded.chinese : kMsgInstallFailed.chinese);
    ASSERT_NE(outcome, nullptr) << closeAndRetry;
    PostMessageA(outcome, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(run.WaitForExit(kRunTimeoutMs), 0);
    if (!closeAndRetry) {
      program.Close();
      EXPECT_EQ(ChangesIn(target, earlier), "");
    }
  }
  ExpectInstalled(target);
}

// The user's own word base, its index held open by the running product: without sharing, or
// written while sharing reading and writing. The question names the index; the user closes the
// program and clicks Yes; the word-base question then comes before anything is replaced, and No
// keeps the user's words, bytes and times.
TEST_F(InstallationRun, AWordBaseHeldOpenIsAskedAboutAndKept) {
  const std::string target = dir / "words";
  ASSERT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(target)), 0);
  const char* wordBase[] = {"CiZuFlat.igb", "pycizudic.idx", "py2_3ZiCi1stZuMu.idx"};
  for (const char* name : wordBase)
    WriteBytes(target + "\\" + name, std::string("\x80 user words ") + name);
  char inUse[256];
  snprintf(inUse, sizeof inUse, kMsgFileInUse.chinese, "pycizudic.idx");
  for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
    const FolderContents before = ContentsOf(target);
    HANDLE held = CreateFileA((target + "\\pycizudic.idx").c_str(), GENERIC_READ | GENERIC_WRITE,
                              share, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    InstallerRun run(K7_INSTALLER_EXE);
    ASSERT_NE(InstallThroughTheWizard(run, target), nullptr);
    HWND asked = WaitForMessage(run, inUse);
    ASSERT_NE(asked, nullptr) << share;
    CloseHandle(held);
    EXPECT_EQ(ChangesIn(target, before), "") << "nothing is written before the answers";
    ASSERT_TRUE(BringToFront(asked));
    ClickWithMouse(GetDlgItem(asked, IDYES), 1);
    HWND question = WaitForMessage(run, kMsgReplaceWordBase.chinese);
    ASSERT_NE(question, nullptr) << share;
    EXPECT_EQ(ChangesIn(target, before), "") << "nothing is replaced before the word-base answer";
    ASSERT_TRUE(BringToFront(question));
    ClickWithMouse(GetDlgItem(question, IDNO), 1);
    HWND outcome = WaitForMessage(run, kMsgInstallSucceeded.chinese);
    ASSERT_NE(outcome, nullptr) << share;
    PostMessageA(outcome, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(run.WaitForExit(kRunTimeoutMs), 0);
    for (const char* name : wordBase)
      EXPECT_EQ(ReadBytes(target + "\\" + name), std::string("\x80 user words ") + name) << share;
  }
}

// Another user's installation (scripts/test.sh makes one as root, and Wine runs as another user,
// who may not change it): its file cannot be replaced. The silent run and the wizard say which
// file and why, once, and change nothing; the silent log goes beside the Installer.
TEST_F(InstallationRun, AnotherUsersInstallationIsRefusedInWordsOnce) {
  const char* theirs = getenv("K7_NOT_YOURS_DIR");
  if (theirs == nullptr || *theirs == '\0') GTEST_SKIP() << "no folder of another user";
  std::string folder = std::string("Z:") + theirs;
  for (char& c : folder)
    if (c == '/') c = '\\';
  const FolderContents before = ContentsOf(folder);
  ASSERT_EQ(before.count("K7.exe"), 1u);
  char chinese[512], english[512];
  snprintf(chinese, sizeof chinese, kMsgFileRefused.chinese, "K7.exe");
  snprintf(english, sizeof english, kMsgFileRefused.english, "K7.exe");
  const std::string copy = dir / "setup.exe";
  ASSERT_TRUE(CopyFileA(K7_INSTALLER_EXE, copy.c_str(), FALSE));
  EXPECT_EQ(RunSilent(copy, SilentArguments(folder)), 1);
  EXPECT_EQ(ReadBytes(dir / kSilentLogName), std::string(chinese) + " " + english + "\r\n" +
                                                  kMsgInstallFailed.chinese + " " +
                                                  kMsgInstallFailed.english + "\r\n");
  InstallerRun run(copy);
  ASSERT_NE(InstallThroughTheWizard(run, folder), nullptr);
  HWND notice = WaitForMessage(run, chinese);
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(ControlText(notice, IDC_MESSAGE_ENGLISH), english);
  PostMessageA(notice, WM_COMMAND, IDOK, 0);
  HWND outcome = WaitForMessage(run, kMsgInstallFailed.chinese);
  ASSERT_NE(outcome, nullptr) << "the run ends: no question, no loop";
  PostMessageA(outcome, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(run.WaitForExit(kRunTimeoutMs), 0);
  EXPECT_EQ(ChangesBetween(before, ContentsOf(folder)), "");
}

// One run at a time: while a wizard is open, a second Installer, silent or not, says so and ends
// without touching its folder; the first goes on. So does one while an Installer of another
// session holds the lock's name in the machine's namespace.
TEST_F(InstallationRun, ASecondInstallerSaysThatOneIsRunningAndEnds) {
  const std::string copy = dir / "setup.exe", target = dir / "target";
  ASSERT_TRUE(CopyFileA(K7_INSTALLER_EXE, copy.c_str(), FALSE));
  // An Installer in another session holds the machine's name of the lock.
  {
    const std::string target2 = dir / "target2";
    HANDLE machineWide = CreateMutexA(nullptr, FALSE, "Global\\K7_Quorvane_Setup");
    ASSERT_NE(machineWide, nullptr);
    EXPECT_EQ(RunSilent(copy, SilentArguments(target2)), 1);
    CloseHandle(machineWide);
    EXPECT_FALSE(FileExists(target2));
    DeleteFileA((dir / kSilentLogName).c_str());
  }
  InstallerRun first(K7_INSTALLER_EXE);
  ASSERT_NE(first.WaitForWindow("K7_Quorvane Install", 20000), nullptr);
  EXPECT_EQ(RunSilent(copy, SilentArguments(target)), 1);
  EXPECT_FALSE(FileExists(target));
  EXPECT_EQ(ReadBytes(dir / kSilentLogName),
            std::string(kMsgAlreadyRunning.chinese) + " " + kMsgAlreadyRunning.english + "\r\n");
  InstallerRun second(copy);
  HWND notice = WaitForMessage(second, kMsgAlreadyRunning.chinese);
  ASSERT_NE(notice, nullptr);
  PostMessageA(notice, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(second.WaitForExit(10000), 0);
  EXPECT_TRUE(first.running());
}

// The user's Start menu and desktop moved, as the registry's User Shell Folders move them, for
// the object's lifetime.
class ShellFoldersMoved {
 public:
  ShellFoldersMoved(const std::wstring& programs, const std::wstring& desktop) {
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) != 0)
      return;
    Move(L"Programs", programs, &programs_);
    Move(L"Desktop", desktop, &desktop_);
  }
  ~ShellFoldersMoved() {
    if (key_ == nullptr) return;
    Put(L"Programs", programs_);
    Put(L"Desktop", desktop_);
    RegCloseKey(key_);
  }
  ShellFoldersMoved(const ShellFoldersMoved&) = delete;
  ShellFoldersMoved& operator=(const ShellFoldersMoved&) = delete;

 private:
  static constexpr const wchar_t* kKey =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  void Move(const wchar_t* name, const std::wstring& to, std::wstring* earlier) {
    wchar_t value[MAX_PATH] = L"";
    DWORD size = sizeof value;
    RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    *earlier = value;
    Put(name, to);
  }
  void Put(const wchar_t* name, const std::wstring& value) {
    RegSetValueExW(key_, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  HKEY key_ = nullptr;
  std::wstring programs_, desktop_;
};

// For the users this Installer is made for: a profile named in Chinese on an English system (code
// page 1252), its Start menu and desktop moved there. The silent run and the wizard make all
// three links there, under today's names; the Installer started from a download folder named so
// copies the control settings beside it and logs there. Target folders that the code page cannot
// spell, or spells as another folder (a full-width backslash read as "\"), are refused in words
// from "/D=", the chooser and the path box, and nothing is written anywhere.
TEST_F(InstallationRun, AProfileThatTheCodePageCannotSpell) {
  ASSERT_EQ(GetACP(), 1252u) << "an English system";
  const std::wstring profile = Wide(dir.path()) + L"\\张三", programs = profile + L"\\开始菜单",
                     desktop = profile + L"\\桌面", downloads = profile + L"\\下载";
  for (const std::wstring& folder : {profile, programs, desktop, downloads})
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ShellFoldersMoved moved(programs, desktop);
  const std::wstring setup = downloads + L"\\setup.exe",
                     log = downloads + L"\\" + Wide(kSilentLogName);
  ASSERT_TRUE(CopyFileW(Wide(K7_INSTALLER_EXE).c_str(), setup.c_str(), FALSE));
  ASSERT_TRUE(WriteBytes(downloads + L"\\SCtrlSet2.bin", "control settings"));
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  const std::string settings = std::string(windows) + "\\SCtrlSet2.bin";
  auto expectLinks = [&](const std::string& target) {
    const std::wstring group = programs + L"\\Quorvane-Brix4";
    for (const std::wstring& link : {group + L"\\Quorvane-Brix4.lnk", group + L"\\UnInstall.lnk",
                                     desktop + L"\\Quorvane-Brix4.lnk"}) {
      LinkContents contents;
      ASSERT_TRUE(ReadLink(link, &contents)) << Ansi(link);
      EXPECT_EQ(contents.workingFolder, target) << Ansi(link);
    }
    RemoveTree(group);
  };

  const std::string target = dir / "installed";
  {
    InstallerRun run(setup, L"/S /D=" + Wide(target));
    EXPECT_EQ(run.WaitForExit(kRunTimeoutMs), 0);
  }
  ExpectInstalled(target);
  expectLinks(target);
  EXPECT_EQ(ReadBytes(settings), "control settings");
  DeleteFileA(settings.c_str());
  // A Chinese folder, and one whose full-width backslashes the code page would read as "\":
  // a\..\b, the folder b beside it.
  for (const std::wstring& folder : {profile + L"\\K7", Wide(dir.path()) + L"\\a\xFF3C..\xFF3C"
                                                                           L"b"}) {
    InstallerRun run(setup, L"/S /D=" + folder);
    EXPECT_EQ(run.WaitForExit(kRunTimeoutMs), 2) << Ansi(folder);
  }
  EXPECT_FALSE(FileExists(dir / "b"));
  HANDLE file = CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  char text[1024] = "";
  DWORD read = 0;
  ReadFile(file, text, sizeof text - 1, &read, nullptr);
  CloseHandle(file);
  const std::string line =
      std::string(kMsgFolderNotInCodePage.chinese) + " " + kMsgFolderNotInCodePage.english + "\r\n";
  EXPECT_EQ(std::string(text, read), line + line);

  // Through the wizard, started from the download folder: the chooser opens there and its OK is
  // refused with the notice, as is the Chinese folder typed into the path box; an English one
  // installs.
  const std::string second = dir / "second";
  InstallerRun run(setup, L"", downloads);
  HWND wizard = run.WaitForWindow("K7_Quorvane Install", 20000);
  ASSERT_NE(wizard, nullptr);
  Click(wizard, IDC_BROWSE);
  HWND chooser = run.WaitForWindow(K7_CHOOSER_TITLE, 10000);
  ASSERT_NE(chooser, nullptr);
  PostMessageA(chooser, WM_COMMAND, IDOK, 0);
  HWND notice = WaitForMessage(run, kMsgFolderNotInCodePage.chinese);
  ASSERT_NE(notice, nullptr);
  PostMessageA(notice, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(notice); }));
  EXPECT_TRUE(IsWindowVisible(chooser)) << "the user picks another folder";
  PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }));
  SetDlgItemTextW(wizard, IDC_PATH, (profile + L"\\K7").c_str());
  for (int page = 0; page < 3; ++page) {
    PostMessageA(wizard, WM_COMMAND, IDC_NEXT, 0);
    Sleep(300);
  }
  notice = WaitForMessage(run, kMsgFolderNotInCodePage.chinese);
  ASSERT_NE(notice, nullptr);
  PostMessageA(notice, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsVisibleControl(wizard, IDC_BACK); }));
  SetDlgItemTextA(wizard, IDC_PATH, second.c_str());
  PostMessageA(wizard, WM_COMMAND, IDC_NEXT, 0);
  HWND outcome = WaitForMessage(run, kMsgInstallSucceeded.chinese);
  ASSERT_NE(outcome, nullptr);
  PostMessageA(outcome, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(run.WaitForExit(kRunTimeoutMs), 0);
  ExpectInstalled(second);
  expectLinks(second);
  DeleteFileA(settings.c_str());
  EXPECT_EQ(CountEntries(dir.path()), 3) << "the profile and the two installations, nothing else";
  RemoveTree(profile);
}

// Copies of the Installer damaged as downloads arrive damaged: a stream cut short (a build), one
// byte of a stream changed, the file cut short by 1 KB, the payload record changed. Each is
// refused before anything is made; an earlier file stays whole.
TEST_F(InstallationRun, ADamagedInstallerIsRefusedBeforeTheFirstFile) {
  const std::string original = ReadBytes(K7_INSTALLER_EXE);
  ASSERT_GT(original.size(), 4096u);
  // Where the stream of K7.exe (resource 109) and the record lie in the file.
  std::string stream;
  {
    const LoadedModule data(LoadLibraryExA(K7_INSTALLER_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(data.valid());
    HRSRC info = FindResourceA(data.get(), MAKEINTRESOURCEA(109), "TEXT");
    ASSERT_NE(info, nullptr);
    stream.assign(static_cast<const char*>(LockResource(LoadResource(data.get(), info))),
                  SizeofResource(data.get(), info));
  }
  const size_t streamAt = original.find(stream), recordAt = original.find("K7PR");
  ASSERT_NE(streamAt, std::string::npos);
  ASSERT_NE(recordAt, std::string::npos);

  std::string flipped = original, cut = original.substr(0, original.size() - 1024),
              record = original;
  flipped[streamAt + stream.size() / 2] ^= 0x01;
  record[recordAt + 20] ^= 0x01;
  struct Copy {
    const char* name;
    const std::string* bytes;
  } copies[] = {{"flipped.exe", &flipped}, {"cut.exe", &cut}, {"record.exe", &record}};
  const std::string target = dir / "target";
  for (const Copy& copy : copies) {
    WriteBytes(dir / copy.name, *copy.bytes);
    const long code = RunSilent(dir / copy.name, SilentArguments(target));
    EXPECT_NE(code, 0) << copy.name;
    EXPECT_FALSE(FileExists(target)) << copy.name;
    // A file cut short may not even load; one that runs says why it stopped.
    if (code == 1) {
      EXPECT_NE(ReadBytes(dir / kSilentLogName).find(kMsgInstallerDamaged.english),
                std::string::npos)
          << copy.name;
    }
    DeleteFileA((dir / kSilentLogName).c_str());
  }
  WriteBytes(dir / "py_1key.dic", "earlier dictionary", FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(RunSilent(K7_INSTALLER_CUT_PY1KEY_EXE, SilentArguments(dir.path())), 1);
  EXPECT_EQ(ReadBytes(dir / "py_1key.dic"), "earlier dictionary");
  EXPECT_FALSE(FileExists(dir / "pykeys.dic")) << "nothing is written";
}

// A drive without room for the product: scripts/test.sh mounts a 64 KiB file system when it can
// (as root) and names it in K7_FULL_DISK_DIR; elsewhere the case is skipped. The run says how
// much it needs and writes no file.
TEST_F(InstallationRun, ADriveWithoutRoomIsRefusedBeforeTheFirstFile) {
  const char* full = getenv("K7_FULL_DISK_DIR");
  if (full == nullptr || *full == '\0') GTEST_SKIP() << "no small file system to fill";
  std::string folder = std::string("Z:") + full + "/k7";
  for (char& c : folder)
    if (c == '/') c = '\\';
  EXPECT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(folder)), 1);
  const std::string log = ReadBytes(folder + "\\" + kSilentLogName);
  EXPECT_NE(log.find("Not enough disk space: "), std::string::npos) << log;
  EXPECT_NE(log.find(" free."), std::string::npos) << log;
  EXPECT_FALSE(FileExists(folder + "\\pykeys.dic"));
  EXPECT_FALSE(FileExists(folder + "\\" + kTemporaryFileName));
  // An earlier copy of the first file written is kept until the run has succeeded: it gives its
  // room to nothing, and the same room is asked for.
  WriteBytes(folder + "\\" + kInstallManifest[0].fileName, std::string(40000, 'x'));
  EXPECT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(folder)), 1);
  const std::string again = ReadBytes(folder + "\\" + kSilentLogName).substr(log.size());
  auto needed = [](const std::string& line) {
    const size_t from = line.find("Not enough disk space: ");
    return line.substr(from, line.find(" needed") - from);
  };
  EXPECT_EQ(needed(again), needed(log));
  RemoveTree(folder);
}

// The silent install killed at ten moments spread over the run, then run again: the second run
// ends with exit code 0 and leaves the whole product, with its flags, and nothing of the writer's.
// Odd moments install into a new folder, even ones upgrade an earlier release: the second run
// puts back what the first kept aside before it writes.
TEST_F(InstallationRun, AKilledRunIsRepeatedToAWholeProduct) {
  int killedWhileRunning = 0;
  for (int moment = 1; moment <= 10; ++moment) {
    const std::string target = dir / ("killed " + std::to_string(moment));
    int entries = moment * static_cast<int>(kInstallManifestRows) / 10;
    if (moment % 2 == 0) {
      ASSERT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(target)), 0);
      WriteEarlierRelease(target);
      // Each file written keeps its earlier copy beside it until the end.
      entries += CountEntries(target);
    }
    {
      InstallerRun run(K7_INSTALLER_EXE, SilentArguments(target));
      ASSERT_TRUE(run.started());
      while (run.running() && CountEntries(target) < entries) Sleep(1);
      killedWhileRunning += run.running();
    }  // the run is killed here if it still runs
    EXPECT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(target)), 0) << moment;
    ExpectInstalled(target);
    EXPECT_FALSE(FileExists(target + "\\flatAuto.dic")) << moment;
  }
  printf("killed while running: %d of 10\n", killedWhileRunning);
}

}  // namespace
