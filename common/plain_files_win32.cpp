// Whole-file reads, small writes and existence tests on Win32, through kernel32 alone.
#include "common/plain_files.h"

#include <cstdlib>
#include <cstring>

namespace {

HANDLE OpenFile(const char* path, DWORD access, DWORD disposition,
                DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  return CreateFileA(path, access, FILE_SHARE_READ, nullptr, disposition, attributes, nullptr);
}

// Reads or writes exactly `length` bytes (the Installer's files stay far below 4 GiB), then
// closes the file; false when either fell short, the close included: a close that cannot flush
// the last bytes loses data just as a short write does. A `durable` write is flushed to the disk
// before the close.
bool TransferAndClose(HANDLE file, void* bytes, size_t length, bool write, bool durable = false) {
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  const DWORD count = static_cast<DWORD>(length);
  const bool ok = count == length &&
                  (write ? WriteFile(file, bytes, count, &done, nullptr)
                         : ReadFile(file, bytes, count, &done, nullptr)) &&
                  done == count && (!durable || FlushFileBuffers(file));
  return CloseHandle(file) && ok;
}

}  // namespace

bool PathExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool ReadWholeFile(const char* path, size_t most, char** bytes, size_t* length) {
  HANDLE file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
  if (file == INVALID_HANDLE_VALUE) return false;
  // A size that cannot be read is INVALID_FILE_SIZE, more than `most`; one of 4 GiB or more has
  // a high part: refused either way.
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  char* buffer = size <= most && high == 0 ? static_cast<char*>(malloc(size + 1)) : nullptr;
  if (buffer == nullptr) {
    CloseHandle(file);
    return false;
  }
  if (!TransferAndClose(file, buffer, size, false)) {
    free(buffer);
    return false;
  }
  *bytes = buffer;
  *length = size;
  return true;
}

bool WriteNewFile(const char* path, const void* data, size_t length, DWORD attributes,
                  bool durable) {
  return TransferAndClose(OpenFile(path, GENERIC_WRITE, CREATE_NEW, attributes),
                          const_cast<void*>(data), length, true, durable);
}

bool AppendAndClose(HANDLE file, const char* text) {
  if (file != INVALID_HANDLE_VALUE) SetFilePointer(file, 0, nullptr, FILE_END);
  return TransferAndClose(file, const_cast<char*>(text), strlen(text), true);
}
