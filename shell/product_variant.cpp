// The ProductVariant of the installed product and the choice of its names by system language.
#include "shell/product_variant.h"

// Sources are compiled with GBK narrow literals; the Big5 names are written as bytes.
const ProductVariant kProductVariant = {
    {"Quorvane-Brix4", "TorvuK7输入法", "TorvuK7\xBF\xE9\xA4\x4A\xAA\x6B" /* TorvuK7輸入法 */},
    {"Quorvane-Brix4", "TorvuK7输入法", "TorvuK7\xBF\xE9\xA4\x4A\xAA\x6B" /* TorvuK7輸入法 */},
    {"UnInstall", "卸载", "\xA8\xF8\xB8\xFC" /* 卸載 */},
    "K7.exe",
    "K7UnInstall.exe",
};

ShellNames SelectShellNames(const ProductVariant& variant, int systemLanguage) {
  int column = systemLanguage >= 0 && systemLanguage <= 2 ? systemLanguage : 0;
  return {variant.groupName[column], variant.programShortcutName[column],
          variant.uninstallerShortcutName[column]};
}
