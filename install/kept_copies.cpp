// The names of the earlier copies that an installation run keeps, and whose copies they are.
#include "install/kept_copies.h"

#include "common/bounded_path.h"
#include "common/setup_file_names.h"
#include "install/stale_dictionaries.h"
#include "shell/ui_config.h"

namespace {

// kSetupFilePrefix, then the resource id, or "d" and the stale dictionary's two digits.
constexpr char kKeptCopyFormat[] = "%s%u";
constexpr char kKeptDictionaryFormat[] = "%sd%u%u";

// The value of exactly `count` decimal digits at `text`, or -1.
int DigitsValue(const char* text, int count) {
  int value = 0;
  for (int i = 0; i < count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return text[count] == '\0' ? value : -1;
}

}  // namespace

bool KeptCopyName(KeptCopyOwner owner, char* out, size_t outSize) {
  if (out == nullptr || outSize == 0) return false;
  out[0] = '\0';
  switch (owner.kind) {
    case KeptCopyKind::kManifestFile:
      return ManifestRowOfResource(owner.number) != nullptr &&
             FormatBounded(out, outSize, kKeptCopyFormat, kSetupFilePrefix,
                           static_cast<unsigned>(owner.number));
    case KeptCopyKind::kStaleDictionary:
      return owner.number >= 0 && owner.number < kStaleDictionaryCount &&
             FormatBounded(out, outSize, kKeptDictionaryFormat, kSetupFilePrefix,
                           static_cast<unsigned>(owner.number / 10),
                           static_cast<unsigned>(owner.number % 10));
    case KeptCopyKind::kUiConfig:
      return FormatBounded(out, outSize, "%s", kUiConfigKeptName);
  }
  return false;
}

bool KeptCopyOwnerOf(const char* name, KeptCopyOwner* owner) {
  // Case aside, as the file system compares names.
  KeptCopyOwner found = {KeptCopyKind::kUiConfig, 0};
  if (!SameFileName(name, kUiConfigKeptName)) {
    if (!SameFileName(name, kSetupFilePrefix, true)) return false;
    name += sizeof kSetupFilePrefix - 1;
    found = (*name | 0x20) == 'd'
                ? KeptCopyOwner{KeptCopyKind::kStaleDictionary, DigitsValue(name + 1, 2)}
                : KeptCopyOwner{KeptCopyKind::kManifestFile, DigitsValue(name, 3)};
  }
  // The owner must have this very name: a resource id outside the manifest is no one's.
  char check[16];
  if (found.number < 0 || !KeptCopyName(found, check, sizeof check)) return false;
  *owner = found;
  return true;
}

bool KeptCopyPaths(const char* folder, KeptCopyOwner owner, char* target, char* keptCopy,
                   size_t pathSize) {
  char name[16];
  if (!KeptCopyName(owner, name, sizeof name) ||
      !FormatBounded(keptCopy, pathSize, "%s\\%s", folder, name))
    return false;
  switch (owner.kind) {
    case KeptCopyKind::kManifestFile:
      return FormatBounded(target, pathSize, "%s\\%s", folder,
                           ManifestRowOfResource(owner.number)->fileName);
    case KeptCopyKind::kStaleDictionary:
      return StaleDictionaryPath(folder, owner.number, target, pathSize);
    case KeptCopyKind::kUiConfig:
      return FormatBounded(target, pathSize, "%s\\%s", folder, kUiConfigFileName);
  }
  return false;
}
