#pragma once
// Template, control and string numbers: other programs and the help file rely on them.

#define IDD_DISPLAY_CONFIGURATION 129
#define IDD_REFRESH_RATE_METER 132
#define IDD_REACH_US 133
#define IDD_ZOOM_IN 134
#define IDD_FLEETMARK 135
#define IDD_SCREEN_ADJUSTMENT 146

#define IDS_NO_CONTROL_DEVICE 59160
