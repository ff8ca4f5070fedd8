// The walk through the installation manifest: rows in order, word-base groups skipped while the
// old word base is kept, progress set after each group, and the end at the first failed
// required row.
#pragma once

#include "install/install_manifest.h"

// What the walk does with each row and each progress position.
class ManifestSteps {
 public:
  // Writes one row's file; true on success.
  virtual bool Install(const ManifestRow& row) = 0;
  // Moves the progress bar to `position`.
  virtual void Progress(int position) = 0;
  // Whether the row's file is already in the target folder.
  virtual bool Exists(const ManifestRow& row) = 0;

 protected:
  ~ManifestSteps() = default;
};

// The manifest's rows at run time. The Installer carries kInstallManifest packed, without
// pointers (each pointer of a table costs the file a relocation entry as well), and reads it
// through these only.
ManifestRow ManifestRowAt(size_t index);  // index below kInstallManifestRows
// The index of the row of the file `fileName` (ASCII letters compared without regard to case,
// as Windows names files), or of the resource `resourceId`; -1 when the manifest has none.
int ManifestIndexNamed(const char* fileName);
int ManifestIndexOfResource(int resourceId);

// Whether a run writes `row`, whose file is in the target folder or not (`exists`): every row but
// those of a word base that is kept (`keepOldWordBase`) and whose file is there.
bool RunWritesRow(const ManifestRow& row, bool keepOldWordBase, bool exists);

// Installs the manifest's groups 1 to 15 in order. The rows of a word-base group are skipped
// while `keepOldWordBase` is true, but for a file of it that is missing (a run that ended
// half-way left an incomplete word base: nothing the user has is overwritten, and the product is
// whole); every group's progress positions are set all the same. False
// at once when a required row fails (no later row and no later position then); an optional
// row's failure is passed over.
bool WalkManifest(bool keepOldWordBase, ManifestSteps& steps);
