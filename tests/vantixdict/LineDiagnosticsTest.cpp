// The line diagnostics: each reason the import has to refuse or ignore a line, each warning the
// editors would give, and agreement with the import's own counts.
#include "TestText.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TextCheck Phrases(std::u16string_view text) { return CheckText(TableKind::Phrases, text); }
TextCheck Tips(std::u16string_view text) { return CheckText(TableKind::Tips, text); }

struct InvalidFinding {
    std::size_t line;
    std::string_view reason;  // a part of the finding's message
};

// Checks that exactly the listed lines are invalid, each for its reason, that the rest make the
// entries, and that the import refuses as many lines; returns the check for what else a test asks.
TextCheck ExpectInvalidLines(TableKind kind, const std::u16string& text, std::size_t entries,
                             const std::vector<InvalidFinding>& invalid) {
    const TextCheck check = CheckText(kind, text);
    EXPECT_EQ(check.invalidLines, invalid.size());
    EXPECT_EQ(check.entries, entries);
    for (const InvalidFinding& finding : invalid) {
        EXPECT_TRUE(HasFinding(check, finding.line, Severity::Invalid, finding.reason))
            << "line " << finding.line << ": " << finding.reason;
    }
    EXPECT_EQ(check.invalidLines, ImportInvalidCount(kind, text));
    return check;
}

TEST(PhraseDiagnostics, WellFormedTextHasNoFindings) {
    const auto check = Phrases(u"YOEY\tP\r\nyoey\t\u4eba\u6c11\r\n");
    EXPECT_EQ(check.entries, 2u);
    EXPECT_EQ(check.invalidLines, 0u);
    EXPECT_TRUE(check.findings.empty());
    EXPECT_EQ(check.lowerCaseKeys, 1u);
    EXPECT_EQ(check.entryUnits, 17u);
}

TEST(PhraseDiagnostics, NamesEachReasonForAnInvalidLine) {
    const std::u16string text =
        u"\r\n"              // 1 empty
        u"YOEY\r\n"          // 2 no TAB
        u"\tnokey\r\n"       // 3 empty key
        u"AB1\tx\r\n"        // 4 digit at position 3
        u"A'\tx\r\n"         // 5 apostrophe
        u"A\tB\tC\r\n"       // 6 two TABs
        u"A\U0001F600\tx\r\n"  // 7 two-unit character
        u"Q\tok\r\n";        // 8 fine
    const auto check = ExpectInvalidLines(TableKind::Phrases, text, 1,
                                          {{1, "empty line"},
                                           {2, "no TAB"},
                                           {3, "empty input key"},
                                           {4, "'1' (U+0031) at position 3"},
                                           {5, "U+0027 (apostrophe) at position 2"},
                                           {6, "more than one TAB"},
                                           {7, "U+1F600) at position 2, a two-unit character"}});
    EXPECT_TRUE(FindingsOfLine(check, 8).empty());
}

TEST(PhraseDiagnostics, CountsFurtherBadCharactersOfAKey) {
    const auto check = Phrases(u"A1B2C3\tx\r\n");
    EXPECT_TRUE(HasFinding(check, 1, Severity::Invalid, "at position 2"));
    EXPECT_TRUE(HasFinding(check, 1, Severity::Invalid, "(and 2 more such characters)"));
}

TEST(PhraseDiagnostics, ASecondByteOrderMarkSpoilsOnlyTheFirstLine) {
    // The import drops the file's mark; one more stays in the first key.
    const std::u16string text = u"\uFEFFYOEY\tP\r\nQ\tx\r\n";
    const auto check = Phrases(text);
    EXPECT_EQ(check.invalidLines, 1u);
    EXPECT_EQ(check.entries, 1u);
    EXPECT_TRUE(HasFinding(check, 1, Severity::Invalid, "U+FEFF (byte-order mark) at position 1"));
    EXPECT_TRUE(check.lines[0].writableAsUtf8);  // after a mark of its own
}

