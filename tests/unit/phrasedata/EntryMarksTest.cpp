// Delete and Undelete marks on the selected rows, and dropping marked entries at save time.
#include "PlainListSelection.h"
#include "TestTables.h"

#include <gtest/gtest.h>

namespace {

const EntryImages kImages{kNormalImage, 9};

TEST(EntryMarks, DeleteMarksOnlyTheSelectedRows) {
    PhraseTable table{MakePhrase(u"A", u"a"), MakePhrase(u"B", u"b"), MakePhrase(u"C", u"c")};
    PlainListSelection list(5);  // the list may still show rows past the table's end
    list.Select({0, 2, 4});
    bool haveDeleted = false;
    EXPECT_TRUE(MarkSelectedDeleted(table, haveDeleted, list, kImages));
    EXPECT_TRUE(haveDeleted);
    EXPECT_EQ(table[0].flags, EntryDeleted);
    EXPECT_EQ(table[0].image, 9);
    EXPECT_EQ(table[1].flags, 0u);
    EXPECT_EQ(table[1].image, kNormalImage);
    EXPECT_EQ(table[2].flags, EntryDeleted);
}

TEST(EntryMarks, DeleteNeedsASelectionAndATable) {
    PhraseTable table{MakePhrase(u"A", u"a")}, empty;
    PlainListSelection none(1), selected(1);
    selected.Select({0});
    bool haveDeleted = false;
    EXPECT_FALSE(MarkSelectedDeleted(table, haveDeleted, none, kImages));
    EXPECT_FALSE(MarkSelectedDeleted(empty, haveDeleted, selected, kImages));
    EXPECT_FALSE(haveDeleted);
    EXPECT_EQ(table[0].flags, 0u);
}

TEST(EntryMarks, UndeleteRestoresEveryMarkedEntryOnlyWhenMarksWereMade) {
    TipTable table{{u"a", u"A", EntryDeleted, 9}, {u"b", u"B", 0, kNormalImage},
                   {u"c", u"C", EntryDeleted, 9}};
    bool haveDeleted = false;
    EXPECT_FALSE(UnmarkAllEntries(table, haveDeleted, kImages));
    EXPECT_EQ(table[0].flags, EntryDeleted);
    haveDeleted = true;
    EXPECT_TRUE(UnmarkAllEntries(table, haveDeleted, kImages));
    EXPECT_FALSE(haveDeleted);
    for (const auto& entry : table) {
        EXPECT_EQ(entry.flags, 0u);
        EXPECT_EQ(entry.image, kNormalImage);
    }
}

TEST(EntryMarks, DroppingMarkedEntriesKeepsTheOrderOfTheRest) {
    PhraseTable table{MakePhrase(u"A", u"1", EntryDeleted), MakePhrase(u"B", u"2"),
                      MakePhrase(u"C", u"3", EntryDeleted), MakePhrase(u"D", u"4"),
                      MakePhrase(u"E", u"5")};
    EXPECT_EQ(DropDeletedEntries(table), 2u);
    EXPECT_EQ(PhrasesOf(table), (Strings{u"2", u"4", u"5"}));
    EXPECT_EQ(DropDeletedEntries(table), 0u);
}

}  // namespace
