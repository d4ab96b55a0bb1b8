// Selection and focus of a list of rows kept in plain memory, standing in for a list view.
// Giving a row the focus makes it the search anchor, as a list view's notification does.
#pragma once

#include "ListSelection.h"

#include <cstddef>
#include <vector>

class PlainListSelection final : public ListSelection {
public:
    explicit PlainListSelection(std::size_t rows) : selected_(rows, 0) {}

    int NextSelected(int after) const override {
        for (std::size_t row = after < 0 ? 0 : static_cast<std::size_t>(after) + 1;
             row < selected_.size(); ++row) {
            if (selected_[row]) return static_cast<int>(row);
        }
        return -1;
    }
    bool IsSelected(int row) const override { return InRange(row) && selected_[Index(row)]; }
    void SetSelected(int row, bool selected) override {
        if (InRange(row)) selected_[Index(row)] = selected ? 1 : 0;
    }
    void SetFocused(int row) override {
        if (InRange(row)) anchor_ = row;
    }
    void EnsureVisible(int) override {}
    int FocusAnchor() const override { return anchor_; }

    void SetAnchor(int row) { anchor_ = row; }
    std::size_t SelectedCount() const {
        std::size_t count = 0;
        for (unsigned char s : selected_) count += s;
        return count;
    }

private:
    bool InRange(int row) const { return row >= 0 && static_cast<std::size_t>(row) < selected_.size(); }
    static std::size_t Index(int row) { return static_cast<std::size_t>(row); }

    std::vector<unsigned char> selected_;
    int anchor_ = 0;
};
