// The payload container and file writer on real files and the real packed resources, under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/file_replace.h"
#include "common/installer_state.h"
#include "install/install_manifest.h"
#include "install/file_transaction.h"
#include "install/kept_copies.h"
#include "install/payload.h"
#include "test_files.h"

namespace {

constexpr DWORD kRO = FILE_ATTRIBUTE_READONLY;
constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;
constexpr uint16_t kDamagedStreamId = 9001;
constexpr uint16_t kEmptyFileId = 163;  // an unlisted resource, packed from no file at all

class PayloadTest : public testing::Test {
 protected:
  ScratchInstallDir dir;
  std::vector<char> buffer = std::vector<char>(kPayloadBufferCapacity);
};

TEST_F(PayloadTest, EveryManifestRowExtractsToItsSampleFileWithItsFlags) {
  for (const ManifestRow& row : kInstallManifest) {
    bool ro = row.attributes & kAttrReadOnly, hidden = row.attributes & kAttrHidden;
    ASSERT_TRUE(
        ExtractPayload(row.resourceId, row.fileName, buffer.data(), buffer.size(), ro, hidden))
        << row.fileName;
    EXPECT_EQ(ReadBytes(dir / row.fileName), SampleFile(row.fileName)) << row.fileName;
    EXPECT_EQ(ProtectionOf(dir / row.fileName), (ro ? kRO : 0) | (hidden ? kHidden : 0))
        << row.fileName;
  }
  EXPECT_EQ(CountEntries(dir.path()), 105);
}

// The writer replaces an earlier file, read-only and hidden as it may be, and leaves exactly the
// new flags. In a run, the run's transaction keeps the earlier copy aside, bytes and flags,
// until it commits (the copy goes) or rolls back (the copy is back and the new file gone).
TEST_F(PayloadTest, ReplacesAReadOnlyHiddenFileAndLeavesExactlyTheNewFlags) {
  const std::string older = "an older copy, longer than the new one ........................";
  WriteBytes(dir / "sort.dic", older, kRO | kHidden);
  ASSERT_EQ(ProtectionOf(dir / "sort.dic"), kRO | kHidden);
  ASSERT_TRUE(ExtractPayload(111, "sort.dic", buffer.data(), buffer.size(), false, false));
  EXPECT_EQ(ReadBytes(dir / "sort.dic"), SampleFile("sort.dic"));
  EXPECT_EQ(ProtectionOf(dir / "sort.dic"), 0u) << "once hidden, now written visible";
  EXPECT_EQ(CountEntries(dir.path()), 1);
  ASSERT_TRUE(ExtractPayload(111, "sort.dic", buffer.data(), buffer.size(), false, true));
  EXPECT_EQ(ProtectionOf(dir / "sort.dic"), kHidden);

  for (bool commit : {false, true}) {
    FileTransaction run;
    ASSERT_TRUE(run.Recover());
    ASSERT_TRUE(run.Begin(false));
    ASSERT_TRUE(run.KeepAside("sort.dic"));
    ASSERT_TRUE(ExtractPayload(111, "sort.dic", buffer.data(), buffer.size(), true, false));
    EXPECT_EQ(ProtectionOf(dir / "sort.dic"), kRO);
    EXPECT_EQ(ReadBytes(dir / "~K7Setup.111"), SampleFile("sort.dic"));
    EXPECT_EQ(ProtectionOf(dir / "~K7Setup.111"), kHidden);
    EXPECT_TRUE(commit ? run.Commit() : run.RollBack());
    EXPECT_EQ(ProtectionOf(dir / "sort.dic"), commit ? kRO : kHidden) << commit;
    EXPECT_EQ(CountEntries(dir.path()), 1) << "no kept copy and no record left";
  }
}

TEST_F(PayloadTest, ReadOnlyFilesAreReallyProtected) {
  // The file writer's attribute clearing is only tested for real when the process cannot
  // simply truncate a read-only file, as on Windows.
  WriteBytes(dir / "locked.txt", "old", kRO);
  FILE* f = fopen((dir / "locked.txt").c_str(), "wb");
  if (f != nullptr) fclose(f);
  EXPECT_EQ(f, nullptr) << "the test process may write read-only files: run Wine unprivileged";
}

TEST_F(PayloadTest, FailedInflationLeavesAnExistingTargetAsItWas) {
  const std::string old = "the earlier installation's bytes";
  WriteBytes(dir / "pykeys.dic", old, kRO | kHidden);
  uint32_t size = static_cast<uint32_t>(SampleFile("pykeys.dic").size());
  // One byte less than the file needs.
  EXPECT_FALSE(ExtractPayload(106, "pykeys.dic", buffer.data(), size - 1, false, false));
  EXPECT_EQ(ReadBytes(dir / "pykeys.dic"), old);
  EXPECT_EQ(ProtectionOf(dir / "pykeys.dic"), kRO | kHidden);
  // A damaged stream fails the same way.
  EXPECT_FALSE(
      ExtractPayload(kDamagedStreamId, "pykeys.dic", buffer.data(), buffer.size(), false, false));
  EXPECT_EQ(ReadBytes(dir / "pykeys.dic"), old);
  EXPECT_EQ(ProtectionOf(dir / "pykeys.dic"), kRO | kHidden);
  // Exactly the file's size is enough.
  EXPECT_TRUE(ExtractPayload(106, "pykeys.dic", buffer.data(), size, true, true));
  EXPECT_EQ(ReadBytes(dir / "pykeys.dic"), SampleFile("pykeys.dic"));
}

TEST_F(PayloadTest, MissingResourceFailsWithoutTouchingTheDisk) {
  uint32_t length = 0;
  EXPECT_FALSE(DecompressPayload(5000, buffer.data(), buffer.size(), &length));
  EXPECT_FALSE(ExtractPayload(5000, "absent.bin", buffer.data(), buffer.size(), false, false));
  EXPECT_EQ(CountEntries(dir.path()), 0);
}

TEST_F(PayloadTest, WritesAZeroLengthFile) {
  uint32_t length = 99;
  ASSERT_TRUE(DecompressPayload(kEmptyFileId, buffer.data(), buffer.size(), &length));
  EXPECT_EQ(length, 0u);
  ASSERT_TRUE(ExtractPayload(kEmptyFileId, "tips.txt", buffer.data(), buffer.size(), true, true));
  EXPECT_TRUE(FileExists(dir / "tips.txt"));
  EXPECT_EQ(ReadBytes(dir / "tips.txt"), "");
  EXPECT_EQ(ProtectionOf(dir / "tips.txt"), kRO | kHidden);
  // Only the manifest's files are written: a kept copy's name must say whose it is.
  EXPECT_FALSE(ExtractPayload(kEmptyFileId, "empty.bin", buffer.data(), buffer.size(), true, true));
  EXPECT_FALSE(FileExists(dir / "empty.bin"));
}

TEST_F(PayloadTest, RefusesAPathThatDoesNotFitAndWritesNothing) {
  // InstallDir plus a backslash plus the longest name must stay within 259 characters.
  const std::string longest = "mi_bihua1_dups_prefered_codes.bin";
  for (size_t extra : {0, 1}) {
    const std::string folder =
        dir / std::string(259 - dir.path().size() - 2 - longest.size() + extra, 'n');
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    snprintf(InstallDir, sizeof InstallDir, "%s", folder.c_str());
    EXPECT_EQ(WriteInstallFile(longest.c_str(), "x", 1, false, false), extra == 0) << extra;
    EXPECT_EQ(CountEntries(folder), extra == 0 ? 1 : 0) << extra;
  }
}

TEST_F(PayloadTest, ATargetHeldOpenByAnotherProgramFailsAndKeepsItsFlags) {
  WriteBytes(dir / "K7.exe", "running program", kRO | kHidden);
  HANDLE held =
      CreateFileA((dir / "K7.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(ExtractPayload(109, "K7.exe", buffer.data(), buffer.size(), true, false));
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(dir / "K7.exe"), "running program");
  EXPECT_EQ(ProtectionOf(dir / "K7.exe"), kRO | kHidden);
  EXPECT_EQ(CountEntries(dir.path()), 1) << "no temporary file left, no copy kept";
}

// A MoveFileA that cannot move the new file in (as when a drive goes away between the moves).
BOOL WINAPI MoveFileRefusingTheNewFile(LPCSTR existing, LPCSTR newName) {
  if (strstr(existing, kTemporaryFileName) != nullptr) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return MoveFileA(existing, newName);
}

TEST_F(PayloadTest, AReplacementKeepsTheEarlierCopyOrPutsItBack) {
  const std::string target = dir / "sort.dic", kept = dir / "kept.bin",
                    temporary = dir / kTemporaryFileName;
  WriteBytes(target, "earlier copy", kRO | kHidden);
  // A read-only, hidden temporary file left by a killed run does not stand in the way.
  WriteBytes(temporary, "stale", kRO | kHidden);
  ASSERT_TRUE(WriteTemporaryFile(temporary.c_str(), "new", 3, kRO | kHidden));
  bool wasKept = false;
  ASSERT_TRUE(ReplaceKeepingEarlierCopy(target.c_str(), temporary.c_str(), kept.c_str(), &wasKept));
  EXPECT_TRUE(wasKept);
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_EQ(ProtectionOf(target), kRO | kHidden);
  EXPECT_EQ(ReadBytes(kept), "earlier copy");
  EXPECT_EQ(ProtectionOf(kept), kRO | kHidden);
  // A kept copy's name taken, a new file that cannot go in, a folder in the target's place:
  // each fails with the earlier file where it was, and the temporary file goes.
  ASSERT_TRUE(WriteTemporaryFile(temporary.c_str(), "newer", 5, 0));
  EXPECT_FALSE(
      ReplaceKeepingEarlierCopy(target.c_str(), temporary.c_str(), kept.c_str(), &wasKept));
  EXPECT_FALSE(wasKept);
  EXPECT_EQ(ReadBytes(kept), "earlier copy") << "a kept copy is never overwritten";
  DiscardFile(kept.c_str());
  ASSERT_TRUE(WriteTemporaryFile(temporary.c_str(), "newer", 5, 0));
  EXPECT_FALSE(ReplaceKeepingEarlierCopy(target.c_str(), temporary.c_str(), kept.c_str(), &wasKept,
                                         MoveFileRefusingTheNewFile));
  EXPECT_FALSE(wasKept);
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_EQ(ProtectionOf(target), kRO | kHidden);
  const std::string folder = dir / "folder";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(WriteTemporaryFile(temporary.c_str(), "newer", 5, 0));
  EXPECT_FALSE(
      ReplaceKeepingEarlierCopy(folder.c_str(), temporary.c_str(), kept.c_str(), &wasKept));
  EXPECT_NE(Attributes(folder) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(CountEntries(dir.path()), 2) << "the file and the folder, nothing else";
  // A whole-file write drops the earlier copy once the new file is in place.
  EXPECT_TRUE(WriteWholeFile(target.c_str(), "whole", 5, kHidden, "~K7Setup.cfg"));
  EXPECT_EQ(ReadBytes(target), "whole");
  EXPECT_EQ(ProtectionOf(target), kHidden);
  EXPECT_EQ(CountEntries(dir.path()), 2);
}

TEST_F(PayloadTest, WritingIntoAMissingFolderFails) {
  std::string missing = dir / "no such folder";
  snprintf(InstallDir, sizeof InstallDir, "%s", missing.c_str());
  EXPECT_FALSE(ExtractPayload(106, "pykeys.dic", buffer.data(), buffer.size(), true, true));
}

// A disk that fills up during the write: scripts/test.sh mounts a 64 KiB file system for it when
// it can (as root) and names it in K7_FULL_DISK_DIR; elsewhere the case is skipped.
TEST_F(PayloadTest, AWriteThatDoesNotFitOnTheDiskFails) {
  const char* full = getenv("K7_FULL_DISK_DIR");
  if (full == nullptr || *full == '\0') GTEST_SKIP() << "no small file system to fill";
  std::string folder = std::string("Z:") + full;
  for (char& c : folder)
    if (c == '/') c = '\\';
  snprintf(InstallDir, sizeof InstallDir, "%s", folder.c_str());
  const std::string path = folder + "\\K7.exe";
  WriteBytes(path, "earlier copy", kRO | kHidden);
  std::vector<char> data(256 * 1024, 'x');
  EXPECT_FALSE(WriteInstallFile("K7.exe", data.data(), data.size(), false, false));
  // The earlier copy stays whole and the cut temporary file goes.
  EXPECT_EQ(ReadBytes(path), "earlier copy");
  EXPECT_EQ(CountEntries(folder), 1);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
  EXPECT_TRUE(WriteInstallFile("tips.txt", "fits", 4, false, false)) << "the disk itself works";
  DeleteFileA((folder + "\\tips.txt").c_str());
}

TEST_F(PayloadTest, DeleteInstallFileRemovesProtectedFilesAndIgnoresMissingOnes) {
  WriteBytes(dir / "flatAdjust.dic1111", "stale", kRO | kHidden);
  WriteBytes(dir / "flatAuto.dic", "stale", kHidden);
  DeleteInstallFile((dir / "flatAdjust.dic1111").c_str());
  DeleteInstallFile((dir / "flatAuto.dic").c_str());
  EXPECT_FALSE(FileExists(dir / "flatAdjust.dic1111"));
  EXPECT_FALSE(FileExists(dir / "flatAuto.dic"));
  DeleteInstallFile((dir / "never there.dic").c_str());
  EXPECT_EQ(CountEntries(dir.path()), 0);
}

}  // namespace
