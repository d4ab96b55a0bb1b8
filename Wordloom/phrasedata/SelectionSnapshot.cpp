#include "SelectionSnapshot.h"

#include <cstddef>
#include <utility>

SelectionSnapshot::SelectionSnapshot(const ListSelection& list, int rowCount)
    : before_(static_cast<std::size_t>(rowCount > 0 ? rowCount : 0), false), anchor_(list.FocusAnchor()) {
    for (int row = list.NextSelected(-1); row >= 0 && row < rowCount; row = list.NextSelected(row)) {
        before_[static_cast<std::size_t>(row)] = true;
    }
    after_ = before_;
}

SelectionSnapshot::SelectionSnapshot(std::vector<bool> selected, int anchor)
    : before_(std::move(selected)), after_(before_), anchor_(anchor) {}

int SelectionSnapshot::NextSelected(int after) const {
    for (int row = after < 0 ? 0 : after + 1; InRange(row); ++row) {
        if (after_[static_cast<std::size_t>(row)]) return row;
    }
    return -1;
}

bool SelectionSnapshot::IsSelected(int row) const {
    return InRange(row) && after_[static_cast<std::size_t>(row)];
}

void SelectionSnapshot::SetSelected(int row, bool selected) {
    if (InRange(row)) after_[static_cast<std::size_t>(row)] = selected;
}

void SelectionSnapshot::SetFocused(int row) {
    if (!InRange(row)) return;
    focused_ = row;
    anchor_ = row;
}

void SelectionSnapshot::EnsureVisible(int row) {
    if (InRange(row)) madeVisible_ = row;
}

SelectionChange PlanSelectionChange(const std::vector<bool>& before, const std::vector<bool>& after) {
    SelectionChange asItIs;
    std::size_t selectedAfter = 0;
    for (std::size_t row = 0; row < after.size(); ++row) {
        if (after[row]) ++selectedAfter;
        const bool was = row < before.size() && before[row];
        if (after[row] && !was) asItIs.select.push_back(static_cast<int>(row));
        if (!after[row] && was) asItIs.deselect.push_back(static_cast<int>(row));
    }
    const std::size_t asItIsCost = asItIs.select.size() + asItIs.deselect.size();
    const std::size_t fromNoneCost = ClearCostInRows + selectedAfter;
    const std::size_t fromAllCost = after.size() / RowsPerWholeListRequest + 1 + (after.size() - selectedAfter);
    if (asItIsCost <= fromNoneCost && asItIsCost <= fromAllCost) return asItIs;

    SelectionChange change;
    const bool fromNone = fromNoneCost <= fromAllCost;
    change.start = fromNone ? SelectionChange::Start::NoneSelected : SelectionChange::Start::AllSelected;
    for (std::size_t row = 0; row < after.size(); ++row) {
        if (fromNone && after[row]) change.select.push_back(static_cast<int>(row));
        if (!fromNone && !after[row]) change.deselect.push_back(static_cast<int>(row));
    }
    return change;
}
