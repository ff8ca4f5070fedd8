// The names of the earlier copies that an installation run keeps, and whose copies they are.
#include "install/kept_copies.h"

#include "common/bounded_path.h"
#include "common/setup_file_names.h"
#include "install/stale_dictionaries.h"
#include "shell/ui_config.h"

bool KeptCopyPaths(const char* folder, int owner, char* target, char* keptCopy, size_t pathSize) {
  const int row = ManifestIndexOfResource(owner);
  const int stale = owner - kStaleDictionaryOwner;
  const bool formed =
      row >= 0
          ? FormatBounded(target, pathSize, "%s\\%s", folder,
                          ManifestRowAt(static_cast<size_t>(row)).fileName)
      : stale >= 0 && stale < kStaleDictionaryCount
          ? StaleDictionaryPath(folder, stale, target, pathSize)
          : owner == kUiConfigOwner &&
                FormatBounded(target, pathSize, "%s\\%s", folder, kUiConfigFileName);
  return formed &&
         FormatBounded(keptCopy, pathSize, "%s\\%s%d", folder, kSetupFilePrefix, owner);
}
