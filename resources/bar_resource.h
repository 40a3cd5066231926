// Resource numbers of the bar program.
#pragma once

#define IDR_BAR_ACCELERATORS 128
#define IDR_BAR_POPUP 130

#define ID_APP_EXIT_BAR 32771
#define ID_HELP_BAR 57670
#define ID_HELP_FINDER_BAR 57671

#define IDS_APP_NAME 57344
#define IDS_MENU_UNREADABLE 57345
#define IDS_NO_SHORTCUTS 57350
#define IDS_HELP_FAILED 61703
