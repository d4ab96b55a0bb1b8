// Properties over many generated texts: the diagnostics agree with the import line for line,
// dropping invalid lines leaves exactly the entries the import reads, and the stored form goes
// to UTF-8 text and back unchanged.
#include "TestText.h"
#include "TextForms.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Units that matter to the parsers and the conversions, and a few ordinary ones.
std::u16string RandomText(std::mt19937& random, std::size_t length) {
    static const char16_t pieces[] = {u'\r', u'\n', u'\t', u'=', u',', u'A', u'q', u'Z', u';', u'/', u'1',
                                      u'\'', u' ', u'\0', u'\u4eba', u'\uFEFF', u'\xD840', u'\xDC00',
                                      u'\uFF21', u'\r', u'\n', u'\t', u'Y'};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) text += pieces[pick(random)];
    return text;
}

std::u16string RandomKey(std::mt19937& random) {
    static const char16_t keys[] = u"QAZWSXEDCRFVTGBYHNUJMIK,OL.P;/";
    std::uniform_int_distribution<std::size_t> length(1, 6);
    std::uniform_int_distribution<std::size_t> key(0, 29);
    std::u16string text;
    for (std::size_t n = length(random); n > 0; --n) text += keys[key(random)];
    return text;
}

// Printable characters of every UTF-8 length, as an editor would hold them.
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

// Per import line: whether the core's parser makes an entry of it.
std::vector<bool> ImportVerdicts(TableKind kind, std::u16string_view text) {
    std::vector<bool> verdicts;
    ForEachImportLine(text, [&](const ImportLine& line) {
        if (!line.terminated) return;
        // The line alone, with a CR LF of its own, is what the parser sees of it.
        const std::u16string alone = std::u16string(text.substr(line.start, line.end - line.start)) + u"\r\n";
        verdicts.push_back(ImportEntryCount(kind, alone) == 1);
    });
    return verdicts;
}

class Generated : public ::testing::TestWithParam<TableKind> {};

TEST_P(Generated, DiagnosticsAgreeWithTheImportLineForLine) {
    const TableKind kind = GetParam();
    std::mt19937 random(20240607);
    std::uniform_int_distribution<std::size_t> length(0, 80);
    for (int round = 0; round < 3000; ++round) {
        const std::u16string text = RandomText(random, length(random));
        const TextCheck check = CheckText(kind, text);
        ASSERT_EQ(check.invalidLines, ImportInvalidCount(kind, text)) << round;
        ASSERT_EQ(check.entries, ImportEntryCount(kind, text)) << round;

        const std::vector<bool> verdicts = ImportVerdicts(kind, text);
        std::size_t terminated = 0;
        for (const LineStatus& status : check.lines) {
            if (status.verdict == LineVerdict::Ignored) continue;
            ASSERT_LT(terminated, verdicts.size());
            ASSERT_EQ(status.verdict == LineVerdict::Entry, verdicts[terminated]) << round;
            ++terminated;
        }
        ASSERT_EQ(terminated, verdicts.size());
        for (const Finding& finding : check.findings) ASSERT_FALSE(finding.message.empty());
    }
}

TEST_P(Generated, KeepingTheEntryLinesKeepsExactlyTheImportsEntries) {
    const TableKind kind = GetParam();
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> length(0, 80);
    for (int round = 0; round < 3000; ++round) {
        const std::u16string text = RandomText(random, length(random));
        const TextCheck check = CheckText(kind, text, CheckScope::ImportOnly);
        std::u16string kept;
        std::size_t index = 0;
        ForEachImportLine(text, [&](const ImportLine& line) {
            if (check.lines[index++].verdict == LineVerdict::Entry) kept.append(text, line.start, line.next - line.start);
        });
        ASSERT_EQ(ImportInvalidCount(kind, kept), 0u) << round;
        ASSERT_EQ(ImportEntryCount(kind, kept), check.entries) << round;
        ASSERT_FALSE(CheckText(kind, kept).lastLineIgnored) << round;
    }
}

