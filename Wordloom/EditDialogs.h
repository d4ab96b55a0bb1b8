// The Find dialog the main window opens over the current table. Insert and Modify belong to the
// panes, which know their own editor.
#pragma once

#include <windows.h>

class CMainWindow;

// Find over the current table (not empty).
void RunFindDialog(CMainWindow& window, HWND owner);
