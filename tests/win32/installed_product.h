// Checks of an installed product on disk: every manifest file with its bytes and flags, and the
// product's Start-menu group and desktop link.
#pragma once

#include <string>

// Every manifest row installed in `folder` with its sample payload bytes and exactly its
// read-only and hidden flags, but for the file named `except` and, when `wordBase` is false,
// the three word-base files; velmarui.ini is checked for its flags only (the run edits it). No
// temporary file of the writer is left, nor an earlier copy it kept aside.
void ExpectInstalled(const std::string& folder, bool wordBase = true, const char* except = "");

// Turns the installation in `folder` into an earlier release of the product: every manifest file
// gets other bytes ("earlier <name>") with its flags, so that the word base is unmarked (the
// run asks no question and replaces it); two stale dictionaries are added, one of them
// read-only and hidden.
void WriteEarlierRelease(const std::string& folder);

// Where the product's shell entries go on this system (the names of its SystemLanguage): in the
// shell's Programs and Desktop folders, or in the two folders given; they are removed when the
// object is made and when it goes.
class ProductShellEntries {
 public:
  ProductShellEntries();
  ProductShellEntries(const std::string& programsFolder, const std::string& desktopFolder);
  ~ProductShellEntries();
  ProductShellEntries(const ProductShellEntries&) = delete;
  ProductShellEntries& operator=(const ProductShellEntries&) = delete;

  const std::string& group() const { return group_; }
  const std::string& programLink() const { return programLink_; }
  const std::string& uninstallerLink() const { return uninstallerLink_; }
  const std::string& desktopLink() const { return desktopLink_; }

 private:
  void Remove();
  std::string group_, programLink_, uninstallerLink_, desktopLink_;
};
