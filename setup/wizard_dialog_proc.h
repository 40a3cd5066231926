// The one dialog procedure of every page. It finds the page object of a window through the page
// registry, which holds a window from its WM_INITDIALOG to its WM_DESTROY.
#pragma once

#include <windows.h>

class PropertyPage;

INT_PTR CALLBACK WizardDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The page of a page window, or null.
PropertyPage* FindRegisteredPage(HWND window);
