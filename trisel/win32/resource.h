// Resource and control identifiers of Trisel.exe. The numbers are part of
// the program's outside face: Explorer-started test drivers and the job
// code address the controls by them.
#ifndef TRISEL_WIN32_RESOURCE_H
#define TRISEL_WIN32_RESOURCE_H

#define IDD_MAIN 101
#define IDD_OVERWRITE 102
#define IDI_TRISEL 104
#define IDD_LOGVIEW 105
#define IDC_TRISEL_HAND 106
#define IDB_HELP30 107
#define IDD_ADVANCED 116
#define IDD_FOLDEROPT 117

// Main dialog (101)
#define IDC_FILE_PROGRESS 1002
#define IDC_TOTAL_PROGRESS 1003
#define IDC_CURRENT_FILE 1005
#define IDC_TOTAL_TEXT 1006
#define IDC_PASSWORD 1007
#define IDC_CONFIRM 1008
#define IDC_RUN 1009
#define IDC_DELETE_SOURCE 1011
#define IDC_STATUS 1019
#define IDC_BANNER 1023
#define IDC_SETTINGS 1024
#define IDC_HELP_MAIN 1027
#define IDC_SHOW_LOG 1029
#define IDC_SHOW_ERRLOG 1030
#define IDC_BANNER_TEXT 1057
#define IDC_OPTION_GROUP 1090
#define IDC_SETTINGS_LABEL 1091

// Overwrite dialog (102); the question is static 1019.
#define IDC_OW_NO 1001
#define IDC_OW_YES 1013
#define IDC_OW_YES_ALL 1014
#define IDC_OW_NO_ALL 1016
#define IDC_OW_CANCEL 1018

// Log viewer (105); its label is static 1019.
#define IDC_LOG_TEXT 1052

// Advanced dialog (116)
#define IDC_ADV_FILE_SELECT 1015
#define IDC_ADV_KEY_PATH 1017
#define IDC_ADV_RESET 1021
#define IDC_ADV_HELP 1027

// Folder options dialog (117)
#define IDC_FO_HELP_SUBDIR 1025
#define IDC_FO_HELP_FILTER 1026
#define IDC_FO_FILTER 1028
#define IDC_FO_SUBDIRS 1063
#define IDC_FO_THIS_ONLY 1064
#define IDC_FO_HINT 1066

// Private messages
#define UM_LOG_SETTEXT 1025   // to a viewer: wParam text, lParam 1 log / 0 errors
#define UM_OPEN_LOG 1026      // to the main dialog: wParam 1029 or 1030
// The banner's messages and timers: common/win32/banner_window.h.

#endif
