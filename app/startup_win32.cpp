// Start-up and main loop: environment detection, the Installer's folder, the wizard's message loop.
#include <windows.h>

#include <cstring>

#include "common/installer_state.h"
#include "app/command_line.h"
#include "app/message_dialog.h"
#include "app/silent_install.h"
#include "app/startup.h"
#include "app/system_environment.h"
#include "app/wizard_dialog.h"
#include "bitmap_text/bitmap_text.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/system_calls.h"
#include "common/system_libraries.h"
#include "common/wide_paths.h"
#include "resources/resource_ids.h"

namespace {

// Posts the Enter key's command to the wizard; true when the key message is used up.
bool HandleEnterKey() {
  HWND focus = GetFocus();
  bool isButton = false;
  unsigned styleByte = 0;
  int id = 0;
  if (focus != nullptr) {
    char className[100];
    if (GetClassNameA(focus, className, sizeof className) > 0)
      isButton = lstrcmpiA(className, "button") == 0;
    styleByte = static_cast<unsigned>(GetWindowLongA(focus, GWL_STYLE)) & 0xFF;
    id = GetWindowLongA(focus, GWL_ID);
  }
  EnterKeyAction action =
      EnterKeyActionFor(focus != nullptr, isButton, styleByte, id, DefaultCommandId);
  PostMessageA(WizardWindow, WM_COMMAND, static_cast<WPARAM>(action.command), 0);
  return !action.passOn;
}

// Held by the Installer that runs, until it ends (the system closes the handle with the process).
// Where the system has sessions (Terminal Services, fast user switching), the name in the
// "Global\" namespace is seen from every session of the machine; systems without sessions (the
// NT family before Terminal Server, Windows 95, 98 and Me) refuse a name with a backslash, and
// there the plain name is the machine's.
constexpr char kMachineMutexName[] = "Global\\K7_Quorvane_Setup";
constexpr const char* kInstallerMutexName = kMachineMutexName + 7;  // "K7_Quorvane_Setup"

// Whether another Installer runs: it holds the named mutex already, or holds one that this user
// may not open (an Installer of another user, in another session). A mutex that cannot be made
// for another reason says nothing either way; the run goes on.
bool AnotherInstallerRuns() {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, kMachineMutexName);
  if (mutex == nullptr && GetLastError() != ERROR_ACCESS_DENIED)
    mutex = CreateMutexA(nullptr, FALSE, kInstallerMutexName);
  const DWORD error = GetLastError();
  return mutex == nullptr ? error == ERROR_ACCESS_DENIED : error == ERROR_ALREADY_EXISTS;
}

}  // namespace

void DetectEnvironment() {
  OSVERSIONINFOA version = {};
  // The size every Windows takes (common/system_structures.txt).
  static_assert(sizeof version == 148, "OSVERSIONINFOA of Windows 95 and NT 3.5");
  version.dwOSVersionInfoSize = sizeof version;
  if (GetVersionExA(&version)) {
    IsWinNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT ? 1 : 0;
    IsMajorVersion3 = version.dwMajorVersion == 3 ? 1 : 0;
  }
  CPINFO codePage = {};
  bool multibyte = GetCPInfo(CP_ACP, &codePage) && codePage.MaxCharSize > 1;
  SystemLanguage = SystemLanguageFor(multibyte, GetSystemDefaultLangID());
}

void FindInstallerFolder(HINSTANCE instance) {
  // Wide on the NT platform: the Installer may be started from a download folder that the ANSI
  // code page cannot spell. Elsewhere the ANSI name, which is exact there, widened.
  WidePath wideName;
  char name[kPathCapacity];
  // A name that filled the buffer may have been cut: fall back as for a name without a folder.
  if (!ReadWide<kernel32::GetModuleFileNameW>(
          wideName,
          [&](auto call, WidePath& out) {
            return WholeRead(call(instance, out, kPathCapacity), kPathCapacity) ? out : nullptr;
          },
          [&] {
            return WholeRead(GetModuleFileNameA(instance, name, sizeof name), sizeof name) ? name
                                                                                         : nullptr;
          }))
    wideName[0] = 0;
  InstallerFolderOf(wideName, InstallerFolder, kPathCapacity);
}

void RunWizardLoop() {
  MSG message;
  while (WizardState >= 0) {
    // 0 is WM_QUIT; -1 is an error that would repeat forever.
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
      // Only a fresh press counts: the key-downs that a held key repeats (bit 30 of lParam set)
      // would run through the pages and into the installation.
      if (message.lParam & kKeyWasDown) continue;
      if (HandleEnterKey()) continue;
    }
    if (!IsDialogMessageA(WizardWindow, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

RunOutcome RunInstaller(HINSTANCE instance, const char* commandLine) {
  RestrictDllSearch();
  DetectEnvironment();
  // Every notice is the wizard's dialog, until a silent run makes it a line of its log.
  SetNoticeSink(ShowMessage);
  // The command line as typed, wide on the NT platform, whose "/D=" may name a folder that the
  // ANSI code page cannot spell (or spells as another); elsewhere the ANSI one, widened.
  static wchar_t widened[32768];
  const CommandLine options = ParseCommandLine(ReadWide<kernel32::GetCommandLineW>(
      widened, [](auto call, auto&) { return static_cast<const wchar_t*>(call()); },
      [&] { return commandLine; }));
  if (options.mode == LaunchMode::kBadCommandLine) return RunOutcome::kBadCommandLine;
  if (options.mode == LaunchMode::kWizard)
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
  ForceLanguage = kUiEnglish;
  InstanceHandle = instance;
  lstrcpynA(InstallFolderName, "K7_Quorvane", sizeof InstallFolderName);
  FindInstallerFolder(instance);
  // One run at a time: a second Installer in the same folder would put files back over the first
  // one's work. It says so and ends.
  const bool secondInstaller = AnotherInstallerRuns();
  if (options.mode == LaunchMode::kSilent) {
    if (!secondInstaller) return RunSilentInstallation(options);
    SetNoticeSink(AnswerSilently);
    Notify(kMsgAlreadyRunning, nullptr);
    return RunOutcome::kNotInstalled;
  }

  switch (LoadGlyphSheets()) {
    case GlyphLoadResult::kLoaded:
      break;
    case GlyphLoadResult::kNoMemory:
    case GlyphLoadResult::kNoData:
      return RunOutcome::kNoGlyphData;
    case GlyphLoadResult::kNoBitmaps:
      FreeGlyphSheets();
      return RunOutcome::kNoGlyphBitmaps;
  }

  if (secondInstaller) {
    Notify(kMsgAlreadyRunning, nullptr);
    FreeGlyphSheets();
    return RunOutcome::kWizardNotNeeded;
  }

  WizardState = 0;
  WizardIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_WIZARD));
  // The wizard's progress bar needs the common controls' window classes; without them the
  // wizard cannot be made and the run ends below.
  if (auto initControls = SystemCall<comctl32::InitCommonControls>()) initControls();
  WizardWindow =
      CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_WIZARD), nullptr, WizardDialogProc, 0);
  // Without a wizard nothing could end the loop; nothing was installed, so the run counts
  // as one that could not start.
  RunOutcome outcome = RunOutcome::kNoWizard;
  if (WizardWindow != nullptr) {
    RunWizardLoop();
    DestroyWindow(WizardWindow);
    WizardWindow = nullptr;
    outcome = RunOutcome::kWizardEnded;
  }
  FreeGlyphSheets();
  return outcome;
}
