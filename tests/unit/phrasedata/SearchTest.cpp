// Find Next and Mark All over the phrase list, and Find Next over the associated-word list.
#include "Ordering.h"
#include "PlainListSelection.h"
#include "TestTables.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<int>;

class FindPhraseTest : public testing::Test {
protected:
    PhraseTable table{MakePhrase(u"A", u"xABy"), MakePhrase(u"YOEY", u"cd"), MakePhrase(u"B", u"ab"),
                      MakePhrase(u"C", u"AB"), MakePhrase(u"D", u"zz")};
    PlainListSelection list{5};

    bool Next(std::u16string_view text, bool whole = false, bool up = false) {
        return FindPhrase(table, text, whole, up, false, list);
    }
    bool MarkAll(std::u16string_view text, bool up = false) {
        return FindPhrase(table, text, false, up, true, list);
    }
};

TEST_F(FindPhraseTest, FindNextWalksThroughTheMatchesOneByOne) {
    for (int expected : {0, 2, 3}) {
        ASSERT_TRUE(Next(u"ab"));
        EXPECT_EQ(list.SelectedRows(), Rows{expected});
        EXPECT_EQ(list.Focused(), expected);
        EXPECT_EQ(list.FocusAnchor(), expected);
    }
    EXPECT_EQ(list.MadeVisible(), (Rows{0, 2, 3}));
    EXPECT_FALSE(Next(u"ab"));  // no further match: the anchor row ends up deselected
    EXPECT_EQ(list.SelectedRows(), Rows{});
    EXPECT_EQ(list.FocusAnchor(), 3);
}

TEST_F(FindPhraseTest, MatchWholeComparesTheWholeFoldedPhrase) {
    for (int expected : {2, 3}) {
        ASSERT_TRUE(Next(u"aB", true));
        EXPECT_EQ(list.SelectedRows(), Rows{expected});
    }
    EXPECT_FALSE(Next(u"aB", true));
    list.SetAnchor(0);
    EXPECT_TRUE(Next(u"XABY", true));
    EXPECT_EQ(list.Focused(), 0);
}

TEST_F(FindPhraseTest, SearchUpWalksTowardsTheFirstRow) {
    list.SetFocused(4);
    for (int expected : {3, 2, 0}) {
        ASSERT_TRUE(Next(u"AB", false, true));
        EXPECT_EQ(list.SelectedRows(), Rows{expected});
        EXPECT_EQ(list.Focused(), expected);
    }
    EXPECT_FALSE(Next(u"AB", false, true));
    EXPECT_EQ(list.SelectedRows(), Rows{});
}

TEST_F(FindPhraseTest, MarkAllSelectsEveryMatchAheadAndSecondRunFindsNothing) {
    list.Select({1, 4});
    ASSERT_TRUE(MarkAll(u"ab"));
    EXPECT_EQ(list.SelectedRows(), (Rows{0, 2, 3}));  // non-matching rows passed are deselected
    EXPECT_EQ(list.Focused(), 3);
    EXPECT_EQ(list.MadeVisible(), (Rows{0, 2, 3}));
    EXPECT_FALSE(MarkAll(u"ab"));
    EXPECT_EQ(list.SelectedRows(), (Rows{0, 2}));
}

TEST_F(FindPhraseTest, MarkAllUpwardsStopsAtTheFirstRow) {
    list.SetFocused(3);
    list.Select({4});
    ASSERT_TRUE(MarkAll(u"AB", true));
    EXPECT_EQ(list.SelectedRows(), (Rows{0, 2, 3, 4}));  // row 4 lies behind the anchor
    EXPECT_EQ(list.Focused(), 0);
}

TEST_F(FindPhraseTest, RowsBehindTheAnchorKeepTheirSelection) {
    list.Select({0, 1, 2, 3});
    list.SetFocused(2);
    ASSERT_TRUE(Next(u"zz"));
    EXPECT_EQ(list.SelectedRows(), (Rows{0, 1, 4}));
}

