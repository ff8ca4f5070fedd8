// The product's settings written by the installation run: the two user choices in its
// configuration file "velmarui.ini", and the optional control-settings file "SCtrlSet2.bin".
#pragma once

// The configuration file in InstallDir, and the first choice of name for its earlier copy while
// the edited text replaces it (kSetupFilePrefix of common/setup_file_names.h and the number 500
// of install/kept_copies.h); the run records the name it gives it.
inline constexpr char kUiConfigFileName[] = "velmarui.ini";
inline constexpr char kUiConfigKeptName[] = "~K7Setup.500";

// Records UseBmpFont=1 and ForceLanguage in the [Config] section of InstallDir's "velmarui.ini"
// (the edit of shell/ui_config_edit.h) and leaves the file read-only and hidden. The edited text
// goes to a new file in the same folder that then takes the old one's place, the old one kept
// as `keptName` until then, so a failed or killed write leaves the old file whole; an edit that
// changes nothing writes nothing. False when the file is missing or could not be read, edited,
// replaced or given its flags: the product would start with settings other than the user chose.
bool UpdateUiConfig(const char* keptName = kUiConfigKeptName);

// Copies "SCtrlSet2.bin" from InstallerFolder into WindowsFolder when it lies beside the
// Installer, replacing a read-only or hidden copy there. Reports nothing.
void CopyControlSettings();
