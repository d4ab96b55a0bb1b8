// Reading a file in every form the import reads, and writing the stored form and UTF-8 text.
#include "TextForms.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

struct FormCase {
    const char* name;
    std::string bytes;
    std::optional<TextForm> from;
    TextForm form;
    std::u16string units;
    bool byteOrderMark = false;
    LineEnd firstLineEnd = LineEnd::Lf;
    std::vector<std::size_t> undecodedLines = {};
};

TEST(TextForms, ReadsEveryFormAsTheImportReadsIt) {
    const std::string stored = StoredBytesFromUnits(u"YOEY\t\u8a5e\u5f59\r\nQ\t\u4eba\r\n");
    const FormCase cases[] = {
        {"as exported", stored, {}, TextForm::Stored, u"YOEY\t\u8a5e\u5f59\r\nQ\t\u4eba\r\n"},
        {"Notepad's Unicode: the mark is dropped", "\xFF\xFE" + stored, {}, TextForm::Stored,
         u"YOEY\t\u8a5e\u5f59\r\nQ\t\u4eba\r\n", true},
        {"UTF-16LE with LF, CR and no end", StoredBytesFromUnits(u"A\tx\nB\ty\rC\tz"), {}, TextForm::Stored,
         u"A\tx\r\nB\ty\r\nC\tz\r\n"},
        {"UTF-16BE with its mark", BigEndianBytesFromUnits(u"A\t\u4eba\nB\ty"), {}, TextForm::Utf16BigEndian,
         u"A\t\u4eba\r\nB\ty\r\n", true},
        {"UTF-8 with mark and LF", "\xEF\xBB\xBFq\t\xE4\xBA\xBA\nA\tb", {}, TextForm::Utf8, u"q\t\u4eba\r\nA\tb\r\n",
         true},
        {"UTF-8 with CR alone", "Q\tx\rA\ty\r", {}, TextForm::Utf8, u"Q\tx\r\nA\ty\r\n", false, LineEnd::Cr},
        {"UTF-8 with mixed line ends", "Q\tx\r\nA\ty\n\nZ\tz\r", {}, TextForm::Utf8,
         u"Q\tx\r\nA\ty\r\n\r\nZ\tz\r\n", false, LineEnd::CrLf},
        {"Big5", "YOEY\t\xB5\xFC\xB7\x4A\r\nQAZ\t\xF9\xD6\r\n", {}, TextForm::Big5,
         u"YOEY\t\u8a5e\u5f59\r\nQAZ\t\u7881\r\n", false, LineEnd::CrLf},
        {"empty", "", {}, TextForm::Utf8, u""},
        // Bytes that do not decode spoil their own line only, which the import reads as empty.
        {"UTF-8 with mark and a bad byte", "\xEF\xBB\xBFQ\tx\nA\t\xFFy\nZ\t\xE4\xBA\n", {}, TextForm::Utf8,
         u"Q\tx\r\n\r\n\r\n", true, LineEnd::Lf, {2, 3}},
        {"forced Big5", "A\t\xA4\x40\r\nB\t\xA4\r\n", TextForm::Big5, TextForm::Big5, u"A\t\u4e00\r\n\r\n", false,
         LineEnd::CrLf, {2}},
        {"forced UTF-8", "A\t\xA4\x40\r\nB\tok\r\n", TextForm::Utf8, TextForm::Utf8, u"\r\nB\tok\r\n", false,
         LineEnd::CrLf, {1}},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<DecodedFile> file = DecodeFile(c.bytes, c.from);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->form, c.form);
        EXPECT_EQ(file->units, c.units);
        EXPECT_EQ(file->byteOrderMark, c.byteOrderMark);
        EXPECT_EQ(file->firstLineEnd, c.firstLineEnd);
        std::vector<std::size_t> undecoded;
        for (const UndecodedLine& line : file->undecoded) undecoded.push_back(line.line);
        EXPECT_EQ(undecoded, c.undecodedLines);
        EXPECT_FALSE(file->oddLastByte);
        EXPECT_FALSE(file->zerosLikeBigEndian);
    }
}

