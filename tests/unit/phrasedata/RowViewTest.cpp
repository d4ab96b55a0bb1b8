#include "RowView.h"

#include "PlainListSelection.h"
#include "TestTables.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::size_t> ShownRows(const RowView& view, std::size_t tableSize) {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < view.Size(tableSize); ++row) rows.push_back(view.TableRow(row));
    return rows;
}

// A slow model of the filter: lower both sides' ASCII letters, then search the plain way.
std::u16string Lowered(std::u16string text) {
    for (char16_t& unit : text) unit = FoldAsciiCase(unit);
    return text;
}

bool ModelHolds(const PhraseEntry& entry, const std::u16string& text) {
    const std::u16string lowered = Lowered(text);
    for (const std::u16string* field : {&entry.phrase, &entry.inputKey, &entry.vantixKey}) {
        if (Lowered(*field).find(lowered) != std::u16string::npos) return true;
    }
    return false;
}

PhraseTable SamplePhrases() {
    PhraseTable table;
    Parse(table, u"AB\tHello\r\nCD\t\u8b1d\u8b1d\r\nABC\tabacus\r\nQQ\tWorld Hello\r\nZZ\tzebra\r\n"
                 u"CDE\t\u4eba\u4eba\r\nB\tbABy\r\n");
    table[2].flags |= EntryDeleted;  // a marked row is filtered like any other
    return table;
}

}  // namespace

// Every typed text, from one letter to the whole word and back, keeps exactly the rows the model
// keeps, in table order, whether the view narrows what it showed or starts again.
TEST(RowView, KeepsTheRowsWhosePhraseOrKeysHoldTheTextAsciiCaseIgnored) {
    const PhraseTable table = SamplePhrases();
    const std::vector<std::u16string> typed{u"h",  u"he",  u"hEl", u"HELLO", u"hell", u"a", u"ab",
                                            u"abc", u"b",  u"\u8b1d", u"cd", u"zz",  u"x",  u"",
                                            table[5].vantixKey.substr(1)};
    RowView view;
    for (const std::u16string& text : typed) {
        view.Filter(table, text);
        std::vector<std::size_t> expected;
        for (std::size_t row = 0; row < table.size(); ++row) {
            if (text.empty() || ModelHolds(table[row], text)) expected.push_back(row);
        }
        EXPECT_EQ(ShownRows(view, table.size()), expected) << testing::PrintToString(text);
        EXPECT_EQ(view.Filtered(), !text.empty());
        RowView fresh;
        fresh.Filter(table, text);
        EXPECT_EQ(ShownRows(fresh, table.size()), expected);
    }
    view.Filter(table, u"ab");  // AB, ABC (marked, key and phrase), B's "bABy"
    EXPECT_EQ(ShownRows(view, table.size()), (std::vector<std::size_t>{0, 2, 6}));
    EXPECT_EQ(view.ListRowOf(2), 1);
    EXPECT_EQ(view.ListRowOf(1), -1);
}

TEST(RowView, AssociatedWordsAreKeptByTheirCharacterOrAnyWord) {
    TipTable table;
    Parse(table, u"a=apple,Avocado\r\nA=ant\r\n\u4eba=\u4eba\u751f,\u4eba\u6c11\r\nb=cab,bed\r\n");
    RowView view;
    view.Filter(table, u"A");
    EXPECT_EQ(ShownRows(view, table.size()), (std::vector<std::size_t>{0, 1, 3}));
    view.Filter(table, u"\u6c11");
    EXPECT_EQ(ShownRows(view, table.size()), (std::vector<std::size_t>{2}));
    // A comma joins words in the stored form: no word holds one.
    view.Filter(table, u"b,b");
    EXPECT_EQ(view.Size(table.size()), 0u);
    view.Filter(table, u"");
    EXPECT_EQ(view.Size(table.size()), table.size());
}

// The commands of a filtered list reach only the rows it shows, in list rows; the sort orders
// the whole table and the view follows with the selection.
TEST(RowView, DeleteUndeleteFindAndSortActOnTheShownRowsOnly) {
    PhraseTable table = SamplePhrases();
    const EntryImages images{kNormalImage, 9};
    RowView view;
    view.Filter(table, u"hello");  // rows 0 and 3
    bool haveDeleted = true;       // row 2 is marked already

    PlainListSelection list(static_cast<int>(view.Size(table.size())));
    list.Select({0, 1});
    ASSERT_TRUE(MarkSelectedDeleted(table, haveDeleted, list, images, view));
    EXPECT_TRUE(table[0].flags & EntryDeleted);
    EXPECT_TRUE(table[3].flags & EntryDeleted);
    EXPECT_FALSE(table[1].flags & EntryDeleted);

    ASSERT_TRUE(UnmarkShownEntries(table, haveDeleted, images, view));
    EXPECT_FALSE(table[0].flags & EntryDeleted);
    EXPECT_FALSE(table[3].flags & EntryDeleted);
    EXPECT_TRUE(table[2].flags & EntryDeleted);  // hidden, so still marked
    EXPECT_TRUE(haveDeleted);

    // Mark All goes over the shown rows and selects list rows; "b" is only in hidden phrases.
    PlainListSelection found(static_cast<int>(view.Size(table.size())));
    ASSERT_TRUE(FindPhrase(table, view, u"O", false, false, true, found));
    EXPECT_EQ(found.SelectedRows(), (std::vector<int>{0, 1}));
    PlainListSelection none(static_cast<int>(view.Size(table.size())));
    EXPECT_FALSE(FindPhrase(table, view, u"b", false, false, true, none));
    EXPECT_TRUE(FindPhrase(table, u"b", false, false, true, none));

    // Sorting by phrase puts 人人 before 謝謝; the selected shown row rides along.
    view.Filter(table, u"cd");  // CD 謝謝, then CDE 人人
    PhraseSortState state;
    PlainListSelection selection(2, 0);
    selection.Select({0});  // 謝謝
    ASSERT_TRUE(SortPhrasesByColumn(table, state, PhraseColumnPhrase, selection, view));
    ASSERT_EQ(view.Size(table.size()), 2u);
    EXPECT_EQ(table[view.TableRow(0)].phrase, u"\u4eba\u4eba");
    EXPECT_EQ(table[view.TableRow(1)].phrase, u"\u8b1d\u8b1d");
    EXPECT_EQ(selection.SelectedRows(), (std::vector<int>{1}));
    EXPECT_EQ(table.size(), SamplePhrases().size());
    for (const PhraseEntry& entry : table) EXPECT_EQ(entry.flags & ~EntryDeleted, 0u);
}
