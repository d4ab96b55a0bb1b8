// The commands the main window carries out itself: tab switch, Delete, Undelete, Select all,
// sorting, the context popup, and the hand-off to the dialogs.
#include "MainWindow.h"

#include "AboutBoxResources.h"
#include "Commands.h"
#include "EditDialogs.h"
#include "ListRows.h"
#include "ListViewSelection.h"
#include "PhraseStore.h"
#include "TipStore.h"
#include "UiStrings.h"

#include <algorithm>
#include <vector>

namespace {

// direction: 0 no arrow, 1 up (ascending), 2 down (descending).
void SetHeaderArrow(HWND header, int column, int direction) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(header, column, &item);
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (direction == 1) item.fmt |= HDF_SORTUP;
    if (direction == 2) item.fmt |= HDF_SORTDOWN;
    Header_SetItem(header, column, &item);
}

}  // namespace

void CMainWindow::OnCommand(unsigned command) {
    switch (command) {
    case cmdAscendingSort: SortInDirection(true); break;
    case cmdDescendingSort: SortInDirection(false); break;
    case cmdAbout: ShowAbout(); break;
    case cmdExit: OnClose(); break;
    case cmdSave:
    case cmdAccelSave: SaveCurrentTable(); break;
    case cmdUndelete:
    case cmdAccelUndelete: UndeleteAll(); break;
    case cmdInsert:
    case cmdAccelInsert: InsertEntry(); break;
    case cmdDelete:
    case cmdAccelDelete: DeleteSelected(); break;
    case cmdModify: ModifyFocusedRow(); break;
    case cmdSelectAll:
    case cmdAccelSelectAll: SelectAll(); break;
    case cmdFind:
    case cmdAccelFind: Find(); break;
    case cmdSortByPhrase: SortByColumn(PhraseColumnPhrase); break;
    case cmdSortByVantixInputKey: SortByColumn(PhraseColumnVantixKey); break;
    case cmdSortByInputKey: SortByColumn(PhraseColumnInputKey); break;
    case cmdImport: Import(); break;
    case cmdImportMerge: ImportMerge(); break;
    case cmdExport: Export(); break;
    case cmdAccelToggleRibbon:
        if (ribbon_) ribbon_->ToggleCollapsed();
        break;
    default: break;
    }
}

// Leaving a tab asks about that tab's table only; No keeps the changes for later.
void CMainWindow::OnTabChanged() {
    const bool toTips = TabCtrl_GetCurSel(tab_) == 1;
    const bool leftHasChanges = toTips ? phrases_.HasUnsavedWork() : tips_.HasUnsavedWork();
    if (leftHasChanges && AskToSave(MB_YESNO) == IDYES) SaveCurrentTable();
    currentTab_ = toTips ? 1 : 0;
    if (phraseList_) ShowWindow(phraseList_, toTips ? SW_HIDE : SW_SHOW);
    if (tipList_) ShowWindow(tipList_, toTips ? SW_SHOW : SW_HIDE);
    RefreshCommandStates();
}

void CMainWindow::DeleteSelected() {
    const HWND list = CurrentList();
    if (!list) return;
    const ListViewSelection selection(list, CurrentFocusedRow());
    const bool marked = currentTab_ == 0
                            ? MarkSelectedDeleted(phrases_.table, phrases_.phrasesHaveDeleted, selection, images_)
                            : MarkSelectedDeleted(tips_.table, tips_.tipsHaveDeleted, selection, images_);
    if (marked) RedrawAllRows(list);
    RefreshCommandStates();
}

void CMainWindow::UndeleteAll() {
    const HWND list = CurrentList();
    const bool restored = currentTab_ == 0 ? UnmarkAllEntries(phrases_.table, phrases_.phrasesHaveDeleted, images_)
                                           : UnmarkAllEntries(tips_.table, tips_.tipsHaveDeleted, images_);
    if (restored && list) RedrawAllRows(list);
    RefreshCommandStates();
}

void CMainWindow::SelectAll() {
    const HWND list = CurrentList();
    if (!list) return;
    // Row -1 stands for every row: one request instead of one per row, with the same result.
    {
        const ListRepaintPause pause(list);
        ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
    }
    UpdateWindow(list);
    RefreshCommandStates();
}

void CMainWindow::InsertEntry() {
    const HWND list = CurrentList();
    RunInsertDialog(*this, GetActiveWindow());
    if (list) SetFocus(list);
}

void CMainWindow::ModifyRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= CurrentRowCount()) return;
    RunModifyDialog(*this, GetActiveWindow(), row);
    if (const HWND list = CurrentList()) SetFocus(list);
}

void CMainWindow::ModifyFocusedRow() {
    const HWND list = CurrentList();
    if (!list) return;
    const int row = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (row >= 0) ModifyRow(row);
}

