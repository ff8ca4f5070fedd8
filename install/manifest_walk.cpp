// The walk through the installation manifest, group by group.
#include "install/manifest_walk.h"

namespace {

// A row as the Installer carries it: its file name as an offset into the names that follow the
// rows.
struct PackedRow {
  uint8_t group;
  uint8_t attributes;
  bool required;
  uint16_t resourceId;
  uint16_t nameOffset;
};

constexpr size_t ManifestNamesSize() {
  size_t size = 0;
  for (const ManifestRow& row : kInstallManifest)
    for (size_t i = 0; row.fileName[i++] != '\0';) ++size;
  return size + kInstallManifestRows;
}

struct PackedManifest {
  PackedRow rows[kInstallManifestRows];
  char names[ManifestNamesSize()];
};

constexpr PackedManifest PackManifest() {
  PackedManifest packed = {};
  size_t at = 0;
  for (size_t r = 0; r < kInstallManifestRows; ++r) {
    const ManifestRow& row = kInstallManifest[r];
    packed.rows[r] = {row.group, row.attributes, row.required, row.resourceId,
                      static_cast<uint16_t>(at)};
    for (size_t i = 0; (packed.names[at++] = row.fileName[i]) != '\0'; ++i) {
    }
  }
  return packed;
}

constexpr PackedManifest kPackedManifest = PackManifest();
static_assert(ManifestNamesSize() < 65536, "offsets fit 16 bits");

}  // namespace

ManifestRow ManifestRowAt(size_t index) {
  const PackedRow& row = kPackedManifest.rows[index];
  return {row.group, row.resourceId, kPackedManifest.names + row.nameOffset, row.attributes,
          row.required};
}

int ManifestIndexNamed(const char* fileName) {
  for (size_t i = 0; i < kInstallManifestRows; ++i)
    if (SameFileName(fileName, ManifestRowAt(i).fileName)) return static_cast<int>(i);
  return -1;
}

int ManifestIndexOfResource(int resourceId) {
  for (size_t i = 0; i < kInstallManifestRows; ++i)
    if (kPackedManifest.rows[i].resourceId == resourceId) return static_cast<int>(i);
  return -1;
}

bool RunWritesRow(const ManifestRow& row, bool keepOldWordBase, bool exists) {
  return !(keepOldWordBase && IsWordBaseRow(row) && exists);
}

bool WalkManifest(bool keepOldWordBase, ManifestSteps& steps) {
  for (const ManifestGroup& group : kManifestGroups) {
    // Existence is asked only where it decides: of a kept word base's files.
    const bool keep = group.wordBase && keepOldWordBase;
    for (size_t i = 0; i < kInstallManifestRows; ++i) {
      const ManifestRow row = ManifestRowAt(i);
      if (row.group != group.group || !RunWritesRow(row, keepOldWordBase, keep && steps.Exists(row)))
        continue;
      if (!steps.Install(row) && row.required) return false;
    }
    for (uint8_t position : group.progressAfter)
      if (position != 0) steps.Progress(position);
  }
  return true;
}
