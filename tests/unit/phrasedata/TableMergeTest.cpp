// Import and merge into both tables: what joins, what is counted, and what stays as it was.
#include "TableMerge.h"

#include "TestTables.h"

#include <gtest/gtest.h>

namespace {

PhraseMergeCounts Merge(UserPhrases& phrases, PhraseSortState& sort, std::u16string_view text) {
    return MergePhrasesFromText(phrases, sort, text.data(), text.size(), kNormalImage);
}

TipMergeCounts Merge(UserTips& tips, std::u16string_view text) {
    return MergeTipsFromText(tips, text.data(), text.size(), kNormalImage);
}

// A line is there only when a row not marked deleted (or an earlier line) has the same key and
// the phrase in either ASCII case: a phrase under another key, or equal to a marked row, is added.
TEST(PhraseMerge, AddsWhatNoUnmarkedRowHasUnderTheSameKey) {
    UserPhrases phrases;
    phrases.table = {MakePhrase(u"A", u"Abc", EntryDeleted), MakePhrase(u"B", u"x"), MakePhrase(u"C", u"\u00e9"),
                     MakePhrase(u"CD", u"\u8b1d\u8b1d")};
    phrases.table[0].image = 99;  // the marked entry's icon
    phrases.phrasesUnchanged = true;
    phrases.phrasesHaveDeleted = true;
    PhraseSortState sort = SortedBy(PhraseColumnPhrase, true);

    const PhraseMergeCounts counts = Merge(phrases, sort,
                                           u"a\tABC\r\n"              // only the marked row has it: added
                                           u"A\tabc\r\n"              // the line before added it
                                           u"yoey\tnew\r\n"           // new; the key is raised
                                           u"YOEY\tNEW\r\n"           // an earlier line's, same key
                                           u"Z\tNEW\r\n"              // that phrase under another key
                                           u"bad line\r\n"            // no TAB
                                           u"b\tX\r\n"                // in the table
                                           u"C\t\u00c9\r\n"           // only ASCII letters fold: new
                                           u"A1\tdigit\r\n"           // not a key
                                           u"QQ\t\u8b1d\u8b1d\r\n"    // the table has it under CD: added
                                           u"cd\t\u8b1d\u8b1d\r\n");  // in the table
    EXPECT_EQ(counts.added, 5u);
    EXPECT_EQ(counts.alreadyThere, 4u);
    EXPECT_EQ(counts.invalidLines, 2u);
    EXPECT_EQ(PhrasesOf(phrases.table), (Strings{u"Abc", u"x", u"\u00e9", u"\u8b1d\u8b1d", u"ABC", u"new", u"NEW",
                                                 u"\u00c9", u"\u8b1d\u8b1d"}));
    EXPECT_EQ(KeysOf(phrases.table), (Strings{u"A", u"B", u"C", u"CD", u"A", u"YOEY", u"Z", u"C", u"QQ"}));
    for (std::size_t row = 4; row < phrases.table.size(); ++row) {
        EXPECT_EQ(phrases.table[row].vantixKey, ToVantixInputKey(phrases.table[row].inputKey));
        EXPECT_EQ(phrases.table[row].flags, 0u);
        EXPECT_EQ(phrases.table[row].image, kNormalImage);
    }
    // What was there is untouched: the mark, its icon and its flag stay.
    EXPECT_EQ(phrases.table[0].flags, EntryDeleted);
    EXPECT_EQ(phrases.table[0].image, 99);
    EXPECT_TRUE(phrases.phrasesHaveDeleted);
    EXPECT_FALSE(phrases.phrasesUnchanged);
    // As after an Insert, no column counts as sorted.
    EXPECT_EQ(sort.columnSortState, (std::array<int, 4>{}));
    EXPECT_FALSE(sort.sortedByPhrase || sort.sortAscending);
    // The next save drops the marked row and keeps the line that equalled it.
    EXPECT_EQ(FormatPhraseText(phrases.table, true),
              u"B\tx\r\nC\t\u00e9\r\nCD\t\u8b1d\u8b1d\r\nA\tABC\r\nYOEY\tnew\r\nZ\tNEW\r\nC\t\u00c9\r\nQQ\t\u8b1d\u8b1d\r\n");
}

TEST(PhraseMerge, AFileWithNothingNewChangesNothing) {
    UserPhrases phrases;
    phrases.table = {MakePhrase(u"A", u"one"), MakePhrase(u"B", u"Two")};
    phrases.phrasesUnchanged = true;
    PhraseSortState sort = SortedBy(PhraseColumnPhrase, true);

    const PhraseMergeCounts counts = Merge(phrases, sort, u"a\tONE\r\nB\ttwo\r\n\r\nlast line without CR\tx");
    EXPECT_EQ(counts.added, 0u);
    EXPECT_EQ(counts.alreadyThere, 2u);
    EXPECT_EQ(counts.invalidLines, 1u);
    EXPECT_EQ(PhrasesOf(phrases.table), (Strings{u"one", u"Two"}));
    EXPECT_TRUE(phrases.phrasesUnchanged);
    EXPECT_TRUE(sort.sortedByPhrase && sort.sortAscending);
    EXPECT_EQ(sort.columnSortState[PhraseColumnPhrase], 1);
}

// Many short phrases (held inside their strings) arriving at once, each twice (the second time
// with the key in lower case and the phrase in upper case): every duplicate is still found.
TEST(PhraseMerge, FindsDuplicatesAmongManyNewRows) {
    UserPhrases phrases;
    phrases.table = {MakePhrase(u"K", u"p7"), MakePhrase(u"Q", u"p8")};
    std::u16string text;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 3000; ++i) {
            const std::string number = std::to_string(i);
            text += (round == 0 ? u"K\tp" : u"k\tP") + std::u16string(number.begin(), number.end()) + u"\r\n";
        }
    }
    PhraseSortState sort;
    const PhraseMergeCounts counts = Merge(phrases, sort, text);
    EXPECT_EQ(counts.added, 2999u);
    EXPECT_EQ(counts.alreadyThere, 3001u);
    ASSERT_EQ(phrases.table.size(), 3001u);
    EXPECT_EQ(phrases.table[2].phrase, u"p0");
    EXPECT_EQ(phrases.table[9].phrase, u"p8");  // the row Q\tp8 has another key
    EXPECT_EQ(phrases.table.back().phrase, u"p2999");
}

