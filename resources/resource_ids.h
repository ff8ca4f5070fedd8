// Resource and control ids shared by the code and the resource script.
#pragma once

// Dialog templates.
#define IDD_WIZARD 101
#define IDD_MESSAGE 112
#define IDD_DIRECTORY_CHOOSER 168
// The chooser's title: its template's caption, and the title the Installer asks the common
// dialog for (which otherwise shows its own, "Open").
#define K7_CHOOSER_TITLE "Choose Destination Directory"

// Icons.
#define IDI_PRODUCT 105
#define IDI_WIZARD 167

// Payload resources read by the Installer itself (type "TEXT").
#define IDR_GLYPH_SHEETS 110
#define IDR_LICENCE_CHINESE 124
#define IDR_LICENCE_ENGLISH 161

// Buttons with the standard command ids IDOK (1), IDCANCEL (2), IDYES (6) and IDNO (7) of
// <windows.h>, here too for the portable files, which do not include it; and Back.
#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7
#endif
#define IDC_BACK 3

// Wizard (template 101).
#define IDC_NEXT 1001
#define IDC_PATH 1002
#define IDC_BROWSE 1003
#define IDC_DESKTOP_ICON 1004
#define IDC_PAGE0_ABSENT 1005
#define IDC_PATH_LABEL 1006
#define IDC_TEST_ANSWER1 1007
#define IDC_TEST_ANSWER2 1008
#define IDC_SIDE_LABEL1 1009
#define IDC_LICENCE_ENGLISH_BOX 1010
#define IDC_SIDE_LABEL2 1011
#define IDC_SIDE_LABEL3 1012
#define IDC_LICENCE_ENGLISH 1014
#define IDC_TEST_FRAME 1015
#define IDC_TEST_QUESTION 1017
#define IDC_TEST_SAMPLE 1018
#define IDC_LICENCE_CHINESE 1019
#define IDC_SIDE_LABEL4 1020
#define IDC_EMPTY_LABEL 1021
#define IDC_PROGRESS 1026
#define IDC_LANGUAGE_LABEL 1030
#define IDC_LANGUAGE_LIST 1031
#define IDC_PRODUCT_ICON 102
#define IDC_DIVIDER 108
#define IDC_PRODUCT_NAME 167
#define IDC_INSTALLER_NAME 169
#define IDC_WEB_ADDRESS 172

// Message dialog (template 112).
#define IDC_MESSAGE_CHINESE 1013
#define IDC_MESSAGE_ENGLISH 1028

// Directory chooser (template 168). The old-style file-open dialog finds its controls by these
// standard ids (the names of <dlgs.h> beside them); the file controls are there but hidden.
#define IDC_CHOOSER_FILE_NAME_LABEL 1090      // stc3
#define IDC_CHOOSER_FILE_NAME 1152            // edt1
#define IDC_CHOOSER_FILE_LIST 1120            // lst1
#define IDC_CHOOSER_CURRENT_PATH 1088         // stc1: the dialog writes the open folder's path here
#define IDC_CHOOSER_FOLDER_LIST 1121          // lst2
#define IDC_CHOOSER_FILE_TYPE_LABEL 1089      // stc2
#define IDC_CHOOSER_FILE_TYPE_LIST 1136       // cmb1
#define IDC_CHOOSER_SYSTEM_DRIVES_LABEL 1091  // stc4
#define IDC_CHOOSER_DRIVE_LIST 1137           // cmb2
#define IDC_CHOOSER_HELP 1038                 // pshHelp
#define IDC_CHOOSER_READ_ONLY 1040            // chx1
#define IDC_CHOOSER_SYSTEM_FOLDERS_LABEL (-1)  // the dialog's own "&Directories:", hidden
// The chooser's two bilingual labels, drawn in place of the hidden system labels.
#define IDC_CHOOSER_DIRECTORIES 1008
#define IDC_CHOOSER_DRIVES 1010
