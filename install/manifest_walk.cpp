// The walk through the installation manifest, group by group.
#include "install/manifest_walk.h"

const ManifestRow& ManifestRowAt(size_t index) { return kInstallManifest[index]; }

const ManifestRow* ManifestRowNamed(const char* fileName) {
  for (const ManifestRow& row : kInstallManifest)
    if (SameFileName(fileName, row.fileName)) return &row;
  return nullptr;
}

const ManifestRow* ManifestRowOfResource(int resourceId) {
  for (const ManifestRow& row : kInstallManifest)
    if (row.resourceId == resourceId) return &row;
  return nullptr;
}

bool RunWritesRow(const ManifestRow& row, bool keepOldWordBase, bool exists) {
  return !(keepOldWordBase && IsWordBaseRow(row) && exists);
}

bool WalkManifest(bool keepOldWordBase, ManifestSteps& steps) {
  for (const ManifestGroup& group : kManifestGroups) {
    // Existence is asked only where it decides: of a kept word base's files.
    const bool keep = group.wordBase && keepOldWordBase;
    for (const ManifestRow& row : kInstallManifest) {
      if (row.group != group.group || !RunWritesRow(row, keepOldWordBase, keep && steps.Exists(row)))
        continue;
      if (!steps.Install(row) && row.required) return false;
    }
    for (uint8_t position : group.progressAfter)
      if (position != 0) steps.Progress(position);
  }
  return true;
}
