// The installation run made to fail at its file-system calls, one at a time, or stopped there as a
// power cut stops a machine, over an earlier release and into a new folder. After each failure the
// run ends with the new release whole or, having failed, with the earlier one whole; after each
// stop, a run with the program held open (one that cannot finish) leaves one whole release, and a
// free run then gives the new one. In one process, through the seam of this test build
// (file_system_seam.h), on the NT platform's path and on that of Windows 95, 98 and Me.
#define K7_FILE_SYSTEM_SEAM_ITSELF
#include "file_system_seam.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "app/install_folder.h"
#include "app/startup.h"
#include "common/installer_state.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "install/install_manifest.h"
#include "install/installation_run.h"
#include "installed_product.h"
#include "test_files.h"

namespace {

constexpr DWORD kProtection = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

// How densely a scenario is tried: about `calls` calls of the run, each failed and stopped (every kind
// of call's first and last, every `commitStride`th call of the commit, the rest spread evenly
// over the run), and `nestedCalls` calls spread over one rollback and over one repair, each met
// as a second fault. The commit's stride is prime to the three or four calls that finish each
// kept copy, so that every kind of call of the commit comes up. (A point costs about a second
// under Wine, where a file's creation or move takes a third of a millisecond.)
struct Density {
  long calls, commitStride, nestedCalls;
};
// On the NT platform's path; on that of Windows 95, 98 and Me, a lighter spread of the same.
constexpr Density kNtDensity = {115, 17, 20};
constexpr Density kWindows9xDensity = {25, 43, 0};
// The mutation check's (K7_CAMPAIGN_SPARSE): every kind of call still, for a run of each change
// of the code within minutes; it also ends a scenario at its first point that is not whole
// (K7_CAMPAIGN_FIRST_FAULT, which the check sets too).
constexpr Density kSparseNtDensity = {30, 53, 4};
constexpr Density kSparseWindows9xDensity = {10, 97, 0};

int AnswerAsTheSilentMode(const char*, const char*, int buttons, HWND) {
  return buttons == kButtonsYesNo ? IDNO : IDOK;
}

// The folder made exactly as `contents` says (bytes and flags), or removed when it says nothing.
void MakeFolder(const std::string& folder, const FolderContents& contents) {
  RemoveTree(folder);
  if (contents.empty()) return;
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const auto& entry : contents) {
    const std::string path = folder + "\\" + entry.first;
    if (entry.second.attributes & FILE_ATTRIBUTE_DIRECTORY)
      CreateDirectoryA(path.c_str(), nullptr);
    else
      WriteBytes(path, entry.second.bytes, entry.second.attributes & kProtection);
  }
}

// A file held open without sharing, as the running product holds its program; nothing when there
// is no such file.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldFile() {
    if (held()) CloseHandle(handle_);
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

bool IsOptionalOrWordBase(const std::string& name) {
  for (const ManifestRow& row : kInstallManifest)
    if (SameFileName(name.c_str(), row.fileName)) return !row.required || IsWordBaseRow(row);
  return false;
}

class FaultCampaign : public testing::Test {
 protected:
  FaultCampaign() {
    // COM stays loaded between the runs, as in one process's life: each run's shell links then
    // cost what they cost the Installer once.
    CoInitialize(nullptr);
    SetNoticeSink(AnswerAsTheSilentMode);
    DetectEnvironment();
    if (getenv("K7_TEST_PLATFORM_9X") != nullptr) IsWinNT = 0;
    WantDesktopIcon = 0;
    SetCurrentDirectoryA(dir.path().c_str());
  }
  ~FaultCampaign() override {
    RemoveTree(target);
    CoUninitialize();
  }

  // The runs' folder: on the machine's memory file system where it has one (each run flushes
  // every file it writes, which a disk makes slow), else in the scratch folder.
  static std::string CampaignFolder(const ScratchInstallDir& scratch) {
    const DWORD shm = GetFileAttributesA("Z:\\dev\\shm");
    if (shm == INVALID_FILE_ATTRIBUTES || !(shm & FILE_ATTRIBUTE_DIRECTORY)) return scratch / "K7";
    return "Z:\\dev\\shm\\k7-campaign-" + std::to_string(GetCurrentProcessId());
  }

