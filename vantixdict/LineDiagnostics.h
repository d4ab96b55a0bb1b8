// Line by line diagnostics of a phrase or associated-word text: which lines the import reads as
// entries, which it counts as invalid and why, and what it accepts although the phrase edit
// dialog or the associated-word editor would refuse it.
#pragma once

#include "ImportLines.h"
#include "InvalidLines.h"
#include "Outcomes.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class Severity {
    Invalid,  // the import counts the line as invalid and skips it
    Warning,  // the import reads the entry, but the editors would refuse it or it loses something
};

const char* SeverityName(Severity severity);  // "invalid", "warning"

struct Finding {
    std::size_t line = 0;  // 1-based; 0 for the text as a whole
    Severity severity = Severity::Warning;
    std::string message;
};

// A line of a file whose bytes did not all decode (UTF-8 or Big5): the import reads it as an
// empty line, which it counts as invalid.
struct UndecodedLine {
    std::size_t line = 0;  // 1-based
    std::string reason;    // what did not decode, and where
};

enum class LineVerdict : unsigned char { Entry, Invalid };

struct LineStatus {
    LineVerdict verdict = LineVerdict::Entry;
    bool undecoded = false;      // its bytes did not decode: the units hold an empty line instead
    bool writableAsUtf8 = true;  // UTF-8 text can hold the line as the file held it
};

struct TextCheck {
    TableKind kind = TableKind::Phrases;
    std::vector<LineStatus> lines;   // one per import line, in order
    std::vector<Finding> findings;   // in line order
    std::size_t entries = 0;         // what the import would read
    std::size_t invalidLines = 0;    // what the import would report as invalid
    std::size_t warnings = 0;
    std::size_t entryUnits = 0;      // the entries' units in the stored form, line ends included
    std::size_t linesNotWritableAsUtf8 = 0;
    std::size_t lowerCaseKeys = 0;   // entries whose input key the import raises to upper case

    // Figures of the entries for the statistics.
    std::vector<std::size_t> keyLengthCounts;  // phrases: [n] entries with an n-key input key
    std::vector<std::size_t> wordCountCounts;  // associated words: [n] entries with n words
    std::size_t longestLength = 0;  // units of the longest phrase or associated word
    std::size_t longestLine = 0;    // its line, 0 when there is no entry
};

enum class CheckScope {
    Everything,  // all findings
    ImportOnly,  // what the import does with each line: no warnings, no duplicate test
};

// Examines a whole text: the units the import parses, as DecodeText gives them (every line ended
// by CR LF), and the lines among them that did not decode, in order. Agrees with ParsePhraseText
// and ParseTipsText line by line: the same lines are entries, the same are invalid.
TextCheck CheckText(TableKind kind, std::u16string_view units, const std::vector<UndecodedLine>& undecoded,
                    CheckScope scope = CheckScope::Everything);
TextCheck CheckText(TableKind kind, std::u16string_view units, CheckScope scope = CheckScope::Everything);

// Why a line cannot be written as UTF-8 text unchanged (empty when it can): an unpaired
// surrogate, or U+0000, whose zero byte would make the import take the text for UTF-16.
std::string Utf8Obstacle(std::u16string_view units, const ImportLine& line);

// Why the import skips a line, in English: the rule in the core, with what the line holds.
std::string DescribeLineFault(const LineFault& fault, std::u16string_view line);
