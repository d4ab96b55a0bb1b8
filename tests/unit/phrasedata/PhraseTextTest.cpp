// The phrase text form: reading it line by line, writing it, and an import replacing the table.
#include "PhraseEdit.h"
#include "TestTables.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(PhraseText, ReadsEveryFieldOfAWellFormedLineAfterWhatTheTableHolds) {
    PhraseTable table{MakePhrase(u"Q", u"old")};
    EXPECT_EQ(Parse(table, u"YOEY\tP\r\nyoey\t\u4eba\u6c11\r\n"), 0u);
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].phrase, u"old");
    EXPECT_EQ(table[1].inputKey, u"YOEY");
    EXPECT_EQ(table[1].vantixKey, u"6^9^3^6^");
    EXPECT_EQ(table[1].phrase, u"P");
    EXPECT_EQ(table[1].flags, 0u);
    EXPECT_EQ(table[1].image, kNormalImage);
    EXPECT_EQ(table[2].inputKey, u"YOEY");  // lower-case keys are upper-cased
    EXPECT_EQ(table[2].vantixKey, u"6^9^3^6^");
    EXPECT_EQ(table[2].phrase, u"\u4eba\u6c11");
}

TEST(PhraseText, CountsUnusableLinesAndKeepsTheOthersInOrder) {
    PhraseTable table;
    const std::u16string text =
        u"A\tB\tC\r\n"   // key A<TAB>B
        u"\r\n"          // empty line
        u"YOEY\r\n"      // no TAB
        u"\tnokey\r\n"   // empty key
        u"Q\tone\r\n"
        u"AB1\tx\r\n"    // digit
        u"A'\tx\r\n"     // apostrophe
        u"QAZWSX\ttwo\r\n"
        u"Q\tone\r\n";   // duplicates are kept
    EXPECT_EQ(Parse(table, text), 6u);
    EXPECT_EQ(KeysOf(table), (Strings{u"Q", u"QAZWSX", u"Q"}));
    EXPECT_EQ(table[1].vantixKey, u"1^1-1v2^2-2v");
}

TEST(PhraseText, PhraseIsNotCheckedForLengthEmptinessOrControlUnits) {
    PhraseTable table;
    const std::u16string longPhrase(300, u'\u5b57');
    const std::u16string text = u"Q\t" + longPhrase + u"\r\nA\t\r\nZ\ta\nb\0c\r\n"s;
    EXPECT_EQ(Parse(table, text), 0u);
    EXPECT_EQ(PhrasesOf(table), (Strings{longPhrase, u"", std::u16string(u"a\nb\0c", 5)}));
}

TEST(PhraseText, LinesMustEndInCarriageReturn) {
    PhraseTable table;
    EXPECT_EQ(Parse(table, u"A\tx\nB\ty\n"), 0u);  // LF only: nothing read, nothing counted
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(Parse(table, u"A\tx\r\nB\ty"), 0u);  // last line without CR is ignored
    EXPECT_EQ(Parse(table, u"\r\nC\tz\r"), 1u);    // last line ending in CR alone is read
    EXPECT_EQ(PhrasesOf(table), (Strings{u"x", u"z"}));
    EXPECT_EQ(Parse(table, u"no line end at all"), 0u);
    EXPECT_EQ(Parse(table, u""), 0u);
    EXPECT_EQ(table.size(), 2u);
}

TEST(PhraseText, UnitAfterEachCarriageReturnIsSkipped) {
    PhraseTable table;
    // CR without LF: the next line loses its first unit.
    EXPECT_EQ(Parse(table, u"A\tx\rQW\ty\r\nC\tz\r\n"), 0u);
    EXPECT_EQ(KeysOf(table), (Strings{u"A", u"W", u"C"}));
    table.clear();
    EXPECT_EQ(Parse(table, u"A\tx\rB\ty\r\n"), 1u);  // what is left of the line has no key
    EXPECT_EQ(KeysOf(table), (Strings{u"A"}));
    table.clear();
    EXPECT_EQ(Parse(table, u"A\tx\r\n\r"), 1u);  // a final lone CR ends one more, empty, line
    EXPECT_EQ(table.size(), 1u);
}

TEST(PhraseText, ByteOrderMarkSpoilsOnlyTheFirstLine) {
    PhraseTable table;
    EXPECT_EQ(Parse(table, u"\uFEFFA\tx\r\nB\ty\r\n"), 1u);
    EXPECT_EQ(KeysOf(table), (Strings{u"B"}));
}

TEST(PhraseText, ReadsNoUnitPastTheGivenCount) {
    PhraseTable table;
    const std::u16string_view text = u"A\tx\r\nB\ty\r\n";
    EXPECT_EQ(ParsePhraseText(table, text.data(), 8, kNormalImage), 0u);  // stops inside line 2
    EXPECT_EQ(KeysOf(table), (Strings{u"A"}));
    EXPECT_EQ(ParsePhraseText(table, nullptr, 0, kNormalImage), 0u);
}

