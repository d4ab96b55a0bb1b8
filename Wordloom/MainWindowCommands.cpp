// The commands as the main window hands them out: most go to the current tab's pane; the window
// itself switches tabs, opens Find and About and the context popup, and asks about unsaved work
// where a table would be replaced or the window would go. A Yes there saves every table with
// unsaved work.
#include "MainWindow.h"

#include "AboutBoxResources.h"
#include "Commands.h"
#include "EditDialogs.h"
#include "UiStrings.h"
#include "res/resource.h"

void CMainWindow::OnCommand(unsigned command) {
    CTablePane& pane = CurrentPane();
    switch (command) {
    // Only the phrases have an order to choose; the ribbon offers sorting on their tab alone.
    case cmdAscendingSort: phrasePane_.SortInDirection(true); break;
    case cmdDescendingSort: phrasePane_.SortInDirection(false); break;
    case cmdSortByPhrase: phrasePane_.SortByColumn(PhraseColumnPhrase); break;
    case cmdSortByVantixInputKey: phrasePane_.SortByColumn(PhraseColumnVantixKey); break;
    case cmdSortByInputKey: phrasePane_.SortByColumn(PhraseColumnInputKey); break;
    case cmdAbout: ShowAbout(); break;
    case cmdExit: OnClose(); break;
    case cmdSave:
    case cmdAccelSave: pane.Save(); break;
    case cmdUndelete:
    case cmdAccelUndelete: pane.UndeleteAll(); break;
    case cmdInsert:
    case cmdAccelInsert: pane.Insert(); break;
    case cmdDelete:
    case cmdAccelDelete: pane.DeleteSelected(); break;
    case cmdModify: pane.ModifyFocusedRow(); break;
    case cmdSelectAll:
    case cmdAccelSelectAll: pane.SelectAll(); break;
    case cmdFind:
    case cmdAccelFind: Find(); break;
    case cmdImport: Import(); break;
    case cmdImportMerge: pane.ImportMerge(); break;
    case cmdExport: pane.Export(); break;
    case cmdFilter:
    case cmdAccelFilter: pane.FocusFilterBox(); break;
    case cmdAccelToggleRibbon:
        if (ribbon_) ribbon_->ToggleCollapsed();
        break;
    default: break;
    }
}

// Leaving a tab asks about that tab's table only; No keeps the changes for later.
void CMainWindow::OnTabChanged() {
    const bool toTips = TabCtrl_GetCurSel(tab_) == 1;
    const CTablePane& left = toTips ? static_cast<const CTablePane&>(phrasePane_) : tipPane_;
    if (left.HasUnsavedWork() && AskToSave(MB_YESNO) == IDYES) SaveCurrentTable();
    currentTab_ = toTips ? 1 : 0;
    phrasePane_.Show(!toTips);
    tipPane_.Show(toTips);
    RefreshCommandStates();
}

void CMainWindow::Find() {
    if (CurrentShownRowCount() == 0) return;
    RunFindDialog(*this, GetActiveWindow());
    if (const HWND list = CurrentList()) SetFocus(list);
}

void CMainWindow::ShowAbout() {
    CAboutBox about(GetModuleHandleW(nullptr), ProcessUiLanguage(), WordloomAboutBox);
    about.Show(GetActiveWindow());
    if (const HWND list = CurrentList()) SetFocus(list);
}

// Keyboard (the menu key or Shift+F10) places the popup on the focused row, or a third into the
// list; the mouse places it where it was clicked.
void CMainWindow::OnContextMenu(POINT position) {
    RefreshCommandStates();
    const HWND list = CurrentList();
    if (position.x == -1 && position.y == -1 && list) {
        const int focused = CurrentFocusedRow();
        RECT row{};
        if (focused != -1 && ListView_GetItemRect(list, focused, &row, LVIR_BOUNDS)) {
            position = POINT{(row.left + row.right) / 2, row.top};
        } else {
            RECT client{};
            GetClientRect(list, &client);
            position = POINT{client.left + (client.right - client.left) / 3, client.top + (client.bottom - client.top) / 3};
        }
        ClientToScreen(list, &position);
    }
    if (ribbon_) ribbon_->ShowContextPopup(position);
}

// Closing asks about unsaved work in either table; Yes saves every table that has some, and a
// save that did not write keeps the window open.
void CMainWindow::OnClose() {
    if (!OfferToSaveUnsavedWork(MB_YESNOCANCEL)) return;
    DestroyWindow(window_);
}

// Windows asks whether the session may end: with unsaved work, the same question as Close
// (without Cancel), while Windows shows why the tool holds the session up. A save behind Yes
// that did not write keeps the session waiting, and the work stays.
bool CMainWindow::OnQueryEndSession() {
    if (!HasUnsavedWork()) return true;
    shutdownReason_.Set(window_, LoadUiString(IDS_SHUTDOWN_REASON).c_str());
    const bool mayEnd = OfferToSaveUnsavedWork(MB_YESNO);
    if (mayEnd) shutdownReason_.Clear();
    return mayEnd;
}

// Asks about unsaved work in either table, if there is any. Yes saves every table with unsaved
// work, not only the current tab's: changes the user kept when leaving the other tab are among
// what was asked about. False when the user cancelled or a save behind Yes failed: the caller
// stops, and the tables stay as they are.
bool CMainWindow::OfferToSaveUnsavedWork(UINT buttons) {
    if (!HasUnsavedWork()) return true;
    const int answer = AskToSave(buttons);
    if (answer == IDCANCEL) return false;
    if (answer != IDYES) return true;
    if (phrasePane_.HasUnsavedWork() && !phrasePane_.Save()) return false;
    return !tipPane_.HasUnsavedWork() || tipPane_.Save();
}

void CMainWindow::Import() {
    if (!OfferToSaveUnsavedWork(MB_YESNO)) return;
    if (const std::optional<std::wstring> path = CurrentPane().AskForFileToImport()) CurrentPane().ImportFile(*path);
}

void CMainWindow::OpenRecent(const std::wstring& path) {
    if (OfferToSaveUnsavedWork(MB_YESNO)) CurrentPane().ImportFile(path);
}

int CMainWindow::AskToSave(UINT buttons) {
    return MessageBoxW(window_, LoadUiString(IDS_SAVE_PROMPT).c_str(), title_.c_str(), buttons | MB_ICONWARNING);
}
