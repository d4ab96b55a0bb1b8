// The tips text, an import replacing the table, and the editor's add and modify.
#include "TestTables.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(TipsText, ReadsCharacterAndWordsAsTheyStand) {
    TipTable table;
    EXPECT_EQ(Parse(table, u"\u4eba=\u4eba\u6c11,\u4eba\u5011\r\nA= x,,y \r\n"), 0u);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].character, u"\u4eba");
    EXPECT_EQ(table[0].words, u"\u4eba\u6c11,\u4eba\u5011");
    EXPECT_EQ(table[0].flags, 0u);
    EXPECT_EQ(table[0].image, kNormalImage);
    EXPECT_EQ(table[1].words, u" x,,y ");  // neither split, trimmed nor checked
}

TEST(TipsText, ExactlyOneUnitMustStandBeforeTheLastEqualsSign) {
    TipTable table;
    const std::u16string text =
        u"A=x\r\n"
        u"\r\n"              // empty line
        u"AB=x\r\n"          // two units
        u"x\r\n"             // no "="
        u"A=a=b\r\n"         // character part "A=a"
        u"==x\r\n"           // "=" is the character
        u"Z=\r\n"            // empty words
        u"\U00020000=x\r\n"  // a surrogate pair is two units
        u"=y\r\n"            // nothing before "="
        u"A=dup\r\n";        // duplicate characters are kept
    EXPECT_EQ(Parse(table, text), 6u);
    EXPECT_EQ(LinesOf(table), (Strings{u"A=x", u"==x", u"Z=", u"A=dup"}));
}

TEST(TipsText, LinesMustEndInCarriageReturn) {
    TipTable table;
    EXPECT_EQ(Parse(table, u""), 0u);
    EXPECT_EQ(Parse(table, u"A=x"), 0u);
    EXPECT_EQ(Parse(table, u"A=x\nB=y\n"), 0u);
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(Parse(table, u"A=x\r\n\r\nB=y\r\nC=z"), 1u);
    EXPECT_EQ(Parse(table, u"D=w\r"), 0u);  // ending in CR alone: read
    EXPECT_EQ(Parse(table, u"E=v\r\n\r"), 1u);  // a final lone CR ends one more, empty, line
    EXPECT_EQ(LinesOf(table), (Strings{u"A=x", u"B=y", u"D=w", u"E=v"}));
}

TEST(TipsText, UnitAfterEachCarriageReturnIsSkipped) {
    TipTable table;
    EXPECT_EQ(Parse(table, u"A=x\rB=y\r\nC=z\r\n"), 1u);  // "=y" is left of line 2
    EXPECT_EQ(Parse(table, u"D=x\r_E=y\r\n"), 0u);
    EXPECT_EQ(LinesOf(table), (Strings{u"A=x", u"C=z", u"D=x", u"E=y"}));
}

TEST(TipsText, ByteOrderMarkSpoilsOnlyTheFirstLine) {
    TipTable table;
    EXPECT_EQ(Parse(table, u"\uFEFF\u4eba=a\r\n\u4eba=b\r\n"), 1u);
    EXPECT_EQ(LinesOf(table), (Strings{u"\u4eba=b"}));
}

TEST(TipsText, ReadsNoUnitPastTheGivenCountAndKeepsNulUnits) {
    TipTable table;
    const std::u16string text = u"A=x\0y\r\nB=z\r\n"s;
    EXPECT_EQ(ParseTipsText(table, text.data(), 10, kNormalImage), 0u);
    EXPECT_EQ(LinesOf(table), (Strings{u"A=x\0y"s}));
    EXPECT_EQ(ParseTipsText(table, nullptr, 0, kNormalImage), 0u);
}

TEST(TipsText, FormatsAllEntriesOrOnlyTheUnmarkedOnes) {
    TipTable table{{u"a,b", u"A", 0, 0}, {u"x", u"B", EntryDeleted, 1}, {u"", u"=", 0, 0}};
    EXPECT_EQ(FormatTipsText(table, false), u"A=a,b\r\nB=x\r\n==\r\n");
    EXPECT_EQ(FormatTipsText(table, true), u"A=a,b\r\n==\r\n");
    EXPECT_EQ(FormatTipsText(TipTable{}, false), u"");

    TipTable back;  // what an export followed by an import gives
    EXPECT_EQ(Parse(back, FormatTipsText(table, true)), 0u);
    EXPECT_EQ(LinesOf(back), (Strings{u"A=a,b", u"=="}));
}

