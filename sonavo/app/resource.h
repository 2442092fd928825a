#pragma once
// Sonavo's resources: the deck dialog and its controls, the string table.

#define IDD_DECK 7

#define IDI_PLAYBACK 211
#define IDI_DECK 213
#define IDC_HAND_CURSOR 174
#define IDB_DIGITS 117
#define IDB_PLAY_MARK 120
#define IDB_PAUSE_MARK 121
#define IDB_GLYPHS 122
#define IDB_REPEAT_MARK 124
#define IDB_EMBLEM_FIRST 144  // 144-147: the players' emblems
#define IDB_TRACK_REPEAT_MARK 157
#define IDB_FACE_FIRST 158  // 158-161: the players' faces
#define IDB_COMPACT_DISPLAY 189
#define IDB_COMPACT_CD 192
#define IDB_SMALL_DIGITS 193
#define IDB_THUMB 205
#define IDB_THUMB_ERASE 206
#define IDB_COMPACT_FILES 209
#define IDB_COMPACT_PLAY 215
#define IDB_COMPACT_PAUSE 216
#define IDB_VIDEO_DECK 220

// The video deck in Jubilo.
#define IDD_VIDEO_DECK 225
#define IDC_VIDEO_SHOW_DECK 1027
#define IDC_VIDEO_CLOSE 1028
#define IDC_VIDEO_BAR 1128

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
#define IDC_VOLUME_UP 1025
#define IDC_VOLUME_DOWN 1026
#define IDC_MINIMIZE 1029
#define IDC_CLOSE 1030
#define IDC_REPEAT 1031
#define IDC_POSITION_BAR 1033
// The display's places, hidden statics that keep the text of their field.
#define IDC_ENTRY_FIELD 1034
#define IDC_TIME_FIELD 1035
#define IDC_PLAY_MARK 1036
#define IDC_PAUSE_MARK 1037
#define IDC_REPEAT_MARK 1038
#define IDC_EMBLEM 1039
#define IDC_FACE 1040
#define IDC_ENTRY_LABEL 1041
#define IDC_TIME_LABEL 1042
#define IDC_MINUTES_LABEL 1043
#define IDC_SECONDS_LABEL 1044
#define IDC_AB_LABEL 1045
#define IDC_DISPLAY_FRAME 1047
#define IDC_REPEAT_LABEL 1053
#define IDC_MODE_LABEL 1055
#define IDC_EDIT_LABEL 1057
#define IDC_VIDEO_TIME 1163
#define IDC_MODE 1046
#define IDC_PROGRAM_EDIT 1049
#define IDC_STATUS_LINE 1063
#define IDC_MODE_NORMAL 1097
#define IDC_MODE_INTRO 1098
#define IDC_MODE_SHUFFLE 1099
#define IDC_MODE_PROGRAM 1100
#define IDC_AB 1101
#define IDC_FASTER 1149
#define IDC_SLOWER 1150
#define IDC_SPEED 1151

#define IDD_PROGRAM_EDIT 300
#define IDC_PE_TITLE 1059
#define IDC_PE_PLAY_COUNT 1060
#define IDC_PE_PLAY_LIST 1061
#define IDC_PE_ARTIST 1062
#define IDC_PE_NAME 1063
#define IDC_PE_DISC_LIST 1065
#define IDC_PE_PLAY_TIME 1090
#define IDC_PE_DISC_COUNT 1091
#define IDC_PE_DISC_TIME 1092
#define IDC_PE_ADD 1093
#define IDC_PE_ADD_ALL 1094
#define IDC_PE_REMOVE 1095
#define IDC_PE_DELETE 1096
#define IDC_PE_SET_NAME 1097
#define IDC_PE_TRACK_LABEL 1175

#define IDD_SELECT_ALBUM 301
#define IDC_SA_LIST 1079
#define IDD_ALBUM_TITLE 302
#define IDC_AT_TITLE 1080

// The open-file dialog's template; its own controls beside the standard ones.
#define IDD_ALBUM_PANEL "Compile MIDI Album"
#define IDC_AP_TITLE 1070
#define IDC_AP_LIST 1071
#define IDC_AP_EXTENDED_LIST 1072
#define IDC_AP_REMOVE 1073
#define IDC_AP_REMOVE_ALL 1074
#define IDC_AP_SAVE 1075
#define IDC_AP_SAVE_AS 1076
#define IDC_AP_SHOW_EXTENDED 1077
#define IDC_AP_OPEN 1079
#define IDC_AP_DELETE 1080
#define IDC_AP_TOGGLE 1081
#define IDC_AP_ADD 1083
#define IDC_AP_ADD_ALL 1084
#define IDC_AP_COUNT 1085
#define IDC_AP_MARKER 1086
#define IDC_AP_NEW 1092
#define IDC_AP_HEADER 1093

#define IDS_CD_HELD 1
#define IDS_CD_HARDWARE 2
#define IDS_NO_TIMER 3
#define IDS_MAX_ENTRIES 4
#define IDS_NO_MEMORY 5
#define IDS_FULL_SCREEN 6
#define IDS_STATE_FIRST 7  // 7-13: Not Ready ... CD not inserted
#define IDS_SCANNING 14
#define IDS_PLAYER_FIRST 16  // 16-19: the players' names
#define IDS_HELP 25
#define IDS_ABOUT 27
#define IDS_TRACK 32
#define IDS_CLOSE_PANEL 33
#define IDS_LOAD_TITLE_FIRST 34  // 34-36: the MIDI, wave and video players' dialog titles
#define IDS_HR_MIN_SEC 40
#define IDS_MIN_SEC 41
#define IDS_FILES 42
#define IDS_LOAD_FILE 43
#define IDS_ALBUM 44
#define IDS_OPEN_PANEL 45
#define IDS_LOAD_ALBUM 46
#define IDS_FILTER_FIRST 47  // 47-49: the MIDI, wave and video players' file types
#define IDS_MPEG_VIDEO 50
#define IDS_ALL_FILES 51
#define IDS_TRACK_LABEL 52
#define IDS_NOT_WRITTEN 53
#define IDS_MENU_PLAY_PAUSE 54
#define IDS_MENU_ZOOM 55
#define IDS_MENU_HIDE_PLAYER 56
#define IDS_MENU_SHOW_PLAYER 57
#define IDS_RESERVED_NAME 58
