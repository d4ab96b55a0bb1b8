// Which lines of an import file the import skips, and why: the line rules of both tables, shared
// by the phrase tool's report of invalid lines and vantixdict's check. The parsers
// (ParsePhraseText, ParseTipsText) count exactly the lines these rules find.
#pragma once

#include "Outcomes.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class InvalidReason : unsigned char {
    NoEncoding,          // the file is in no encoding the import reads
    NotDecoded,          // bytes of the line do not decode: the import reads it as empty
    EmptyLine,
    // Phrase lines: an input key of key characters, TAB, the phrase.
    NoTab,
    EmptyKey,            // the line starts with TAB
    TabInKey,            // more than one TAB: the key is everything before the last one
    NotKeyCharacter,     // a unit of the key is none of the 30 key characters
    TwoUnitKeyCharacter, // a surrogate pair in the key
    // Associated-word lines: one character, "=", the words.
    NoEquals,
    NoCharacter,         // the line starts with "="
    EqualsInCharacter,   // more than one "=": the character is everything before the last one
    TwoUnitCharacter,    // a surrogate pair before "="
    LongCharacter,       // more than one unit before "="
};

struct LineFault {
    InvalidReason reason = InvalidReason::EmptyLine;
    std::size_t position = 0;  // NotKeyCharacter, TwoUnitKeyCharacter: the key unit's index
    friend bool operator==(const LineFault&, const LineFault&) = default;
};

// Why the import skips one line of decoded text (without its line end); nothing when it reads
// the line as an entry.
std::optional<LineFault> PhraseLineFault(std::u16string_view line);
std::optional<LineFault> TipLineFault(std::u16string_view line);
std::optional<LineFault> LineFaultOf(TableKind kind, std::u16string_view line);

// Whether the import takes a unit as a key character once lower-case letters are raised.
bool IsStoredKeyUnit(char16_t unit);

struct InvalidLine {
    std::size_t number = 0;  // 1-based line of the file
    LineFault fault;
    std::size_t start = 0;   // its text in the report's text
    std::size_t length = 0;
};

// The invalid lines of a file and their texts, all held in one text so that a file of 100,000
// invalid lines costs no more than one string.
struct InvalidLineReport {
    std::vector<InvalidLine> lines;  // in file order
    // The file's units as read, then the shown bytes of the lines that did not decode (each byte
    // that does not decode written as \xHH), and those of a file in no encoding.
    std::u16string text;

    std::u16string_view TextOf(const InvalidLine& line) const {
        return std::u16string_view(text).substr(line.start, line.length);
    }
};

// The invalid lines of an import file's bytes, as Import and Import and merge read them for the
// table: as many as the import counts, in file order. The file is read as a whole, so nothing
// depends on the table it goes into.
InvalidLineReport FindInvalidLines(TableKind kind, std::string_view bytes);

// A line for a reader: TAB as \t, other control characters, DEL, U+FEFF and unpaired surrogate
// halves as \uXXXX, so that nothing invisible hides in a report or splits a tab-separated copy.
std::u16string VisibleLineText(std::u16string_view line);
