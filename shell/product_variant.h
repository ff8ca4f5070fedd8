// The ProductVariant record: the product's shell names in three languages and its two file names.
#pragma once

// Each triple of names holds the same name for the three system languages, indexed by UiLanguage:
// [0] English (ASCII), [1] Simplified Chinese (GBK), [2] Traditional Chinese (Big5). The names
// become file names, so they are in the ANSI code page of a system of that language.
struct ProductVariant {
  const char* groupName[3];                // the Start-menu group folder
  const char* programShortcutName[3];      // the program's shortcut, file name and description
  const char* uninstallerShortcutName[3];  // the uninstaller's shortcut
  const char* programFile;                 // the program in InstallDir
  const char* uninstallerFile;             // the uninstaller in InstallDir
};
static_assert(sizeof(ProductVariant) == 11 * sizeof(const char*), "eleven names");

// The names that one system language picks from the record.
struct ShellNames {
  const char* groupName;
  const char* programShortcutName;
  const char* uninstallerShortcutName;
};

// The product that this Installer installs.
extern const ProductVariant kProductVariant;

// The shell names for a system language (`SystemLanguage`: 0 English, 1 Simplified Chinese,
// 2 Traditional Chinese). Any other value gets the English names: ASCII is a valid file name
// in every code page.
ShellNames SelectShellNames(const ProductVariant& variant, int systemLanguage);