TEST(PhraseDiagnostics, LinesThatDidNotDecodeAreInvalidWithWhatDidNotDecode) {
    // As DecodeText gives them: lines 2 and 4 held bytes that did not decode.
    const std::u16string text = u"Q\tx\r\n\r\nA\ty\r\n\r\n\r\n";
    const std::vector<UndecodedLine> undecoded = {{2, "bytes that are not UTF-8 (at byte offset 7)"},
                                                  {4, "bytes that are not UTF-8 (at byte offset 20)"}};
    for (const TableKind kind : {TableKind::Phrases, TableKind::Tips}) {
        const auto check = CheckText(kind, text, undecoded);
        EXPECT_EQ(check.invalidLines, kind == TableKind::Phrases ? 3u : 5u);
        EXPECT_EQ(check.invalidLines, ImportInvalidCount(kind, text));
        EXPECT_TRUE(HasFinding(check, 2, Severity::Invalid, "at byte offset 7"));
        EXPECT_TRUE(HasFinding(check, 4, Severity::Invalid, "at byte offset 20"));
        EXPECT_TRUE(HasFinding(check, 5, Severity::Invalid, "empty line"));
        EXPECT_TRUE(check.lines[1].undecoded);
        EXPECT_FALSE(check.lines[1].writableAsUtf8);
        EXPECT_FALSE(check.lines[4].undecoded);
        EXPECT_TRUE(check.lines[4].writableAsUtf8);
    }
}

TEST(PhraseDiagnostics, WarnsAboutWhatThePhraseEditDialogRefuses) {
    const std::u16string longPhrase(256, u'\u5b57');
    const std::u16string text = u"ABCDE\tfive\r\n"      // 1 key of 5
                                u"Q\t\r\n"              // 2 empty phrase
                                u"A\t" + longPhrase + u"\r\n"  // 3 too long
                                u"Z\tFive\r\n"          // 4 duplicate of 1, other case
                                u"W\t" + std::u16string(255, u'x') + u"\r\n";  // 5 exactly 255: fine
    const auto check = Phrases(text);
    EXPECT_EQ(check.entries, 5u);
    EXPECT_TRUE(HasFinding(check, 1, Severity::Warning, "has 5 keys; the phrase edit dialog accepts at most 4"));
    EXPECT_TRUE(HasFinding(check, 2, Severity::Warning, "empty phrase"));
    EXPECT_TRUE(HasFinding(check, 3, Severity::Warning, "256 units"));
    EXPECT_TRUE(HasFinding(check, 4, Severity::Warning, "is also on line 1"));
    EXPECT_TRUE(FindingsOfLine(check, 5).empty());
    EXPECT_EQ(check.warnings, 4u);
}

TEST(PhraseDiagnostics, DuplicatesPointAtTheFirstOccurrenceAndComeInLineOrder) {
    const auto check = Phrases(u"Q\tab\r\nA\tcd\r\nZ\tAB\r\nW\tCd\r\nS\tab\r\n");
    ASSERT_EQ(check.findings.size(), 3u);
    EXPECT_EQ(check.findings[0].line, 3u);
    EXPECT_TRUE(Contains(check.findings[0].message, "also on line 1"));
    EXPECT_EQ(check.findings[1].line, 4u);
    EXPECT_TRUE(Contains(check.findings[1].message, "also on line 2"));
    EXPECT_EQ(check.findings[2].line, 5u);
    EXPECT_TRUE(Contains(check.findings[2].message, "also on line 1"));
}

TEST(PhraseDiagnostics, OnlyAsciiLettersAreComparedWithoutCase) {
    // Full-width A and a differ, as they do in the phrase edit dialog.
    const auto check = Phrases(u"Q\t\uFF21\r\nA\t\uFF41\r\n");
    EXPECT_EQ(check.warnings, 0u);
}

TEST(PhraseDiagnostics, ContentThatUtf8TextCannotHold) {
    const std::u16string text = u"Q\ta\u0001b\r\nA\tx\0y\r\nZ\t\xD800\r\nW\tfine\r\n"s;
    const auto check = Phrases(text);
    EXPECT_EQ(check.entries, 4u);
    EXPECT_TRUE(HasFinding(check, 1, Severity::Warning, "the control character U+0001"));
    EXPECT_TRUE(HasFinding(check, 2, Severity::Warning, "U+0000 (NUL)"));
    EXPECT_TRUE(HasFinding(check, 3, Severity::Warning, "without its other half"));
    EXPECT_EQ(check.linesNotWritableAsUtf8, 2u);
    EXPECT_TRUE(check.lines[0].writableAsUtf8);
    EXPECT_FALSE(check.lines[1].writableAsUtf8);
    EXPECT_FALSE(check.lines[2].writableAsUtf8);
    EXPECT_TRUE(check.lines[3].writableAsUtf8);
}

TEST(PhraseDiagnostics, FiguresForTheStatistics) {
    const auto check = Phrases(u"Q\tab\r\nQA\tabcd\r\nQAZ\tx\r\nQA\ty\r\nbad\r\n");
    ASSERT_GE(check.keyLengthCounts.size(), 4u);
    EXPECT_EQ(check.keyLengthCounts[1], 1u);
    EXPECT_EQ(check.keyLengthCounts[2], 2u);
    EXPECT_EQ(check.keyLengthCounts[3], 1u);
    EXPECT_EQ(check.longestLength, 4u);
    EXPECT_EQ(check.longestLine, 2u);
}

