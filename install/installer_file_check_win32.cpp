// The Installer's own file checked against its payload record, and the room on the target drive.
#include <windows.h>

#include "common/bounded_path.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/payload_record.h"
#include "common/payload_resource.h"
#include "common/scoped_handles.h"
#include "common/system_calls.h"
#include "install/disk_room.h"
#include "install/install_manifest.h"
#include "install/installation_run.h"
#include "install/kept_copies.h"
#include "install/manifest_walk.h"
#include "shell/ui_config.h"
#include "shell/ui_config_edit.h"

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
  for (size_t i = 0; i < kInstallManifestRows; ++i)
    if (!FindPayloadRecordRow(record, ManifestRowAt(i).resourceId, &row)) return false;
  for (uint32_t i = 0; i < record.rows; ++i) {
    row = PayloadRecordRowAt(record, i);
    uint32_t size = 0;
    const void* stream = OwnResourceBytes(MAKEINTRESOURCEA(row.resourceId), "TEXT", &size);
    if (stream == nullptr || size != row.streamLength) return false;
    if (PayloadCrc(stream, size) != row.streamCrc) return false;
  }
  return true;
}

// The free bytes and the cluster size of the drive of InstallDir; false when the system reports
// no free bytes (the cluster size is then 1).
bool MeasureTargetDrive(uint64_t* freeBytes, uint32_t* clusterBytes) {
  *clusterBytes = 1;
  char root[kPathCapacity];
  DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
  const bool measured =
      DriveRootOf(InstallDir, root, sizeof root) &&
      GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters);
  if (measured) *clusterBytes = sectorsPerCluster * bytesPerSector;
  // GetDiskFreeSpaceExA came with Windows 95 OSR2 and counts beyond the old call's 2 GB: looked
  // up, and the old call's figure otherwise.
  auto freeSpaceEx = SystemCall<kernel32::GetDiskFreeSpaceExA>();
  char folder[kPathCapacity];
  ULARGE_INTEGER available, total, totalFree;
  if (freeSpaceEx != nullptr && FormatBounded(folder, sizeof folder, "%s\\", InstallDir) &&
      freeSpaceEx(folder, &available, &total, &totalFree)) {
    *freeBytes = available.QuadPart;
    return true;
  }
  *freeBytes = static_cast<uint64_t>(freeClusters) * sectorsPerCluster * bytesPerSector;
  return measured;
}

// Which of the manifest's files are already in InstallDir, in manifest order, from one listing
// of the folder: a name looked up on its own costs the file system a search each, 105 of them in
// a new folder. Through FindFirstFileA, which every Windows has; a name matches an entry's long
// or short name, case aside, as a lookup by name would.
void ExistingFiles(bool (&exists)[kInstallManifestRows]) {
  for (bool& one : exists) one = false;
  char pattern[kPathCapacity];
  WIN32_FIND_DATAA data;
  if (!FormatBounded(pattern, sizeof pattern, "%s\\*", InstallDir)) return;
  const SearchHandle search(FindFirstFileA(pattern, &data));
  if (!search.valid()) return;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    for (size_t i = 0; i < kInstallManifestRows; ++i) {
      const char* name = ManifestRowAt(i).fileName;
      exists[i] |=
          lstrcmpiA(data.cFileName, name) == 0 ||
          (data.cAlternateFileName[0] != '\0' && lstrcmpiA(data.cAlternateFileName, name) == 0);
    }
  } while (FindNextFileA(search.get(), &data));
}

}  // namespace

bool CheckInstallerFile() {
  PayloadRecord record;
  if (ReadOwnRecord(&record) && PayloadMatchesRecord(record)) return true;
  Notify(kMsgInstallerDamaged, WizardWindow);
  return false;
}

bool CheckRoom(bool keepOldWordBase) {
  PayloadRecord record;
  uint64_t freeBytes = 0;
  uint32_t clusterBytes = 1;
  if (!ReadOwnRecord(&record) || !MeasureTargetDrive(&freeBytes, &clusterBytes)) return true;
  bool exists[kInstallManifestRows];
  ExistingFiles(exists);
  RoomNeed need;
  PayloadRecordRow recorded;
  for (size_t i = 0; i < kInstallManifestRows; ++i) {
    const ManifestRow row = ManifestRowAt(i);
    if (RunWritesRow(row, keepOldWordBase, exists[i]) &&
        FindPayloadRecordRow(record, row.resourceId, &recorded))
      AddToRoomNeed(need, recorded.inflatedSize, clusterBytes);
  }
  // The configuration edit writes its file once more (a few bytes longer) beside the first.
  const int config = ManifestIndexNamed(kUiConfigFileName);
  if (config >= 0 && FindPayloadRecordRow(
                         record, ManifestRowAt(static_cast<size_t>(config)).resourceId, &recorded))
    AddToRoomNeed(need, recorded.inflatedSize + kUiConfigMostGrowth, clusterBytes);
  const uint64_t needed = need.bytes;
  if (freeBytes >= needed) return true;
  char neededText[32], freeText[32], chinese[160], english[128];
  if (DescribeBytes(needed, neededText, sizeof neededText) &&
      DescribeBytes(freeBytes, freeText, sizeof freeText) &&
      FormatBounded(chinese, sizeof chinese, kMsgNoRoom.chinese, neededText, freeText) &&
      FormatBounded(english, sizeof english, kMsgNoRoom.english, neededText, freeText))
    Notify({chinese, english, kMsgNoRoom.buttons}, WizardWindow);
  return false;
}
