// Test side of the WinHelp viewer (Wine's winhlp32): the contents file beside the test program,
// the viewer's window, and the text its topic pane shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace helptest {

std::string HelpFilePath();  // Hintrail.hlp beside the test program

struct ContentsEntry {
    std::string title;    // code page 932
    std::string context;
};

struct Contents {
    std::string base;     // the ":Base" line's file name
    std::string title;    // the ":Title" line, code page 932
    std::vector<ContentsEntry> topics;
};

// Hintrail.cnt beside the test program; empty when it cannot be read.
Contents ReadContents();

// The visible viewer window whose caption starts with the help file's title, or null.
HWND FindViewer(const std::string& helpTitle);

// What the viewer's topic pane shows, paragraphs ended by "\r". Another process cannot read
// it with WM_GETTEXT, so the request carries a buffer allocated in the viewer's process.
std::string ShownText(HWND viewer);

// Closes the viewer and waits until its window is gone; false after the deadline.
bool CloseViewer(HWND viewer);

}  // namespace helptest
