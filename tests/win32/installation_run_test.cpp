// Whole installations by the real Installer under Wine, silent and through the wizard: the files,
// flags, configuration, shortcuts and log they leave, and how they fail.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/silent_install.h"
#include "common/file_replace.h"
#include "common/message_catalogue.h"
#include "dialog_answerer.h"
#include "install/install_manifest.h"
#include "installed_product.h"
#include "installer_driver.h"
#include "resources/resource_ids.h"
#include "test_files.h"

namespace {

constexpr DWORD kRunTimeoutMs = 60000;

long RunSilent(const std::string& exe, const std::string& arguments) {
  InstallerRun run(exe, arguments);
  return run.started() ? run.WaitForExit(kRunTimeoutMs) : -2;
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
  ASSERT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(target)), 0);
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

// As on the first Windows 95: a test build whose lookups of newer kernel32 calls find nothing
// and whose MoveFileExA and DeleteFileW answer ERROR_CALL_NOT_IMPLEMENTED installs, then
// replaces that installation with an old word base (its index unmarked): the stale dictionaries
// are deleted, every file is replaced by moves (an earlier copy aside, even a protected one, the
// new file in), and nothing of the moves is left.
TEST_F(InstallationRun, AsOnWindows95AnEarlierInstallationIsReplacedWhole) {
  const std::string target = dir / "K7 on 95";
  ASSERT_EQ(RunSilent(K7_INSTALLER_AS_WIN95_EXE, SilentArguments(target)), 0);
  ExpectInstalled(target);
  const char* const kStale[] = {"pykeys.dic0001", "Gbkflat.dic0110", "flatAdjust.dic1111"};
  for (const char* name : kStale)
    WriteBytes(target + "\\" + name, "stale", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  WriteBytes(target + "\\pycizudic.idx", "an old word base's index, unmarked");
  WriteBytes(target + "\\K7.exe", "older program", FILE_ATTRIBUTE_READONLY);
  WriteBytes(target + "\\" + kEarlierCopyName, "left by a killed run");

  ASSERT_EQ(RunSilent(K7_INSTALLER_AS_WIN95_EXE, SilentArguments(target)), 0);
  ExpectInstalled(target);
  for (const char* name : kStale) EXPECT_FALSE(FileExists(target + "\\" + name)) << name;
  EXPECT_NE(ReadBytes(target + "\\velmarui.ini").find("UseBmpFont=1"), std::string::npos);
  EXPECT_EQ(CountEntries(target), 105 + 1) << "the product's files and its folder doc";
  EXPECT_FALSE(FileExists(target + "\\" + kSilentLogName)) << "no question: nothing to say";
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
}

// A running K7.exe (held open without sharing) cannot be replaced: the run fails at that last
// row, after every other file, with no configuration edit and no shortcut.
TEST_F(InstallationRun, ARunningProgramFailsTheRunSilentlyAndInTheWizard) {
  WriteBytes(dir / "K7.exe", "running program");
  HANDLE held =
      CreateFileA((dir / "K7.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(dir.path())), 1);
  ExpectInstalled(dir.path(), true, "K7.exe");
  EXPECT_EQ(ReadBytes(dir / "velmarui.ini"), SampleFile("velmarui.ini"));
  EXPECT_FALSE(FileExists(shell.group()));
  EXPECT_FALSE(FileExists(shell.desktopLink()));
  EXPECT_NE(ReadBytes(dir / kSilentLogName).find(kMsgInstallFailed.english), std::string::npos);

  // The same through the wizard, into a second folder: Next, Next, Install with the path typed.
  const std::string second = dir / "second";
  CreateDirectoryA(second.c_str(), nullptr);
  WriteBytes(second + "\\K7.exe", "running program");
  HANDLE heldToo = CreateFileA((second + "\\K7.exe").c_str(), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  DialogAnswerer answerer(DialogAnswerer::kClickOk);
  InstallerRun run(K7_INSTALLER_EXE);
  HWND wizard = run.WaitForWindow("K7_Quorvane Install", 20000);
  ASSERT_NE(wizard, nullptr);
  SetDlgItemTextA(wizard, IDC_PATH, second.c_str());
  DWORD start = GetTickCount();
  for (int page = 0; page < 3; ++page) {
    PostMessageA(wizard, WM_COMMAND, IDC_NEXT, 0);
    Sleep(300);
  }
  EXPECT_EQ(run.WaitForExit(kRunTimeoutMs), 0);
  EXPECT_GE(GetTickCount() - start, 4000u) << "the outcome waits for five seconds on the clock";
  EXPECT_EQ(answerer.Finish(), 1);
  ASSERT_EQ(answerer.chineseLines().size(), 1u);
  EXPECT_EQ(answerer.chineseLines()[0], kMsgInstallFailed.chinese);
  CloseHandle(held);
  CloseHandle(heldToo);
  EXPECT_EQ(ReadBytes(second + "\\K7.exe"), "running program");
  ExpectInstalled(second, true, "K7.exe");
  EXPECT_FALSE(FileExists(shell.group()));
}

// Copies of the Installer damaged as downloads arrive damaged: a stream cut short (a build), one
// byte of a stream changed, the file cut short by 1 KB, the payload record changed. Each is
// refused before anything is made; an earlier file stays whole.
TEST_F(InstallationRun, ADamagedInstallerIsRefusedBeforeTheFirstFile) {
  const std::string original = ReadBytes(K7_INSTALLER_EXE);
  ASSERT_GT(original.size(), 4096u);
  // Where the stream of K7.exe (resource 109) and the record lie in the file.
  HMODULE data = LoadLibraryExA(K7_INSTALLER_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(data, nullptr);
  HRSRC info = FindResourceA(data, MAKEINTRESOURCEA(109), "TEXT");
  ASSERT_NE(info, nullptr);
  const std::string stream(static_cast<const char*>(LockResource(LoadResource(data, info))),
                           SizeofResource(data, info));
  FreeLibrary(data);
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
  // An earlier copy of the first file written, whatever the case of its name, gives its room to
  // the new one.
  std::string earlier = kInstallManifest[0].fileName;
  CharUpperA(&earlier[0]);
  WriteBytes(folder + "\\" + earlier, std::string(40000, 'x'));
  EXPECT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(folder)), 1);
  const std::string again = ReadBytes(folder + "\\" + kSilentLogName).substr(log.size());
  auto kilobytesNeeded = [](const std::string& line) {
    return atoi(line.c_str() + line.find("Not enough disk space: ") + 23);
  };
  // 40,000 bytes less, but for the few hundred of the new copy and the rounding up to KB.
  EXPECT_GE(kilobytesNeeded(log) - kilobytesNeeded(again), 38) << log << again;
  RemoveTree(folder);
}

// The silent install killed at ten moments spread over the run, then run again: the second run
// ends with exit code 0 and leaves the whole product, with its flags, and no temporary file.
TEST_F(InstallationRun, AKilledRunIsRepeatedToAWholeProduct) {
  int killedWhileRunning = 0;
  for (int moment = 1; moment <= 10; ++moment) {
    const std::string target = dir / ("killed " + std::to_string(moment));
    {
      InstallerRun run(K7_INSTALLER_EXE, SilentArguments(target));
      ASSERT_TRUE(run.started());
      // Killed once the folder holds a tenth, two tenths, ... of the files.
      const int entries = moment * static_cast<int>(kInstallManifestRows) / 10;
      while (run.running() && CountEntries(target) < entries) Sleep(1);
      killedWhileRunning += run.running();
    }  // the run is killed here if it still runs
    EXPECT_EQ(RunSilent(K7_INSTALLER_EXE, SilentArguments(target)), 0) << moment;
    ExpectInstalled(target);
  }
  printf("killed while running: %d of 10\n", killedWhileRunning);
}

}  // namespace
