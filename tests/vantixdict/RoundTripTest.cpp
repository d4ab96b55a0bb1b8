// Properties over many generated files, in every form the import reads and with every kind of
// line end: the file reads as the import reads it, line for line; the diagnostics agree with
// the import's parsers; what convert writes reads back the same; every exported table survives
// UTF-8 text byte for byte.
#include "TestText.h"
#include "TextEncoding.h"
#include "TextForms.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// How a generated file is encoded.
enum class Encoding { Utf16Le, Utf16LeMarked, Utf16BeMarked, Utf8, Utf8Marked, Big5 };
constexpr Encoding AllEncodings[] = {Encoding::Utf16Le, Encoding::Utf16LeMarked, Encoding::Utf16BeMarked,
                                     Encoding::Utf8, Encoding::Utf8Marked, Encoding::Big5};

// A character of a generated line, and its bytes in Big5 (empty: none).
struct Piece {
    std::u16string units;
    std::string big5;
};

// What matters to the parsers and the conversions, and a few ordinary characters.
const Piece Pieces[] = {
    {u"\t", "\t"}, {u"=", "="}, {u",", ","}, {u"A", "A"}, {u"q", "q"}, {u"Z", "Z"}, {u";", ";"},
    {u"/", "/"}, {u"1", "1"}, {u"'", "'"}, {u" ", " "}, {u"\t", "\t"}, {u"Y", "Y"},
    {u"\u4eba", "\xA4\x48"}, {u"\u6c11", "\xA5\xC1"}, {u"\u8a5e", "\xB5\xFC"}, {u"\u5f59", "\xB7\x4A"},
    {u"\u529f", "\xA5\x5C"},  // its trail byte is "\"
    {u"\u7881", "\xF9\xD6"},  // in code page 950's additions to Big5
    {u"\U00020B9F", ""}, {u"\uFF21", ""}, {u"\uFEFF", ""},
    // Units only UTF-16 holds.
    {u"\xD840", ""}, {u"\xDC00", ""}, {std::u16string(1, u'\0'), ""}, {u"\uFFFE", ""}, {u"\uBBEF", ""},
};
constexpr std::size_t Utf16OnlyPieces = 5;

// How entries start, so that many lines are entries.
const Piece Starts[] = {{u"QA\t", "QA\t"}, {u"y\t", "y\t"}, {u"\u4eba=", "\xA4\x48="}, {u"A=", "A="}};

struct GeneratedLine {
    std::u16string units;    // as the import should read the line
    bool undecodable = false;
};

struct GeneratedFile {
    std::string bytes;
    std::optional<TextForm> from;  // what --from names, if anything
    TextForm form = TextForm::Stored;
    std::vector<GeneratedLine> lines;
};

bool IsUtf16(Encoding encoding) {
    return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16LeMarked || encoding == Encoding::Utf16BeMarked;
}

void AppendUnits(std::string& bytes, Encoding encoding, std::u16string_view units) {
    if (encoding == Encoding::Utf16BeMarked) {
        bytes += BigEndianBytesFromUnits(units).substr(2);
    } else if (IsUtf16(encoding)) {
        bytes += StoredBytesFromUnits(units);
    } else {
        bytes += Utf8TextFromUnits(units, {});
    }
}

