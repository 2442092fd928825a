#pragma once
// Trayvel's resources. The numbers are part of its interface.

#define IDS_LOAD_ERROR 1
#define IDS_SCREEN_LOCKED 2
#define IDS_SCREEN_UNLOCKED 3
#define IDS_ICON_ERROR 4

// The pan-lock picture, unlocked (101) to locked (104), and the taskbar icon.
#define IDI_PANLOCK_FIRST 101
#define IDI_PANLOCK_LAST 104
#define IDI_TASKBAR 107

#define IDD_WELCOME 106
// The status window's icon control.
#define IDC_STATUS_ICON 101
