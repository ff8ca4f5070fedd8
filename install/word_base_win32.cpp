// Word-base replacement on Win32: the marker test on real files, the question and the sweep.
#include <windows.h>

#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/bounded_path.h"
#include "common/plain_files.h"
#include "install/kept_copies.h"
#include "install/stale_dictionaries.h"
#include "install/word_base.h"

bool KeepOldWordBase;

// The question offers Yes and No: every other answer keeps the old word base.
static_assert(kMsgReplaceWordBase.buttons == kButtonsYesNo && kButtonsYesNo == MB_YESNO,
              "the word-base question is a Yes/No question");

namespace {

// True when the first byte of "pycizudic.idx" has its high bit set; a file that is missing,
// cannot be opened or is empty is no marker.
bool WordBaseIndexIsMarked() {
  char path[kPathCapacity];
  if (!FormatBounded(path, sizeof path, "%s\\pycizudic.idx", InstallDir)) return false;
  return ReadFirstByte(path) >= 0x80;
}

}  // namespace

void DecideWordBase() {
  KeepOldWordBase = false;
  char path[kPathCapacity];
  // A path too long to form cannot name an existing file.
  if (!FormatBounded(path, sizeof path, "%s\\CiZuFlat.igb", InstallDir)) return;
  if (!PathExists(path)) return;

  if (WordBaseIndexIsMarked()) {
    int answer = Notify(kMsgReplaceWordBase, WizardWindow);
    // No, Escape, the close box and a dialog that could not be shown all keep the old word base.
    KeepOldWordBase = answer != IDYES;
  }
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void SweepStaleDictionaries() {
  // Kept aside rather than deleted at once: the run deletes them once it has succeeded, and
  // puts them back when it fails. pykeys.dic and Gbkflat.dic are the manifest's pykeys.dic and
  // gbkflat.dic, which the run replaces at once, keeping their earlier copies as every
  // manifest file's: they are left to it, and come back under the manifest's names.
  char path[kPathCapacity];
  for (int i = 0; i < kStaleDictionaryCount; ++i) {
    if (!StaleDictionaryPath(InstallDir, i, path, sizeof path) ||
        ManifestIndexNamed(path + FindLastBackslash(path, nullptr) + 1) < 0)
      KeepAside(kStaleDictionaryOwner + i);
  }
}