// Lines of random characters, each ended by CR LF, LF or CR (the last one maybe by nothing), in
// the encoding; now and then a byte that does not decode in a UTF-8 or Big5 line.
GeneratedFile Generate(std::mt19937& random, Encoding encoding) {
    const bool big5 = encoding == Encoding::Big5;
    const std::size_t pieceCount = std::size(Pieces) - (IsUtf16(encoding) ? 0 : Utf16OnlyPieces);
    std::uniform_int_distribution<std::size_t> lineCount(0, 8);
    std::uniform_int_distribution<std::size_t> length(0, 10);
    std::uniform_int_distribution<std::size_t> pick(0, pieceCount - 1);
    std::uniform_int_distribution<int> percent(0, 99);

    GeneratedFile file;
    const bool mayBreak = encoding == Encoding::Utf8Marked || big5 || (encoding == Encoding::Utf8 && percent(random) < 30);
    std::string previousEnd;
    for (std::size_t n = lineCount(random); n > 0; --n) {
        GeneratedLine line;
        std::string bytes;
        if (percent(random) < 50) {
            const Piece& start = Starts[std::uniform_int_distribution<std::size_t>(0, std::size(Starts) - 1)(random)];
            if (big5) {
                bytes += start.big5;
            } else {
                AppendUnits(bytes, encoding, start.units);
            }
            line.units += start.units;
        }
        for (std::size_t k = length(random); k > 0; --k) {
            const Piece& piece = Pieces[pick(random)];
            if (big5 && piece.big5.empty()) continue;
            if (mayBreak && percent(random) < 3) {
                bytes += '\xFF';  // neither UTF-8 nor Big5
                line.undecodable = true;
            }
            if (big5) {
                bytes += piece.big5;
            } else {
                AppendUnits(bytes, encoding, piece.units);
            }
            line.units += piece.units;
        }
        // A CR, then an empty line ended by LF, would be one CR LF.
        static const char* const ends[] = {"\r\n", "\n", "\r", "\r\n", ""};
        std::string end = ends[std::uniform_int_distribution<int>(0, n == 1 ? 4 : 3)(random)];
        if (end.empty() && bytes.empty()) end = "\n";  // an empty last line is no line
        if (previousEnd == "\r" && bytes.empty() && end == "\n") end = "\r\n";
        previousEnd = end;
        if (IsUtf16(encoding)) {
            AppendUnits(bytes, encoding, std::u16string(end.begin(), end.end()));
        } else {
            bytes += end;
        }
        file.bytes += bytes;
        if (line.undecodable) line.units.clear();
        file.lines.push_back(std::move(line));
    }

    // Text without a mark of its own must not start like one.
    const bool marked = encoding == Encoding::Utf16LeMarked || encoding == Encoding::Utf16BeMarked ||
                        encoding == Encoding::Utf8Marked;
    if (!marked && EncodingByMark(file.bytes)) {
        std::string a;
        AppendUnits(a, encoding, u"A");
        file.bytes.insert(0, a);
        if (!file.lines[0].undecodable) file.lines[0].units = u"A" + file.lines[0].units;
    }
    bool broken = false;
    for (const GeneratedLine& line : file.lines) broken = broken || line.undecodable;
    switch (encoding) {
    case Encoding::Utf16Le:
        file.form = TextForm::Stored;
        // Text without a zero byte is read as UTF-16LE only with --from.
        if (file.bytes.find('\0') == std::string::npos) file.from = TextForm::Stored;
        break;
    case Encoding::Utf16LeMarked:
        file.form = TextForm::Stored;
        file.bytes.insert(0, "\xFF\xFE");
        break;
    case Encoding::Utf16BeMarked:
        file.form = TextForm::Utf16BigEndian;
        file.bytes.insert(0, "\xFE\xFF");
        break;
    case Encoding::Utf8:
        file.form = TextForm::Utf8;
        if (broken) file.from = TextForm::Utf8;
        break;
    case Encoding::Utf8Marked:
        file.form = TextForm::Utf8;
        file.bytes.insert(0, "\xEF\xBB\xBF");
        break;
    case Encoding::Big5:
        file.form = TextForm::Big5;
        // Text of ASCII alone is UTF-8, and so is every other form of it: only --from reads it as Big5.
        if (broken || IsUtf8(file.bytes)) file.from = TextForm::Big5;
        break;
    }
    return file;
}

// Per line: whether the core's parser makes an entry of it, alone with its CR LF.
std::vector<bool> ImportVerdicts(TableKind kind, std::u16string_view units) {
    std::vector<bool> verdicts;
    ForEachImportLine(units, [&](const ImportLine& line) {
        const std::u16string alone = std::u16string(units.substr(line.start, line.end - line.start)) + u"\r\n";
        verdicts.push_back(ImportEntryCount(kind, alone) == 1);
    });
    return verdicts;
}

