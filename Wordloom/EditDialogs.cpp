#include "EditDialogs.h"

#include "FindBox.h"
#include "MainWindow.h"

void RunFindDialog(CMainWindow& window, HWND owner) {
    CFindBox box(GetModuleHandleW(nullptr), window, window.CurrentTab() != 0);
    box.Run(owner);
}
