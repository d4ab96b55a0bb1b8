#include "Ordering.h"

#include "InputKeys.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint32_t SortMarkers = WasSelectedMarker | WasFocusedMarker;

char16_t FoldAsciiCase(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

// Sorting pointers and moving each entry once is much cheaper than moving entries around.
template <class Less>
void StableSortBy(PhraseTable& table, Less less) {
    std::vector<PhraseEntry*> order;
    order.reserve(table.size());
    for (PhraseEntry& entry : table) order.push_back(&entry);
    std::stable_sort(order.begin(), order.end(),
                     [&less](const PhraseEntry* a, const PhraseEntry* b) { return less(*a, *b); });
    PhraseTable sorted;
    for (PhraseEntry* entry : order) sorted.push_back(std::move(*entry));
    table.swap(sorted);
}

// Whether a phrase matches the search text, both folded to lower case for A-Z only.
bool PhraseMatches(std::u16string_view phrase, std::u16string_view foldedText, bool matchWhole) {
    if (matchWhole && phrase.size() != foldedText.size()) return false;
    if (phrase.size() < foldedText.size()) return false;
    const std::size_t lastStart = phrase.size() - foldedText.size();
    for (std::size_t start = 0; start <= lastStart; ++start) {
        std::size_t i = 0;
        while (i < foldedText.size() && FoldAsciiCase(phrase[start + i]) == foldedText[i]) ++i;
        if (i == foldedText.size()) return true;
    }
    return false;
}

bool CharacterMatches(std::u16string_view character, std::u16string_view text) {
    if (character.size() != text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (FoldAsciiCase(character[i]) != FoldAsciiCase(text[i])) return false;
    }
    return true;
}

// The search anchor clamped to the table's rows.
int StartRow(const ListSelection& list, std::size_t rowCount) {
    const int last = static_cast<int>(rowCount) - 1;
    return std::clamp(list.FocusAnchor(), 0, last);
}

void SelectHit(ListSelection& list, int row) {
    list.SetSelected(row, true);
    list.SetFocused(row);
    list.EnsureVisible(row);
}

}  // namespace

int PhraseSortState::CurrentColumn() const {
    if (sortedByPhrase) return PhraseColumnPhrase;
    if (sortedByVantixKey) return PhraseColumnVantixKey;
    if (sortedByInputKey) return PhraseColumnInputKey;
    return 0;
}

void StableSortPhrases(PhraseTable& table, int column, bool ascending) {
    using E = const PhraseEntry&;
    switch (column) {
    case PhraseColumnPhrase:
        if (ascending) return StableSortBy(table, [](E a, E b) { return a.phrase < b.phrase; });
        return StableSortBy(table, [](E a, E b) { return b.phrase < a.phrase; });
    case PhraseColumnVantixKey:
        return StableSortBy(table, [ascending](E a, E b) {
            return CompareLayoutOrder(a.inputKey, b.inputKey, ascending);
        });
    case PhraseColumnInputKey:
        if (ascending) return StableSortBy(table, [](E a, E b) { return a.inputKey < b.inputKey; });
        return StableSortBy(table, [](E a, E b) { return b.inputKey < a.inputKey; });
    default:
        return;
    }
}

bool SortPhrasesByColumn(PhraseTable& table, PhraseSortState& state, int column,
                         ListSelection& list) {
    if (column < PhraseColumnPhrase || column > PhraseColumnInputKey || table.size() < 2) return false;

    int& direction = state.columnSortState[static_cast<std::size_t>(column)];
    direction = direction == 1 ? 2 : 1;
    for (int other = PhraseColumnPhrase; other <= PhraseColumnInputKey; ++other) {
        if (other != column) state.columnSortState[static_cast<std::size_t>(other)] = 0;
    }
    const bool ascending = direction == 1;
    state.sortAscending = ascending;
    state.sortDescending = !ascending;
    state.sortedByPhrase = column == PhraseColumnPhrase;
    state.sortedByVantixKey = column == PhraseColumnVantixKey;
    state.sortedByInputKey = column == PhraseColumnInputKey;

    // The selection belongs to rows, so it rides along on the entries while they move.
    const int rowCount = static_cast<int>(table.size());
    std::vector<int> selected;
    for (int row = list.NextSelected(-1); row >= 0; row = list.NextSelected(row)) selected.push_back(row);
    for (const int row : selected) {
        list.SetSelected(row, false);
        if (row < rowCount) table[static_cast<std::size_t>(row)].flags |= WasSelectedMarker;
    }
    const int focused = list.FocusAnchor();
    if (focused >= 0 && focused < rowCount) table[static_cast<std::size_t>(focused)].flags |= WasFocusedMarker;

    StableSortPhrases(table, column, ascending);

    for (int row = 0; row < rowCount; ++row) {
        PhraseEntry& entry = table[static_cast<std::size_t>(row)];
        if ((entry.flags & SortMarkers) == 0) continue;
        if (entry.flags & WasSelectedMarker) list.SetSelected(row, true);
        if (entry.flags & WasFocusedMarker) list.SetFocused(row);
        entry.flags &= ~SortMarkers;
    }
    return true;
}

bool SortPhrasesInDirection(PhraseTable& table, PhraseSortState& state, bool ascending,
                            ListSelection& list) {
    const int column = state.CurrentColumn();
    if (column == 0) return false;
    // Preset the opposite direction so that the column sort flips it to the one wanted.
    state.columnSortState[static_cast<std::size_t>(column)] = ascending ? 2 : 1;
    return SortPhrasesByColumn(table, state, column, list);
}

bool FindPhrase(const PhraseTable& table, std::u16string_view text, bool matchWhole,
                bool searchUp, bool markAll, ListSelection& list) {
    if (table.empty()) return false;
    std::u16string foldedText(text);
    for (char16_t& c : foldedText) c = FoldAsciiCase(c);
    auto matches = [&](int row) {
        return PhraseMatches(table[static_cast<std::size_t>(row)].phrase, foldedText, matchWhole);
    };

    const int anchor = StartRow(list, table.size());
    bool found = false;
    if (matches(anchor) && !list.IsSelected(anchor)) {
        SelectHit(list, anchor);
        found = true;
        if (!markAll) return true;
    } else {
        list.SetSelected(anchor, false);  // a selected hit is the previous one: move on from it
    }

    const int step = searchUp ? -1 : 1;
    const int rowCount = static_cast<int>(table.size());
    for (int row = anchor + step; row >= 0 && row < rowCount; row += step) {
        if (matches(row)) {
            SelectHit(list, row);
            found = true;
            if (!markAll) return true;
        } else {
            list.SetSelected(row, false);
        }
    }
    return found;
}

bool FindTip(const TipTable& table, std::u16string_view text, bool searchUp, ListSelection& list) {
    if (table.empty()) return false;
    auto matches = [&](int row) {
        return CharacterMatches(table[static_cast<std::size_t>(row)].character, text);
    };

    const int anchor = StartRow(list, table.size());
    if (matches(anchor)) {
        // A selected match stays where it is: the search does not move on from it.
        if (!list.IsSelected(anchor)) SelectHit(list, anchor);
        return true;
    }
    list.SetSelected(anchor, false);

    const int step = searchUp ? -1 : 1;
    const int rowCount = static_cast<int>(table.size());
    for (int row = anchor + step; row >= 0 && row < rowCount; row += step) {
        if (matches(row)) {
            SelectHit(list, row);
            return true;
        }
        list.SetSelected(row, false);
    }
    return false;
}
