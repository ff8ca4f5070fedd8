// The values of the Installer's process-wide state that the portable logic reads and writes:
// the interface languages and the wizard's states. Portable (no <windows.h>);
// common/installer_state.h holds the variables themselves.
#pragma once

// UiLanguage values: the order of the product's three columns of names and the number the
// configuration file's "ForceLanguage=" records.
constexpr int kUiEnglish = 0;
constexpr int kUiChineseSimplified = 1;
constexpr int kUiChineseTraditional = 2;

// WizardState values: the page numbers shown, then the installation and the end.
constexpr int kWizardFolderPage = 0;
constexpr int kWizardLicencePage = 2;
constexpr int kWizardLanguagePage = 3;
constexpr int kWizardInstalling = 99;
constexpr int kWizardFinished = -1;
