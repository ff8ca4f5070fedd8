// The install floor of bench/install_speed.sh: the least that installing the payload takes.
//
// Usage: install_floor FOLDER
// Inflates every manifest row's "TEXT" resource (the Installer's own packed payload, linked in
// from the same resource script) with zlib's uncompress into one buffer of
// kPayloadBufferCapacity bytes and writes it under its file name into FOLDER, made first, with
// one WriteFile call. No attributes, no shortcuts, no configuration, no window. Exit code 0
// when every file was written, 1 otherwise (the first file that failed is named on stderr).
#include <windows.h>
#include <zlib.h>

#include <cstring>

#include "install/install_manifest.h"

namespace {

// Inflates resource `resourceId` into `buffer`; its inflated length in `*length`.
bool Inflate(uint16_t resourceId, unsigned char* buffer, uLongf* length) {
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(resourceId), "TEXT");
  if (resource == nullptr) return false;
  HGLOBAL loaded = LoadResource(nullptr, resource);
  const void* stream = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (stream == nullptr) return false;
  *length = kPayloadBufferCapacity;
  return uncompress(buffer, length, static_cast<const Bytef*>(stream),
                    SizeofResource(nullptr, resource)) == Z_OK;
}

bool WriteWhole(const char* path, const unsigned char* data, DWORD length) {
  HANDLE file =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, data, length, &written, nullptr) && written == length;
  return CloseHandle(file) && ok;
}

// "FOLDER\NAME" into `path` (MAX_PATH bytes); false when it does not fit.
bool JoinPath(const char* folder, const char* name, char* path) {
  size_t folderLength = strlen(folder), nameLength = strlen(name);
  if (folderLength + 1 + nameLength >= MAX_PATH) return false;
  memcpy(path, folder, folderLength);
  path[folderLength] = '\\';
  memcpy(path + folderLength + 1, name, nameLength + 1);
  return true;
}

// Writes the three texts to stderr (no stdio: the floor carries no formatter).
void Report(const char* first, const char* second, const char* third) {
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  DWORD written;
  const char* const texts[] = {first, second, third};
  for (const char* text : texts)
    WriteFile(err, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    Report("usage: install_floor FOLDER", "", "\n");
    return 1;
  }
  const char* folder = argv[1];
  auto* buffer = static_cast<unsigned char*>(
      VirtualAlloc(nullptr, kPayloadBufferCapacity, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  if (buffer == nullptr) return 1;
  CreateDirectoryA(folder, nullptr);
  for (const ManifestRow& row : kInstallManifest) {
    char path[MAX_PATH];
    uLongf length = 0;
    if (!JoinPath(folder, row.fileName, path) || !Inflate(row.resourceId, buffer, &length) ||
        !WriteWhole(path, buffer, length)) {
      Report("install_floor: cannot install ", row.fileName, "\n");
      return 1;
    }
  }
  return 0;
}
