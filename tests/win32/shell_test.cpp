// Shell folders and links under Wine: links read back through the shell's link object, the
// Start-menu group with its notices, the desktop link and the names of each system language.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "common/installer_state.h"
#include "dialog_answerer.h"
#include "resources/resource_ids.h"
#include "shell/product_variant.h"
#include "shell/shell_links.h"
#include "shell/shell_paths.h"
#include "test_files.h"

namespace {

// ---- Notices -------------------------------------------------------------------------------

// The notice texts (GBK): programs folder or last link failed, and group folder not made.
const std::string kStartMenuNotice =
    "\xCE\xDE\xB7\xA8\xD4\xDA Start \xB2\xCB\xB5\xA5\xD6\xD0\xCE\xAA\xB1\xBE\xB3\xCC\xD0\xF2"
    "\xBD\xA8\xC1\xA2\xD2\xBB\xB8\xF6\xCC\xF5\xC4\xBF\xA1\xA3\xBA\xDC\xB1\xA7\xC7\xB8\xA3\xAC"
    "\xD6\xBB\xBA\xC3\xC7\xEB\xC4\xFA\xD2\xD4\xBA\xF3\xD7\xD4\xD2\xD1\xBD\xA8\xC1\xA2\xC1\xCB"
    "\xA1\xA3";  // 无法在 Start 菜单中为本程序建立一个条目。很抱歉，只好请您以后自已建立了。
std::string FolderNotice(const std::string& path) {
  return "\xCE\xDE\xB7\xA8\xBD\xA8\xC4\xBF\xC2\xBC(" + path + ")!";  // 无法建目录(path)!
}

// ---- Folders -------------------------------------------------------------------------------

std::string SpecialFolder(int kind) {
  wchar_t path[kPathCapacity];
  return GetSpecialFolderPath(kind, path) ? Ansi(path) : "";
}

std::string WindowsFolderPath() {
  char path[MAX_PATH];
  GetWindowsDirectoryA(path, sizeof path);
  return path;
}

std::string UserName() {
  char user[256];
  DWORD size = sizeof user;
  GetUserNameA(user, &size);
  return user;
}

// Sets IsMajorVersion3 and IsWinNT for one test and restores them after it.
class LegacySystem {
 public:
  LegacySystem(int isWinNT) : savedMajor3_(IsMajorVersion3), savedNT_(IsWinNT) {
    IsMajorVersion3 = 1;
    IsWinNT = isWinNT;
  }
  ~LegacySystem() {
    IsMajorVersion3 = savedMajor3_;
    IsWinNT = savedNT_;
  }

 private:
  int savedMajor3_, savedNT_;
};

// A scratch InstallDir with the two program files, and a Start-menu group that is removed
// before and after each test.
class ShellTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(dir / "K7.exe", "program");
    WriteBytes(dir / "K7UnInstall.exe", "uninstaller");
    programs = SpecialFolder(kShellFolderPrograms);
    ASSERT_FALSE(programs.empty());
    group = programs + "\\" + kGroup;
    RemoveTree(group);
  }
  void TearDown() override {
    SetFileAttributesA(group.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(group.c_str());
    RemoveTree(group);
  }

  static constexpr const char* kGroup = "K7 shell test group";
  const ShortcutEntry entries[3] = {
      {"Program", "K7.exe"}, {"Remover", "K7UnInstall.exe"}, {nullptr, nullptr}};
  ScratchInstallDir dir;
  std::string programs, group;
};

// ---- CreateShellLink ------------------------------------------------------------------------

TEST_F(ShellTest, LinkCarriesTargetDescriptionIconAndWorkingFolder) {
  const std::string link = dir / "program.lnk";
  ASSERT_TRUE(CreateShellLink((dir / "K7.exe").c_str(), Wide(link).c_str(), "Quorvane-Brix4"));
  LinkContents contents;
  ASSERT_TRUE(ReadLink(link, &contents));
  EXPECT_EQ(contents.target, dir / "K7.exe");
  EXPECT_EQ(contents.description, "Quorvane-Brix4");
  EXPECT_EQ(contents.iconPath, dir / "K7.exe");
  EXPECT_EQ(contents.iconIndex, 0);
  EXPECT_EQ(contents.workingFolder, dir.path());
}