// A large table met by a file of its own lines, the key in lower case and the phrase in upper
// case, under keys of every length: each line finds its row, except where only a marked row has
// it, and those lines come back as new rows in the file's order.
TEST(PhraseMerge, FindsEachUnmarkedRowOfALargeTable) {
    UserPhrases phrases;
    std::u16string text;
    std::size_t marked = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::string number = std::to_string(i);
        const std::u16string key(static_cast<std::size_t>(1 + i % 6), static_cast<char16_t>(u'A' + i % 26));
        std::u16string phrase(number.begin(), number.end());
        phrase.insert(phrase.begin(), u'p');
        const bool isMarked = i % 7 == 3;
        marked += isMarked ? 1 : 0;
        phrases.table.push_back(MakePhrase(key, phrase, isMarked ? EntryDeleted : 0));
        for (const char16_t unit : key) text += static_cast<char16_t>(unit + (u'a' - u'A'));
        phrase[0] = u'P';
        text += u'\t';
        text += phrase;
        text += u"\r\n";
    }
    PhraseSortState sort;
    const PhraseMergeCounts counts = Merge(phrases, sort, text);
    EXPECT_EQ(counts.added, marked);
    EXPECT_EQ(counts.alreadyThere, 3000u - marked);
    ASSERT_EQ(phrases.table.size(), 3000u + marked);
    for (std::size_t k = 0; k < marked; ++k) {
        const PhraseEntry& added = phrases.table[3000 + k];
        const std::size_t row = 7 * k + 3;
        std::u16string expected = phrases.table[row].phrase;
        expected[0] = u'P';  // as the file has it
        EXPECT_EQ(added.phrase, expected);
        EXPECT_EQ(added.inputKey, phrases.table[row].inputKey);
        EXPECT_EQ(added.flags, 0u);
    }
}