bool CMainWindow::AppendPhrase(const EditedPhrase& edited) {
    if (!AppendEditedPhrase(phrases_, sort_, edited, images_.normalImage)) {
        ShowTableTooLarge();
        return false;
    }
    if (phraseList_) {
        ListView_SetItemCountEx(phraseList_, static_cast<int>(phrases_.table.size()), 0);
        ShowSortIndicators();
    }
    if (ribbon_) ribbon_->InvalidateSortToggles();
    RefreshCommandStates();
    return true;
}

void CMainWindow::ApplyPhraseEdit(int row, const EditedPhrase& edited) {
    if (row < 0) return;
    const unsigned changed = ReplaceEditedPhrase(phrases_, sort_, static_cast<std::size_t>(row), edited);
    for (int column = PhraseColumnPhrase; column <= PhraseColumnInputKey; ++column) {
        if (changed & ColumnBit(column)) RemoveSortArrow(column);
    }
    if (changed && phraseList_) {
        ListView_RedrawItems(phraseList_, row, row);
        UpdateWindow(phraseList_);
    }
    if (ribbon_) ribbon_->InvalidateSortToggles();
}

bool CMainWindow::AppendTip(const EditedTip& edited) {
    if (!AddTip(tips_, edited.character, edited.words, images_.normalImage)) {
        ShowTableTooLarge();
        return false;
    }
    if (tipList_) ListView_SetItemCountEx(tipList_, static_cast<int>(tips_.table.size()), 0);
    RefreshCommandStates();
    return true;
}

void CMainWindow::ApplyTipEdit(int row, const EditedTip& edited) {
    if (row < 0 || !ModifyTipWords(tips_, static_cast<std::size_t>(row), edited.words)) return;
    if (tipList_) {
        ListView_RedrawItems(tipList_, row, row);
        UpdateWindow(tipList_);
    }
    RefreshCommandStates();
}

void CMainWindow::Find() {
    if (CurrentRowCount() == 0) return;
    RunFindDialog(*this, GetActiveWindow());
    if (const HWND list = CurrentList()) SetFocus(list);
}

void CMainWindow::ShowAbout() {
    CAboutBox about(GetModuleHandleW(nullptr), ProcessUiLanguage(), WordloomAboutBox);
    about.Show(GetActiveWindow());
    if (const HWND list = CurrentList()) SetFocus(list);
}

void CMainWindow::SortByColumn(int column) {
    if (!phraseList_) return;
    ListViewSelection selection(phraseList_, focusedPhrase_);
    {
        const ListRepaintPause pause(phraseList_);
        if (!SortPhrasesByColumn(phrases_.table, sort_, column, selection)) return;
    }
    ShowSortIndicators();
    RedrawAllRows(phraseList_);
    if (ribbon_) ribbon_->InvalidateSortToggles();
}

void CMainWindow::SortInDirection(bool ascending) {
    if (!phraseList_) return;
    ListViewSelection selection(phraseList_, focusedPhrase_);
    bool sorted = false;
    {
        const ListRepaintPause pause(phraseList_);
        sorted = SortPhrasesInDirection(phrases_.table, sort_, ascending, selection);
    }
    if (sorted) {
        ShowSortIndicators();
        RedrawAllRows(phraseList_);
    }
    // Without a sort column a pressed toggle springs back.
    if (ribbon_) ribbon_->InvalidateSortToggles();
}

// The header arrows follow the columns' sort directions.
void CMainWindow::ShowSortIndicators() {
    const HWND header = ListView_GetHeader(phraseList_);
    for (int column = PhraseColumnPhrase; column <= PhraseColumnInputKey; ++column) {
        SetHeaderArrow(header, column, sort_.columnSortState[static_cast<std::size_t>(column)]);
    }
}

// The table's order is no longer known: no column counts as sorted and the toggles spring back.
void CMainWindow::ResetSortMarks() {
    sort_.sortedByPhrase = sort_.sortedByVantixKey = sort_.sortedByInputKey = false;
    sort_.sortAscending = sort_.sortDescending = false;
    if (ribbon_) ribbon_->InvalidateSortToggles();
}

void CMainWindow::RemoveSortArrow(int column) {
    if (phraseList_) SetHeaderArrow(ListView_GetHeader(phraseList_), column, 0);
}

void CMainWindow::ClearSortIndicators() {
    sort_.columnSortState.fill(0);
    if (phraseList_) ShowSortIndicators();
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

// Every row is drawn anew: the rows in view now, the others when they come into view (the list
// asks for each cell as it draws). Asking the list to redraw rows out of view only costs time.
void CMainWindow::RedrawAllRows(HWND list) {
    const int count = ListView_GetItemCount(list);
    const int top = ListView_GetTopIndex(list);
    if (count > 0 && top < count) {
        ListView_RedrawItems(list, top, std::min(count - 1, top + ListView_GetCountPerPage(list)));
    }
    UpdateWindow(list);
}
