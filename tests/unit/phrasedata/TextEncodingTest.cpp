// Telling the encoding of an import file and decoding it into the units the parsers read.
#include "TestTables.h"
#include "TextEncoding.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

// UTF-8 of the characters used below.
const std::string kRen = "\xE4\xBA\xBA";         // U+4EBA
const std::string kMin = "\xE6\xB0\x91";         // U+6C11
const std::string kExtB = "\xF0\xA0\x80\x80";   // U+20000, a surrogate pair in UTF-16
const std::string kUtf8Mark = "\xEF\xBB\xBF";

std::string LittleEndianBytes(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string BigEndianBytes(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return bytes;
}

std::u16string Decoded(std::string_view bytes) {
    return DecodeText(bytes, DetectTextEncoding(bytes));
}

TEST(TextEncoding, TheMarkDecidesElseZeroBytesAndValidUtf8) {
    EXPECT_EQ(DetectTextEncoding(kUtf8Mark + "A\tx\r\n"), TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding("\xFF\xFE" "A\0"s), TextEncoding::Utf16LittleEndian);
    EXPECT_EQ(DetectTextEncoding("\xFE\xFF\0A"s), TextEncoding::Utf16BigEndian);
    EXPECT_EQ(DetectTextEncoding("YOEY\t" + kRen + kMin + "\r\n"), TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding(LittleEndianBytes(u"YOEY\t\u4eba\r\n")),
              TextEncoding::Utf16LittleEndian);
    // Without a mark, text that is not UTF-8 (here Big5) or holds a zero byte is read as before.
    EXPECT_EQ(DetectTextEncoding("YOEY\t\xA4\x48\r\n"), TextEncoding::Utf16LittleEndian);
    EXPECT_EQ(DetectTextEncoding("A\tx\0y\r\n"s), TextEncoding::Utf16LittleEndian);
    // A UTF-16LE text of nothing but non-ASCII characters has no zero byte, but is no UTF-8.
    EXPECT_EQ(DetectTextEncoding(LittleEndianBytes(u"\u4eba\u6c11")),
              TextEncoding::Utf16LittleEndian);
}

TEST(TextEncoding, Utf8WithOrWithoutMarkGivesTheUnitsOfTheStoredForm) {
    const std::u16string stored = u"YOEY\t\u4eba\u6c11\r\nQ\t\U00020000x\r\n";
    const std::string utf8 = "YOEY\t" + kRen + kMin + "\r\nQ\t" + kExtB + "x\r\n";
    EXPECT_EQ(Decoded(utf8), stored);
    EXPECT_EQ(Decoded(kUtf8Mark + utf8), stored);
    // Only the first mark is the file's; a second one is text, as in the stored form.
    EXPECT_EQ(Decoded(kUtf8Mark + kUtf8Mark + "A\tx\r\n"), u"\uFEFFA\tx\r\n");

    PhraseTable table;
    EXPECT_EQ(Parse(table, Decoded(kUtf8Mark + utf8)), 0u);
    EXPECT_EQ(KeysOf(table), (Strings{u"YOEY", u"Q"}));
    EXPECT_EQ(PhrasesOf(table), (Strings{u"\u4eba\u6c11", u"\U00020000x"}));
}

TEST(TextEncoding, Utf16PairsItsBytesEitherWayAndIgnoresAnOddLastByte) {
    const std::u16string text = u"A\t\u4eba\r\nB\t\U00020000\r\n";
    EXPECT_EQ(Decoded(LittleEndianBytes(text)), text);
    EXPECT_EQ(Decoded(LittleEndianBytes(text) + "\r"), text);
    EXPECT_EQ(Decoded("\xFE\xFF" + BigEndianBytes(text)), text);
    EXPECT_EQ(Decoded("\xFE\xFF" + BigEndianBytes(text) + "\r"), text);
    // The little-endian mark stays a unit of the first line, which the import refuses as before.
    EXPECT_EQ(Decoded("\xFF\xFE" + LittleEndianBytes(text)), u"\uFEFF" + text);
    PhraseTable table;
    EXPECT_EQ(Parse(table, Decoded("\xFF\xFE" + LittleEndianBytes(text))), 1u);
    EXPECT_EQ(PhrasesOf(table), (Strings{u"\U00020000"}));
}

TEST(TextEncoding, BytesThatDoNotDecodeSpoilExactlyTheirOwnLine) {
    // Its text does not survive: the line becomes empty.
    EXPECT_EQ(Decoded(kUtf8Mark + "A\tx\xFFy\r\nB\ty\r\n"), u"\r\nB\ty\r\n");

    const std::string phrases = kUtf8Mark +
        "A\tone\r\n"
        "B\tt\xE4\xBAwo\r\n"                   // cut short
        "C\t" + kRen + "\r\n"
        "D\t\xC0\x80 \xED\xA0\x80 \xF4\x90\x80\x80\r\n"  // overlong, surrogate, above U+10FFFF
        "E\tx\r\xE4\xBA"                       // in place of the LF: spoils the line it ends
        "F\ty\r\n"
        "\xBF\xBF\tz\r\n"                      // stray continuation bytes in the key
        "G\t" + kMin + "\r\n"
        "H\t\xFF";                             // a last line without CR is not counted
    PhraseTable phraseTable;
    EXPECT_EQ(Parse(phraseTable, Decoded(phrases)), 4u);
    EXPECT_EQ(KeysOf(phraseTable), (Strings{u"A", u"C", u"F", u"G"}));
    EXPECT_EQ(PhrasesOf(phraseTable), (Strings{u"one", u"\u4eba", u"y", u"\u6c11"}));

    const std::string tips = kUtf8Mark +
        kRen + "=" + kRen + kMin + "\r\n"
        "\xFF=x\r\n"                            // in the character
        "A=\xE6\xB0\r\n"                        // in the words
        "B=b\r\n";
    TipTable tipTable;
    EXPECT_EQ(Parse(tipTable, Decoded(tips)), 2u);
    EXPECT_EQ(LinesOf(tipTable), (Strings{u"\u4eba=\u4eba\u6c11", u"B=b"}));
}

}  // namespace
