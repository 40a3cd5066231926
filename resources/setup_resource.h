// Resource numbers of the setup program. A choice control's explanation string has the
// control's own number.
#pragma once

#define IDB_SETUP_BANNER 130

#define IDD_ACTION 24100
#define IDD_FOLDER 24200
#define IDD_SHORTCUT_OPTIONS 24300
#define IDD_UNINSTALL_OPTIONS 24400
#define IDD_FINISH 24500

#define IDC_EXPLANATION 24000
#define IDC_INSTALL 24101
#define IDC_UNINSTALL 24102
#define IDC_FOLDER 24201
#define IDC_BROWSE 24202
#define IDC_START_MENU 24301
#define IDC_STARTUP 24302
#define IDC_KEEP_DATA 24401
#define IDC_REMOVE_ALL 24402