TEST(TextForms, SaysWhatDidNotDecodeAndWhere) {
    const std::optional<DecodedFile> marked = DecodeFile("\xEF\xBB\xBFQ\tx\nA\t\xFFy\n");
    ASSERT_TRUE(marked);
    ASSERT_EQ(marked->undecoded.size(), 1u);
    EXPECT_EQ(marked->undecoded[0].reason,
              "bytes that are not UTF-8 (a byte that never occurs in UTF-8 at byte offset 9): the import reads "
              "the line as empty");

    // Bytes in no encoding: the import reads nothing.
    const std::string neither = "Q\tok\r\nA\t\xFF\xFF\r\n";
    EXPECT_FALSE(DecodeFile(neither));
    EXPECT_EQ(WhyNoEncoding(neither),
              "it is not UTF-8 (a byte that never occurs in UTF-8 at line 2, byte offset 8), not Big5 (code page "
              "950 does not decode line 2) and not UTF-16 (it has no zero byte)");
}

TEST(TextForms, NotesWhatUtf16TextLoses) {
    const std::optional<DecodedFile> odd = DecodeFile(StoredBytesFromUnits(u"A\tx\r\n") + "\x41");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->oddLastByte, 'A');
    EXPECT_EQ(odd->units, u"A\tx\r\n");

    // UTF-16BE without its mark reads as UTF-16LE, as the import reads it: one line of nonsense.
    const std::optional<DecodedFile> bigEndian = DecodeFile("\0A\0\t\0x\0\r\0\n"s);
    ASSERT_TRUE(bigEndian);
    EXPECT_EQ(bigEndian->form, TextForm::Stored);
    EXPECT_TRUE(bigEndian->zerosLikeBigEndian);
    EXPECT_EQ(bigEndian->units, u"\u4100\u0900\u7800\u0D00\u0A00\r\n");
}

TEST(TextForms, StoredBytesAreLittleEndianUnits) {
    EXPECT_EQ(StoredBytesFromUnits(u"A\u4eba"), "A\0\xBA\x4E"s);
    EXPECT_EQ(UnitsFromStoredBytes("A\0\xBA\x4E"s), u"A\u4eba");
    EXPECT_EQ(UnitsFromStoredBytes("A\0\xBA"s), u"A");  // the odd byte is ignored
    std::string scratch;
    const std::u16string units = u"Q\tx\r\n";
    EXPECT_EQ(StoredBytesOf(units, scratch), StoredBytesFromUnits(units));
}

TEST(TextForms, WritesUtf8TextInEveryStyleAndReadsItBack) {
    const std::u16string units = u"Q\t\u4eba\r\nA\t\U00020000\r\nZ\tend\r\n";
    EXPECT_EQ(Utf8TextFromUnits(units, {}), "Q\t\xE4\xBA\xBA\nA\t\xF0\xA0\x80\x80\nZ\tend\n");
    EXPECT_EQ(Utf8TextFromUnits(units, {true, LineEnd::CrLf}),
              "\xEF\xBB\xBFQ\t\xE4\xBA\xBA\r\nA\t\xF0\xA0\x80\x80\r\nZ\tend\r\n");
    EXPECT_EQ(Utf8TextFromUnits(units, {false, LineEnd::Cr}), "Q\t\xE4\xBA\xBA\rA\t\xF0\xA0\x80\x80\rZ\tend\r");
    EXPECT_EQ(Utf8TextFromUnits(u"", {true, LineEnd::Lf}), "\xEF\xBB\xBF");
    for (const LineEnd lineEnd : {LineEnd::Lf, LineEnd::CrLf, LineEnd::Cr}) {
        for (const bool mark : {false, true}) {
            const std::string text = Utf8TextFromUnits(units, {mark, lineEnd});
            const std::optional<DecodedFile> back = DecodeFile(text);
            ASSERT_TRUE(back);
            EXPECT_EQ(back->form, TextForm::Utf8);
            EXPECT_EQ(back->units, units);
            EXPECT_EQ(back->byteOrderMark, mark);
            EXPECT_EQ(back->firstLineEnd, lineEnd);
        }
    }
}

TEST(TextForms, LargeTextsAreWrittenInPiecesWithoutSplittingPairs) {
    std::u16string units;
    for (int i = 0; i < 40000; ++i) units += u"QA\t\U00020000\u4eba\r\n";
    const std::string text = Utf8TextFromUnits(units, {});
    EXPECT_EQ(text.size(), 40000u * (3 + 4 + 3 + 1));
    EXPECT_EQ(DecodeFile(text)->units, units);
}

}  // namespace
