// The modal dialogs the main window opens for Insert, Modify and Find. Each runs over the
// window's current table and reports whether the user confirmed something.
#pragma once

#include <windows.h>

class CMainWindow;

// Insert on the current tab: the phrase edit dialog or the associated-word editor.
bool RunInsertDialog(CMainWindow& window, HWND owner);

// Modify of a row (already checked to be inside the current table).
bool RunModifyDialog(CMainWindow& window, HWND owner, int row);

// Find over the current table (not empty).
void RunFindDialog(CMainWindow& window, HWND owner);
