#pragma once
// install's resources: the wizard's two pages, the copy progress box, their pictures and the
// texts by language.

// Templates.
#define IDD_LANGUAGE_PAGE 129
#define IDD_INSTALL_PAGE 130
#define IDD_COPY_PROGRESS 137

// Pictures, stretched over the pages' picture frames.
#define IDB_INSTALL_PICTURE 135
#define IDB_LANGUAGE_PICTURE 139
#define IDI_INSTALL 140

// Controls.
#define IDC_LANGUAGE_LIST 1000
#define IDC_PICTURE_FRAME 1001
#define IDC_LANGUAGE_NAME_AT 1002
#define IDC_INSTALL_BUTTON 1004
#define IDC_COPY_BUTTON 1005
#define IDC_DISKETTE_DRIVE 1006
#define IDC_COPY_PROGRESS_BAR 1007
#define IDC_SELECTED_TEXT 1008
#define IDC_INSTALL_TEXT 1009
#define IDC_COPY_TEXT 1010
#define IDC_DRIVE_TEXT 1011
#define IDC_COPYING_TEXT 1012

// Texts: each group holds seven slots (English, German, French, Dutch, Italian, Swedish,
// Spanish); the text shown is the group's base plus the language's index.
#define IDS_LANGUAGE_NAMES 102
#define IDS_SELECTED 109
#define IDS_START_INSTALLATION 116
#define IDS_MAKE_DISKETTES 123
#define IDS_DISKETTE_DRIVE 130
#define IDS_INSERT_DISKETTE 137
#define IDS_COPYING_FILES 144
#define IDS_DISKETTES_DONE 151
// The installer's own messages, by language as well; "%1", "%2" ... stand for what is put in.
#define IDS_NO_DRIVE_LETTER 158
#define IDS_FILES_NOT_WRITTEN 165
#define IDS_DISKETTE_FOLDER_MISSING 172
#define IDS_SETUP_FOLDER_MISSING 179
#define IDS_SETUP_NOT_STARTED 186
#define IDS_SETUP_UNINSTALLER_RUNS 193
#define IDS_FOLDER_KEPT 200
