// The selection and focus of a list view, for the sort and the searches of the tables. The
// focus anchor is the row the main window last saw gain the focus.
#pragma once

#include "ListSelection.h"
#include "SelectionSnapshot.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

class ListViewSelection final : public ListSelection {
public:
    ListViewSelection(HWND list, const int& focusAnchor) : list_(list), focusAnchor_(focusAnchor) {}

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
    const int& focusAnchor_;
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

// Gives the list the selection of a copy that a search changed, in the fewest requests, then
// the focus and the scrolling the search asked for.
inline void ApplySelection(HWND list, const SelectionSnapshot& copy) {
    const SelectionChange change = PlanSelectionChange(copy.Before(), copy.After());
    if (change.start != SelectionChange::Start::AsItIs) {
        const bool all = change.start == SelectionChange::Start::AllSelected;
        ListView_SetItemState(list, -1, all ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
    for (const int row : change.select) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    for (const int row : change.deselect) ListView_SetItemState(list, row, 0, LVIS_SELECTED);
    if (copy.Focused()) ListView_SetItemState(list, *copy.Focused(), LVIS_FOCUSED, LVIS_FOCUSED);
    if (copy.MadeVisible()) ListView_EnsureVisible(list, *copy.MadeVisible(), FALSE);
}