TEST_F(FindPhraseTest, AnchorOutsideTheTableIsClamped) {
    list.SetAnchor(-1);
    ASSERT_TRUE(Next(u"xaby", true));
    EXPECT_EQ(list.Focused(), 0);

    PlainListSelection longer(8, 7);  // rows past the table's end after a refused save
    longer.Select({6});
    ASSERT_TRUE(FindPhrase(table, u"zz", false, false, false, longer));
    EXPECT_EQ(longer.Focused(), 4);
    longer.SetAnchor(7);
    ASSERT_TRUE(FindPhrase(table, u"ab", false, true, false, longer));
    EXPECT_EQ(longer.Focused(), 3);
    EXPECT_TRUE(longer.IsSelected(6));
}

TEST_F(FindPhraseTest, OnlyAsciiLettersFoldAndOnlyThePhraseIsSearched) {
    table = {MakePhrase(u"YOEY", u"\u00c9t\u00e9"), MakePhrase(u"A", u"{x}"),
             MakePhrase(u"B", u"\uff21")};
    for (std::u16string text : {u"\u00e9T\u00c9", u"[X]", u"\uff41", u"yoey", u"xABy!"}) {
        EXPECT_FALSE(Next(text)) << testing::PrintToString(text);
    }
    EXPECT_TRUE(Next(u"{X}"));
    EXPECT_EQ(list.Focused(), 1);
}

TEST(FindInEmptyTables, FindNothing) {
    PlainListSelection list(0);
    EXPECT_FALSE(FindPhrase(PhraseTable{}, u"a", false, false, true, list));
    EXPECT_FALSE(FindTip(TipTable{}, u"a", false, list));
    EXPECT_EQ(list.Focused(), -1);
}

class FindTipTest : public testing::Test {
protected:
    TipTable table{{u"1", u"A", 0, 0}, {u"2", u"\u4eba", 0, 0}, {u"3", u"b", 0, 0},
                   {u"4", u"=", 0, 0}, {u"5", u"\u00e9", 0, 0}};
    PlainListSelection list{5};
};

TEST_F(FindTipTest, MatchesTheWholeCharacterWithAsciiLettersInEitherCase) {
    ASSERT_TRUE(FindTip(table, u"B", false, list));
    EXPECT_EQ(list.SelectedRows(), Rows{2});
    EXPECT_EQ(list.Focused(), 2);
    EXPECT_EQ(list.MadeVisible(), Rows{2});
    ASSERT_TRUE(FindTip(table, u"a", true, list));
    EXPECT_EQ(list.SelectedRows(), Rows{0});
    list.SetAnchor(0);
    for (std::u16string text : {u"\u4eba\u5011", u"A=", u"\u00c9", u"1"}) {
        EXPECT_FALSE(FindTip(table, text, false, list)) << testing::PrintToString(text);
    }
    list.SetAnchor(-1);
    ASSERT_TRUE(FindTip(table, u"\u4eba", false, list));
    EXPECT_EQ(list.Focused(), 1);
}

TEST_F(FindTipTest, StaysOnASelectedMatch) {
    list.Select({2});
    list.SetAnchor(2);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(FindTip(table, u"b", false, list));
        EXPECT_EQ(list.SelectedRows(), Rows{2});
    }
    EXPECT_EQ(list.MadeVisible(), Rows{});
}

TEST_F(FindTipTest, DeselectsWhatItPassesAndDoesNotWrap) {
    list.Select({0, 1, 2, 3, 4});
    list.SetFocused(1);
    ASSERT_TRUE(FindTip(table, u"=", false, list));
    EXPECT_EQ(list.SelectedRows(), (Rows{0, 3, 4}));
    EXPECT_EQ(list.Focused(), 3);
    EXPECT_FALSE(FindTip(table, u"a", false, list));
    EXPECT_EQ(list.SelectedRows(), Rows{0});
    EXPECT_EQ(list.Focused(), 3);
}

}  // namespace
