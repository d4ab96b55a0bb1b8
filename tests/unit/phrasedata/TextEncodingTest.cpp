// Telling the encoding of an import file and decoding it into the units the parsers read.
#include "TestTables.h"
#include "TextEncoding.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace std::string_literals;

// UTF-8 of the characters used below.
const std::string kRen = "\xE4\xBA\xBA";         // U+4EBA
const std::string kMin = "\xE6\xB0\x91";         // U+6C11
const std::string kExtB = "\xF0\xA0\x80\x80";   // U+20000, a surrogate pair in UTF-16
const std::string kUtf8Mark = "\xEF\xBB\xBF";

struct FileCase {
    const char* what;
    std::string bytes;
    std::optional<TextEncoding> encoding;  // nothing: no encoding fits, nothing is decoded
    std::u16string units;                 // what the parsers read
};

TEST(TextEncoding, EveryKindOfFileGivesTheUnitsOfTheStoredForm) {
    const std::u16string stored = u"YOEY\t\u4eba\u6c11\r\nQ\t\U00020000x\r\n";
    const std::string utf8 = "YOEY\t" + kRen + kMin + "\r\nQ\t" + kExtB + "x\r\n";
    const FileCase cases[] = {
        {"exported", LittleEndianBytes(stored), TextEncoding::Utf16LittleEndian, stored},
        {"exported, odd last byte", LittleEndianBytes(stored) + "\r", TextEncoding::Utf16LittleEndian, stored},
        {"Notepad's Unicode: FF FE", "\xFF\xFE" + LittleEndianBytes(stored), TextEncoding::Utf16LittleEndian, stored},
        {"UTF-16BE with its mark", "\xFE\xFF" + BigEndianBytes(stored), TextEncoding::Utf16BigEndian, stored},
        {"UTF-16LE, LF and CR alone", LittleEndianBytes(u"A\tx\nB\ty\rC\tz"), TextEncoding::Utf16LittleEndian,
         u"A\tx\r\nB\ty\r\nC\tz\r\n"},
        {"UTF-8", utf8, TextEncoding::Utf8, stored},
        {"UTF-8 with mark", kUtf8Mark + utf8, TextEncoding::Utf8, stored},
        {"a second mark is text", kUtf8Mark + kUtf8Mark + "A\tx\r\n", TextEncoding::Utf8, u"\uFEFFA\tx\r\n"},
        {"UTF-8, LF alone", "YOEY\t" + kRen + kMin + "\nQ\t" + kExtB + "x\n", TextEncoding::Utf8, stored},
        {"UTF-8, CR alone: no key loses its first letter", "AB\tx\rCD\ty\rEF\tz\r", TextEncoding::Utf8,
         u"AB\tx\r\nCD\ty\r\nEF\tz\r\n"},
        {"mixed ends, empty lines kept, last line without end",
         "A\tx\r\n\nB\ty\r\rC\tz", TextEncoding::Utf8, u"A\tx\r\n\r\nB\ty\r\n\r\nC\tz\r\n"},
        // Code page 950: 一 人, the euro sign and a box-drawing piece of its extensions, and a
        // user-defined character, which it maps to the private use area.
        {"Big5", "YOEY\t\xA4\x40\xA4\x48\nQ\t\xA3\xE1\xF9\xF9\x81\x40\n", TextEncoding::Big5,
         u"YOEY\t\u4e00\u4eba\r\nQ\t\u20ac\u2550\uEEB8\r\n"},
        {"Big5 trail bytes in the ASCII range", "K\t\xA4\x5C\xA5\x7E\r\n", TextEncoding::Big5,
         u"K\t\u4E48\u5916\r\n"},
        {"empty", "", TextEncoding::Utf8, u""},
        {"only a mark", kUtf8Mark, TextEncoding::Utf8, u""},
        {"only Notepad's Unicode mark", "\xFF\xFE", TextEncoding::Utf16LittleEndian, u""},
        // UTF-8 with one bad byte that is no Big5 either, and bytes of no text at all.
        {"UTF-8 with a bad byte, no mark", "A\t" + kRen + "\xFF\r\nB\t" + kMin + "\r\n", std::nullopt, u""},
        {"random bytes without zero", "\x93\xFA\x07\xC8\x81\x0A\xEE", std::nullopt, u""},
    };
    for (const FileCase& file : cases) {
        SCOPED_TRACE(file.what);
        const std::optional<TextEncoding> encoding = DetectTextEncoding(file.bytes);
        ASSERT_EQ(encoding, file.encoding);
        if (encoding) {
            EXPECT_EQ(DecodeText(file.bytes, *encoding), file.units);
        }
    }
    // A file in no encoding reports its lines, by their line ends, as invalid.
    EXPECT_EQ(CountByteLines("A\t\xFF\r\nB\n\rC\r\n"), 4u);
    EXPECT_EQ(CountByteLines("\xFF"), 1u);
    EXPECT_EQ(CountByteLines(""), 0u);
}

TEST(TextEncoding, BytesThatDoNotDecodeSpoilExactlyTheirOwnLine) {
    const auto decoded = [](const std::string& bytes) { return DecodeText(bytes, TextEncoding::Utf8); };
    EXPECT_EQ(decoded(kUtf8Mark + "A\tx\xFFy\r\nB\ty\r\n"), u"\r\nB\ty\r\n");

    const std::string phrases = kUtf8Mark +
        "A\tone\n"
        "B\tt\xE4\xBAwo\r\n"                   // cut short
        "C\t" + kRen + "\r\n"
        "D\t\xC0\x80 \xED\xA0\x80 \xF4\x90\x80\x80\r\n"  // overlong, surrogate, above U+10FFFF
        "E\tx\r\xE4\xBA"                       // in place of the LF: spoils the next line only
        "F\ty\r\n"
        "\xBF\xBF\tz\r\n"                      // stray continuation bytes in the key
        "G\t" + kMin + "\r\n"
        "H\t\xFF";                             // a last line without line end counts too
    PhraseTable phraseTable;
    EXPECT_EQ(Parse(phraseTable, decoded(phrases)), 5u);
    EXPECT_EQ(KeysOf(phraseTable), (Strings{u"A", u"C", u"E", u"G"}));
    EXPECT_EQ(PhrasesOf(phraseTable), (Strings{u"one", u"\u4eba", u"x", u"\u6c11"}));

    const std::string tips = kUtf8Mark +
        kRen + "=" + kRen + kMin + "\n"
        "\xFF=x\n"                              // in the character
        "A=\xE6\xB0\n"                          // in the words
        "B=b";
    TipTable tipTable;
    EXPECT_EQ(Parse(tipTable, decoded(tips)), 2u);
    EXPECT_EQ(LinesOf(tipTable), (Strings{u"\u4eba=\u4eba\u6c11", u"B=b"}));

    // Big5 read as such although a line does not decode: only that line is lost.
    EXPECT_EQ(DecodeText("A\t\xA4\x40\nB\t\xA4\n", TextEncoding::Big5), u"A\t\u4e00\r\n\r\n");
}

}  // namespace
