// Sorting the phrase table by one of its three list columns, and searching either table from
// the list's focus anchor. The selection and focus stay in the list (ListSelection).
#pragma once

#include "ListSelection.h"
#include "PhraseTable.h"
#include "TipTable.h"

#include <array>
#include <cstdint>
#include <string_view>

class RowView;

// Phrase-list columns that sort (column 0 shows only the row icon).
enum PhraseColumn : int {
    PhraseColumnPhrase = 1,     // by phrase, unit by unit
    PhraseColumnVantixKey = 2,  // by input key in layout order
    PhraseColumnInputKey = 3,   // by input key, unit by unit
};

// Carried in the upper byte of an entry's flags while a sort reorders the table.
inline constexpr std::uint32_t WasSelectedMarker = 0xF0000000;
inline constexpr std::uint32_t WasFocusedMarker = 0x0F000000;

struct PhraseSortState {
    // Per column 1..3 (index 0 unused): 0 not sorted, 1 ascending, 2 descending.
    std::array<int, 4> columnSortState{};
    bool sortedByPhrase = false;
    bool sortedByVantixKey = false;
    bool sortedByInputKey = false;
    bool sortAscending = false;
    bool sortDescending = false;

    // The column the last sort used (1..3), or 0.
    int CurrentColumn() const;
};

// The unit with A-Z lowered; every other unit as it is.
inline char16_t FoldAsciiCase(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

// Equal text when the ASCII letters are compared in either case (other units as they are).
bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

// Sorts the table stably by a column's key; ties keep their order in both directions.
void StableSortPhrases(PhraseTable& table, int column, bool ascending);

// A click on a column header (or its ribbon command): flips the column's direction (first click
// ascending), makes it the current column, sorts and carries the list's selection and focus to
// the rows' new places. Returns false, changing nothing, for tables of fewer than 2 entries or a
// column other than 1..3. The caller then shows the arrows and redraws.
bool SortPhrasesByColumn(PhraseTable& table, PhraseSortState& state, int column,
                         ListSelection& list);
// The same for a list that shows only some rows: its selection is of the rows it shows, and the
// view follows the table's new order.
bool SortPhrasesByColumn(PhraseTable& table, PhraseSortState& state, int column,
                         ListSelection& list, RowView& view);

// Ascending / Descending: re-sorts by the current column in that direction. Returns false when
// there is no current column (nothing sorted).
bool SortPhrasesInDirection(PhraseTable& table, PhraseSortState& state, bool ascending,
                            ListSelection& list);
bool SortPhrasesInDirection(PhraseTable& table, PhraseSortState& state, bool ascending,
                            ListSelection& list, RowView& view);

// Find Next (markAll false) or Mark All over the phrase column, from the focus anchor, without
// wrapping. ASCII letters match either case; matchWhole compares the whole phrase. Returns
// whether a row was selected.
bool FindPhrase(const PhraseTable& table, std::u16string_view text, bool matchWhole,
                bool searchUp, bool markAll, ListSelection& list);
// Both searches go over the rows the list shows only, when given its view.
bool FindPhrase(const PhraseTable& table, const RowView& view, std::u16string_view text, bool matchWhole,
                bool searchUp, bool markAll, ListSelection& list);

// Find Next over the character column: a row matches when its character equals the text as a
// whole (ASCII letters in either case). Returns whether a matching row was found.
bool FindTip(const TipTable& table, std::u16string_view text, bool searchUp, ListSelection& list);
bool FindTip(const TipTable& table, const RowView& view, std::u16string_view text, bool searchUp,
             ListSelection& list);
