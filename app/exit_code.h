// How a run of the Installer ended, and the one place where that becomes the process's exit code.
#pragma once

// In the order of their exit codes.
enum class RunOutcome {
  // 0: the wizard ran, whatever it did, or could not be shown; a silent installation installed.
  kWizardEnded,       // the wizard ran to its end: installed, failed or cancelled
  kNoGlyphBitmaps,    // the glyph sheets' bitmaps could not be made: no window was shown
  kWizardNotNeeded,   // another Installer runs: the wizard's run said so and ended
  kInstalled,         // a silent installation installed
  // 1: the wizard could not start; a silent installation did not install.
  kNoGlyphData,       // no memory for the glyph sheets, or their resource damaged
  kNoWizard,          // the wizard's window could not be made
  kNotInstalled,      // a silent installation did not, its reason logged
  // 2: a bad command line.
  kBadCommandLine,    // the silent command line was refused, its reason logged where it has one
};

// The exit code of `outcome`: 0, 1 or 2 as the groups above say.
constexpr int ExitCodeOf(RunOutcome outcome) {
  return outcome >= RunOutcome::kBadCommandLine ? 2 : outcome >= RunOutcome::kNoGlyphData ? 1 : 0;
}
