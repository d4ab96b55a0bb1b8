#include "EditDialogs.h"

// The phrase edit dialog, the associated-word editor and the Find dialog are not built yet:
// until they are, these commands open nothing and change nothing.

bool RunInsertDialog(CMainWindow&, HWND) {
    return false;
}

bool RunModifyDialog(CMainWindow&, HWND, int) {
    return false;
}

void RunFindDialog(CMainWindow&, HWND) {}
