// The shell names that each system language picks from the ProductVariant record.
#include "shell/product_variant.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The Big5 bytes of TorvuK7輸入法 and 卸載, and the GBK bytes of TorvuK7输入法 and 卸载.
const std::string kBig5Product = "TorvuK7\xBF\xE9\xA4\x4A\xAA\x6B";
const std::string kBig5Uninstall = "\xA8\xF8\xB8\xFC";
const std::string kGbkProduct = "TorvuK7\xCA\xE4\xC8\xEB\xB7\xA8";
const std::string kGbkUninstall = "\xD0\xB6\xD4\xD8";

TEST(ProductVariant, EachSystemLanguagePicksItsColumnForAllThreeNames) {
  struct Row {
    int language;
    std::string group, program, uninstaller;
  };
  const Row rows[] = {{0, "Quorvane-Brix4", "Quorvane-Brix4", "UnInstall"},
                      {1, kGbkProduct, kGbkProduct, kGbkUninstall},
                      {2, kBig5Product, kBig5Product, kBig5Uninstall}};
  for (const Row& row : rows) {
    ShellNames names = SelectShellNames(kProductVariant, row.language);
    EXPECT_EQ(names.groupName, row.group) << row.language;
    EXPECT_EQ(names.programShortcutName, row.program) << row.language;
    EXPECT_EQ(names.uninstallerShortcutName, row.uninstaller) << row.language;
  }
  // The program's shortcut opens the program, the uninstaller's the uninstaller.
  EXPECT_STREQ(kProductVariant.programFile, "K7.exe");
  EXPECT_STREQ(kProductVariant.uninstallerFile, "K7UnInstall.exe");
}

TEST(ProductVariant, AnUnknownLanguageFallsBackToEnglish) {
  for (int language : {-1, 3, 99}) {
    ShellNames names = SelectShellNames(kProductVariant, language);
    EXPECT_STREQ(names.groupName, "Quorvane-Brix4") << language;
    EXPECT_STREQ(names.uninstallerShortcutName, "UnInstall") << language;
  }
}

}  // namespace
