// Telling the two forms apart, and turning each into the units the import parses and back.
#include "TextForms.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

std::optional<TextForm> FormOf(std::string_view bytes) {
    return GuessTextForm(bytes).form;
}

TEST(TextForms, TellsTheFormFromTheContent) {
    EXPECT_EQ(FormOf(""), TextForm::Stored);
    EXPECT_EQ(FormOf("\xEF\xBB\xBFY\tP\n"), TextForm::Utf8);
    EXPECT_EQ(FormOf("YOEY\tP\r\n"), TextForm::Utf8);
    EXPECT_EQ(FormOf("YOEY\t\xE4\xBA\xBA\n"), TextForm::Utf8);
    EXPECT_EQ(FormOf(StoredBytesFromUnits(u"YOEY\t\u4eba\r\n")), TextForm::Stored);
    EXPECT_EQ(FormOf("\xFF\xFE" + StoredBytesFromUnits(u"A\tx\r\n")), TextForm::Stored);
    EXPECT_EQ(FormOf(BigEndianBytesFromUnits(u"A\tx\r\n")), TextForm::Utf16BigEndian);
    EXPECT_EQ(FormOf(StoredBytesFromUnits(u"A\tx\r\n") + "\x41"), TextForm::Stored);  // odd length
}

TEST(TextForms, RefusesWhatItCannotTell) {
    // Big-endian without its mark, which the import would take for little-endian.
    const FormGuess bigEndian = GuessTextForm("\0A\0\t\0x\0\r\0\n"s);
    EXPECT_FALSE(bigEndian.form);
    EXPECT_NE(bigEndian.whyNot.find("big-endian without a byte-order mark"), std::string::npos);

    const FormGuess big5 = GuessTextForm("YOEY\t\xA4\x48\r\n");
    EXPECT_FALSE(big5.form);
    EXPECT_NE(big5.whyNot.find("line 1, byte offset 5"), std::string::npos);
    EXPECT_NE(big5.whyNot.find("none of the zero bytes"), std::string::npos);
}

TEST(TextForms, StoredBytesAreLittleEndianUnits) {
    EXPECT_EQ(StoredBytesFromUnits(u"A\u4eba"), "A\0\xBA\x4E"s);
    EXPECT_EQ(UnitsFromStoredBytes("A\0\xBA\x4E"s), u"A\u4eba");
    EXPECT_EQ(UnitsFromStoredBytes("A\0\xBA"s), u"A");  // the odd byte is ignored
    std::string scratch;
    const std::u16string units = u"Q\tx\r\n";
    EXPECT_EQ(StoredBytesOf(units, scratch), StoredBytesFromUnits(units));
}

TEST(TextForms, ReadsUtf8TextAsItWouldBeStored) {
    const Utf8Reading lf = ReadUtf8Text("\xEF\xBB\xBFQ\tx\nA\ty\n");
    ASSERT_TRUE(lf.valid);
    EXPECT_TRUE(lf.hadByteOrderMark);
    EXPECT_FALSE(lf.firstLineEndWasCrLf);
    EXPECT_EQ(lf.units, u"Q\tx\r\nA\ty\r\n");

    const Utf8Reading crlf = ReadUtf8Text("Q\tx\r\nA\ty\nZ\tz");
    EXPECT_FALSE(crlf.hadByteOrderMark);
    EXPECT_TRUE(crlf.firstLineEndWasCrLf);
    EXPECT_EQ(crlf.units, u"Q\tx\r\nA\ty\r\nZ\tz");

    // A lone CR stays: the import will then skip the unit after it, which check reports.
    EXPECT_EQ(ReadUtf8Text("Q\tx\rA\ty\r").units, u"Q\tx\rA\ty\r");
    EXPECT_EQ(ReadUtf8Text("\n\n").units, u"\r\n\r\n");
    EXPECT_EQ(ReadUtf8Text("\xF0\xA0\x80\x80\n").units, u"\U00020000\r\n");
}

TEST(TextForms, ReportsTheLineOfBadUtf8) {
    const Utf8Reading reading = ReadUtf8Text("\xEF\xBB\xBFQ\tx\nA\t\xFFy\n");
    EXPECT_FALSE(reading.valid);
    EXPECT_EQ(reading.errorLine, 2u);
    EXPECT_EQ(reading.error.offset, 9u);  // counted from the start of the file, mark included
    EXPECT_TRUE(reading.units.empty());
}

TEST(TextForms, WritesUtf8TextInEitherStyle) {
    const std::u16string units = u"Q\t\u4eba\r\nA\t\U00020000\r\nZ\tend";
    EXPECT_EQ(Utf8TextFromUnits(units, {}), "Q\t\xE4\xBA\xBA\nA\t\xF0\xA0\x80\x80\nZ\tend");
    EXPECT_EQ(Utf8TextFromUnits(units, {true, true}),
              "\xEF\xBB\xBFQ\t\xE4\xBA\xBA\r\nA\t\xF0\xA0\x80\x80\r\nZ\tend");
    EXPECT_EQ(Utf8TextFromUnits(u"", {true, false}), "\xEF\xBB\xBF");
    EXPECT_EQ(Utf8TextFromUnits(u"a\r", {}), "a\r");
}

TEST(TextForms, LargeTextsAreWrittenInPiecesWithoutSplittingPairs) {
    std::u16string units;
    for (int i = 0; i < 40000; ++i) units += u"QA\t\U00020000\u4eba\r\n";
    const std::string text = Utf8TextFromUnits(units, {});
    EXPECT_EQ(text.size(), 40000u * (3 + 4 + 3 + 1));
    EXPECT_EQ(ReadUtf8Text(text).units, units);
}

}  // namespace