  // One silent installation into `target`, its file-system calls through the seam: the folder
  // made, then the run, as the silent mode makes them. Whether it installed.
  bool Install(SeamFaults faults = {}) {
    snprintf(InstallDir, sizeof InstallDir, "%s", target.c_str());
    ArmSeam(faults);
    const bool installed = CreateInstallFolder() && RunInstallation();
    calls = DisarmSeam();
    SetCurrentDirectoryA(dir.path().c_str());
    return installed;
  }

  // The names whose entries differ from `release`, "" when the folder holds it whole: every file
  // with its bytes and flags, and no file of the Installer's own (the empty folder "doc" that
  // the folder's making adds is no part of a release). With `installed`, an optional file the
  // run could not write may keep its earlier copy, and a word base kept stays as it was.
  std::string Unwhole(const FolderContents& release, bool installed) {
    const FolderContents now = ContentsOf(target);
    std::set<std::string> names;
    for (const auto* contents : {&now, &release})
      for (const auto& entry : *contents) names.insert(entry.first);
    names.erase("doc");
    std::string differing;
    for (const std::string& name : names) {
      auto at = [&](const FolderContents& c) { return c.count(name) ? &c.at(name) : nullptr; };
      auto same = [](const EntryContents* a, const EntryContents* b) {
        return a == b || (a != nullptr && b != nullptr && *a == *b);
      };
      if (same(at(now), at(release))) continue;
      if (installed && IsOptionalOrWordBase(name) && same(at(now), at(earlier))) continue;
      differing += name + " ";
    }
    return differing;
  }

  // Tries the scenario's points (`earlier` is the folder before the run) and prints the tally:
  // after each failure the run ends with one whole release; after each stop, so do a run with
  // the program held open and a free run.
  void RunPoints(const char* scenario) {
    const bool sparse = getenv("K7_CAMPAIGN_SPARSE") != nullptr;
    const Density density = IsWinNT ? (sparse ? kSparseNtDensity : kNtDensity)
                                    : (sparse ? kSparseWindows9xDensity : kWindows9xDensity);
    const DWORD started = GetTickCount();
    MakeFolder(target, earlier);
    std::vector<unsigned char> kinds(100000);
    snprintf(InstallDir, sizeof InstallDir, "%s", target.c_str());
    ArmSeam({}, kinds.data(), kinds.size());
    ASSERT_TRUE(CreateInstallFolder() && RunInstallation());
    const long total = DisarmSeam(), commitAt = RecordRenamedAt(), changesAt = RecordMadeAt();
    SetCurrentDirectoryA(dir.path().c_str());
    ASSERT_GT(changesAt, 0);
    ASSERT_GT(commitAt, changesAt);
    released = ContentsOf(target);

    std::set<long> points = {commitAt, total};
    for (int kind = 0; kind < kSeamCallKinds; ++kind) {
      for (long call = 1; call <= total; ++call)
        if (kinds[call - 1] == kind) {
          points.insert(call);
          break;
        }
      for (long call = total; call >= 1; --call)
        if (kinds[call - 1] == kind) {
          points.insert(call);
          break;
        }
    }
    for (long call = commitAt; call <= total; call += density.commitStride) points.insert(call);
    const long spread = std::max(2L, density.calls - static_cast<long>(points.size()));
    for (long i = 0; i < spread; ++i) points.insert(1 + i * (total - 1) / (spread - 1));
    for (long point : points) {
      Check(scenario, {point, 0, 0});
      Check(scenario, {0, 0, point});
    }
    if (density.nestedCalls != 0) {
      // A rollback met by a second fault: a run that fails half-way through the files.
      long failAt = (changesAt + commitAt) / 2;
      for (MakeFolder(target, earlier); failAt < commitAt && Install({failAt, 0, 0});
           MakeFolder(target, earlier))
        ++failAt;
      const long rollbackEnd = calls;
      for (long call = failAt + 1; call <= rollbackEnd;
           call += (rollbackEnd - failAt) / density.nestedCalls + 1) {
        Check(scenario, {failAt, call, 0});
        Check(scenario, {failAt, 0, call});
      }
      // A repair met by a fault: the run after a stop half-way through the files, up to where it
      // records changes of its own.
      const long stopAt = (changesAt + commitAt) / 2;
      MakeFolder(target, earlier);
      Install({0, 0, stopAt});
      ASSERT_TRUE(Install());
      const long repairEnd = RecordMadeAt();
      for (long call = 1; call < repairEnd; call += repairEnd / density.nestedCalls + 1) {
        Check(scenario, {call, 0, 0}, stopAt);
        Check(scenario, {0, 0, call}, stopAt);
      }
    }
    printf("%s: %ld of %ld points end whole (%ld of them left as the stop left them, the program "
           "held being the stopped run's own); %ld calls a run, %lu s\n",
           scenario, whole, tried, heldAsStopped, total, (GetTickCount() - started) / 1000);
    EXPECT_EQ(whole, tried) << scenario;
  }

