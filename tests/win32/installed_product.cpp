// Checks of an installed product on disk.
#include "installed_product.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include "app/startup.h"
#include "common/file_replace.h"
#include "common/installer_state.h"
#include "install/install_manifest.h"
#include "shell/product_variant.h"
#include "test_files.h"

namespace {

DWORD FlagsOf(const ManifestRow& row) {
  return ((row.attributes & kAttrReadOnly) ? FILE_ATTRIBUTE_READONLY : 0) |
         ((row.attributes & kAttrHidden) ? FILE_ATTRIBUTE_HIDDEN : 0);
}

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = "";
  SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
  return path;
}

}  // namespace

void ExpectInstalled(const std::string& folder, bool wordBase, const char* except) {
  for (const ManifestRow& row : kInstallManifest) {
    if ((!wordBase && IsWordBaseRow(row)) || std::string(except) == row.fileName) continue;
    std::string path = folder + "\\" + row.fileName;
    if (std::string(row.fileName) != "velmarui.ini") {
      EXPECT_EQ(ReadBytes(path), SampleFile(row.fileName)) << row.fileName;
    }
    EXPECT_EQ(ProtectionOf(path), FlagsOf(row)) << row.fileName;
  }
  WIN32_FIND_DATAA found;
  HANDLE left = FindFirstFileA((folder + "\\" + kSetupFilePrefix + "*").c_str(), &found);
  EXPECT_EQ(left, INVALID_HANDLE_VALUE) << "the writer's " << found.cFileName << " is left";
  if (left != INVALID_HANDLE_VALUE) FindClose(left);
}

void WriteEarlierRelease(const std::string& folder) {
  for (const ManifestRow& row : kInstallManifest)
    WriteBytes(folder + "\\" + row.fileName, std::string("earlier ") + row.fileName, FlagsOf(row));
  WriteBytes(folder + "\\flatAuto.dic", "an earlier derived dictionary");
  WriteBytes(folder + "\\pykeys.dic0001", "another one",
             FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
}

ProductShellEntries::ProductShellEntries()
    : ProductShellEntries(ShellFolder(CSIDL_PROGRAMS), ShellFolder(CSIDL_DESKTOPDIRECTORY)) {}

ProductShellEntries::ProductShellEntries(const std::string& programsFolder,
                                         const std::string& desktopFolder) {
  DetectEnvironment();
  ShellNames names = SelectShellNames(kProductVariant, SystemLanguage);
  group_ = programsFolder + "\\" + names.groupName;
  programLink_ = group_ + "\\" + names.programShortcutName + ".lnk";
  uninstallerLink_ = group_ + "\\" + names.uninstallerShortcutName + ".lnk";
  desktopLink_ = desktopFolder + "\\" + names.programShortcutName + ".lnk";
  Remove();
}

ProductShellEntries::~ProductShellEntries() { Remove(); }

void ProductShellEntries::Remove() {
  RemoveTree(group_);
  DeleteFileA(desktopLink_.c_str());
}