// A line extends the first unmarked entry of exactly its character; with none, it is a new entry
// that later lines of the character extend.
TEST(TipMerge, ExtendsTheFirstUnmarkedEntryOfTheCharacterOrAddsOne) {
    UserTips tips;
    Parse(tips.table,
          u"\u4eba=\u4eba\u6c11,\u4eba\u5011\r\n"  // 人=人民,人們, marked below
          u"A=apple\r\n"                           // marked below
          u"\u5927=\r\n"                           // 大 without words
          u"\u4e2d=\u4e2d\u5fc3,\r\n"              // 中=中心, (ends in a comma)
          u"\u4eba=\u4eba\u985e\r\n");             // 人=人類, the first unmarked 人
    tips.table[0].flags = EntryDeleted;
    tips.table[1].flags = EntryDeleted;
    tips.table[1].image = 99;
    tips.tipsUnchanged = true;
    tips.tipsHaveDeleted = true;

    const TipMergeCounts counts = Merge(tips,
                                        u"\u4eba=\u4eba\u5011,\u4eba\u751f,\u4eba\u6c11\r\n"  // extends 人類's entry
                                        u"a=APPLE,ant\r\n"                                  // no "a": new
                                        u"A=apple,Ant\r\n"                                  // "A" only marked: new
                                        u"A=ANT,bee\r\n"                                    // extends the new A
                                        u"\u5c0f=\u5c0f\u5fc3,,\u5c0f\u5fc3\r\n"            // new: kept as read
                                        u"\u5c0f=\u5c0f\u5b69,\u5c0f\u5fc3\r\n"             // extends the new entry
                                        u"\u5927=\u5927\u5bb6\r\n"
                                        u"\u4e2d=\u4e2d\u9593\r\n"
                                        u"AB=x\r\n"                                         // invalid
                                        u"\u4eba=\u4eba\u751f\r\n");                        // nothing new
    EXPECT_EQ(counts.added, 3u);
    EXPECT_EQ(counts.extended, 3u);
    EXPECT_EQ(counts.invalidLines, 1u);
    EXPECT_EQ(LinesOf(tips.table),
              (Strings{u"\u4eba=\u4eba\u6c11,\u4eba\u5011", u"A=apple", u"\u5927=\u5927\u5bb6",
                       u"\u4e2d=\u4e2d\u5fc3,\u4e2d\u9593", u"\u4eba=\u4eba\u985e,\u4eba\u5011,\u4eba\u751f,\u4eba\u6c11",
                       u"a=APPLE,ant", u"A=apple,Ant,bee", u"\u5c0f=\u5c0f\u5fc3,,\u5c0f\u5fc3,\u5c0f\u5b69"}));
    // The marked entries are left as they were; the new ones are unmarked.
    EXPECT_EQ(tips.table[0].flags, EntryDeleted);
    EXPECT_EQ(tips.table[1].flags, EntryDeleted);
    EXPECT_EQ(tips.table[1].image, 99);
    for (std::size_t row = 5; row < tips.table.size(); ++row) {
        EXPECT_EQ(tips.table[row].flags, 0u);
        EXPECT_EQ(tips.table[row].image, kNormalImage);
    }
    EXPECT_TRUE(tips.tipsHaveDeleted);
    EXPECT_FALSE(tips.tipsUnchanged);

    // What the merge made reads back whole: the next start's parser refuses no line of it, and
    // the save keeps every line the file brought.
    TipTable reread;
    const std::u16string stored = FormatTipsText(tips.table, true);
    EXPECT_EQ(Parse(reread, stored), 0u);
    const Strings lines = LinesOf(tips.table);
    EXPECT_EQ(LinesOf(reread), (Strings(lines.begin() + 2, lines.end())));
}

TEST(TipMerge, AFileWithNothingNewChangesNothing) {
    UserTips tips;
    Parse(tips.table, u"\u4eba=\u4eba\u6c11,Ab\r\n");
    tips.tipsUnchanged = true;
    const TipMergeCounts counts = Merge(tips, u"\u4eba=aB,\u4eba\u6c11\r\n=x\r\n");
    EXPECT_EQ(counts.added, 0u);
    EXPECT_EQ(counts.extended, 0u);
    EXPECT_EQ(counts.invalidLines, 1u);
    EXPECT_EQ(LinesOf(tips.table), (Strings{u"\u4eba=\u4eba\u6c11,Ab"}));
    EXPECT_TRUE(tips.tipsUnchanged);
}