std::uint64_t ImportStoredBytes(TableKind kind, std::u16string_view units) {
    if (kind == TableKind::Phrases) {
        PhraseTable table;
        ParsePhraseText(table, units.data(), units.size(), 0);
        return StoredFormBytes(table);
    }
    TipTable table;
    ParseTipsText(table, units.data(), units.size(), 0);
    return StoredFormBytes(table);
}

class Generated : public ::testing::TestWithParam<TableKind> {};

TEST_P(Generated, FilesInEveryFormReadAsTheImportReadsThemLineForLine) {
    const TableKind kind = GetParam();
    std::mt19937 random(20240607);
    std::size_t undecodedLines = 0;
    std::size_t entries = 0;
    for (int round = 0; round < 12000; ++round) {
        const Encoding encoding = AllEncodings[round % std::size(AllEncodings)];
        const GeneratedFile generated = Generate(random, encoding);
        SCOPED_TRACE(::testing::Message() << "round " << round << ": " << ::testing::PrintToString(generated.bytes));

        const std::optional<DecodedFile> file = DecodeFile(generated.bytes, generated.from);
        ASSERT_TRUE(file);
        ASSERT_EQ(file->form, generated.form);
        if (!generated.from) {
            // What the phrase tool's import parses.
            const std::optional<TextEncoding> detected = DetectTextEncoding(generated.bytes);
            ASSERT_TRUE(detected);
            ASSERT_EQ(file->units, DecodeText(generated.bytes, *detected));
        }

        const TextCheck check = CheckText(kind, file->units, file->undecoded);
        ASSERT_EQ(check.invalidLines, ImportInvalidCount(kind, file->units));
        ASSERT_EQ(check.entries, ImportEntryCount(kind, file->units));
        ASSERT_EQ(2 * check.entryUnits, ImportStoredBytes(kind, file->units));

        // The lines are those of the file as an editor shows them, numbered alike.
        const std::vector<bool> verdicts = ImportVerdicts(kind, file->units);
        ASSERT_EQ(check.lines.size(), generated.lines.size());
        ASSERT_EQ(verdicts.size(), generated.lines.size());
        std::size_t index = 0;
        ForEachImportLine(file->units, [&](const ImportLine& line) {
            const GeneratedLine& expected = generated.lines[index];
            const LineStatus& status = check.lines[index];
            ASSERT_EQ(file->units.substr(line.start, line.end - line.start), expected.units) << "line " << line.number;
            ASSERT_EQ(status.verdict == LineVerdict::Entry, verdicts[index]) << "line " << line.number;
            ASSERT_EQ(status.undecoded, expected.undecodable) << "line " << line.number;
            if (expected.undecodable) {
                ASSERT_TRUE(HasFinding(check, line.number, Severity::Invalid, "the import reads the line as empty"));
            }
            ++index;
        });
        undecodedLines += file->undecoded.size();
        entries += check.entries;
        for (const Finding& finding : check.findings) ASSERT_FALSE(finding.message.empty());
    }
    EXPECT_GT(undecodedLines, 500u);
    EXPECT_GT(entries, 5000u);
}

TEST_P(Generated, WhatConvertWritesReadsBackTheSame) {
    const TableKind kind = GetParam();
    std::mt19937 random(99);
    std::size_t written = 0;
    for (int round = 0; round < 12000; ++round) {
        const GeneratedFile generated = Generate(random, AllEncodings[round % std::size(AllEncodings)]);
        SCOPED_TRACE(::testing::Message() << "round " << round);
        const std::optional<DecodedFile> file = DecodeFile(generated.bytes, generated.from);
        ASSERT_TRUE(file);
        const TextCheck check = CheckText(kind, file->units, file->undecoded, CheckScope::ImportOnly);

        // The stored form holds every unit; after a mark where the units would start like one.
        std::string stored = StoredBytesFromUnits(file->units);
        if (StoredFormNeedsMark(file->units)) stored.insert(0, "\xFF\xFE");
        const std::optional<DecodedFile> storedBack = DecodeFile(stored);
        ASSERT_TRUE(storedBack);
        ASSERT_EQ(storedBack->form, file->units.empty() ? TextForm::Utf8 : TextForm::Stored);
        ASSERT_EQ(storedBack->units, file->units);

        if (check.linesNotWritableAsUtf8 > 0) continue;
        ++written;
        for (const LineEnd lineEnd : {LineEnd::Lf, LineEnd::CrLf, LineEnd::Cr}) {
            const bool mark = lineEnd == LineEnd::Cr || (!file->units.empty() && file->units[0] == u'\uFEFF');
            const std::string utf8 = Utf8TextFromUnits(file->units, {mark, lineEnd});
            const std::optional<DecodedFile> back = DecodeFile(utf8);
            ASSERT_TRUE(back);
            ASSERT_EQ(back->form, TextForm::Utf8);
            ASSERT_TRUE(back->undecoded.empty());
            ASSERT_EQ(back->units, file->units);
        }
    }
    EXPECT_GT(written, 5000u);
}

