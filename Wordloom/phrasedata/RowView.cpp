#include "RowView.h"

#include "InputKeys.h"

#include <algorithm>

namespace {

// Whether the text holds the folded text, its own ASCII letters lowered as they are compared.
bool HoldsFolded(std::u16string_view text, std::u16string_view folded) {
    if (folded.size() > text.size()) return false;
    const char16_t first = folded[0];
    const std::size_t lastStart = text.size() - folded.size();
    for (std::size_t start = 0; start <= lastStart; ++start) {
        if (FoldAsciiCase(text[start]) != first) continue;
        std::size_t i = 1;
        while (i < folded.size() && FoldAsciiCase(text[start + i]) == folded[i]) ++i;
        if (i == folded.size()) return true;
    }
    return false;
}

// Which fields of a phrase can hold the text at all: an input key holds key characters only
// (the letters raised), its Vantix input key their labels, digits with "^", "-" and "v".
struct PhraseFields {
    bool inputKey = true;
    bool vantixKey = true;
};

PhraseFields FieldsThatMayHold(std::u16string_view folded) {
    PhraseFields fields;
    for (const char16_t unit : folded) {
        const bool letter = unit >= u'a' && unit <= u'z';
        if (!letter && !IsKeyCharacter(unit)) fields.inputKey = false;
        if (!(unit >= u'0' && unit <= u'9') && unit != u'^' && unit != u'-' && unit != u'v') fields.vantixKey = false;
    }
    return fields;
}

template <class Table, class Holds>
std::vector<std::uint32_t> RowsWhere(const Table& table, const std::vector<std::uint32_t>* among, Holds holds) {
    std::vector<std::uint32_t> kept;
    if (among) {
        for (const std::uint32_t row : *among) {
            if (row < table.size() && holds(table[row])) kept.push_back(row);
        }
    } else {
        for (std::size_t row = 0; row < table.size(); ++row) {
            if (holds(table[row])) kept.push_back(static_cast<std::uint32_t>(row));
        }
    }
    return kept;
}

}  // namespace

std::vector<std::uint32_t> RowsHoldingText(const PhraseTable& table, std::u16string_view foldedText,
                                           const std::vector<std::uint32_t>* among) {
    const PhraseFields fields = FieldsThatMayHold(foldedText);
    return RowsWhere(table, among, [&](const PhraseEntry& entry) {
        return HoldsFolded(entry.phrase, foldedText) || (fields.inputKey && HoldsFolded(entry.inputKey, foldedText)) ||
               (fields.vantixKey && HoldsFolded(entry.vantixKey, foldedText));
    });
}

std::vector<std::uint32_t> RowsHoldingText(const TipTable& table, std::u16string_view foldedText,
                                           const std::vector<std::uint32_t>* among) {
    return RowsWhere(table, among, [&](const TipEntry& entry) { return EntryHoldsText(entry, foldedText); });
}

bool EntryHoldsText(const PhraseEntry& entry, std::u16string_view foldedText) {
    return HoldsFolded(entry.phrase, foldedText) || HoldsFolded(entry.inputKey, foldedText) ||
           HoldsFolded(entry.vantixKey, foldedText);
}

bool EntryHoldsText(const TipEntry& entry, std::u16string_view foldedText) {
    // The words are joined by commas: a text without one is held by a word when the joined
    // words hold it, and a text with one is held by no word.
    const bool wordsMayHold = foldedText.find(u',') == std::u16string_view::npos;
    return HoldsFolded(entry.character, foldedText) || (wordsMayHold && HoldsFolded(entry.words, foldedText));
}

int RowView::ListRowOf(std::size_t tableRow) const {
    if (!filtered_) return static_cast<int>(tableRow);
    const auto at = std::lower_bound(rows_.begin(), rows_.end(), tableRow);
    if (at == rows_.end() || *at != tableRow) return -1;
    return static_cast<int>(at - rows_.begin());
}

void RowView::ShowAll() {
    filtered_ = false;
    filterText_.clear();
    rows_.clear();
    rows_.shrink_to_fit();
}
