// The wizard's page table, its language list and the Next/Back state machine.
#include "app/wizard_pages.h"

// Columns: the control ids of one page, 0-terminated. Page 1 (the display test) is kept in the
// table but no transition leads to it; 1005 does not exist in the template.
const int kPageControls[][kPageControlSlots] = {
    {1004, 1005, 1002, 1006, 1003, 0},  // 0: target folder
    {1015, 1017, 1018, 1007, 1008, 0},  // 1: display test
    {1010, 1019, 1014, 0},              // 2: licence
    {1030, 1031, 0},                    // 3: interface language
    {0},
};

// Columns: UiLanguage id, label.
const LanguageEntry kLanguageTable[kLanguageEntries] = {
    {0, "English 英文"},
    {1, "Chinese(Simplified)  中文简体"},
    {2, "Chinese(Traditional) 中文繁体"},
};

WizardTransition NextTransition(int state) {
  switch (state) {
    case 0:
      return {2, 2, true, false};
    case 2:
      return {3, 3, false, false};
    case 3:
      return {99, 3, false, true};
    default:
      return {state, -1, false, false};
  }
}

WizardTransition BackTransition(int state) {
  if (state <= 0 || state >= 99) return {state, -1, false, false};
  int newState = state - 1 == 1 ? 0 : state - 1;
  return {newState, newState, false, false};
}