TEST_P(Generated, WritableTextGoesToUtf8AndBackUnchanged) {
    const TableKind kind = GetParam();
    std::mt19937 random(99);
    std::uniform_int_distribution<std::size_t> length(0, 60);
    int written = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::u16string text = RandomText(random, length(random));
        const TextCheck check = CheckText(kind, text, CheckScope::ImportOnly);
        if (check.linesNotWritableAsUtf8 > 0) continue;
        ++written;
        for (const Utf8Style style : {Utf8Style{false, false}, Utf8Style{true, false}, Utf8Style{false, true},
                                      Utf8Style{true, true}}) {
            const std::string utf8 = Utf8TextFromUnits(text, style);
            ASSERT_EQ(GuessTextForm(utf8).form, utf8.empty() ? TextForm::Stored : TextForm::Utf8) << round;
            const Utf8Reading back = ReadUtf8Text(utf8);
            ASSERT_TRUE(back.valid) << round;
            ASSERT_EQ(back.units, text) << round;
        }
    }
    EXPECT_GT(written, 500);
}

INSTANTIATE_TEST_SUITE_P(BothTables, Generated, ::testing::Values(TableKind::Phrases, TableKind::Tips),
                         [](const auto& info) { return info.param == TableKind::Phrases ? "Phrases" : "Tips"; });

TEST(RoundTrip, EveryExportedPhraseTableSurvivesUtf8Text) {
    std::mt19937 random(1);
    std::uniform_int_distribution<std::size_t> entries(0, 40);
    for (int round = 0; round < 500; ++round) {
        PhraseTable table;
        for (std::size_t n = entries(random); n > 0; --n) {
            PhraseEntry& entry = table.emplace_back();
            entry.inputKey = RandomKey(random);
            entry.phrase = RandomPhrase(random);
        }
        const std::u16string stored = FormatPhraseText(table, false);
        const std::string bytes = StoredBytesFromUnits(stored);
        ASSERT_EQ(GuessTextForm(bytes).form, TextForm::Stored);

        const TextCheck check = CheckText(TableKind::Phrases, stored);
        ASSERT_EQ(check.invalidLines, 0u);
        ASSERT_EQ(check.linesNotWritableAsUtf8, 0u);
        for (const bool crlf : {false, true}) {
            const std::string utf8 = Utf8TextFromUnits(UnitsFromStoredBytes(bytes), {false, crlf});
            ASSERT_EQ(StoredBytesFromUnits(ReadUtf8Text(utf8).units), bytes) << round;
        }
    }
}

TEST(RoundTrip, EveryExportedTipTableSurvivesUtf8Text) {
    std::mt19937 random(2);
    std::uniform_int_distribution<std::size_t> entries(0, 40);
    std::uniform_int_distribution<int> character(0x4e00, 0x9fff);
    for (int round = 0; round < 500; ++round) {
        TipTable table;
        for (std::size_t n = entries(random); n > 0; --n) {
            TipEntry& entry = table.emplace_back();
            entry.character.assign(1, static_cast<char16_t>(character(random)));
            entry.words = RandomPhrase(random);
        }
        const std::u16string stored = FormatTipsText(table, false);
        const std::string utf8 = Utf8TextFromUnits(stored, {true, false});
        ASSERT_EQ(ReadUtf8Text(utf8).units, stored) << round;
    }
}

TEST(RoundTrip, RandomUtf8IsReadOrRefusedLikeTheStrictDecoder) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::size_t> length(0, 24);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes;
        for (std::size_t n = length(random); n > 0; --n) bytes += static_cast<char>(byte(random) | (n % 3 == 0 ? 0x80 : 0));
        Utf8Error error;
        const bool valid = IsValidUtf8(bytes, error);
        const Utf8Reading reading = ReadUtf8Text(bytes);
        ASSERT_EQ(reading.valid, valid);
        if (!reading.valid) continue;
        std::string back;
        std::size_t bad = 0;
        std::u16string units = reading.units;
        ASSERT_TRUE(AppendUtf8FromUtf16(back, units, bad));
    }
}

}  // namespace
