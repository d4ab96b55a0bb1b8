// Which rows of a table its list shows: every row, or while the user filters, the rows that
// hold the typed text, in the table's order. List rows are counted among the shown rows only;
// the table keeps every entry, and whatever acts on the whole table never looks here.
#pragma once

#include "Ordering.h"
#include "PhraseTable.h"
#include "TipTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A phrase holds the text when its phrase, input key or Vantix input key does; an associated-word
// entry when its character or its words do. The text has its ASCII letters lowered; so are the
// entry's units as they are compared.
bool EntryHoldsText(const PhraseEntry& entry, std::u16string_view foldedText);
bool EntryHoldsText(const TipEntry& entry, std::u16string_view foldedText);

class RowView {
public:
    bool Filtered() const { return filtered_; }
    // The text as typed, with its ASCII letters lowered.
    const std::u16string& FilterText() const { return filterText_; }

    std::size_t Size(std::size_t tableSize) const { return filtered_ ? rows_.size() : tableSize; }
    std::size_t TableRow(std::size_t listRow) const { return filtered_ ? rows_[listRow] : listRow; }
    // The list row that shows a table row, or -1 when the filter hides it.
    int ListRowOf(std::size_t tableRow) const;

    // An empty text shows every row. A text that holds the one before it can only keep fewer
    // rows, so only the rows shown now are looked at again.
    template <class Table>
    void Filter(const Table& table, std::u16string_view text);
    // The table changed under the filter (sorted, rows dropped): the rows are found anew.
    template <class Table>
    void Refresh(const Table& table);
    void ShowAll();

private:
    bool filtered_ = false;
    std::u16string filterText_;
    std::vector<std::uint32_t> rows_;  // ascending table rows
};

// The rows of the table that hold the folded text, in order: all of them, or only those among
// the ascending rows given.
std::vector<std::uint32_t> RowsHoldingText(const PhraseTable& table, std::u16string_view foldedText,
                                           const std::vector<std::uint32_t>* among);
std::vector<std::uint32_t> RowsHoldingText(const TipTable& table, std::u16string_view foldedText,
                                           const std::vector<std::uint32_t>* among);

template <class Table>
void RowView::Filter(const Table& table, std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& unit : folded) unit = FoldAsciiCase(unit);
    if (folded.empty()) return ShowAll();
    const bool narrows = filtered_ && folded.find(filterText_) != std::u16string::npos;
    rows_ = RowsHoldingText(table, folded, narrows ? &rows_ : nullptr);
    filterText_ = std::move(folded);
    filtered_ = true;
}

template <class Table>
void RowView::Refresh(const Table& table) {
    if (!filtered_) return;
    const std::u16string text = filterText_;
    ShowAll();
    Filter(table, text);
}

// Delete over the list: marks the entries of the selected rows it shows, as MarkSelectedDeleted
// does for a list of every row.
template <class Table>
bool MarkSelectedDeleted(Table& table, bool& haveDeleted, const ListSelection& list, const EntryImages& images,
                         const RowView& view) {
    const int shown = static_cast<int>(view.Size(table.size()));
    if (shown == 0 || list.NextSelected(-1) < 0) return false;
    haveDeleted = true;
    for (int row = list.NextSelected(-1); row >= 0 && row < shown; row = list.NextSelected(row)) {
        MarkEntryDeleted(table[view.TableRow(static_cast<std::size_t>(row))], images);
    }
    return true;
}

// Undelete over the list: brings back the marked entries it shows. Entries the filter hides keep
// their marks, and haveDeleted stays set while any entry is marked.
template <class Table>
bool UnmarkShownEntries(Table& table, bool& haveDeleted, const EntryImages& images, const RowView& view) {
    if (!view.Filtered()) return UnmarkAllEntries(table, haveDeleted, images);
    if (!haveDeleted) return false;
    bool unmarked = false;
    for (std::size_t row = 0; row < view.Size(table.size()); ++row) {
        auto& entry = table[view.TableRow(row)];
        if (entry.flags & EntryDeleted) {
            entry.flags &= ~EntryDeleted;
            entry.image = images.normalImage;
            unmarked = true;
        }
    }
    haveDeleted = std::any_of(table.begin(), table.end(), [](const auto& entry) { return (entry.flags & EntryDeleted) != 0; });
    return unmarked;
}
