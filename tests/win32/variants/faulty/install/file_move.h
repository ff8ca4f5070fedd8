// A test build of the Installer (never the shipped one) whose write of one manifest file goes
// wrong after its earlier copy was kept aside, as when a disk fills or a drive goes away there:
// the environment variable K7_TEST_FAULT="fail <id>" makes the move of that row's new file into
// place fail, "die <id>" ends the process at that moment, like a run killed between the two.
// Found in place of install/file_move.h on the include path of that build's file writer.
#pragma once

#include <windows.h>

#include "common/bounded_path.h"
#include "common/installer_state.h"
#include "common/file_replace.h"
#include "common/setup_file_names.h"
#include "install/install_manifest.h"

namespace {

char faultKind;
int faultResourceId = -1;

BOOL WINAPI MoveWithFault(LPCSTR existing, LPCSTR newName) {
  const long slash = FindLastBackslash(existing, IsAnsiLeadByte);
  if (lstrcmpiA(existing + slash + 1, kTemporaryFileName) != 0) return MoveFileA(existing, newName);
  if (faultKind == 'd') ExitProcess(3);
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

}  // namespace

inline FileMove MoveFor(const ManifestRow& row) {
  if (faultResourceId < 0) {
    char fault[32] = "";
    GetEnvironmentVariableA("K7_TEST_FAULT", fault, sizeof fault);
    faultKind = fault[0];
    faultResourceId = 0;
    for (const char* digit = fault; *digit != '\0'; ++digit)
      if (*digit >= '0' && *digit <= '9') faultResourceId = faultResourceId * 10 + (*digit - '0');
  }
  return row.resourceId == faultResourceId ? MoveWithFault : MoveFileA;
}
