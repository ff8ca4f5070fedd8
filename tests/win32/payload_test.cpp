// The payload container and file writer on real files and the real packed resources, under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/file_replace.h"
#include "common/installer_state.h"
#include "install/install_manifest.h"
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

TEST_F(PayloadTest, ReplacesAReadOnlyHiddenFileAndLeavesExactlyTheNewFlags) {
  WriteBytes(dir / "sort.dic", "an older copy, longer than the new one ........................",
             kRO | kHidden);
  ASSERT_EQ(ProtectionOf(dir / "sort.dic"), kRO | kHidden);
  ASSERT_TRUE(ExtractPayload(111, "sort.dic", buffer.data(), buffer.size(), false, false));
  EXPECT_EQ(ReadBytes(dir / "sort.dic"), SampleFile("sort.dic"));
  EXPECT_EQ(ProtectionOf(dir / "sort.dic"), 0u) << "once hidden, now written visible";

  ASSERT_TRUE(ExtractPayload(111, "sort.dic", buffer.data(), buffer.size(), false, true));
  EXPECT_EQ(ProtectionOf(dir / "sort.dic"), kHidden);
  ASSERT_TRUE(ExtractPayload(111, "sort.dic", buffer.data(), buffer.size(), true, false));
  EXPECT_EQ(ProtectionOf(dir / "sort.dic"), kRO);
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
  ASSERT_TRUE(ExtractPayload(kEmptyFileId, "empty.bin", buffer.data(), buffer.size(), true, true));
  EXPECT_TRUE(FileExists(dir / "empty.bin"));
  EXPECT_EQ(ReadBytes(dir / "empty.bin"), "");
  EXPECT_EQ(ProtectionOf(dir / "empty.bin"), kRO | kHidden);
}

TEST_F(PayloadTest, RefusesAPathThatDoesNotFitAndWritesNothing) {
  // InstallDir plus a backslash plus the name must stay within 259 characters.
  std::string name(259 - dir.path().size() - 1, 'n');
  EXPECT_TRUE(WriteInstallFile(name.c_str(), "x", 1, false, false)) << name.size();
  EXPECT_TRUE(FileExists(dir / name));
  std::string longer = name + "x";
  EXPECT_FALSE(WriteInstallFile(longer.c_str(), "x", 1, false, false));
  EXPECT_EQ(CountEntries(dir.path()), 1);
}

TEST_F(PayloadTest, ATargetHeldOpenByAnotherProgramFailsWithItsFlagsCleared) {
  WriteBytes(dir / "K7.exe", "running program", kRO | kHidden);
  HANDLE held =
      CreateFileA((dir / "K7.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(ExtractPayload(109, "K7.exe", buffer.data(), buffer.size(), true, false));
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(dir / "K7.exe"), "running program");
  EXPECT_EQ(ProtectionOf(dir / "K7.exe"), 0u);
  EXPECT_EQ(CountEntries(dir.path()), 1) << "no temporary file left";
}

// Windows 95, 98 and Me have MoveFileExA only as a stub that answers this.
BOOL WINAPI MoveFileExNotImplemented(LPCSTR, LPCSTR, DWORD) {
  SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
  return FALSE;
}
BOOL WINAPI MoveFileExDenied(LPCSTR, LPCSTR, DWORD) {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}
// A MoveFileA that cannot move the new file in (as when the target's name is taken again).
BOOL WINAPI MoveFileRefusingTheNewFile(LPCSTR existing, LPCSTR newName) {
  if (strstr(existing, kTemporaryFileName) != nullptr) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return MoveFileA(existing, newName);
}

TEST_F(PayloadTest, WholeFilesReplaceProtectedCopiesAlsoWhereMoveFileExIsNotImplemented) {
  const FileMoves on9x = {MoveFileExNotImplemented, MoveFileA};
  const std::string target = dir / "sort.dic";
  WriteBytes(target, "earlier copy", kRO | kHidden);
  // A copy aside left by a killed run does not stand in the way.
  WriteBytes(dir / kEarlierCopyName, "stale");
  EXPECT_TRUE(WriteWholeFile(target.c_str(), "new", 3, 0, on9x));
  EXPECT_EQ(ReadBytes(target), "new");
  // Nor does a read-only, hidden temporary file left by a killed run; the new file is made with
  // its flags.
  WriteBytes(dir / kTemporaryFileName, "stale", kRO | kHidden);
  EXPECT_TRUE(WriteWholeFile((dir / "fresh.dic").c_str(), "fresh", 5, kRO | kHidden, on9x));
  EXPECT_EQ(ReadBytes(dir / "fresh.dic"), "fresh");
  EXPECT_EQ(ProtectionOf(dir / "fresh.dic"), kRO | kHidden);
  EXPECT_EQ(CountEntries(dir.path()), 2) << "neither the temporary file nor the copy aside left";
  // The new file cannot be moved in: the earlier copy is put back, nothing else is left.
  const FileMoves failingOn9x = {MoveFileExNotImplemented, MoveFileRefusingTheNewFile};
  EXPECT_FALSE(WriteWholeFile(target.c_str(), "lost", 4, 0, failingOn9x));
  EXPECT_EQ(ReadBytes(target), "new");
  // Any other failure of the move keeps the earlier copy and takes the temporary file away.
  // The temporary file, made read-only and hidden, is taken away all the same.
  EXPECT_FALSE(
      WriteWholeFile(target.c_str(), "lost", 4, kRO | kHidden, {MoveFileExDenied, MoveFileA}));
  EXPECT_EQ(ReadBytes(target), "new");
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
  const std::string path = folder + "\\too_big.bin";
  WriteBytes(path, "earlier copy", kRO | kHidden);
  std::vector<char> data(256 * 1024, 'x');
  EXPECT_FALSE(WriteInstallFile("too_big.bin", data.data(), data.size(), false, false));
  // The earlier copy stays whole and the cut temporary file goes.
  EXPECT_EQ(ReadBytes(path), "earlier copy");
  EXPECT_EQ(CountEntries(folder), 1);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
  EXPECT_TRUE(WriteInstallFile("small.bin", "fits", 4, false, false)) << "the disk itself works";
  DeleteFileA((folder + "\\small.bin").c_str());
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
