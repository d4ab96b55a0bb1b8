// What the phrase edit dialog decides as the user types, and what Insert and Modify do to the
// phrase table and the phrase list's sort state once the dialog hands its texts back.
#pragma once

#include "Ordering.h"
#include "PhraseTable.h"

#include <string>
#include <string_view>

// The three texts of one edited entry, as they go into the table.
struct EditedPhrase {
    std::u16string phrase;     // without CR, LF or TAB
    std::u16string vantixKey;  // ToVantixInputKey(inputKey)
    std::u16string inputKey;   // 1 to MaxInputKeyLength key characters
};

// The phrase field's text without its CR, LF and TAB units: what the table stores.
std::u16string PhraseWithoutBreaks(std::u16string_view fieldText);

// Whether some entry's phrase, marked ones included, equals the phrase with ASCII letters
// compared in either case.
bool TableHasPhrase(const PhraseTable& table, std::u16string_view phrase);

// The input key field: the last key it accepted and that key's Vantix input key.
struct InputKeyField {
    std::u16string inputKey;
    std::u16string vantixKey;
    // Whether inputKey may be put back after a refused keystroke. A key handed in that the
    // field could never accept (stored text allows five or more keys) is not put back: the
    // field would refuse it again and again.
    bool lastKeyValid = true;
};

// The field as it opens with a key: an acceptable key counts as accepted, any other key as
// nothing accepted yet.
InputKeyField OpenInputKeyField(std::u16string_view openingKey);

enum class KeyFieldVerdict {
    Cleared,   // the field is empty: so are inputKey and vantixKey
    Accepted,  // 1 to 4 key characters: they are the new inputKey
    Refused,   // the field must show inputKey again (empty when lastKeyValid was false)
};

// A change of the field's text to `text`.
KeyFieldVerdict TakeInputKeyText(InputKeyField& field, std::u16string_view text);

// Insert: appends the entry (flags 0, the normal icon), marks the table changed and forgets
// every sort indicator, since the new row sits at the end whatever the order was. Refused
// (false, nothing changes) when the table's stored form would grow past MaxImportFileSize, so
// that its export always imports again.
bool AppendEditedPhrase(UserPhrases& phrases, PhraseSortState& sort, const EditedPhrase& edited,
                        std::int32_t normalImage);

// Modify of entry `row`: marks the table changed even when nothing differs, and for each column
// whose text differs stores the new text and drops that column's sorted-by flag and direction
// (its columnSortState). The direction flags go when no column is sorted any more; flags and
// image stay. Returns the columns that changed, bit 1 << column for columns 1 to 3.
unsigned ReplaceEditedPhrase(UserPhrases& phrases, PhraseSortState& sort, std::size_t row,
                             const EditedPhrase& edited);

inline constexpr unsigned ColumnBit(int column) {
    return 1u << column;
}