  // One point: `faults` met by a run over the scenario's folder (after a run stopped at
  // `stoppedBefore`, when not 0). It ends whole when the run leaves one whole release and, for a
  // stop, the run after it with the program held, and a free run, do too.
  void Check(const char* scenario, SeamFaults faults, long stoppedBefore = 0) {
    if (firstFaultEnds && whole != tried) return;
    ++tried;
    if (!holdsEarlier) MakeFolder(target, earlier);
    holdsEarlier = false;
    if (stoppedBefore != 0) Install({0, 0, stoppedBefore});
    const bool installed = Install(faults);
    char point[128];
    snprintf(point, sizeof point, "%s: fail %ld %ld, stop %ld (after a stop at %ld)", scenario,
             faults.failAt, faults.failAgainAt, faults.stopAt, stoppedBefore);
    if (faults.stopAt == 0) {
      const std::string differing = Unwhole(installed ? released : earlier, installed);
      EXPECT_EQ(differing, "") << point << (installed ? ", installed" : ", failed");
      whole += differing.empty();
      // Whole as it was: the next point starts from it as it is.
      holdsEarlier = !installed && differing.empty();
      return;
    }
    // The machine starts again; the user starts the product, and the Installer.
    const FolderContents stopped = ContentsOf(target);
    bool held, installedWhileHeld;
    {
      HeldFile program(target + "\\K7.exe");
      held = program.held();
      installedWhileHeld = Install();
    }
    const std::string asEarlier = Unwhole(earlier, false), asNew = Unwhole(released, true);
    bool ended = !(held && installedWhileHeld) && (asEarlier.empty() || asNew.empty());
    // A program started from the stopped run's own new files blocks the repair until it is
    // closed: that run changes nothing.
    if (!ended && held && !installedWhileHeld &&
        ChangesBetween(stopped, ContentsOf(target)).empty() &&
        ReadBytes(target + "\\K7.exe") == released.at("K7.exe").bytes) {
      ++heldAsStopped;
      ended = true;
    }
    EXPECT_TRUE(ended) << point << "; with the program held it "
                       << (installedWhileHeld ? "installed" : "failed")
                       << "; not the earlier release: " << asEarlier << "; not the new: " << asNew;
    const bool freed = Install();
    const std::string afterFree = Unwhole(released, true);
    EXPECT_TRUE(freed && afterFree.empty()) << point << "; a free run after it: " << afterFree;
    whole += ended && freed && afterFree.empty();
  }

  ScratchInstallDir dir;
  const std::string target = CampaignFolder(dir);
  FolderContents earlier, released;
  long calls = 0, tried = 0, whole = 0, heldAsStopped = 0;
  bool holdsEarlier = false;
  const bool firstFaultEnds = getenv("K7_CAMPAIGN_FIRST_FAULT") != nullptr;
};

TEST_F(FaultCampaign, AnUpgradeEndsWithOneWholeReleaseAtEveryCall) {
  // An earlier release: every file with other bytes, an unmarked word base, stale dictionaries.
  ASSERT_TRUE(Install());
  WriteEarlierRelease(target);
  earlier = ContentsOf(target);
  earlier.erase("doc");
  RunPoints(IsWinNT ? "upgrade" : "upgrade as on Windows 95");
}

TEST_F(FaultCampaign, AFreshInstallationEndsWithOneWholeReleaseAtEveryCall) {
  RunPoints(IsWinNT ? "fresh" : "fresh as on Windows 95");
}

}  // namespace
