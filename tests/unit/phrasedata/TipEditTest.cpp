// The associated-word editor's decisions: words in and out of the list, the character box's
// verdicts, the list buttons and where a dragged word lands.
#include "TipEdit.h"

#include <gtest/gtest.h>

TEST(TipEdit, WordsSplitWithoutEmptyPiecesAndJoinInListOrder) {
    using Words = std::vector<std::u16string>;
    EXPECT_EQ(SplitTipWords(u",a,,bc,"), (Words{u"a", u"bc"}));
    EXPECT_EQ(SplitTipWords(u",,"), Words{});
    EXPECT_EQ(JoinTipWords(Words{u"a", u"bc"}), u"a,bc");
    EXPECT_EQ(JoinTipWords(Words{}), u"");
    EXPECT_TRUE(ListHasWord(Words{u"ABC"}, u"abc"));
    const TipTable table{TipEntry{u"", u"a", EntryDeleted, 0}};
    EXPECT_TRUE(TableHasCharacter(table, u"A"));
    EXPECT_FALSE(TableHasCharacter(table, u"b"));
}

TEST(TipEdit, CharacterBoxVerdictsButtonsAndDropIndex) {
    EXPECT_EQ(CheckCharacterBox(u""), CharacterBoxVerdict::Empty);
    EXPECT_EQ(CheckCharacterBox(u"\xD840"), CharacterBoxVerdict::Incomplete);
    EXPECT_EQ(CheckCharacterBox(u"\xDC00"), CharacterBoxVerdict::Incomplete);
    EXPECT_EQ(CheckCharacterBox(u"\u4eba"), CharacterBoxVerdict::Accepted);
    EXPECT_EQ(CheckCharacterBox(u"\xD840\xDC00"), CharacterBoxVerdict::Supplementary);
    EXPECT_EQ(CheckCharacterBox(u"\xD840" u"a"), CharacterBoxVerdict::TooLong);
    EXPECT_EQ(CheckCharacterBox(u"ab"), CharacterBoxVerdict::TooLong);
    EXPECT_FALSE(CanConfirmTip(u"a", 0));
    EXPECT_TRUE(CanConfirmTip(u"a", 1));
    EXPECT_FALSE(WordListButtonsFor(3, -1).has_value());
    EXPECT_EQ(WordListButtonsFor(1, 0), (WordListButtons{false, false, false}));
    EXPECT_EQ(WordListButtonsFor(3, 0), (WordListButtons{false, true, true}));
    EXPECT_EQ(WordListButtonsFor(3, 2), (WordListButtons{true, false, true}));
    EXPECT_EQ(DropInsertIndex(0, 2), 1);
    EXPECT_EQ(DropInsertIndex(2, 0), 0);
}
