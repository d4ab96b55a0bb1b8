// Sorting the phrase table by a list column: direction, comparisons, stability, and the list's
// selection and focus following their entries.
#include "Ordering.h"
#include "PlainListSelection.h"
#include "TestTables.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

PhraseTable ByKeys(std::initializer_list<const char16_t*> keys) {
    PhraseTable table;
    for (auto key : keys) table.push_back(MakePhrase(key, u"p"));
    return table;
}

PhraseTable ByPhrases(std::initializer_list<std::u16string> phrases) {
    PhraseTable table;
    for (const auto& phrase : phrases) table.push_back(MakePhrase(u"Q", phrase));
    return table;
}

TEST(Sort, TablesOfFewerThanTwoEntriesAndOtherColumnsChangeNothing) {
    for (PhraseTable table : {PhraseTable{}, ByKeys({u"A"})}) {
        PhraseSortState state;
        PlainListSelection list(static_cast<int>(table.size()));
        EXPECT_FALSE(SortPhrasesByColumn(table, state, PhraseColumnPhrase, list));
        EXPECT_EQ(state.columnSortState, (std::array<int, 4>{}));
        EXPECT_EQ(state.CurrentColumn(), 0);
        EXPECT_FALSE(state.sortAscending || state.sortDescending);
    }
    PhraseTable table = ByKeys({u"B", u"A"});
    PhraseSortState state;
    PlainListSelection list(2);
    for (int column : {0, 4}) EXPECT_FALSE(SortPhrasesByColumn(table, state, column, list));
    EXPECT_EQ(KeysOf(table), (Strings{u"B", u"A"}));
    EXPECT_EQ(state.CurrentColumn(), 0);
}

TEST(Sort, ClicksFlipTheDirectionAndAnotherColumnStartsAscending) {
    PhraseTable table = ByKeys({u"B", u"C", u"A"});
    PhraseSortState state;
    PlainListSelection list(3);
    auto click = [&](int column) { ASSERT_TRUE(SortPhrasesByColumn(table, state, column, list)); };

    click(PhraseColumnInputKey);
    EXPECT_EQ(state.columnSortState, (std::array<int, 4>{0, 0, 0, 1}));
    EXPECT_TRUE(state.sortedByInputKey && state.sortAscending && !state.sortDescending);
    EXPECT_EQ(KeysOf(table), (Strings{u"A", u"B", u"C"}));
    click(PhraseColumnInputKey);
    EXPECT_EQ(state.columnSortState[3], 2);
    EXPECT_TRUE(state.sortDescending && !state.sortAscending);
    EXPECT_EQ(KeysOf(table), (Strings{u"C", u"B", u"A"}));
    click(PhraseColumnInputKey);
    EXPECT_EQ(state.columnSortState[3], 1);
    click(PhraseColumnInputKey);
    click(PhraseColumnPhrase);
    EXPECT_EQ(state.columnSortState, (std::array<int, 4>{0, 1, 0, 0}));
    EXPECT_TRUE(state.sortedByPhrase && !state.sortedByVantixKey && !state.sortedByInputKey);
    EXPECT_TRUE(state.sortAscending && !state.sortDescending);
    EXPECT_EQ(state.CurrentColumn(), PhraseColumnPhrase);
}

TEST(Sort, PhraseAndInputKeyColumnsCompareCodeUnits) {
    PhraseTable table = ByPhrases({u"b", u"\uFF01", u"ab", u"B", u"\U00020000", u"a", u""});
    StableSortPhrases(table, PhraseColumnPhrase, true);
    EXPECT_EQ(PhrasesOf(table), (Strings{u"", u"B", u"a", u"ab", u"b", u"\U00020000", u"\uFF01"}));
    StableSortPhrases(table, PhraseColumnPhrase, false);
    EXPECT_EQ(PhrasesOf(table), (Strings{u"\uFF01", u"\U00020000", u"b", u"ab", u"a", u"B", u""}));

    table = ByKeys({u"Q", u";", u"A", u",", u"/", u".", u"QA"});
    StableSortPhrases(table, PhraseColumnInputKey, true);
    EXPECT_EQ(KeysOf(table), (Strings{u",", u".", u"/", u";", u"A", u"Q", u"QA"}));
}

TEST(Sort, VantixKeyColumnUsesLayoutOrderOfTheInputKeys) {
    PhraseTable table = ByKeys({u"Z", u"A", u"QA"});
    StableSortPhrases(table, PhraseColumnVantixKey, true);
    EXPECT_EQ(KeysOf(table), (Strings{u"QA", u"A", u"Z"}));
    StableSortPhrases(table, PhraseColumnInputKey, true);
    EXPECT_EQ(KeysOf(table), (Strings{u"A", u"QA", u"Z"}));

    table = ByKeys({u"P", u"Q", u"QA", u"A", u";"});
    StableSortPhrases(table, PhraseColumnVantixKey, false);
    EXPECT_EQ(KeysOf(table), (Strings{u";", u"P", u"A", u"QA", u"Q"}));
}

