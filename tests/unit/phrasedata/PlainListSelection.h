// A list's selection and focus kept in plain memory, standing in for the phrase tool's list
// views. Like a list view's item-changed notification, giving a row the focus moves the anchor.
#pragma once

#include "ListSelection.h"

#include <initializer_list>
#include <vector>

class PlainListSelection : public ListSelection {
public:
    explicit PlainListSelection(int rows, int anchor = 0)
        : selected_(static_cast<std::size_t>(rows), false), anchor_(anchor) {}

    int NextSelected(int after) const override {
        for (int row = after < 0 ? 0 : after + 1; row < Rows(); ++row) {
            if (selected_[static_cast<std::size_t>(row)]) return row;
        }
        return -1;
    }
    bool IsSelected(int row) const override {
        return InRange(row) && selected_[static_cast<std::size_t>(row)];
    }
    void SetSelected(int row, bool selected) override {
        if (InRange(row)) selected_[static_cast<std::size_t>(row)] = selected;
    }
    void SetFocused(int row) override {
        if (!InRange(row)) return;  // a list view refuses rows it does not have
        focused_ = row;
        anchor_ = row;
    }
    void EnsureVisible(int row) override { madeVisible_.push_back(row); }
    int FocusAnchor() const override { return anchor_; }

    void Select(std::initializer_list<int> rows) {
        for (int row : rows) SetSelected(row, true);
    }
    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (int row = NextSelected(-1); row >= 0; row = NextSelected(row)) rows.push_back(row);
        return rows;
    }
    int Focused() const { return focused_; }
    void SetAnchor(int row) { anchor_ = row; }
    const std::vector<int>& MadeVisible() const { return madeVisible_; }

private:
    int Rows() const { return static_cast<int>(selected_.size()); }
    bool InRange(int row) const { return row >= 0 && row < Rows(); }

    std::vector<bool> selected_;
    int focused_ = -1;
    int anchor_;
    std::vector<int> madeVisible_;
};
