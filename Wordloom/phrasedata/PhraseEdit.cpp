#include "PhraseEdit.h"

#include "InputKeys.h"

#include <algorithm>

std::u16string PhraseWithoutBreaks(std::u16string_view fieldText) {
    std::u16string phrase;
    phrase.reserve(fieldText.size());
    for (const char16_t unit : fieldText) {
        if (unit != u'\r' && unit != u'\n' && unit != u'\t') phrase += unit;
    }
    return phrase;
}

bool TableHasPhrase(const PhraseTable& table, std::u16string_view phrase) {
    return std::any_of(table.begin(), table.end(),
                       [phrase](const PhraseEntry& entry) { return EqualIgnoringAsciiCase(entry.phrase, phrase); });
}

InputKeyField OpenInputKeyField(std::u16string_view openingKey) {
    InputKeyField field;
    if (!openingKey.empty() && !IsValidTypedKey(openingKey)) {
        field.lastKeyValid = false;
        return field;
    }
    field.inputKey = openingKey;
    field.vantixKey = ToVantixInputKey(openingKey);
    return field;
}

KeyFieldVerdict TakeInputKeyText(InputKeyField& field, std::u16string_view text) {
    if (text.empty()) {
        field.inputKey.clear();
        field.vantixKey.clear();
        return KeyFieldVerdict::Cleared;
    }
    if (!IsValidTypedKey(text)) {
        if (!field.lastKeyValid) {
            field.inputKey.clear();
            field.vantixKey.clear();
        }
        return KeyFieldVerdict::Refused;
    }
    field.lastKeyValid = true;
    field.inputKey = text;
    field.vantixKey = ToVantixInputKey(text);
    return KeyFieldVerdict::Accepted;
}

bool AppendEditedPhrase(UserPhrases& phrases, PhraseSortState& sort, const EditedPhrase& edited,
                        std::int32_t normalImage) {
    PhraseEntry entry;
    entry.phrase = edited.phrase;
    entry.vantixKey = edited.vantixKey;
    entry.inputKey = edited.inputKey;
    entry.image = normalImage;
    if (StoredFormBytes(phrases.table) + StoredLineBytes(entry) > MaxImportFileSize) return false;
    phrases.table.push_back(std::move(entry));
    phrases.phrasesUnchanged = false;
    sort = PhraseSortState{};
    return true;
}

unsigned ReplaceEditedPhrase(UserPhrases& phrases, PhraseSortState& sort, std::size_t row,
                             const EditedPhrase& edited) {
    phrases.phrasesUnchanged = false;
    if (row >= phrases.table.size()) return 0;
    PhraseEntry& entry = phrases.table[row];
    unsigned changed = 0;
    // A column that loses its arrow also forgets its direction: its next click sorts ascending,
    // as the missing arrow suggests.
    auto replace = [&changed, &sort](std::u16string& stored, const std::u16string& text, int column, bool& sortedBy) {
        if (stored == text) return;
        stored = text;
        sortedBy = false;
        sort.columnSortState[static_cast<std::size_t>(column)] = 0;
        changed |= ColumnBit(column);
    };
    replace(entry.phrase, edited.phrase, PhraseColumnPhrase, sort.sortedByPhrase);
    replace(entry.vantixKey, edited.vantixKey, PhraseColumnVantixKey, sort.sortedByVantixKey);
    replace(entry.inputKey, edited.inputKey, PhraseColumnInputKey, sort.sortedByInputKey);
    if (sort.CurrentColumn() == 0) sort.sortAscending = sort.sortDescending = false;
    return changed;
}
