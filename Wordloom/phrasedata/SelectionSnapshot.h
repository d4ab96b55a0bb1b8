// A list's selection and focus copied into memory, for a search over a long list: the search
// reads and changes the copy, and the list is then changed once, in as few requests as the
// difference needs (a list view takes tens of microseconds for each row it is told to change,
// but one request selects or clears every row).
#pragma once

#include "ListSelection.h"

#include <cstddef>
#include <optional>
#include <vector>

class SelectionSnapshot final : public ListSelection {
public:
    // Reads the selected rows of the list once, walking only those.
    SelectionSnapshot(const ListSelection& list, int rowCount);
    // Takes the selection as already read, one entry per row, and the focus anchor.
    SelectionSnapshot(std::vector<bool> selected, int anchor);

    int NextSelected(int after) const override;
    bool IsSelected(int row) const override;
    void SetSelected(int row, bool selected) override;
    // Moves the anchor, as the list's own notification does.
    void SetFocused(int row) override;
    void EnsureVisible(int row) override;
    int FocusAnchor() const override { return anchor_; }

    const std::vector<bool>& Before() const { return before_; }
    const std::vector<bool>& After() const { return after_; }
    // The last row given the focus or made visible, if any.
    const std::optional<int>& Focused() const { return focused_; }
    const std::optional<int>& MadeVisible() const { return madeVisible_; }

private:
    bool InRange(int row) const { return row >= 0 && row < static_cast<int>(after_.size()); }

    std::vector<bool> before_;
    std::vector<bool> after_;
    int anchor_;
    std::optional<int> focused_;
    std::optional<int> madeVisible_;
};

// How to turn one selection into another: start from the list as it is, with every row
// cleared or with every row selected (one request each), then change single rows.
struct SelectionChange {
    enum class Start { AsItIs, NoneSelected, AllSelected };
    Start start = Start::AsItIs;
    std::vector<int> select;
    std::vector<int> deselect;
};

// The change that costs the list least. Both selections have one entry per row. Selecting every
// row goes through the rows inside the list, and costs about as much as single requests for one
// row in twenty. Clearing every row is done by taking the rows away for a moment, which costs
// about as much as a few single requests, whatever the length of the list.
constexpr std::size_t RowsPerWholeListRequest = 20;
constexpr std::size_t ClearCostInRows = 4;
SelectionChange PlanSelectionChange(const std::vector<bool>& before, const std::vector<bool>& after);
