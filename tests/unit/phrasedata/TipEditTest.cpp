// The associated-word editor's decisions: words in and out of the list, the character and word
// boxes' verdicts, the list buttons and where a dragged word lands.
#include "TipEdit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// Every word the box takes comes back from the stored text as that word; the others are refused.
TEST(TipEdit, WordBoxTakesOnlyWordsTheStoredTextGivesBack) {
    using Words = std::vector<std::u16string>;
    const std::pair<std::u16string, WordBoxVerdict> cases[] = {
        {u"", WordBoxVerdict::Accepted},
        {u"12345678", WordBoxVerdict::Accepted},
        {u"\uff1d\uff0c", WordBoxVerdict::Accepted},  // the full-width signs are no separators
        {u"123456789", WordBoxVerdict::TooLong},
        {u"a=b", WordBoxVerdict::Separator},
        {u"p,q", WordBoxVerdict::Separator},
        {u",,", WordBoxVerdict::Separator},
        {u"=", WordBoxVerdict::Separator},
    };
    for (const auto& [word, verdict] : cases) {
        EXPECT_EQ(CheckWordBox(word), verdict) << testing::PrintToString(word);
        if (verdict != WordBoxVerdict::Accepted || word.empty()) continue;
        const std::u16string text = FormatTipsText(TipTable{TipEntry{JoinTipWords({word, u"x"}), u"a", 0, 0}}, false);
        TipTable read;
        EXPECT_EQ(ParseTipsText(read, text.data(), text.size(), 0), 0u);
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(SplitTipWords(read[0].words), (Words{word, u"x"}));
    }
}
