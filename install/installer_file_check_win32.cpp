// The Installer's own file checked against its payload record, and the room on the target drive.
#include <windows.h>

#include "common/bounded_path.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/message_dialog.h"
#include "common/payload_record.h"
#include "common/payload_resource.h"
#include "common/system_libraries.h"
#include "install/disk_room.h"
#include "install/install_manifest.h"
#include "install/installation_run.h"

namespace {

bool ReadOwnRecord(PayloadRecord* record) {
  uint32_t size = 0;
  const void* bytes = OwnResourceBytes(MAKEINTRESOURCEA(kPayloadRecordId), RT_RCDATA, &size);
  return bytes != nullptr && ReadPayloadRecord(bytes, size, record);
}

// Every manifest row and unlisted resource recorded, and every recorded stream present with its
// length and CRC-32.
bool PayloadMatchesRecord(const PayloadRecord& record) {
  if (record.rows != kPayloadResourceCount) return false;
  PayloadRecordRow row;
  for (const ManifestRow& manifestRow : kInstallManifest)
    if (!FindPayloadRecordRow(record, manifestRow.resourceId, &row)) return false;
  for (uint32_t i = 0; i < record.rows; ++i) {
    row = PayloadRecordRowAt(record, i);
    uint32_t size = 0;
    const void* stream = OwnResourceBytes(MAKEINTRESOURCEA(row.resourceId), "TEXT", &size);
    if (stream == nullptr || size != row.streamLength) return false;
    if (PayloadCrc(stream, size) != row.streamCrc) return false;
  }
  return true;
}

// The free bytes of the drive of InstallDir; false when the system reports none.
bool FreeBytesOfTarget(uint64_t* freeBytes) {
  // GetDiskFreeSpaceExA came with Windows 95 OSR2: looked up, and the older call otherwise.
  using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  auto freeSpaceEx = SystemProcedureOf<FreeSpaceEx>("kernel32.dll", "GetDiskFreeSpaceExA");
  char folder[kPathCapacity];
  if (!FormatBounded(folder, sizeof folder, "%s\\", InstallDir)) return false;
  if (freeSpaceEx != nullptr) {
    ULARGE_INTEGER available, total, totalFree;
    if (!freeSpaceEx(folder, &available, &total, &totalFree)) return false;
    *freeBytes = available.QuadPart;
    return true;
  }
  // The old call takes a drive's root: "C:\".
  char root[4] = {InstallDir[0], ':', '\\', '\0'};
  if (InstallDir[0] == '\0' || InstallDir[1] != ':') return false;
  DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
  if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
    return false;
  *freeBytes = static_cast<uint64_t>(freeClusters) * sectorsPerCluster * bytesPerSector;
  return true;
}

// The sizes of the manifest's files already in InstallDir (0 for one that is not there), in
// manifest order, from one listing of the folder: a name looked up on its own costs the file
// system a search each, 105 of them in a new folder. Through FindFirstFileA, which every Windows
// has; a name matches an entry's long or short name, case aside, as a lookup by name would.
void ExistingSizes(uint64_t (&sizes)[kInstallManifestRows]) {
  for (uint64_t& size : sizes) size = 0;
  char pattern[kPathCapacity];
  WIN32_FIND_DATAA data;
  if (!FormatBounded(pattern, sizeof pattern, "%s\\*", InstallDir)) return;
  HANDLE search = FindFirstFileA(pattern, &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    for (size_t i = 0; i < kInstallManifestRows; ++i) {
      const char* name = kInstallManifest[i].fileName;
      if (lstrcmpiA(data.cFileName, name) == 0 ||
          (data.cAlternateFileName[0] != '\0' && lstrcmpiA(data.cAlternateFileName, name) == 0))
        sizes[i] = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    }
  } while (FindNextFileA(search, &data));
  FindClose(search);
}

}  // namespace

bool CheckInstallerFile() {
  PayloadRecord record;
  if (ReadOwnRecord(&record) && PayloadMatchesRecord(record)) return true;
  ShowMessage(kMsgInstallerDamaged.chinese, kMsgInstallerDamaged.english,
              kMsgInstallerDamaged.buttons, WizardWindow);
  return false;
}

bool CheckRoom(bool keepOldWordBase) {
  PayloadRecord record;
  uint64_t freeBytes = 0;
  if (!ReadOwnRecord(&record) || !FreeBytesOfTarget(&freeBytes)) return true;
  uint64_t existingSizes[kInstallManifestRows];
  ExistingSizes(existingSizes);
  RoomNeed need;
  for (size_t i = 0; i < kInstallManifestRows; ++i) {
    const ManifestRow& row = kInstallManifest[i];
    const uint64_t existing = existingSizes[i];
    // A kept word base is not written again (but for a file of it that is missing).
    if (keepOldWordBase && IsWordBaseRow(row) && existing != 0) continue;
    PayloadRecordRow recorded;
    if (FindPayloadRecordRow(record, row.resourceId, &recorded))
      AddToRoomNeed(need, recorded.inflatedSize, existing);
  }
  const uint64_t needed = need.peak;
  if (freeBytes >= needed) return true;
  char neededText[32], freeText[32], chinese[160], english[128];
  if (DescribeBytes(needed, neededText, sizeof neededText) &&
      DescribeBytes(freeBytes, freeText, sizeof freeText) &&
      FormatBounded(chinese, sizeof chinese, kMsgNoRoom.chinese, neededText, freeText) &&
      FormatBounded(english, sizeof english, kMsgNoRoom.english, neededText, freeText))
    ShowMessage(chinese, english, kMsgNoRoom.buttons, WizardWindow);
  return false;
}
