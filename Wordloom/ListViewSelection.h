// The selection and focus of a list view, for the sort and the searches of the tables. The
// focus anchor is the row the main window last saw gain the focus.
#pragma once

#include "ListSelection.h"

#include <windows.h>

#include <commctrl.h>

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
