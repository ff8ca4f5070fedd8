// The directory chooser behind the wizard's Browse button: the system's old-style file-open
// dialog on template 168, whose hook returns the folder opened in it instead of a file.
#pragma once

#include <windows.h>

// Opens the chooser, owned by `wizard`. When the user presses OK, InstallDir holds the folder
// that is open in the chooser, without a trailing backslash (a drive root comes back as "C:"),
// and the wizard's path box reads that folder followed by "\" and InstallFolderName. Returns
// false when the chooser is cancelled or fails (nothing changed), or when that path would not
// fit a path buffer (the path box is left as it was).
bool DirectoryChooser(HWND wizard);

// The chooser's hook: makes Cancel owner-drawn and puts the focus in the folder list; draws the
// two labels and Cancel with bitmap text; takes OK over to return the current directory. TRUE
// for a message it has handled, FALSE to leave it to the dialog.
UINT_PTR CALLBACK ChooseFolderHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
