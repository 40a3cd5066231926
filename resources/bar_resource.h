// Resource numbers of the bar program.
#pragma once

#include "../bar/framework/framework_ids.h"

#define IDR_BAR_ACCELERATORS 128
#define IDR_BAR_POPUP 130

#define ID_APP_EXIT_BAR 32771

#define IDS_MENU_UNREADABLE 57345
#define IDS_NO_SHORTCUTS 57350
