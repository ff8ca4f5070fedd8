// Word-base replacement on Win32: the marker test on real files, the question and the sweep.
#include <windows.h>

#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/bounded_path.h"
#include "common/file_replace.h"
#include "common/plain_files.h"
#include "common/scoped_handles.h"
#include "install/file_transaction.h"
#include "install/manifest_walk.h"
#include "install/stale_dictionaries.h"
#include "install/word_base.h"

bool KeepOldWordBase;

// The question offers Yes and No: every other answer keeps the old word base.
static_assert(kMsgReplaceWordBase.buttons == kButtonsYesNo && kButtonsYesNo == MB_YESNO,
              "the word-base question is a Yes/No question");

namespace {

// Whether "pycizudic.idx" marks the user's own word base: its first byte has its high bit set,
// or it is there and cannot be read. A missing or empty index marks none.
bool WordBaseIndexIsMarked() {
  char path[kPathCapacity];
  if (!FormatBounded(path, sizeof path, "%s\\pycizudic.idx", InstallDir)) return false;
  // As the runtime's fopen(..., "rb"): others may go on reading and writing it meanwhile.
  const FileHandle index(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!index.valid()) return !NoSuchFile(GetLastError());
  unsigned char first = 0;
  DWORD read = 0;
  return !ReadFile(index.get(), &first, 1, &read, nullptr) || (read == 1 && first >= 0x80);
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

bool SweepStaleDictionaries(FileTransaction& run) {
  // Kept aside rather than deleted at once: the run deletes them once it has succeeded, and
  // puts them back when it fails. pykeys.dic and Gbkflat.dic are the manifest's pykeys.dic and
  // gbkflat.dic, which the run replaces at once, keeping their earlier copies as every
  // manifest file's: they are left to it, and come back under the manifest's names.
  char path[kPathCapacity];
  for (int i = 0; i < kStaleDictionaryCount; ++i) {
    if (!StaleDictionaryPath("", i, path, sizeof path)) return false;
    if (ManifestIndexNamed(path + 1) < 0 && !run.KeepAside(path + 1)) return false;
  }
  return true;
}