TEST(PhraseDiagnostics, ImportOnlyScopeGivesTheSameVerdictsWithoutWarnings) {
    const std::u16string text = u"ABCDE\tx\r\nQ\tx\r\n1\ty\r\nA\tz\r\n";
    const auto full = CheckText(TableKind::Phrases, text, CheckScope::Everything);
    const auto quick = CheckText(TableKind::Phrases, text, CheckScope::ImportOnly);
    EXPECT_EQ(quick.entries, full.entries);
    EXPECT_EQ(quick.invalidLines, full.invalidLines);
    EXPECT_EQ(quick.entryUnits, full.entryUnits);
    EXPECT_EQ(quick.warnings, 0u);
    EXPECT_GT(full.warnings, 0u);
    for (const Finding& finding : quick.findings) EXPECT_NE(finding.severity, Severity::Warning);
}

TEST(TipDiagnostics, NamesEachReasonForAnInvalidLine) {
    const std::u16string text =
        u"\r\n"               // 1 empty
        u"x\r\n"              // 2 no "="
        u"=abc\r\n"           // 3 no character
        u"AB=x\r\n"           // 4 two units
        u"A=a=b\r\n"          // 5 two "="
        u"\U00020000=x\r\n"   // 6 two-unit character
        u"==x\r\n"            // 7 fine: the character "="
        u"A=\r\n";            // 8 fine for the import, no words
    const auto check = ExpectInvalidLines(TableKind::Tips, text, 2,
                                          {{1, "empty line"},
                                           {2, "no \"=\""},
                                           {3, "no character before"},
                                           {4, "has 2 units; it must be exactly one"},
                                           {5, "more than one \"=\""},
                                           {6, "two-unit character"}});
    EXPECT_TRUE(HasFinding(check, 8, Severity::Warning, "no associated words"));
}

TEST(TipDiagnostics, WarnsAboutWhatTheAssociatedWordEditorRefuses) {
    const std::u16string text =
        u"\u4eba=\u4eba\u6c11,\u4eba\u5011\r\n"  // 1 fine
        u"A=x\r\n"                               // 2 fine
        u"a=y\r\n"                               // 3 duplicate character of 2, other case
        u"B=x,,y\r\n"                            // 4 empty word
        u"C=abcdefghi\r\n"                       // 5 word of 9 units
        u"D=abc,ABC\r\n"                         // 6 word twice
        u"E=\tx\r\n";                            // 7 control character
    const auto check = Tips(text);
    EXPECT_EQ(check.invalidLines, 0u);
    EXPECT_TRUE(FindingsOfLine(check, 1).empty());
    EXPECT_TRUE(FindingsOfLine(check, 2).empty());
    EXPECT_TRUE(HasFinding(check, 3, Severity::Warning, "also has an entry on line 2"));
    EXPECT_TRUE(HasFinding(check, 4, Severity::Warning, "empty word"));
    EXPECT_TRUE(HasFinding(check, 5, Severity::Warning, "has 9 units; the associated-word editor accepts at most 8"));
    EXPECT_TRUE(HasFinding(check, 6, Severity::Warning, "appears more than once"));
    EXPECT_TRUE(HasFinding(check, 7, Severity::Warning, "U+0009 (TAB)"));
    ASSERT_GE(check.wordCountCounts.size(), 3u);
    EXPECT_EQ(check.wordCountCounts[2], 3u);  // lines 1, 4 and 6
}

TEST(TipDiagnostics, ManyWordsAreStillCheckedForRepeats) {
    std::u16string line = u"A=";
    for (int i = 0; i < 100; ++i) {
        line += u'w';
        line += static_cast<char16_t>(u'\u4e00' + i);
        line += u',';
    }
    line += u"W\u4e05\r\n";
    const auto check = Tips(line);
    EXPECT_TRUE(HasFinding(check, 1, Severity::Warning, "appears more than once"));
}

TEST(ImportLines, WalkTheTextAsTheImportDoes) {
    std::vector<ImportLine> lines;
    ForEachImportLine(u"ab\r\ncd\r\n\r\nef\r\n", [&](const ImportLine& line) { lines.push_back(line); });
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].start, 0u);
    EXPECT_EQ(lines[0].end, 2u);
    EXPECT_EQ(lines[1].start, 4u);
    EXPECT_EQ(lines[2].start, 8u);
    EXPECT_EQ(lines[2].end, 8u);
    EXPECT_EQ(lines[3].next, 14u);
    EXPECT_EQ(lines[3].number, 4u);
}

}  // namespace
