// Resource, control, command and message numbers of Mirelka.exe. They are
// part of the program's outside face: drivers that work the window from
// outside, and the cipher core's Find command, address them by number.
#ifndef MIRELKA_WIN32_RESOURCE_H
#define MIRELKA_WIN32_RESOURCE_H

// Resources
#define IDI_MIRELKA 128
#define IDR_TRAY_MENU 129
#define IDR_ACCEL 136
#define IDD_ABOUT 139
#define IDB_LOGO 140
#define IDC_BUTTON_CURSOR 141
#define IDD_PAGE_BASIC 144
#define IDD_PAGE_EDIT 145
#define IDD_PAGE_HOTKEY 146
#define IDD_PAGE_ADVANCED 147
#define IDD_FIND 148
#define IDD_WAIT 149
#define IDI_TRAY 157
#define IDR_MAIN_MENU 168

// Button pictures
#define IDB_HORZ 100
#define IDB_HORZ_DOWN 101
#define IDB_VERT 102
#define IDB_VERT_DOWN 103
#define IDB_WRAP 104
#define IDB_WRAP_DOWN 105
#define IDB_ENCODE_DOWN 121
#define IDB_ENCODE 122
#define IDB_PASTE_DOWN 123
#define IDB_PASTE 124
#define IDB_CLEAR_DOWN 125
#define IDB_CLEAR 127
#define IDB_PASTE_FOCUS 133
#define IDB_ENCODE_FOCUS 134
#define IDB_CLEAR_FOCUS 135
#define IDB_TOPMOST_ON 159
#define IDB_TOPMOST_OFF 160

// Controls of the main window
#define IDC_ENCODE 200
#define IDC_PASTE 201
#define IDC_CLEAR 202
#define IDC_TOPMOST 230
#define IDC_HORZ 231
#define IDC_VERT 232
#define IDC_WRAP 233
#define IDC_BANNER 291
#define IDC_PASSWORD 300
#define IDC_CONFIRM 301
#define IDC_SOURCE 303
#define IDC_RESULT 304

// Options pages (144 to 147). The pages are separate dialogs, so some
// numbers serve twice.
#define IDC_OPT_AUTORUN 1003     // 144
#define IDC_OPT_HIDDEN 1004      // 144
#define IDC_OPT_TOPMOST 1005     // 144
#define IDC_OPT_HORZ 1005        // 145
#define IDC_OPT_VERT 1006        // 145
#define IDC_OPT_WRAP 1007        // 145
#define IDC_OPT_FONT 1010        // 145
#define IDC_OPT_FACE 1014        // 145
#define IDC_OPT_TAB 1015         // 145
#define IDC_OPT_ALT 1008         // 146
#define IDC_OPT_SHIFT 1009       // 146
#define IDC_OPT_WIN 1010         // 146
#define IDC_OPT_HELP_KEY 1047    // 146
#define IDC_OPT_FILE 1020        // 147
#define IDC_OPT_KEY_PATH 1021    // 147
#define IDC_OPT_RESET 1025       // 147
#define IDC_OPT_HELP_ADV 1045    // 147
#define IDC_OPT_HELP_FILE 1046   // 147

// Find dialog (148)
#define IDC_FIND_TEXT_MODE 1026
#define IDC_FIND_TEXT 1027
#define IDC_FIND_DELIM_MODE 1028
#define IDC_FIND_NEXT 1029
#define IDC_FIND_CANCEL 1030
#define IDC_FIND_CASE 1031
#define IDC_FIND_UP 1032
#define IDC_FIND_DOWN 1033
#define IDC_FIND_DELIMITER 1034

// About box (139)
#define IDC_ABOUT_LOGO 290
#define IDC_ABOUT_ADDRESS 302

// Wait dialog (149)
#define IDC_WAIT_PROGRESS 1038
#define IDC_WAIT_CANCEL 1039
#define IDC_WAIT_TEXT 1040

// Menu bar (168)
#define IDM_HIDE 40050
#define IDM_EXIT 40034
#define IDM_FIND 40073
#define IDM_FIND_NEXT 40074
#define IDM_FIND_PREV 40075
#define IDM_SELECT_ALL 40076
#define IDM_ENCODE 40047
#define IDM_PASTE 40048
#define IDM_CLEAR_PASSWORD 40080
#define IDM_CLEAR_EDITS 40049
#define IDM_FOCUS_SOURCE 40065
#define IDM_FOCUS_RESULT 40068
#define IDM_TOPMOST 40051
#define IDM_HORZ 40056
#define IDM_VERT 40057
#define IDM_WRAP 40052
#define IDM_OPTIONS 40036
#define IDM_HELP_SHORT 40103
#define IDM_HELP 40044
#define IDM_ABOUT 40045
#define IDM_NOTICE 40104
#define IDM_HOME_PAGE 40046

// Accelerators (136)
#define IDA_SELECT_ALL 40012
#define IDA_FIND 40069
#define IDA_PASTE 40062
#define IDA_FIND_NEXT 40070
#define IDA_FIND_PREV_CTRL 40071
#define IDA_FIND_PREV 40072
#define IDA_CLEAR_PASSWORD 40078
#define IDA_CLEAR_EDITS 40064
#define IDA_FOCUS_SOURCE 40067
#define IDA_FOCUS_RESULT 40066
#define IDA_ENCODE 40059

// Tray menu (129)
#define IDM_TRAY_OPTIONS 40099
#define IDM_TRAY_OPEN 40004
#define IDM_TRAY_EXIT 40003

// Private messages of the main window
#define UM_CAPTURE (WM_USER + 1)
#define UM_READ_CLIPBOARD (WM_USER + 2)
#define UM_RUN_CIPHER (WM_USER + 3)
#define UM_PASTE_BACK (WM_USER + 4)
#define UM_REGISTER_HOTKEY (WM_USER + 5)
#define UM_FIND_DELIMITER (WM_USER + 6)
#define UM_CIPHER_FAILED (WM_USER + 7)
#define UM_CIPHER_DONE (WM_USER + 8)
#define UM_CIPHER_ENDED (WM_USER + 9)
#define UM_TRAY_NOTIFY (WM_APP + 100)

// Timers of the main window
#define TIMER_HOTKEY_WAIT 1
#define TIMER_READ_CLIPBOARD 2
#define TIMER_PASTE 4
#define TIMER_UPDATE_POLL 500
#define TIMER_BANNER_TEXT 555
#define TIMER_BANNER_IMAGE 556

#endif