TEST_F(ShellTest, TheWorkingFolderCutSkipsSecondBytesOfDoubleByteCharacters) {
  if (GetACP() != 936) GTEST_SKIP() << "needs the GBK code page";
  // 癨 in GBK is B0 5C: its second byte is not the folder's end.
  const std::string target = dir / "\xB0\x5C.exe", link = dir / "dbcs.lnk";
  WriteBytes(target, "program");
  ASSERT_TRUE(CreateShellLink(target.c_str(), Wide(link).c_str(), "dbcs"));
  LinkContents contents;
  ASSERT_TRUE(ReadLink(link, &contents));
  EXPECT_EQ(contents.target, target);
  EXPECT_EQ(contents.workingFolder, dir.path());
}

TEST_F(ShellTest, ALinkPathThatCannotBeSavedOrConvertedIsFalse) {
  EXPECT_FALSE(
      CreateShellLink((dir / "K7.exe").c_str(), Wide(dir / "missing\\a.lnk").c_str(), "a"));
  // A link path longer than any path: nothing is saved.
  const std::wstring longName = Wide(dir.path()) + L"\\" + std::wstring(300, L'n') + L".lnk";
  EXPECT_FALSE(CreateShellLink((dir / "K7.exe").c_str(), longName.c_str(), "long"));
  EXPECT_EQ(CountEntries(dir.path()), 2);
}

TEST_F(ShellTest, LinkLeavesComAsItFoundIt) {
  const std::string target = dir / "K7.exe", link = dir / "com.lnk";
  // Not initialised before: not initialised after.
  ASSERT_TRUE(CreateShellLink(target.c_str(), Wide(link).c_str(), "com"));
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  // Initialised before (just now): still initialised after.
  ASSERT_TRUE(CreateShellLink(target.c_str(), Wide(link).c_str(), "com"));
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
  CoUninitialize();
  CoUninitialize();
  // In the multithreaded apartment CoInitialize fails: no link, and the apartment is kept.
  DeleteFileA(link.c_str());
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  EXPECT_FALSE(CreateShellLink(target.c_str(), Wide(link).c_str(), "mta"));
  EXPECT_FALSE(FileExists(link));
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
  CoUninitialize();
  CoUninitialize();
}

// ---- CreateStartMenuEntries ------------------------------------------------------------------

TEST_F(ShellTest, AnExistingGroupIsReusedAndItsLinksOverwritten) {
  ASSERT_TRUE(CreateDirectoryA(group.c_str(), nullptr));
  WriteBytes(group + "\\Program.lnk", "stale");
  WriteBytes(group + "\\other.txt", "kept");
  DialogAnswerer watcher(DialogAnswerer::kClickOk);
  ASSERT_TRUE(CreateStartMenuEntries(kGroup, entries));
  EXPECT_TRUE(watcher.chineseLines().empty());
  LinkContents program;
  ASSERT_TRUE(ReadLink(group + "\\Program.lnk", &program));
  EXPECT_EQ(program.target, dir / "K7.exe");
  EXPECT_EQ(ReadBytes(group + "\\other.txt"), "kept");
}

TEST_F(ShellTest, AGroupThatCannotBeMadeGivesOneFolderNoticeAndNoLink) {
  // The group folder is made one level only: under a missing folder it cannot be.
  const std::string nested = std::string(kGroup) + "\\inner";
  {
    DialogAnswerer watcher(DialogAnswerer::kClickOk);
    EXPECT_FALSE(CreateStartMenuEntries(nested.c_str(), entries));
    ASSERT_EQ(watcher.chineseLines().size(), 1u);
    EXPECT_EQ(watcher.chineseLines()[0], FolderNotice(programs + "\\" + nested));
  }
  EXPECT_FALSE(FileExists(group));

  // A file in the group folder's place.
  WriteBytes(group, "a file, not a folder");
  DialogAnswerer watcher(DialogAnswerer::kClickOk);
  EXPECT_FALSE(CreateStartMenuEntries(kGroup, entries));
  ASSERT_EQ(watcher.chineseLines().size(), 1u);
  EXPECT_EQ(watcher.chineseLines()[0], FolderNotice(group));
  EXPECT_EQ(ReadBytes(group), "a file, not a folder");
}