// Words of up to four units are compared as numbers and longer ones (or with a unit 0) as texts,
// both ignoring ASCII case only; a line of exactly its entry's words brings nothing, while the
// lines around it still do, and a file of only such lines is read, not refused.
TEST(TipMerge, ComparesShortAndLongWordsAlikeAndPassesOverLinesEqualToTheEntry) {
    using namespace std::literals;
    UserTips tips;
    Parse(tips.table, u"\u4eba=Abcd,abcdE,\u4eba\u6c11\r\n\u5927=\u5927\u5bb6\r\n");
    const TipMergeCounts counts = Merge(tips,
                                        u"\u4eba=ABCD,ABCDe,\u4eba\u6c11,\u4eba\u985e\r\n"  // 人類 only is new
                                        u"\u4eba=Abcd,abcdE,\u4eba\u6c11\r\n"                 // the entry's words
                                        u"\u4eba=x,x\0y,X\0Y,\u4eba\u985e,Abcde!,X\r\n"
                                        u"\u5927=\u5927\u5bb6\r\n"
                                        u"\u5927=,,\u5927\u5bb6,,\r\n"sv);
    EXPECT_EQ(counts.outcome, ImportOutcome::Imported);
    EXPECT_EQ(counts.added, 0u);
    EXPECT_EQ(counts.extended, 1u);
    EXPECT_EQ(LinesOf(tips.table), (Strings{u"\u4eba=Abcd,abcdE,\u4eba\u6c11,\u4eba\u985e,x,x\0y,Abcde!"s,
                                            u"\u5927=\u5927\u5bb6"}));

    tips.tipsUnchanged = true;
    const TipMergeCounts again = Merge(tips, u"\u5927=\u5927\u5bb6\r\n");
    EXPECT_EQ(again.outcome, ImportOutcome::Imported);
    EXPECT_EQ(again.extended, 0u);
    EXPECT_TRUE(tips.tipsUnchanged);
}

// A merge that would take a table's export past 4 MiB changes nothing, so every export imports
// again; one that brings no valid line says so.
TEST(TableMerge, KeepsTheStoredFormWithinTheImportLimitAndTellsAFileWithNothingToRead) {
    // 8,191 rows of 256 units, and a marked row that no export holds.
    UserPhrases phrases;
    std::u16string text;
    for (int row = 0; row < 8191; ++row) text += u"A\t" + std::u16string(252, u'x') + u"\r\n";
    Parse(phrases.table, text + u"Q\tmarked\r\n");
    phrases.table.back().flags = EntryDeleted;
    phrases.phrasesUnchanged = true;
    PhraseSortState sort;
    // Room is left for one row of 256 units: one more unit is refused, the line that is there
    // already (ASCII case aside) counting for nothing.
    const std::u16string line = u"b\t" + std::u16string(252, u'y') + u"\r\n";
    const PhraseMergeCounts tooLarge = Merge(phrases, sort, u"A\t" + std::u16string(252, u'X') + u"\r\nb\ty" + line.substr(2));
    EXPECT_EQ(tooLarge.outcome, ImportOutcome::TableTooLarge);
    EXPECT_EQ(phrases.table.size(), 8192u);
    EXPECT_TRUE(phrases.phrasesUnchanged);
    const PhraseMergeCounts fits = Merge(phrases, sort, line);
    EXPECT_EQ(fits.outcome, ImportOutcome::Imported);
    EXPECT_EQ(StoredFormBytes(phrases.table), MaxImportFileSize);
    EXPECT_EQ(Merge(phrases, sort, u"bad\r\nA1\tx\r\n").outcome, ImportOutcome::NothingRead);
    // Lines that are all there add nothing, so they are taken even at the limit.
    EXPECT_EQ(Merge(phrases, sort, line).outcome, ImportOutcome::Imported);

    // Associated words: an entry that would be extended past the limit is put back as it was.
    UserTips tips;
    std::u16string tipsText;
    for (int row = 0; row < 8191; ++row) tipsText += u"A=" + std::u16string(252, u'x') + u"\r\n";
    Parse(tips.table, tipsText + u"\u4eba=\u4eba\r\n");
    tips.tipsUnchanged = true;
    // Room is left for 251 units: a new line of as many, and three more for the extension.
    const std::u16string tipsLine = u"B=" + std::u16string(247, u'b') + u"\r\n";
    const TipMergeCounts tipsTooLarge = Merge(tips, u"\u4eba=\u4eba\u6c11\r\n" + tipsLine);
    EXPECT_EQ(tipsTooLarge.outcome, ImportOutcome::TableTooLarge);
    EXPECT_EQ(tips.table.size(), 8192u);
    EXPECT_EQ(tips.table.back().words, u"\u4eba");
    EXPECT_TRUE(tips.tipsUnchanged);
    EXPECT_EQ(Merge(tips, u"=\r\nAB=x\r\n").outcome, ImportOutcome::NothingRead);
    EXPECT_EQ(Merge(tips, tipsLine).outcome, ImportOutcome::Imported);
    EXPECT_EQ(StoredFormBytes(tips.table), MaxImportFileSize);
}

}  // namespace
