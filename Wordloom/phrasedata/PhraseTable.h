// The user phrase table and its stored text form: per entry the input key, TAB, the phrase and
// CR LF, in UTF-16 little-endian without byte-order mark. The registry value and the import and
// export files hold exactly this form, and the input method reads it.
#pragma once

#include "Outcomes.h"
#include "TableEntries.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t MaxPhraseLength = 255;

struct PhraseEntry {
    std::u16string phrase;
    std::u16string vantixKey;  // ToVantixInputKey(inputKey)
    std::u16string inputKey;   // key characters only, upper case
    std::uint32_t flags = 0;   // EntryDeleted; bits 24-31 only while a sort runs
    std::int32_t image = 0;
};

// A phrase is stored as its input key, TAB, the phrase.
template <>
struct StoredLine<PhraseEntry> {
    static constexpr std::u16string PhraseEntry::*first = &PhraseEntry::inputKey;
    static constexpr char16_t separator = u'\t';
    static constexpr std::u16string PhraseEntry::*second = &PhraseEntry::phrase;
};

// Row i of the phrase list is entry i; entries are only appended at the back.
using PhraseTable = std::vector<PhraseEntry>;

// The table with the two flags the main window keeps beside it.
struct UserPhrases {
    PhraseTable table;
    bool phrasesUnchanged = false;    // equals what was last read from or written to the registry
    bool phrasesHaveDeleted = false;  // some entry may carry EntryDeleted

    bool HasUnsavedWork() const { return !phrasesUnchanged || phrasesHaveDeleted; }
};

// Appends the entry of one line as the parser reads it: the key raised ("a".."z" to "A".."Z") and
// labelled, the phrase as it stands. Returns false, appending nothing, when the key is empty or
// holds a unit that is not a key character once raised.
bool AppendPhraseLine(PhraseTable& table, std::u16string_view key, std::u16string_view phrase,
                      std::int32_t normalImage);

// Appends one entry per valid line and returns the number of invalid lines. A last line not
// ended by CR is neither read nor counted; the unit after each CR is skipped unexamined.
std::size_t ParsePhraseText(PhraseTable& table, const char16_t* units, std::size_t count,
                            std::int32_t normalImage);

// The text form of the whole table, or with skipDeleted only of the entries not marked.
std::u16string FormatPhraseText(const PhraseTable& table, bool skipDeleted);

// What an import does to the table once the file is read. When the text has a valid line and
// the stored form of its entries fits within MaxImportFileSize, they replace the table (nothing
// is merged) and both flags go false. Otherwise (NothingRead, TableTooLarge) nothing changes.
ImportResult ReplacePhrasesFromText(UserPhrases& phrases, const char16_t* units, std::size_t count,
                                    std::int32_t normalImage);
