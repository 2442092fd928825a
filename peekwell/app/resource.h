#pragma once
// Peekwell's resources.

#define IDD_PREVIEWER 104
#define IDI_PEEKWELL 108

#define IDC_DRIVES 100
#define IDC_FOLDERS 101
#define IDC_THUMBNAILS 102
#define IDC_NAMES 104
#define IDC_FOLDER 111
#define IDC_COUNT 116
#define IDC_PREVIEW 118
#define IDC_EXIT 119
#define IDC_PLAY 120
#define IDC_HELP_BUTTON 121
#define IDC_NAME_BOX 1046
#define IDC_INFO_BOX 1047

#define IDS_NO_DECOMPRESSOR 8
#define IDS_UNKNOWN_FORMAT 9
#define IDS_FORMAT_UNKNOWN 10
#define IDS_FRAMES 11
#define IDS_SECONDS 12
#define IDS_FPS 13
#define IDS_FILES 14
#define IDS_OLD_VIDEO 15
