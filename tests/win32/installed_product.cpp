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

std::string SampleFile(const char* name) {
  return ReadBytes(std::string(K7_SAMPLE_PAYLOAD_DIR) + "\\" + name);
}

void ExpectInstalled(const std::string& folder, bool wordBase, const char* except) {
  for (const ManifestRow& row : kInstallManifest) {
    if ((!wordBase && IsWordBaseRow(row)) || std::string(except) == row.fileName) continue;
    std::string path = folder + "\\" + row.fileName;
    if (std::string(row.fileName) != "velmarui.ini") {
      EXPECT_EQ(ReadBytes(path), SampleFile(row.fileName)) << row.fileName;
    }
    EXPECT_EQ(ProtectionOf(path), FlagsOf(row)) << row.fileName;
  }
  EXPECT_FALSE(FileExists(folder + "\\" + kTemporaryFileName));
}

ProductShellEntries::ProductShellEntries() {
  DetectEnvironment();
  ShellNames names = SelectShellNames(kProductVariant, SystemLanguage);
  group_ = ShellFolder(CSIDL_PROGRAMS) + "\\" + names.groupName;
  programLink_ = group_ + "\\" + names.programShortcutName + ".lnk";
  uninstallerLink_ = group_ + "\\" + names.uninstallerShortcutName + ".lnk";
  desktopLink_ = ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + names.programShortcutName + ".lnk";
  Remove();
}

ProductShellEntries::~ProductShellEntries() { Remove(); }

void ProductShellEntries::Remove() {
  RemoveTree(group_);
  DeleteFileA(desktopLink_.c_str());
}