TEST(PhraseText, FormatsAllEntriesOrOnlyTheUnmarkedOnes) {
    PhraseTable table{MakePhrase(u"YOEY", u"P"), MakePhrase(u"QAZWSX", u"gone", EntryDeleted),
                      MakePhrase(u"Q", u"")};
    EXPECT_EQ(FormatPhraseText(table, false), u"YOEY\tP\r\nQAZWSX\tgone\r\nQ\t\r\n");
    EXPECT_EQ(FormatPhraseText(table, true), u"YOEY\tP\r\nQ\t\r\n");
    EXPECT_EQ(FormatPhraseText(PhraseTable{}, false), u"");
    EXPECT_EQ(FormatPhraseText(PhraseTable{MakePhrase(u"A", u"x", EntryDeleted)}, true), u"");

    table.push_back(MakePhrase(u",./;", u"a\nz"));  // formatting then parsing gives it all back
    PhraseTable back;
    EXPECT_EQ(Parse(back, FormatPhraseText(table, false)), 0u);
    ASSERT_EQ(back.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(back[i].inputKey, table[i].inputKey);
        EXPECT_EQ(back[i].vantixKey, table[i].vantixKey);
        EXPECT_EQ(back[i].phrase, table[i].phrase);
    }
}

// A file replaces the table only when it brings something and its export would import again.
TEST(PhraseText, ImportReplacesTheTableOnlyWithAReadableFileThatFits) {
    UserPhrases phrases;
    phrases.table = {MakePhrase(u"Q", u"old", EntryDeleted)};
    phrases.phrasesUnchanged = true;
    phrases.phrasesHaveDeleted = true;
    const auto import = [&phrases](std::u16string_view text) {
        return ReplacePhrasesFromText(phrases, text.data(), text.size(), kNormalImage);
    };
    // Nothing valid to read: the table and both flags stay.
    for (const std::u16string_view nothing : {u"", u"bad\r\n\r\nA1\tx\r\n"}) {
        const ImportResult result = import(nothing);
        EXPECT_EQ(result.outcome, ImportOutcome::NothingRead);
        EXPECT_EQ(result.entries, 1u);
        EXPECT_EQ(PhrasesOf(phrases.table), (Strings{u"old"}));
        EXPECT_TRUE(phrases.phrasesUnchanged && phrases.phrasesHaveDeleted);
    }
    EXPECT_EQ(import(u"bad\r\n\r\nA1\tx\r\n").invalidLines, 3u);

    // 8,192 lines of 256 units are exactly the 4 MiB that an import takes back (its stored
    // form, with the key raised); one unit more is refused.
    std::u16string text;
    for (int line = 0; line < 8192; ++line) text += u"a\t" + std::u16string(252, u'x') + u"\r\n";
    const std::u16string oneOver = u"a\tx" + text.substr(2) + u"\r\n";  // one unit more in the first phrase
    const ImportResult tooLarge = import(oneOver);
    EXPECT_EQ(tooLarge.outcome, ImportOutcome::TableTooLarge);
    EXPECT_EQ(tooLarge.invalidLines, 1u);
    EXPECT_EQ(PhrasesOf(phrases.table), (Strings{u"old"}));
    EXPECT_TRUE(phrases.phrasesUnchanged);

    const ImportResult atLimit = import(text + u"\r\n");
    EXPECT_EQ(atLimit.outcome, ImportOutcome::Imported);
    EXPECT_EQ(atLimit.entries, 8192u);
    EXPECT_EQ(atLimit.invalidLines, 1u);
    EXPECT_EQ(StoredFormBytes(phrases.table), MaxImportFileSize);
    EXPECT_EQ(FormatPhraseText(phrases.table, true).size() * 2, MaxImportFileSize);
    EXPECT_EQ(phrases.table[0].inputKey, u"A");
    EXPECT_FALSE(phrases.phrasesUnchanged);
    EXPECT_FALSE(phrases.phrasesHaveDeleted);

    // Insert is held to the same limit; a row marked for deletion, which no export holds, makes
    // room.
    PhraseSortState sort;
    const EditedPhrase one{u"y", ToVantixInputKey(u"Z"), u"Z"};
    EXPECT_FALSE(AppendEditedPhrase(phrases, sort, one, kNormalImage));
    EXPECT_EQ(phrases.table.size(), 8192u);
    phrases.table[0].flags = EntryDeleted;
    EXPECT_TRUE(AppendEditedPhrase(phrases, sort, one, kNormalImage));
    EXPECT_EQ(phrases.table.size(), 8193u);
}

}  // namespace
