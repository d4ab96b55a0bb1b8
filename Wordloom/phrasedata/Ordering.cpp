#include "Ordering.h"

#include "InputKeys.h"
#include "RowView.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

constexpr std::uint32_t SortMarkers = WasSelectedMarker | WasFocusedMarker;

// One entry to sort: the first units of its key packed into a number (shorter keys padded with
// zeros, which sort first like a prefix does) and the entry itself. Most comparisons are then
// decided by the numbers, side by side in memory, without reading the entries.
struct SortItem {
    std::uint64_t prefix;
    PhraseEntry* entry;
};

std::uint64_t PackUnits(std::u16string_view text, int count, int bitsPerUnit) {
    std::uint64_t packed = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint64_t unit = static_cast<std::size_t>(i) < text.size() ? text[static_cast<std::size_t>(i)] : 0;
        packed = (packed << bitsPerUnit) | unit;
    }
    return packed;
}

std::uint64_t PackLayoutPositions(std::u16string_view inputKey) {
    std::uint64_t packed = 0;
    for (std::size_t i = 0; i < 12; ++i) {
        const int position = i < inputKey.size() ? LayoutPositionOf(inputKey[i]) : 0;
        packed = (packed << 5) | static_cast<std::uint64_t>(position);
    }
    return packed;
}

// A stable sort by (prefix, then the full comparison), ascending or descending. The entries are
// moved once into a buffer and once back; without room for the buffer the table is sorted where
// it stands, with the same order.
template <class Prefix, class Less>
void StableSortBy(PhraseTable& table, Prefix prefixOf, Less less, bool ascending) {
    auto before = [&](const PhraseEntry& a, const PhraseEntry& b) { return ascending ? less(a, b) : less(b, a); };
    try {
        std::vector<SortItem> items;
        items.reserve(table.size());
        for (PhraseEntry& entry : table) items.push_back(SortItem{prefixOf(entry), &entry});
        std::stable_sort(items.begin(), items.end(), [&](const SortItem& a, const SortItem& b) {
            if (a.prefix != b.prefix) return ascending ? a.prefix < b.prefix : a.prefix > b.prefix;
            return before(*a.entry, *b.entry);
        });
        std::vector<PhraseEntry> sorted;
        sorted.reserve(table.size());
        for (const SortItem& item : items) sorted.push_back(std::move(*item.entry));
        std::move(sorted.begin(), sorted.end(), table.begin());
    } catch (const std::bad_alloc&) {
        std::stable_sort(table.begin(), table.end(), before);
    }
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

bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
    }
    return true;
}

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
        return StableSortBy(
            table, [](E entry) { return PackUnits(entry.phrase, 4, 16); },
            [](E a, E b) { return a.phrase < b.phrase; }, ascending);
    case PhraseColumnVantixKey:
        return StableSortBy(
            table, [](E entry) { return PackLayoutPositions(entry.inputKey); },
            [](E a, E b) { return CompareLayoutOrder(a.inputKey, b.inputKey, true); }, ascending);
    case PhraseColumnInputKey:
        // Key characters are all below 0x80: eight bits hold one.
        return StableSortBy(
            table, [](E entry) { return PackUnits(entry.inputKey, 8, 8); },
            [](E a, E b) { return a.inputKey < b.inputKey; }, ascending);
    default:
        return;
    }
}

bool SortPhrasesByColumn(PhraseTable& table, PhraseSortState& state, int column,
                         ListSelection& list) {
    RowView everyRow;
    return SortPhrasesByColumn(table, state, column, list, everyRow);
}