TEST_F(ShellTest, OnlyTheLastLinkDecidesTheStartMenuNotice) {
  // A folder where a link file should go makes that link's save fail.
  ASSERT_TRUE(CreateDirectoryA(group.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((group + "\\Program.lnk").c_str(), nullptr));
  {
    DialogAnswerer watcher(DialogAnswerer::kClickOk);
    EXPECT_TRUE(CreateStartMenuEntries(kGroup, entries));
    EXPECT_TRUE(watcher.chineseLines().empty());
    EXPECT_TRUE(FileExists(group + "\\Remover.lnk"));
  }
  RemoveTree(group);
  ASSERT_TRUE(CreateDirectoryA(group.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((group + "\\Remover.lnk").c_str(), nullptr));
  DialogAnswerer watcher(DialogAnswerer::kClickOk);
  EXPECT_FALSE(CreateStartMenuEntries(kGroup, entries));
  ASSERT_EQ(watcher.chineseLines().size(), 1u);
  EXPECT_EQ(watcher.chineseLines()[0], kStartMenuNotice);
  LinkContents program;
  EXPECT_TRUE(ReadLink(group + "\\Program.lnk", &program)) << "the earlier link is still made";
}

TEST_F(ShellTest, AGroupPathTooLongForTheBufferIsRefusedWithTheStartMenuNotice) {
  const std::string longGroup(kPathCapacity - 1 - programs.size(), 'g');  // one byte too many
  DialogAnswerer watcher(DialogAnswerer::kClickOk);
  EXPECT_FALSE(CreateStartMenuEntries(longGroup.c_str(), entries));
  ASSERT_EQ(watcher.chineseLines().size(), 1u);
  EXPECT_EQ(watcher.chineseLines()[0], kStartMenuNotice);
}

// ---- Legacy folders and the desktop ------------------------------------------------------------

TEST_F(ShellTest, MajorVersion3ComposesTheFoldersUnderTheWindowsFolder) {
  const std::string windows = WindowsFolderPath();
  wchar_t path[kPathCapacity];
  {
    LegacySystem system(0);
    ASSERT_TRUE(GetShellFolderPath(kShellFolderPrograms, path));
    EXPECT_EQ(Ansi(path), windows + "\\start menu\\programs");
    ASSERT_TRUE(GetShellFolderPath(kShellFolderDesktop, path));
    EXPECT_EQ(Ansi(path), windows + "\\Desktop");
  }
  LegacySystem system(1);
  const std::string profile = windows + "\\profiles\\" + UserName();
  ASSERT_TRUE(GetShellFolderPath(kShellFolderDesktop, path));
  EXPECT_EQ(Ansi(path), profile + "\\Desktop");
  ASSERT_TRUE(GetShellFolderPath(kShellFolderPrograms, path));
  EXPECT_EQ(Ansi(path), profile + "\\start menu\\programs");

  // The group and its links go there, and nowhere else.
  const std::string legacyPrograms = Ansi(path);
  ASSERT_TRUE(CreateDirectoryA((windows + "\\profiles").c_str(), nullptr) ||
              GetLastError() == ERROR_ALREADY_EXISTS);
  CreateDirectoryA(profile.c_str(), nullptr);
  CreateDirectoryA((profile + "\\start menu").c_str(), nullptr);
  CreateDirectoryA(legacyPrograms.c_str(), nullptr);
  DialogAnswerer watcher(DialogAnswerer::kClickOk);
  EXPECT_TRUE(CreateStartMenuEntries(kGroup, entries));
  EXPECT_TRUE(watcher.chineseLines().empty());
  EXPECT_EQ(CountEntries(legacyPrograms + "\\" + kGroup), 2);
  EXPECT_FALSE(FileExists(group));
  // Its desktop folder does not exist: the desktop link fails silently.
  EXPECT_FALSE(CreateDesktopIcon("K7.exe", "Program"));
  EXPECT_TRUE(watcher.chineseLines().empty());
  RemoveTree(windows + "\\profiles");
}

TEST_F(ShellTest, DesktopLinkToTheProgramWithoutNotice) {
  const std::string desktop = SpecialFolder(kShellFolderDesktop);
  ASSERT_FALSE(desktop.empty());
  const std::string link = desktop + "\\K7 shell test.lnk";
  DeleteFileA(link.c_str());
  DialogAnswerer watcher(DialogAnswerer::kClickOk);
  ASSERT_TRUE(CreateDesktopIcon("K7.exe", "K7 shell test"));
  LinkContents contents;
  ASSERT_TRUE(ReadLink(link, &contents));
  DeleteFileA(link.c_str());
  EXPECT_EQ(contents.target, dir / "K7.exe");
  EXPECT_EQ(contents.description, "K7 shell test");
  EXPECT_EQ(contents.workingFolder, dir.path());
  EXPECT_TRUE(watcher.chineseLines().empty());
}

// ---- Names of each system language ----------------------------------------------------------

// Run once per system language, under a matching locale: K7_TEST_SYSTEM_LANGUAGE names it.
// The group and the program's shortcut have the same name.
struct ExpectedNames {
  UINT codePage;
  std::string product, uninstaller;  // ANSI bytes
  std::wstring wideProduct, wideUninstaller;
  std::string unixProduct;  // the host's UTF-8 file name
};

ExpectedNames NamesOf(int language) {
  if (language == 1)  // TorvuK7输入法 and 卸载 in GBK
    return {936,
            "TorvuK7\xCA\xE4\xC8\xEB\xB7\xA8",
            "\xD0\xB6\xD4\xD8",
            L"TorvuK7输入法",
            L"卸载",
            u8"TorvuK7输入法"};
  if (language == 2)  // TorvuK7輸入法 and 卸載 in Big5
    return {950,
            "TorvuK7\xBF\xE9\xA4\x4A\xAA\x6B",
            "\xA8\xF8\xB8\xFC",
            L"TorvuK7輸入法",
            L"卸載",
            u8"TorvuK7輸入法"};
  return {1252, "Quorvane-Brix4", "UnInstall", L"Quorvane-Brix4", L"UnInstall", "Quorvane-Brix4"};
}

std::set<std::wstring> WideEntries(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.insert(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

TEST(StartMenuNames, TheSystemLanguagesNamesOnDiskWhateverTheUserChose) {
  const char* language = getenv("K7_TEST_SYSTEM_LANGUAGE");
  ASSERT_NE(language, nullptr) << "the test runs under a named system language";
  SystemLanguage = atoi(language);
  ForceLanguage = SystemLanguage == 0 ? 1 : 0;  // the wizard's choice plays no part
  const ExpectedNames expected = NamesOf(SystemLanguage);
  ASSERT_EQ(GetACP(), expected.codePage) << "LC_ALL does not match the system language";

  ScratchInstallDir dir;
  const std::string programs = SpecialFolder(kShellFolderPrograms);
  const std::string group = programs + "\\" + expected.product;
  RemoveTree(group);
  // The entries as the installation run passes them.
  const ShellNames names = SelectShellNames(kProductVariant, SystemLanguage);
  const ShortcutEntry entries[] = {{names.programShortcutName, kProductVariant.programFile},
                                   {names.uninstallerShortcutName, kProductVariant.uninstallerFile},
                                   {nullptr, nullptr}};
  DialogAnswerer watcher(DialogAnswerer::kClickOk);
  ASSERT_TRUE(CreateStartMenuEntries(names.groupName, entries));
  EXPECT_TRUE(watcher.chineseLines().empty());

  // The group's name as ANSI bytes, as UTF-16 and as the host's UTF-8 file name.
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(group.c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  FindClose(find);
  EXPECT_EQ(std::string(data.cFileName), expected.product);
  const std::wstring wideGroup = Wide(programs) + L"\\" + expected.wideProduct;
  EXPECT_EQ(WideEntries(wideGroup), (std::set<std::wstring>{expected.wideProduct + L".lnk",
                                                            expected.wideUninstaller + L".lnk"}));
  using UnixName = char*(CDECL*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  ASSERT_NE(unixName, nullptr);
  char* unixGroup = unixName(wideGroup.c_str());
  ASSERT_NE(unixGroup, nullptr);
  const std::string unixPath = unixGroup;
  HeapFree(GetProcessHeap(), 0, unixGroup);
  EXPECT_EQ(unixPath.substr(unixPath.rfind('/') + 1), expected.unixProduct);

  LinkContents program, uninstaller;
  ASSERT_TRUE(ReadLink(group + "\\" + expected.product + ".lnk", &program));
  ASSERT_TRUE(ReadLink(group + "\\" + expected.uninstaller + ".lnk", &uninstaller));
  EXPECT_EQ(program.description, expected.product);
  EXPECT_EQ(program.target, dir / "K7.exe");
  EXPECT_EQ(uninstaller.description, expected.uninstaller);
  EXPECT_EQ(uninstaller.target, dir / "K7UnInstall.exe");
  EXPECT_EQ(uninstaller.iconPath, dir / "K7UnInstall.exe");
  EXPECT_EQ(uninstaller.workingFolder, dir.path());
  RemoveTree(group);
}

}  // namespace
