// Rows of a report list as the commands see them: the selected ones, and a pause in repainting
// while many rows change.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

inline std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
        rows.push_back(row);
    }
    return rows;
}

// While it lives the list does not repaint; at its end the list repaints once. A change of many
// rows then costs one paint instead of one invalidation per row.
class ListRepaintPause {
public:
    explicit ListRepaintPause(HWND list) : list_(list) { SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }
    ~ListRepaintPause() {
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, FALSE);
    }
    ListRepaintPause(const ListRepaintPause&) = delete;
    ListRepaintPause& operator=(const ListRepaintPause&) = delete;

private:
    HWND list_;
};

inline void DeselectRows(HWND list, const std::vector<int>& rows) {
    const ListRepaintPause pause(list);
    for (const int row : rows) ListView_SetItemState(list, row, 0, LVIS_SELECTED);
}
