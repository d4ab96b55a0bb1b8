// What the phrase table and the associated-word table have in common: the deleted mark, the
// row icon indices, and marking, unmarking and dropping entries.
#pragma once

#include "ListSelection.h"
#include "Outcomes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Flag bit of either entry kind: the entry is marked deleted until the next save drops it.
inline constexpr std::uint32_t EntryDeleted = 4;

// Files larger than this are refused by every import (exactly 4 MiB is accepted).
inline constexpr std::uint64_t MaxImportFileSize = 4194304;

// Both tables store an entry as one line: a first field, a separator, a second field and CR LF
// (input key TAB phrase; character "=" words), in UTF-16 little-endian. StoredLine<Entry>,
// beside each entry type, names its fields and separator.
template <class Entry>
struct StoredLine;

// The bytes one entry takes in the stored form.
template <class Entry>
std::uint64_t StoredLineBytes(const Entry& entry) {
    using Line = StoredLine<Entry>;
    return ((entry.*Line::first).size() + (entry.*Line::second).size() + 3) * sizeof(char16_t);
}

// The whole stored form of the entries not marked deleted, as Export writes it: what must stay
// within MaxImportFileSize for an export to import again.
template <class Entry>
std::uint64_t StoredFormBytes(const std::vector<Entry>& table) {
    std::uint64_t bytes = 0;
    for (const Entry& entry : table) {
        if ((entry.flags & EntryDeleted) == 0) bytes += StoredLineBytes(entry);
    }
    return bytes;
}

// The text form of the whole table, or with skipDeleted only of the entries not marked.
template <class Entry>
std::u16string FormatTableText(const std::vector<Entry>& table, bool skipDeleted) {
    using Line = StoredLine<Entry>;
    const auto included = [skipDeleted](const Entry& entry) {
        return !skipDeleted || (entry.flags & EntryDeleted) == 0;
    };
    std::size_t length = 0;
    for (const Entry& entry : table) {
        if (included(entry)) length += (entry.*Line::first).size() + (entry.*Line::second).size() + 3;
    }
    std::u16string text;
    text.reserve(length);
    for (const Entry& entry : table) {
        if (!included(entry)) continue;
        text += entry.*Line::first;
        text += Line::separator;
        text += entry.*Line::second;
        text += u'\r';
        text += u'\n';
    }
    return text;
}

// The end of an import: the text is parsed into a table of its own, whose entries replace the
// table only when there is at least one and their stored form fits. Then the table differs from
// the stored one and has no marked entry: both flags go false. Otherwise nothing changes.
template <class Table>
ImportResult ReplaceTableFromText(Table& table, bool& unchanged, bool& haveDeleted, const char16_t* units,
                                  std::size_t count, std::int32_t normalImage,
                                  std::size_t (*parse)(Table&, const char16_t*, std::size_t, std::int32_t)) {
    Table incoming;
    ImportResult result;
    result.invalidLines = parse(incoming, units, count, normalImage);
    if (incoming.empty()) {
        result.outcome = ImportOutcome::NothingRead;
    } else if (StoredFormBytes(incoming) > MaxImportFileSize) {
        result.outcome = ImportOutcome::TableTooLarge;
    } else {
        result.outcome = ImportOutcome::Imported;
        table.swap(incoming);
        unchanged = false;
        haveDeleted = false;
    }
    result.entries = table.size();
    return result;
}

// Indices of the two row icons in the lists' image list.
struct EntryImages {
    std::int32_t normalImage = 0;
    std::int32_t deletedImage = 1;
};

// Marks one entry deleted; an entry already marked is left alone.
template <class Entry>
void MarkEntryDeleted(Entry& entry, const EntryImages& images) {
    if ((entry.flags & EntryDeleted) == 0) {
        entry.flags |= EntryDeleted;
        entry.image = images.deletedImage;
    }
}

// Delete: marks the entries of the selected rows. Nothing happens (false) when the table is
// empty or no row is selected; otherwise haveDeleted is set even if every selected entry was
// marked already. Selected rows at or past the table's end are ignored.
template <class Table>
bool MarkSelectedDeleted(Table& table, bool& haveDeleted, const ListSelection& list,
                         const EntryImages& images) {
    if (table.empty() || list.NextSelected(-1) < 0) return false;
    haveDeleted = true;
    const int count = static_cast<int>(table.size());
    for (int row = list.NextSelected(-1); row >= 0 && row < count; row = list.NextSelected(row)) {
        MarkEntryDeleted(table[static_cast<std::size_t>(row)], images);
    }
    return true;
}

// Undelete: brings back every marked entry, selected or not. Nothing happens (false) unless
// haveDeleted is set.
template <class Table>
bool UnmarkAllEntries(Table& table, bool& haveDeleted, const EntryImages& images) {
    if (!haveDeleted) return false;
    for (auto& entry : table) {
        if (entry.flags & EntryDeleted) {
            entry.flags &= ~EntryDeleted;
            entry.image = images.normalImage;
        }
    }
    haveDeleted = false;
    return true;
}

template <class Table>
std::size_t CountMarkedEntries(const Table& table) {
    return static_cast<std::size_t>(std::count_if(table.begin(), table.end(), [](const auto& entry) {
        return (entry.flags & EntryDeleted) != 0;
    }));
}

// Removes the marked entries in one pass, keeping the order of the rest; returns how many went.
template <class Table>
std::size_t DropDeletedEntries(Table& table) {
    const auto kept = std::remove_if(table.begin(), table.end(), [](const auto& entry) {
        return (entry.flags & EntryDeleted) != 0;
    });
    const auto dropped = static_cast<std::size_t>(table.end() - kept);
    table.erase(kept, table.end());
    return dropped;
}