// Long tables with many ties, checked entry by entry: the image field carries each entry's
// original row.
TEST(Sort, LongTablesSortStablyByEveryColumn) {
    const char16_t* keys[] = {u"Q", u"QA", u"A", u",", u"P;", u"Z", u"ZZZ"};
    const char16_t* phrases[] = {u"b", u"a", u"ab", u"B", u""};
    const std::function<bool(const PhraseEntry&, const PhraseEntry&)> less[] = {
        nullptr,
        [](const auto& a, const auto& b) { return a.phrase < b.phrase; },
        [](const auto& a, const auto& b) { return CompareLayoutOrder(a.inputKey, b.inputKey, true); },
        [](const auto& a, const auto& b) { return a.inputKey < b.inputKey; },
    };
    for (int size : {2, 31, 33, 64, 257}) {
        PhraseTable original;
        unsigned seed = 12345;
        for (int i = 0; i < size; ++i) {
            seed = seed * 1103515245u + 12345u;
            auto entry = MakePhrase(keys[(seed >> 8) % 7], phrases[(seed >> 16) % 5],
                                    i % 3 == 0 ? EntryDeleted : 0);
            entry.image = i;
            original.push_back(entry);
        }
        for (int column = 1; column <= 3; ++column) {
            for (bool ascending : {true, false}) {
                PhraseTable table = original;
                StableSortPhrases(table, column, ascending);
                ASSERT_EQ(table.size(), original.size());
                std::vector<bool> seen(original.size());
                for (std::size_t i = 0; i < table.size(); ++i) {
                    const auto& entry = table[i];
                    ASSERT_FALSE(seen[entry.image]);
                    seen[entry.image] = true;
                    EXPECT_EQ(entry.flags, original[entry.image].flags);
                    if (i == 0) continue;
                    const auto& prev = table[i - 1];
                    const bool before = ascending ? less[column](entry, prev) : less[column](prev, entry);
                    const bool tie = !less[column](entry, prev) && !less[column](prev, entry);
                    EXPECT_FALSE(before) << "size " << size << " column " << column << " row " << i;
                    if (tie) {
                        EXPECT_LT(prev.image, entry.image) << "size " << size << " column " << column;
                    }
                }
            }
        }
    }
}

TEST(Sort, SelectedAndFocusedRowsFollowTheirEntries) {
    PhraseTable table = ByPhrases({u"e", u"c", u"a", u"d", u"b"});
    table[3].flags = EntryDeleted;
    PlainListSelection list(5);
    list.Select({1, 3});  // "c" and "d"
    list.SetFocused(0);   // "e", not selected
    PhraseSortState state;
    ASSERT_TRUE(SortPhrasesByColumn(table, state, PhraseColumnPhrase, list));
    EXPECT_EQ(PhrasesOf(table), (Strings{u"a", u"b", u"c", u"d", u"e"}));
    EXPECT_EQ(list.SelectedRows(), (std::vector<int>{2, 3}));
    EXPECT_EQ(list.Focused(), 4);
    EXPECT_EQ(list.FocusAnchor(), 4);
    for (const auto& entry : table) EXPECT_EQ(entry.flags, entry.phrase == u"d" ? EntryDeleted : 0u);
}

TEST(Sort, WithoutAFocusAnchorNoRowGetsTheFocus) {
    PhraseTable table = ByPhrases({u"b", u"a", u"c"});
    PlainListSelection list(3, -1);
    list.Select({0});
    PhraseSortState state;
    ASSERT_TRUE(SortPhrasesByColumn(table, state, PhraseColumnPhrase, list));
    EXPECT_EQ(list.SelectedRows(), (std::vector<int>{1}));
    EXPECT_EQ(list.Focused(), -1);
    EXPECT_EQ(list.FocusAnchor(), -1);
    for (const auto& entry : table) EXPECT_EQ(entry.flags, 0u);
}

TEST(Sort, AscendingAndDescendingReuseTheCurrentColumn) {
    PhraseTable table = ByKeys({u"B", u"C", u"A"});
    PhraseSortState state;
    PlainListSelection list(3);
    EXPECT_FALSE(SortPhrasesInDirection(table, state, true, list));
    EXPECT_FALSE(SortPhrasesInDirection(table, state, false, list));
    EXPECT_EQ(KeysOf(table), (Strings{u"B", u"C", u"A"}));
    EXPECT_EQ(state.columnSortState, (std::array<int, 4>{}));
    EXPECT_FALSE(state.sortAscending || state.sortDescending);

    ASSERT_TRUE(SortPhrasesByColumn(table, state, PhraseColumnInputKey, list));
    for (int i = 0; i < 2; ++i) {  // asking twice keeps the direction
        ASSERT_TRUE(SortPhrasesInDirection(table, state, false, list));
        EXPECT_EQ(KeysOf(table), (Strings{u"C", u"B", u"A"}));
        EXPECT_EQ(state.columnSortState, (std::array<int, 4>{0, 0, 0, 2}));
        EXPECT_TRUE(state.sortedByInputKey && state.sortDescending && !state.sortAscending);
    }
    ASSERT_TRUE(SortPhrasesInDirection(table, state, true, list));
    EXPECT_EQ(KeysOf(table), (Strings{u"A", u"B", u"C"}));
    EXPECT_EQ(state.columnSortState[3], 1);
    EXPECT_TRUE(state.sortAscending && !state.sortDescending);
}

}  // namespace