INSTANTIATE_TEST_SUITE_P(BothTables, Generated, ::testing::Values(TableKind::Phrases, TableKind::Tips),
                         [](const auto& info) { return info.param == TableKind::Phrases ? "Phrases" : "Tips"; });

// Keys of the 30 key characters and phrases of printable characters of every UTF-8 length, as
// the phrase tool exports them.
std::u16string RandomKey(std::mt19937& random) {
    static const char16_t keys[] = u"QAZWSXEDCRFVTGBYHNUJMIK,OL.P;/";
    std::uniform_int_distribution<std::size_t> length(1, 6);
    std::uniform_int_distribution<std::size_t> key(0, 29);
    std::u16string text;
    for (std::size_t n = length(random); n > 0; --n) text += keys[key(random)];
    return text;
}

std::u16string RandomPhrase(std::mt19937& random) {
    static const char16_t characters[] = u"ab Yz,.=\u00e9\u4eba\u6c11\u5b57\uFF21";
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(characters) - 2);
    std::uniform_int_distribution<int> rare(0, 20);
    std::u16string text;
    for (std::size_t n = length(random); n > 0; --n) {
        if (rare(random) == 0) {
            text += u"\U00020B9F";
        } else {
            text += characters[pick(random)];
        }
    }
    return text;
}

// Stored form -> UTF-8 text -> stored form, as convert goes both ways.
void ExpectSameBytesThroughUtf8(TableKind kind, const std::string& stored) {
    const std::optional<DecodedFile> file = DecodeFile(stored);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->form, stored.empty() ? TextForm::Utf8 : TextForm::Stored);
    const TextCheck check = CheckText(kind, file->units);
    ASSERT_EQ(check.invalidLines, 0u);
    ASSERT_EQ(check.linesNotWritableAsUtf8, 0u);
    for (const LineEnd lineEnd : {LineEnd::Lf, LineEnd::CrLf, LineEnd::Cr}) {
        const std::optional<DecodedFile> text = DecodeFile(Utf8TextFromUnits(file->units, {false, lineEnd}));
        ASSERT_TRUE(text);
        ASSERT_FALSE(StoredFormNeedsMark(text->units));
        ASSERT_EQ(StoredBytesFromUnits(text->units), stored);
    }
}

TEST(RoundTrip, EveryExportedTableSurvivesUtf8Text) {
    std::mt19937 random(1);
    std::uniform_int_distribution<std::size_t> entries(0, 40);
    std::uniform_int_distribution<int> character(0x4e00, 0x9fff);
    for (int round = 0; round < 500; ++round) {
        PhraseTable phrases;
        TipTable tips;
        for (std::size_t n = entries(random); n > 0; --n) {
            PhraseEntry& phrase = phrases.emplace_back();
            phrase.inputKey = RandomKey(random);
            phrase.phrase = RandomPhrase(random);
            TipEntry& tip = tips.emplace_back();
            tip.character.assign(1, static_cast<char16_t>(character(random)));
            tip.words = RandomPhrase(random);
            std::erase(tip.words, u'=');  // the last "=" ends the character
        }
        ExpectSameBytesThroughUtf8(TableKind::Phrases, StoredBytesFromUnits(FormatPhraseText(phrases, false)));
        ExpectSameBytesThroughUtf8(TableKind::Tips, StoredBytesFromUnits(FormatTipsText(tips, false)));
    }
}

}  // namespace
