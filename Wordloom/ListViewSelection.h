// The selection and focus of a list view, for the sort and the searches of the tables. The
// focus anchor is the row the main window last saw gain the focus.
#pragma once

#include "ListRows.h"
#include "ListSelection.h"
#include "SelectionSnapshot.h"

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <optional>
#include <vector>

class ListViewSelection final : public ListSelection {
public:
    ListViewSelection(HWND list, int focusAnchor) : list_(list), focusAnchor_(focusAnchor) {}

    int NextSelected(int after) const override {
        return ListView_GetNextItem(list_, after, LVNI_SELECTED);
    }
    bool IsSelected(int row) const override {
        return (ListView_GetItemState(list_, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    }
    void SetSelected(int row, bool selected) override {
        if (IsSelected(row) != selected) ListView_SetItemState(list_, row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
    void SetFocused(int row) override { ListView_SetItemState(list_, row, LVIS_FOCUSED, LVIS_FOCUSED); }
    void EnsureVisible(int row) override { ListView_EnsureVisible(list_, row, FALSE); }
    int FocusAnchor() const override { return focusAnchor_; }

private:
    HWND list_;
    int focusAnchor_;  // a copy: callers pass temporaries such as CurrentFocusedRow()
};

// The list's selection and focus anchor in memory: read row by row only when some rows, not
// all or none, are selected.
inline SelectionSnapshot CopySelection(HWND list, int focusAnchor, int rowCount) {
    const int selected = static_cast<int>(ListView_GetSelectedCount(list));
    if (selected == 0 || selected == rowCount) {
        return SelectionSnapshot(std::vector<bool>(static_cast<std::size_t>(rowCount), selected != 0), focusAnchor);
    }
    return SelectionSnapshot(ListViewSelection(list, focusAnchor), rowCount);
}

// A held repaint costs the list about as much as this many changes of single rows.
constexpr std::size_t RowChangesWithoutRepaintPause = 60;

// Clears every row of an owner-data list. Such a list forgets the selection of the rows it no
// longer has at once, while a request to clear every row goes through the rows one by one. So
// the rows are taken away for a moment and given back, and the list is scrolled back to its top
// row if it lost it (a list with its repainting paused may keep its scrolling); the focus goes
// with the rows and is the caller's to give back. Should a list keep its selection all the same,
// the request for every row clears it. Only with repainting paused: the rows the list shows in
// between are not drawn.
inline void ClearEveryRow(HWND list) {
    const int rows = ListView_GetItemCount(list);
    const int top = ListView_GetTopIndex(list);
    ListView_SetItemCountEx(list, 0, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    ListView_SetItemCountEx(list, rows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    if (ListView_GetSelectedCount(list) != 0) ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    const int rowsToScroll = top - ListView_GetTopIndex(list);
    RECT topRow{};
    if (rowsToScroll != 0 && ListView_GetItemRect(list, top, &topRow, LVIR_BOUNDS)) {
        ListView_Scroll(list, 0, rowsToScroll * (topRow.bottom - topRow.top));
    }
}

// Gives the list the selection of a copy that a search changed, in the fewest requests, then
// the focus and the scrolling the search asked for.
inline void ApplySelection(HWND list, const SelectionSnapshot& copy) {
    const SelectionChange change = PlanSelectionChange(copy.Before(), copy.After());
    // Each single change repaints its row; past a few dozen, or to clear or select every row,
    // holding the repaint until the end is cheaper.
    std::optional<ListRepaintPause> pause;
    if (change.start != SelectionChange::Start::AsItIs ||
        change.select.size() + change.deselect.size() > RowChangesWithoutRepaintPause) {
        pause.emplace(list);
    }
    if (change.start == SelectionChange::Start::NoneSelected) ClearEveryRow(list);
    if (change.start == SelectionChange::Start::AllSelected) ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
    for (const int row : change.select) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    for (const int row : change.deselect) ListView_SetItemState(list, row, 0, LVIS_SELECTED);
    // The anchor is the row the search focused last, or the focus as it was.
    const bool focusLost = change.start == SelectionChange::Start::NoneSelected && copy.FocusAnchor() >= 0;
    if (copy.Focused() || focusLost) {
        ListView_SetItemState(list, copy.FocusAnchor(), LVIS_FOCUSED, LVIS_FOCUSED);
    }
    if (copy.MadeVisible()) ListView_EnsureVisible(list, *copy.MadeVisible(), FALSE);
}
