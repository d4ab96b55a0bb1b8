// The phrase tool's report of invalid lines and vantixdict's check are one set of rules: over
// every golden fixture and every fuzz seed, read as an import file for either table, both find
// the same invalid lines, and as many as the import's own parse counts.
#include "FixtureSource.h"
#include "InvalidLines.h"
#include "LineDiagnostics.h"
#include "PhraseTable.h"
#include "TextForms.h"
#include "TipTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Every fixture made into its bytes, and every seed of every fuzz corpus as it is.
std::vector<std::pair<std::string, std::string>> SampleFiles() {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : fs::directory_iterator(VANTIX_FIXTURE_DIR)) {
        std::string error;
        const std::optional<std::string> bytes = FixtureBytes(ReadBytes(entry.path()), error);
        EXPECT_TRUE(bytes) << entry.path() << ": " << error;
        if (bytes) files.emplace_back(entry.path().filename().string(), *bytes);
    }
    for (const char* corpus : {VANTIX_FUZZ_CORPORA}) {
        for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
            if (entry.is_regular_file()) files.emplace_back(entry.path().string(), ReadBytes(entry.path()));
        }
    }
    return files;
}

// Where the line of that number starts in the units, as the import walks them.
std::size_t ImportLineStart(std::u16string_view units, std::size_t number) {
    std::size_t start = units.size();
    ForEachImportLine(units, [&](const ImportLine& line) {
        if (line.number == number) start = line.start;
    });
    return start;
}

std::size_t ParsedInvalidCount(TableKind kind, const std::u16string& units) {
    if (kind == TableKind::Phrases) {
        PhraseTable table;
        return ParsePhraseText(table, units.data(), units.size(), 0);
    }
    TipTable table;
    return ParseTipsText(table, units.data(), units.size(), 0);
}

TEST(InvalidLinesAgreement, CoreAndCheckAndParseFindTheSameLines) {
    const auto files = SampleFiles();
    ASSERT_GT(files.size(), 40u);
    std::size_t invalidSeen = 0;
    std::size_t undecodedSeen = 0;
    for (const auto& [name, bytes] : files) {
        for (const TableKind kind : {TableKind::Phrases, TableKind::Tips}) {
            SCOPED_TRACE(name + (kind == TableKind::Phrases ? " as phrases" : " as associated words"));
            const InvalidLineReport report = FindInvalidLines(kind, bytes);
            const std::optional<DecodedFile> file = DecodeFile(bytes);
            if (!file) {
                // In no encoding: every line of bytes, as the import's message counts them.
                ASSERT_EQ(report.lines.size(), CountByteLines(bytes));
                for (const InvalidLine& line : report.lines) EXPECT_EQ(line.fault.reason, InvalidReason::NoEncoding);
                continue;
            }
            const TextCheck check = CheckText(kind, file->units, file->undecoded, CheckScope::ImportOnly);
            std::vector<std::size_t> checked;
            for (const Finding& finding : check.findings) {
                if (finding.severity == Severity::Invalid) checked.push_back(finding.line);
            }
            std::vector<std::size_t> reported;
            for (const InvalidLine& line : report.lines) reported.push_back(line.number);
            EXPECT_EQ(reported, checked);
            EXPECT_EQ(report.lines.size(), ParsedInvalidCount(kind, file->units));

            // A line that did not decode is one for both, and the other lines are as read.
            std::size_t undecoded = 0;
            std::size_t finding = 0;
            for (const InvalidLine& line : report.lines) {
                while (finding < check.findings.size() && check.findings[finding].line != line.number) ++finding;
                ASSERT_LT(finding, check.findings.size());
                if (line.fault.reason == InvalidReason::NotDecoded) {
                    ASSERT_LT(undecoded, file->undecoded.size());
                    EXPECT_EQ(file->undecoded[undecoded++].line, line.number);
                } else {
                    const std::u16string_view text = report.TextOf(line);
                    EXPECT_EQ(text, std::u16string_view(file->units).substr(ImportLineStart(file->units, line.number), text.size()));
                    EXPECT_EQ(check.findings[finding].message, DescribeLineFault(line.fault, text));
                    EXPECT_EQ(LineFaultOf(kind, text), line.fault);
                }
                ++finding;
            }
            EXPECT_EQ(undecoded, file->undecoded.size());
            invalidSeen += report.lines.size();
            undecodedSeen += undecoded;
        }
    }
    // The samples hold both kinds of line, or the test would prove little.
    EXPECT_GT(invalidSeen, 100u);
    EXPECT_GT(undecodedSeen, 0u);
}

}  // namespace