TEST(TipsText, ImportReplacesTheTableOnlyWithAReadableFileThatFits) {
    UserTips tips;
    tips.table = {{u"old", u"O", EntryDeleted, 1}};
    tips.tipsUnchanged = true;
    tips.tipsHaveDeleted = true;
    const auto import = [&tips](std::u16string_view text) {
        return ReplaceTipsFromText(tips, text.data(), text.size(), kNormalImage);
    };
    const ImportResult nothing = import(u"bad\r\nAB=x\r\n");
    EXPECT_EQ(nothing.outcome, ImportOutcome::NothingRead);
    EXPECT_EQ(nothing.invalidLines, 2u);
    EXPECT_EQ(LinesOf(tips.table), (Strings{u"O=old"}));
    EXPECT_TRUE(tips.tipsUnchanged && tips.tipsHaveDeleted);

    // A 4 MiB stored form, then one unit more.
    std::u16string text;
    for (int line = 0; line < 8192; ++line) text += u"A=" + std::u16string(252, u'x') + u"\r\n";
    const std::u16string oneOver = u"A=x" + text.substr(2);  // one unit more in the first words
    EXPECT_EQ(import(oneOver).outcome, ImportOutcome::TableTooLarge);
    EXPECT_EQ(LinesOf(tips.table), (Strings{u"O=old"}));
    const ImportResult atLimit = import(text + u"bad\r\n");
    EXPECT_EQ(atLimit.outcome, ImportOutcome::Imported);
    EXPECT_EQ(atLimit.entries, 8192u);
    EXPECT_EQ(atLimit.invalidLines, 1u);
    EXPECT_EQ(StoredFormBytes(tips.table), MaxImportFileSize);
    EXPECT_FALSE(tips.tipsUnchanged);
    EXPECT_FALSE(tips.tipsHaveDeleted);
    EXPECT_FALSE(AddTip(tips, u"Z", u"z", kNormalImage));  // the editor's Add, at the limit
    EXPECT_EQ(tips.table.size(), 8192u);
}

TEST(TipsText, AddAppendsAFreshEntry) {
    UserTips tips;
    tips.table = {{u"a", u"A", EntryDeleted, 1}};
    tips.tipsUnchanged = true;
    tips.tipsHaveDeleted = true;
    EXPECT_TRUE(AddTip(tips, u"\u4eba", u"\u4eba\u6c11", kNormalImage));
    EXPECT_EQ(LinesOf(tips.table), (Strings{u"A=a", u"\u4eba=\u4eba\u6c11"}));
    EXPECT_EQ(tips.table[1].flags, 0u);
    EXPECT_EQ(tips.table[1].image, kNormalImage);
    EXPECT_FALSE(tips.tipsUnchanged);
    EXPECT_TRUE(tips.tipsHaveDeleted);  // marks elsewhere are not forgotten
}

TEST(TipsText, ModifyChangesWordsOnlyWhenTheyDifferUnitForUnit) {
    UserTips tips;
    tips.table = {{u"abc", u"A", 0, kNormalImage}};
    tips.tipsUnchanged = true;
    EXPECT_FALSE(ModifyTipWords(tips, 0, u"abc"));
    EXPECT_TRUE(tips.tipsUnchanged);
    EXPECT_FALSE(ModifyTipWords(tips, 1, u"xyz"));  // past the end
    EXPECT_TRUE(tips.tipsUnchanged);
    EXPECT_TRUE(ModifyTipWords(tips, 0, u"ABC"));  // a change of case is a change
    EXPECT_FALSE(tips.tipsUnchanged);
    EXPECT_EQ(LinesOf(tips.table), (Strings{u"A=ABC"}));
}

}  // namespace
