// Helpers of the Win32 tests: scratch folders, file contents and attributes on the real file
// system, and shell links read back.
#pragma once

#include <windows.h>

#include <map>
#include <string>

// A fresh folder under the temporary folder, made InstallDir for its lifetime and removed with
// everything in it (read-only and hidden files included) at the end.
class ScratchInstallDir {
 public:
  ScratchInstallDir();
  ~ScratchInstallDir();
  ScratchInstallDir(const ScratchInstallDir&) = delete;
  ScratchInstallDir& operator=(const ScratchInstallDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// A text of the ANSI code page widened, and a wide text in the ANSI code page.
std::wstring Wide(const std::string& ansi);
std::string Ansi(const std::wstring& wide);

// The sample payload's bytes of `name`.
std::string SampleFile(const char* name);

bool FileExists(const std::string& path);
std::string ReadBytes(const std::string& path);  // empty when missing
void WriteBytes(const std::string& path, const std::string& bytes, DWORD attributes = 0);
DWORD Attributes(const std::string& path);    // INVALID_FILE_ATTRIBUTES when missing
DWORD ProtectionOf(const std::string& path);  // read-only and hidden bits only
int CountEntries(const std::string& folder);  // files and folders, without . and ..
// Every file and folder of `folder` (without . and ..) by name, with its bytes (none for a
// folder) and its attributes: two listings compare equal when nothing in the folder changed.
struct EntryContents {
  std::string bytes;
  DWORD attributes;
  bool operator==(const EntryContents& other) const {
    return bytes == other.bytes && attributes == other.attributes;
  }
};
using FolderContents = std::map<std::string, EntryContents>;
FolderContents ContentsOf(const std::string& folder);
// What differs between two listings, one name a line ("+name": only in `now`, "-name": only in
// `before`, "~name": other bytes or attributes); empty when they are alike.
std::string ChangesBetween(const FolderContents& before, const FolderContents& now);
void RemoveTree(const std::string& folder);
void RemoveTree(const std::wstring& folder);  // names the ANSI code page need not spell
// Writes `bytes` as the file at the wide `path`; false when it cannot.
bool WriteBytes(const std::wstring& path, const std::string& bytes);

// A folder at a fixed place (pictures show the same path on every run), made for the lifetime of
// the object and removed with everything in it at the end.
class FixedFolder {
 public:
  explicit FixedFolder(const char* path) : path_(path) { CreateDirectoryA(path, nullptr); }
  ~FixedFolder() { RemoveTree(path_); }
  FixedFolder(const FixedFolder&) = delete;
  FixedFolder& operator=(const FixedFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// What a shell link file holds, read back through IShellLinkA and IPersistFile::Load.
struct LinkContents {
  std::string target, description, iconPath, workingFolder;
  int iconIndex = -1;
};
bool ReadLink(const std::string& linkPath, LinkContents* contents);
bool ReadLink(const std::wstring& linkPath, LinkContents* contents);
