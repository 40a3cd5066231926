// Command and string numbers that the framework itself answers to. Plain defines, so that the
// resource scripts can use them too.
#pragma once

#define FW_ID_HELP 57670         // help for the current context (F1)
#define FW_ID_HELP_FINDER 57671  // the help file's finder
#define FW_IDS_APP_NAME 57344    // the application's name: profile key and box captions
#define FW_IDS_HELP_FAILED 61703 // shown when the help program cannot be started
