// The wizard's page table, its language list and the Next/Back state machine.
#pragma once

constexpr int kPageControlSlots = 8;

// Row n lists the control ids of page n, ending with 0; the table ends with a row whose first
// id is 0. Control ids are 16-bit, as the dialog template holds them.
extern const unsigned short kPageControls[][kPageControlSlots];

struct LanguageEntry {
  int id;  // UiLanguage
  const char* label;
};
constexpr int kLanguageEntries = 3;
constexpr int kLanguageListEntries = 2;  // the list offers English and Simplified Chinese
extern const LanguageEntry kLanguageTable[kLanguageEntries];

// What Next or Back does in a wizard state.
struct WizardTransition {
  int newState;            // the state stored before the page is shown
  int page;                // the page to show
  bool checkEnglishBox;    // check the licence's "English" box first (Next from page 0)
  bool startInstallation;  // Next on the last page
};

WizardTransition NextTransition(int state);
// Back from page 0 (or any state not above 0) changes nothing: newState == state, page -1.
WizardTransition BackTransition(int state);
