#pragma once
// Sonavo's resources: the deck dialog and its controls, the string table.

#define IDD_DECK 7

#define IDC_TRACK_FIRST 1001  // track buttons 1001-1011
#define IDC_TRACK_LAST 1011
#define IDC_NEXT_PAGE 1012
#define IDC_MENU 1017
#define IDC_PLAY_PAUSE 1018
#define IDC_PREVIOUS 1019
#define IDC_NEXT 1020
#define IDC_REWIND 1021
#define IDC_FORWARD 1022
#define IDC_STOP 1023
#define IDC_EJECT 1024
#define IDC_MINIMIZE 1029
#define IDC_CLOSE 1030
#define IDC_REPEAT 1031
#define IDC_POSITION_BAR 1033
#define IDC_ENTRY_FIELD 1034
#define IDC_TIME_FIELD 1035
#define IDC_MODE 1046
#define IDC_PROGRAM_EDIT 1049
#define IDC_STATUS_LINE 1063
#define IDC_MODE_NORMAL 1097
#define IDC_MODE_INTRO 1098
#define IDC_MODE_SHUFFLE 1099
#define IDC_MODE_PROGRAM 1100
#define IDC_AB 1101

#define IDS_CD_HELD 1
#define IDS_CD_HARDWARE 2
#define IDS_NO_TIMER 3
#define IDS_MAX_ENTRIES 4
#define IDS_NO_MEMORY 5
#define IDS_STATE_FIRST 7  // 7-13: Not Ready ... CD not inserted
#define IDS_SCANNING 14
#define IDS_PLAYER_FIRST 16  // 16-19: the players' names
#define IDS_TRACK 32