bool SortPhrasesByColumn(PhraseTable& table, PhraseSortState& state, int column,
                         ListSelection& list, RowView& view) {
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
    const int rowCount = static_cast<int>(view.Size(table.size()));
    std::vector<int> selected;
    for (int row = list.NextSelected(-1); row >= 0; row = list.NextSelected(row)) selected.push_back(row);
    for (const int row : selected) {
        list.SetSelected(row, false);
        if (row < rowCount) table[view.TableRow(static_cast<std::size_t>(row))].flags |= WasSelectedMarker;
    }
    const int focused = list.FocusAnchor();
    if (focused >= 0 && focused < rowCount) table[view.TableRow(static_cast<std::size_t>(focused))].flags |= WasFocusedMarker;

    StableSortPhrases(table, column, ascending);
    view.Refresh(table);

    // Only shown rows carry markers, and the same rows are shown after the sort.
    for (int row = 0; row < rowCount; ++row) {
        PhraseEntry& entry = table[view.TableRow(static_cast<std::size_t>(row))];
        if ((entry.flags & SortMarkers) == 0) continue;
        if (entry.flags & WasSelectedMarker) list.SetSelected(row, true);
        if (entry.flags & WasFocusedMarker) list.SetFocused(row);
        entry.flags &= ~SortMarkers;
    }
    return true;
}

bool SortPhrasesInDirection(PhraseTable& table, PhraseSortState& state, bool ascending,
                            ListSelection& list) {
    RowView everyRow;
    return SortPhrasesInDirection(table, state, ascending, list, everyRow);
}

bool SortPhrasesInDirection(PhraseTable& table, PhraseSortState& state, bool ascending,
                            ListSelection& list, RowView& view) {
    const int column = state.CurrentColumn();
    if (column == 0) return false;
    // Preset the opposite direction so that the column sort flips it to the one wanted.
    state.columnSortState[static_cast<std::size_t>(column)] = ascending ? 2 : 1;
    return SortPhrasesByColumn(table, state, column, list, view);
}

bool FindPhrase(const PhraseTable& table, std::u16string_view text, bool matchWhole,
                bool searchUp, bool markAll, ListSelection& list) {
    return FindPhrase(table, RowView{}, text, matchWhole, searchUp, markAll, list);
}

bool FindPhrase(const PhraseTable& table, const RowView& view, std::u16string_view text, bool matchWhole,
                bool searchUp, bool markAll, ListSelection& list) {
    const std::size_t shown = view.Size(table.size());
    if (shown == 0) return false;
    std::u16string foldedText(text);
    for (char16_t& c : foldedText) c = FoldAsciiCase(c);
    auto matches = [&](int row) {
        return PhraseMatches(table[view.TableRow(static_cast<std::size_t>(row))].phrase, foldedText, matchWhole);
    };

    const int anchor = StartRow(list, shown);
    bool found = false;
    if (matches(anchor) && !list.IsSelected(anchor)) {
        SelectHit(list, anchor);
        found = true;
        if (!markAll) return true;
    } else {
        list.SetSelected(anchor, false);  // a selected hit is the previous one: move on from it
    }

    const int step = searchUp ? -1 : 1;
    const int rowCount = static_cast<int>(shown);
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
    return FindTip(table, RowView{}, text, searchUp, list);
}

bool FindTip(const TipTable& table, const RowView& view, std::u16string_view text, bool searchUp,
             ListSelection& list) {
    const std::size_t shown = view.Size(table.size());
    if (shown == 0) return false;
    auto matches = [&](int row) {
        return EqualIgnoringAsciiCase(table[view.TableRow(static_cast<std::size_t>(row))].character, text);
    };

    const int anchor = StartRow(list, shown);
    if (matches(anchor)) {
        // A selected match stays where it is: the search does not move on from it.
        if (!list.IsSelected(anchor)) SelectHit(list, anchor);
        return true;
    }
    list.SetSelected(anchor, false);

    const int step = searchUp ? -1 : 1;
    const int rowCount = static_cast<int>(shown);
    for (int row = anchor + step; row >= 0 && row < rowCount; row += step) {
        if (matches(row)) {
            SelectHit(list, row);
            return true;
        }
        list.SetSelected(row, false);
    }
    return false;
}
