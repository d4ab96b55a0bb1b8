// The line rules of both tables, read from whole import files: each reason, the line number in
// the file whatever its line ends, the text as read, and lines whose bytes did not decode.
#include "InvalidLines.h"
#include "TestTables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
    std::size_t number;
    InvalidReason reason;
    std::size_t position;
    std::u16string text;
};

void ExpectReport(TableKind kind, std::string_view bytes, const std::vector<Expected>& expected) {
    const InvalidLineReport report = FindInvalidLines(kind, bytes);
    ASSERT_EQ(report.lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const InvalidLine& line = report.lines[i];
        EXPECT_EQ(line.number, expected[i].number);
        EXPECT_EQ(line.fault.reason, expected[i].reason);
        EXPECT_EQ(line.fault.position, expected[i].position);
        EXPECT_EQ(report.TextOf(line), expected[i].text);
    }
}

TEST(InvalidLines, PhraseLinesOfAUtf8FileWithMixedLineEnds) {
    // UTF-8 with its mark, lines ended by CR LF, LF and CR, the last without an end; line 7 has a
    // byte that does not decode (the F0 lead without its continuation).
    const std::string bytes =
        "\xEF\xBB\xBF" "ab\t\xE8\xAC\x9D\r\n"  // 1 valid, lower case raised
        "\r\n"                                 // 2 empty
        "QQ \xE4\xBD\xA0\n"                    // 3 no TAB
        "\tphrase\r"                           // 4 empty key
        "A\tB\tC\n"                            // 5 more than one TAB
        "Q1\tx\n"                              // 6 '1' is no key
        "Q\xF0\x9F\tx\n"                       // 7 does not decode
        "Q\xF0\x9F\x98\x80\tx\n"               // 8 a two-unit character in the key
        "ZZ\tok";                              // 9 valid
    ExpectReport(TableKind::Phrases, bytes,
                 {{2, InvalidReason::EmptyLine, 0, u""},
                  {3, InvalidReason::NoTab, 0, u"QQ \u4F60"},
                  {4, InvalidReason::EmptyKey, 0, u"\tphrase"},
                  {5, InvalidReason::TabInKey, 0, u"A\tB\tC"},
                  {6, InvalidReason::NotKeyCharacter, 1, u"Q1\tx"},
                  {7, InvalidReason::NotDecoded, 0, u"Q\\xF0\\x9F\tx"},
                  {8, InvalidReason::TwoUnitKeyCharacter, 1, u"Q\U0001F600\tx"}});
}

TEST(InvalidLines, AssociatedWordLinesOfAnExportedFile) {
    const std::u16string units = u"\u6211=\u5011\r\n"  // 1 valid
                                 u"\u6211\u5011\r\n"    // 2 no "="
                                 u"=x\r\n"              // 3 no character
                                 u"a=b=c\r\n"           // 4 more than one "="
                                 u"\U0001F600=x\r\n"    // 5 two units
                                 u"ab=c\r\n"            // 6 two characters
                                 u"\r\n";               // 7 empty
    ExpectReport(TableKind::Tips, LittleEndianBytes(units),
                 {{2, InvalidReason::NoEquals, 0, u"\u6211\u5011"},
                  {3, InvalidReason::NoCharacter, 0, u"=x"},
                  {4, InvalidReason::EqualsInCharacter, 0, u"a=b=c"},
                  {5, InvalidReason::TwoUnitCharacter, 0, u"\U0001F600=x"},
                  {6, InvalidReason::LongCharacter, 0, u"ab=c"},
                  {7, InvalidReason::EmptyLine, 0, u""}});
}

TEST(InvalidLines, AFileInNoEncodingHasEveryLineOfBytesInvalid) {
    // No zero byte, not UTF-8, and not Big5 (0xFF starts no character there).
    const std::string bytes = "QQ\t\xFF\r\nAB\tok\n\xFF";
    ExpectReport(TableKind::Phrases, bytes,
                 {{1, InvalidReason::NoEncoding, 0, u"QQ\t\\xFF"},
                  {2, InvalidReason::NoEncoding, 0, u"AB\tok"},
                  {3, InvalidReason::NoEncoding, 0, u"\\xFF"}});
    EXPECT_TRUE(FindInvalidLines(TableKind::Phrases, "").lines.empty());
}

TEST(InvalidLines, VisibleTextSpellsOutWhatCannotBeSeen) {
    EXPECT_EQ(VisibleLineText(u"AB\tC\u0001\u007F\uFEFF\U0001F600\xD800x"),
              u"AB\\tC\\u0001\\u007F\\uFEFF\U0001F600\\uD800x");
    EXPECT_EQ(VisibleLineText(u"\u8B1D\u8B1D C:\\"), u"\u8B1D\u8B1D C:\\");
}

}  // namespace
