// The seam of the campaign's test build: the file-system calls counted, failed or stopped.
#define K7_FILE_SYSTEM_SEAM_ITSELF
#include "file_system_seam.h"

#include <cstring>
#include <vector>

namespace {

bool armed;
SeamFaults seamFaults;
long calls, recordMade, recordRenamed;
unsigned char* callKinds;
size_t callKindsSize;
// Handles opened through the seam and not yet closed: a stopped run's are closed at the restart.
std::vector<HANDLE> openHandles;

void Forget(HANDLE handle) {
  for (size_t i = 0; i < openHandles.size(); ++i)
    if (openHandles[i] == handle) {
      openHandles.erase(openHandles.begin() + static_cast<long>(i));
      return;
    }
}

bool Stopped() { return armed && seamFaults.stopAt != 0 && calls >= seamFaults.stopAt; }

bool NamesRecord(LPCSTR path) { return strstr(path, "~K7Setup.run") != nullptr; }

// Counts one call of `kind`; true when it is to pass through to the system. A call that does
// not pass fails as the system fails a call it refuses.
bool Pass(SeamCallKind kind) {
  if (!armed) return true;
  ++calls;
  if (callKinds != nullptr && static_cast<size_t>(calls) <= callKindsSize)
    callKinds[calls - 1] = static_cast<unsigned char>(kind);
  if (Stopped()) {
    SetLastError(ERROR_NOT_READY);
    return false;
  }
  if (calls == seamFaults.failAt || calls == seamFaults.failAgainAt) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return true;
}

}  // namespace

void ArmSeam(SeamFaults faults, unsigned char* kinds, size_t kindsSize) {
  armed = true;
  seamFaults = faults;
  calls = recordMade = recordRenamed = 0;
  callKinds = kinds;
  callKindsSize = kindsSize;
}

long RecordMadeAt() { return recordMade; }
long RecordRenamedAt() { return recordRenamed; }

long DisarmSeam() {
  armed = false;
  for (HANDLE handle : openHandles) CloseHandle(handle);
  openHandles.clear();
  return calls;
}

HANDLE WINAPI SeamCreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                              DWORD disposition, DWORD flags, HANDLE templateFile) {
  if (!Pass(kSeamCreateFile)) return INVALID_HANDLE_VALUE;
  if (armed && recordMade == 0 && NamesRecord(name) && disposition == CREATE_NEW) recordMade = calls;
  HANDLE file = CreateFileA(name, access, share, security, disposition, flags, templateFile);
  if (armed && file != INVALID_HANDLE_VALUE) openHandles.push_back(file);
  return file;
}
BOOL WINAPI SeamReadFile(HANDLE file, LPVOID data, DWORD size, LPDWORD done, LPOVERLAPPED at) {
  if (!Pass(kSeamReadFile)) return (*done = 0), FALSE;
  return ReadFile(file, data, size, done, at);
}
BOOL WINAPI SeamWriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD done, LPOVERLAPPED at) {
  if (!Pass(kSeamWriteFile)) return (*done = 0), FALSE;
  return WriteFile(file, data, size, done, at);
}
BOOL WINAPI SeamFlushFileBuffers(HANDLE file) {
  return Pass(kSeamFlush) && FlushFileBuffers(file);
}
// A close that fails still closes, as the system's does: what fails is the last write it makes.
// After a stop the handle stays open until the restart.
BOOL WINAPI SeamCloseHandle(HANDLE handle) {
  const bool passes = Pass(kSeamClose);
  if (Stopped()) return FALSE;
  Forget(handle);
  return CloseHandle(handle) && passes;
}
BOOL WINAPI SeamMoveFileA(LPCSTR from, LPCSTR to) {
  if (!Pass(kSeamMove)) return FALSE;
  if (armed && NamesRecord(from)) recordRenamed = calls;
  return MoveFileA(from, to);
}
BOOL WINAPI SeamDeleteFileA(LPCSTR name) { return Pass(kSeamDelete) && DeleteFileA(name); }
BOOL WINAPI SeamSetFileAttributesA(LPCSTR name, DWORD attributes) {
  return Pass(kSeamSetAttributes) && SetFileAttributesA(name, attributes);
}
DWORD WINAPI SeamGetFileAttributesA(LPCSTR name) {
  return Pass(kSeamGetAttributes) ? GetFileAttributesA(name) : INVALID_FILE_ATTRIBUTES;
}
HANDLE WINAPI SeamFindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA found) {
  return Pass(kSeamFind) ? FindFirstFileA(pattern, found) : INVALID_HANDLE_VALUE;
}
BOOL WINAPI SeamFindNextFileA(HANDLE search, LPWIN32_FIND_DATAA found) {
  return Pass(kSeamFind) && FindNextFileA(search, found);
}
BOOL WINAPI SeamCreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES security) {
  return Pass(kSeamCreateFolder) && CreateDirectoryA(name, security);
}
DWORD WINAPI SeamGetFileSize(HANDLE file, LPDWORD high) {
  return Pass(kSeamFileSize) ? GetFileSize(file, high) : INVALID_FILE_SIZE;
}
DWORD WINAPI SeamSetFilePointer(HANDLE file, LONG low, PLONG high, DWORD method) {
  return Pass(kSeamSeek) ? SetFilePointer(file, low, high, method) : INVALID_SET_FILE_POINTER;
}
