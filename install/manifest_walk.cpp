// The walk through the installation manifest, group by group.
#include "install/manifest_walk.h"

bool WalkManifest(bool keepOldWordBase, ManifestSteps& steps) {
  for (const ManifestGroup& group : kManifestGroups) {
    const bool keep = group.wordBase && keepOldWordBase;
    for (const ManifestRow& row : kInstallManifest) {
      if (row.group != group.group || (keep && steps.Exists(row))) continue;
      if (!steps.Install(row) && row.required) return false;
    }
    for (uint8_t position : group.progressAfter)
      if (position != 0) steps.Progress(position);
  }
  return true;
}
