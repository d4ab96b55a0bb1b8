// The phrase edit dialog's decisions (the input key field keystroke by keystroke, the stored
// phrase, the duplicate test) and what Insert and Modify do to the table and the sort state.
#include "PhraseEdit.h"
#include "PlainListSelection.h"
#include "TestTables.h"

#include <gtest/gtest.h>

namespace {

EditedPhrase Edited(std::u16string phrase, std::u16string key) {
    return EditedPhrase{std::move(phrase), ToVantixInputKey(key), key};
}

// The field's text after a change, as the dialog shows it: a refusal puts inputKey back.
std::u16string Type(InputKeyField& field, std::u16string_view text) {
    if (TakeInputKeyText(field, text) == KeyFieldVerdict::Refused) TakeInputKeyText(field, field.inputKey);
    return field.inputKey;
}

}  // namespace

TEST(PhraseEdit, KeyFieldPutsBackTheLastAcceptedKeyButNeverAnOpeningKeyItCannotTake) {
    InputKeyField field = OpenInputKeyField(u"");
    EXPECT_EQ(Type(field, u"YOEY"), u"YOEY");
    EXPECT_EQ(field.vantixKey, u"6^9^3^6^");
    for (const char16_t* refused : {u"YOEYA", u"YOE1", u"YO'", u"yo"}) EXPECT_EQ(Type(field, refused), u"YOEY");
    EXPECT_EQ(field.vantixKey, u"6^9^3^6^");
    EXPECT_EQ(TakeInputKeyText(field, u""), KeyFieldVerdict::Cleared);
    EXPECT_TRUE(field.vantixKey.empty());
    EXPECT_EQ(Type(field, u"1"), u"");  // nothing accepted to put back

    // Five keys from stored text: refused once and emptied, not put back again and again.
    field = OpenInputKeyField(u"ABCDE");
    EXPECT_EQ(TakeInputKeyText(field, u"ABCDE"), KeyFieldVerdict::Refused);
    EXPECT_EQ(TakeInputKeyText(field, field.inputKey), KeyFieldVerdict::Cleared);
    EXPECT_EQ(Type(field, u"Q;"), u"Q;");
    EXPECT_EQ(Type(field, u"Q;1"), u"Q;");
    EXPECT_EQ(OpenInputKeyField(u"YOEY").vantixKey, u"6^9^3^6^");
}

TEST(PhraseEdit, StoredPhraseLosesBreaksAndDuplicatesIgnoreAsciiCaseIncludingMarkedEntries) {
    EXPECT_EQ(PhraseWithoutBreaks(u"a\r\nb\tc\n"), u"abc");
    const PhraseTable table{MakePhrase(u"A", u"ABC", EntryDeleted), MakePhrase(u"B", u"Straße")};
    EXPECT_TRUE(TableHasPhrase(table, u"abc"));
    EXPECT_TRUE(TableHasPhrase(table, u"STRAßE"));
    EXPECT_FALSE(TableHasPhrase(table, u"STRASSE"));
    EXPECT_FALSE(TableHasPhrase(table, u"ab"));
}

TEST(PhraseEdit, InsertForgetsTheSortOrderAndModifyOnlyTheSortFlagsOfChangedColumns) {
    UserPhrases phrases;
    phrases.table = {MakePhrase(u"B", u"beta"), MakePhrase(u"A", u"alpha", EntryDeleted)};
    phrases.phrasesUnchanged = true;
    PhraseSortState sort;
    PlainListSelection list(2);
    ASSERT_TRUE(SortPhrasesByColumn(phrases.table, sort, PhraseColumnInputKey, list));

    // Nothing differs: the table still counts as changed, the order as sorted.
    EXPECT_EQ(ReplaceEditedPhrase(phrases, sort, 0, Edited(u"alpha", u"A")), 0u);
    EXPECT_FALSE(phrases.phrasesUnchanged);
    EXPECT_EQ(ReplaceEditedPhrase(phrases, sort, 0, Edited(u"Alpha", u"A")), ColumnBit(PhraseColumnPhrase));
    EXPECT_TRUE(sort.sortedByInputKey && sort.sortAscending);
    EXPECT_EQ(sort.columnSortState[PhraseColumnInputKey], 1);
    // A new key changes both key columns; nothing is sorted then and the direction goes too.
    EXPECT_EQ(ReplaceEditedPhrase(phrases, sort, 0, Edited(u"Alpha", u"Z")),
              ColumnBit(PhraseColumnVantixKey) | ColumnBit(PhraseColumnInputKey));
    EXPECT_EQ(phrases.table[0].vantixKey, u"1v");
    EXPECT_EQ(sort.CurrentColumn(), 0);
    EXPECT_FALSE(sort.sortAscending || sort.sortDescending);
    // The column lost its arrow, so its next click sorts ascending again, not descending.
    EXPECT_EQ(sort.columnSortState, (std::array<int, 4>{}));
    EXPECT_EQ(phrases.table[0].flags, EntryDeleted);
    EXPECT_EQ(ReplaceEditedPhrase(phrases, sort, 2, Edited(u"x", u"X")), 0u);  // past the end

    ASSERT_TRUE(SortPhrasesByColumn(phrases.table, sort, PhraseColumnPhrase, list));
    AppendEditedPhrase(phrases, sort, Edited(u"gamma", u"YOEY"), kNormalImage);
    ASSERT_EQ(phrases.table.size(), 3u);
    EXPECT_EQ(phrases.table[2].vantixKey, u"6^9^3^6^");
    EXPECT_EQ(phrases.table[2].flags, 0u);
    EXPECT_EQ(phrases.table[2].image, kNormalImage);
    EXPECT_EQ(sort.columnSortState, (std::array<int, 4>{}));
    EXPECT_EQ(sort.CurrentColumn(), 0);
    EXPECT_FALSE(sort.sortAscending || sort.sortDescending);
}
