// The wizard's page table, its language list and the Next/Back state machine.
#include "app/wizard_pages.h"

#include "common/installer_values.h"
#include "resources/resource_ids.h"

// Columns: the control ids of one page, 0-terminated. Page 1 (the display test) is kept in the
// table but no transition leads to it; IDC_PAGE0_ABSENT does not exist in the template.
const unsigned short kPageControls[][kPageControlSlots] = {
    // 0: target folder
    {IDC_DESKTOP_ICON, IDC_PAGE0_ABSENT, IDC_PATH, IDC_PATH_LABEL, IDC_BROWSE, 0},
    // 1: display test
    {IDC_TEST_FRAME, IDC_TEST_QUESTION, IDC_TEST_SAMPLE, IDC_TEST_ANSWER1, IDC_TEST_ANSWER2, 0},
    {IDC_LICENCE_ENGLISH_BOX, IDC_LICENCE_CHINESE, IDC_LICENCE_ENGLISH, 0},  // 2: licence
    {IDC_LANGUAGE_LABEL, IDC_LANGUAGE_LIST, 0},                              // 3: language
    {0},
};

// Columns: UiLanguage id, label.
const LanguageEntry kLanguageTable[kLanguageEntries] = {
    {kUiEnglish, "English 英文"},
    {kUiChineseSimplified, "Chinese(Simplified)  中文简体"},
    {kUiChineseTraditional, "Chinese(Traditional) 中文繁体"},
};

// Columns: state of Next, new state, page shown, the "English" box checked, installation started.
// A table rather than a literal returned from each case: the compiler keeps a returned literal
// in writable data.
struct NextRow {
  int state;
  WizardTransition next;
};
constexpr NextRow kNextRows[] = {
    {kWizardFolderPage, {kWizardLicencePage, kWizardLicencePage, true, false}},
    {kWizardLicencePage, {kWizardLanguagePage, kWizardLanguagePage, false, false}},
    {kWizardLanguagePage, {kWizardInstalling, kWizardLanguagePage, false, true}},
};

WizardTransition NextTransition(int state) {
  for (const NextRow& row : kNextRows)
    if (row.state == state) return row.next;
  return {state, -1, false, false};
}

WizardTransition BackTransition(int state) {
  if (state <= kWizardFolderPage || state >= kWizardInstalling) return {state, -1, false, false};
  // Page 1 is passed over: Back from the licence returns to the folder page.
  int newState = state == kWizardLicencePage ? kWizardFolderPage : state - 1;
  return {newState, newState, false, false};
}
