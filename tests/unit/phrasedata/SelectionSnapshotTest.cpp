// A search run on a copy of the selection and then applied by the planned change leaves the
// list exactly as the same search run on the list itself, in few requests.
#include "Ordering.h"
#include "PlainListSelection.h"
#include "SelectionSnapshot.h"
#include "TestTables.h"

#include <gtest/gtest.h>

namespace {

// Applies a planned change as the list view is told it; returns the number of requests.
std::size_t Apply(const SelectionChange& change, PlainListSelection& list, int rows) {
    std::size_t requests = 0;
    if (change.start != SelectionChange::Start::AsItIs) {
        for (int row = 0; row < rows; ++row) list.SetSelected(row, change.start == SelectionChange::Start::AllSelected);
        ++requests;
    }
    for (int row : change.select) list.SetSelected(row, true);
    for (int row : change.deselect) list.SetSelected(row, false);
    return requests + change.select.size() + change.deselect.size();
}

PhraseTable EveryThirdMatches(int rows) {
    PhraseTable table;
    for (int row = 0; row < rows; ++row) table.push_back(MakePhrase(u"A", row % 3 == 0 ? u"xaby" : u"cd"));
    return table;
}

}  // namespace

TEST(SelectionSnapshot, SearchesThroughTheCopyEndAsOnTheListInFewRequests) {
    const int rows = 300;
    const PhraseTable table = EveryThirdMatches(rows);
    struct Case {
        bool markAll;
        bool up;
        int anchor;
        bool allSelected;
        std::size_t mostRequests;
    };
    for (const Case& run : {Case{true, false, 0, true, 101},    // all selected: cleared, then the hits
                            Case{true, false, 150, false, 50},  // far side kept as it is
                            Case{true, true, 150, true, 101},  // the 100 non-matching rows it passes, and the anchor
                            Case{false, false, 4, false, 1},    // Find Next: one row
                            Case{false, true, 4, true, 1}}) {
        PlainListSelection direct(rows, run.anchor);
        PlainListSelection applied(rows, run.anchor);
        if (run.allSelected) {
            for (int row = 0; row < rows; ++row) {
                direct.SetSelected(row, true);
                applied.SetSelected(row, true);
            }
        }
        const bool foundDirect = FindPhrase(table, u"AB", false, run.up, run.markAll, direct);

        SelectionSnapshot snapshot(applied, rows);
        const bool foundCopy = FindPhrase(table, u"AB", false, run.up, run.markAll, snapshot);
        const std::size_t requests = Apply(PlanSelectionChange(snapshot.Before(), snapshot.After()), applied, rows);

        EXPECT_EQ(foundCopy, foundDirect);
        EXPECT_EQ(applied.SelectedRows(), direct.SelectedRows()) << run.anchor << run.up;
        EXPECT_EQ(snapshot.Focused().value_or(-1), direct.Focused());
        EXPECT_EQ(snapshot.FocusAnchor(), direct.FocusAnchor());
        EXPECT_EQ(snapshot.MadeVisible().value_or(-1), direct.MadeVisible().empty() ? -1 : direct.MadeVisible().back());
        EXPECT_LE(requests, run.mostRequests);
    }
}

TEST(SelectionSnapshot, PlanTakesTheCheapestStart) {
    const std::vector<bool> none(6, false);
    const std::vector<bool> all(6, true);
    const std::vector<bool> oneOff{true, true, true, true, true, false};
    EXPECT_EQ(PlanSelectionChange(none, none).start, SelectionChange::Start::AsItIs);
    EXPECT_TRUE(PlanSelectionChange(none, none).select.empty());
    const SelectionChange fromAll = PlanSelectionChange(none, oneOff);
    EXPECT_EQ(fromAll.start, SelectionChange::Start::AllSelected);
    EXPECT_EQ(fromAll.deselect, std::vector<int>{5});
    std::vector<bool> second(10, false);
    second[1] = true;
    const SelectionChange fromNone = PlanSelectionChange(std::vector<bool>(10, true), second);
    EXPECT_EQ(fromNone.start, SelectionChange::Start::NoneSelected);
    EXPECT_EQ(fromNone.select, std::vector<int>{1});
    // On a long list, selecting every row costs more than a few single requests; clearing every
    // row costs as little as on a short one.
    std::vector<bool> many(100000, false);
    many[10] = many[20] = many[30] = true;
    std::vector<bool> one(100000, false);
    one[99999] = true;
    const SelectionChange few = PlanSelectionChange(many, one);
    EXPECT_EQ(few.start, SelectionChange::Start::AsItIs);
    EXPECT_EQ(few.deselect, (std::vector<int>{10, 20, 30}));
    for (int row = 0; row < 100; ++row) many[static_cast<std::size_t>(row) * 7] = true;
    const SelectionChange cleared = PlanSelectionChange(many, one);
    EXPECT_EQ(cleared.start, SelectionChange::Start::NoneSelected);
    EXPECT_EQ(cleared.select, std::vector<int>{99999});
    std::vector<bool> allButTwo(100000, true);
    allButTwo[5] = allButTwo[6] = false;
    const SelectionChange wide = PlanSelectionChange(many, allButTwo);
    EXPECT_EQ(wide.start, SelectionChange::Start::AllSelected);
    EXPECT_EQ(wide.deselect, (std::vector<int>{5, 6}));
}
