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

PhraseSortState SortedByPhraseAscending() {
    PhraseSortState sort;
    sort.columnSortState[PhraseColumnPhrase] = 1;
    sort.sortedByPhrase = true;
    sort.sortAscending = true;
    return sort;
}

TEST(PhraseMerge, AppendsNewPhrasesInFileOrderAndCountsTheOthers) {
    UserPhrases phrases;
    phrases.table = {MakePhrase(u"A", u"Abc", EntryDeleted), MakePhrase(u"B", u"x"), MakePhrase(u"C", u"\u00e9")};
    phrases.table[0].image = 99;  // the marked entry's icon
    phrases.phrasesUnchanged = true;
    phrases.phrasesHaveDeleted = true;
    PhraseSortState sort = SortedByPhraseAscending();

    const PhraseMergeCounts counts = Merge(phrases, sort,
                                           u"k\tABC\r\n"         // the marked entry's phrase, other case
                                           u"yoey\tnew\r\n"      // new; the key is raised
                                           u"Z\tNEW\r\n"         // an earlier line's phrase
                                           u"bad line\r\n"       // no TAB
                                           u"Q\tx\r\n"           // in the table
                                           u"W\t\u00c9\r\n"      // only ASCII letters fold: new
                                           u"A1\tdigit\r\n"      // not a key
                                           u"E\t\u65b0\r\n");    // new
    EXPECT_EQ(counts.added, 3u);
    EXPECT_EQ(counts.alreadyThere, 3u);
    EXPECT_EQ(counts.invalidLines, 2u);
    EXPECT_EQ(PhrasesOf(phrases.table), (Strings{u"Abc", u"x", u"\u00e9", u"new", u"\u00c9", u"\u65b0"}));
    EXPECT_EQ(KeysOf(phrases.table), (Strings{u"A", u"B", u"C", u"YOEY", u"W", u"E"}));
    EXPECT_EQ(phrases.table[3].vantixKey, ToVantixInputKey(u"YOEY"));
    EXPECT_EQ(phrases.table[3].flags, 0u);
    EXPECT_EQ(phrases.table[3].image, kNormalImage);
    // What was there is untouched: the mark, its icon and its flag stay.
    EXPECT_EQ(phrases.table[0].flags, EntryDeleted);
    EXPECT_EQ(phrases.table[0].image, 99);
    EXPECT_TRUE(phrases.phrasesHaveDeleted);
    EXPECT_FALSE(phrases.phrasesUnchanged);
    // As after an Insert, no column counts as sorted.
    EXPECT_EQ(sort.columnSortState, (std::array<int, 4>{}));
    EXPECT_FALSE(sort.sortedByPhrase || sort.sortAscending);
}

TEST(PhraseMerge, AFileWithNothingNewChangesNothing) {
    UserPhrases phrases;
    phrases.table = {MakePhrase(u"A", u"one"), MakePhrase(u"B", u"Two")};
    phrases.phrasesUnchanged = true;
    PhraseSortState sort = SortedByPhraseAscending();

    const PhraseMergeCounts counts = Merge(phrases, sort, u"C\tONE\r\nD\ttwo\r\n\r\nlast line without CR\tx");
    EXPECT_EQ(counts.added, 0u);
    EXPECT_EQ(counts.alreadyThere, 2u);
    EXPECT_EQ(counts.invalidLines, 1u);
    EXPECT_EQ(PhrasesOf(phrases.table), (Strings{u"one", u"Two"}));
    EXPECT_TRUE(phrases.phrasesUnchanged);
    EXPECT_TRUE(sort.sortedByPhrase && sort.sortAscending);
    EXPECT_EQ(sort.columnSortState[PhraseColumnPhrase], 1);
}

// Many short phrases (held inside their strings) arriving at once, each twice: every duplicate
// is still found once the table has grown far past its first size.
TEST(PhraseMerge, FindsDuplicatesAmongManyNewRows) {
    UserPhrases phrases;
    phrases.table = {MakePhrase(u"A", u"p7")};
    std::u16string text;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 3000; ++i) {
            const std::string number = std::to_string(i);
            text += u"K\tp" + std::u16string(number.begin(), number.end()) + u"\r\n";
        }
    }
    PhraseSortState sort;
    const PhraseMergeCounts counts = Merge(phrases, sort, text);
    EXPECT_EQ(counts.added, 2999u);
    EXPECT_EQ(counts.alreadyThere, 3001u);
    ASSERT_EQ(phrases.table.size(), 3000u);
    EXPECT_EQ(phrases.table[1].phrase, u"p0");
    EXPECT_EQ(phrases.table.back().phrase, u"p2999");
}

TEST(TipMerge, AddsNewCharactersAndExtendsTheFirstEntryOfKnownOnes) {
    UserTips tips;
    Parse(tips.table,
          u"\u4eba=\u4eba\u6c11,\u4eba\u5011\r\n"  // 人=人民,人們
          u"A=apple\r\n"
          u"\u5927=\r\n"                           // 大 without words
          u"\u4e2d=\u4e2d\u5fc3,\r\n"              // 中=中心, (ends in a comma)
          u"\u4eba=\u4eba\u985e\r\n");             // a second 人 entry
    tips.table[1].flags = EntryDeleted;
    tips.tipsUnchanged = true;
    tips.tipsHaveDeleted = true;

    const TipMergeCounts counts = Merge(tips,
                                        u"\u4eba=\u4eba\u5011,\u4eba\u751f,\u4eba\u6c11\r\n"  // 人: 人生 is new
                                        u"a=APPLE,ant\r\n"                                  // A, either case
                                        u"\u5c0f=\u5c0f\u5fc3,,\u5c0f\u5fc3\r\n"            // new: kept as read
                                        u"\u5c0f=\u5c0f\u5b69,\u5c0f\u5fc3\r\n"             // extends the new entry
                                        u"\u5927=\u5927\u5bb6\r\n"
                                        u"\u4e2d=\u4e2d\u9593\r\n"
                                        u"AB=x\r\n"                                         // invalid
                                        u"\u4eba=\u4eba\u751f\r\n");                        // nothing new
    EXPECT_EQ(counts.added, 1u);
    EXPECT_EQ(counts.extended, 4u);
    EXPECT_EQ(counts.invalidLines, 1u);
    EXPECT_EQ(LinesOf(tips.table), (Strings{u"\u4eba=\u4eba\u6c11,\u4eba\u5011,\u4eba\u751f", u"A=apple,ant",
                                            u"\u5927=\u5927\u5bb6", u"\u4e2d=\u4e2d\u5fc3,\u4e2d\u9593",
                                            u"\u4eba=\u4eba\u985e", u"\u5c0f=\u5c0f\u5fc3,,\u5c0f\u5fc3,\u5c0f\u5b69"}));
    EXPECT_EQ(tips.table[1].flags, EntryDeleted);  // extended, still marked
    EXPECT_EQ(tips.table[5].image, kNormalImage);
    EXPECT_TRUE(tips.tipsHaveDeleted);
    EXPECT_FALSE(tips.tipsUnchanged);

    // What the merge made reads back whole: the next start's parser refuses no line of it.
    TipTable reread;
    const std::u16string stored = FormatTipsText(tips.table, false);
    EXPECT_EQ(Parse(reread, stored), 0u);
    EXPECT_EQ(LinesOf(reread), LinesOf(tips.table));
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

}  // namespace
