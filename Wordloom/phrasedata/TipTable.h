// The associated-word table and its stored text form: per entry one character, "=", the words
// joined by ",", and CR LF, in UTF-16 little-endian without byte-order mark. The built-in
// dictionary, the registry value and the import and export files hold exactly this form.
#pragma once

#include "Outcomes.h"
#include "TableEntries.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Longest word the editor accepts; the parser does not check it.
inline constexpr std::size_t MaxTipWordLength = 8;

struct TipEntry {
    std::u16string words;      // joined by ",", kept exactly as read or entered
    std::u16string character;  // one UTF-16 unit
    std::uint32_t flags = 0;   // EntryDeleted only
    std::int32_t image = 0;
};

// An entry is stored as its character, "=", its words.
template <>
struct StoredLine<TipEntry> {
    static constexpr std::u16string TipEntry::*first = &TipEntry::character;
    static constexpr char16_t separator = u'=';
    static constexpr std::u16string TipEntry::*second = &TipEntry::words;
};

// Row i of the associated-word list is entry i; the table is never sorted.
using TipTable = std::vector<TipEntry>;

struct UserTips {
    TipTable table;
    bool tipsUnchanged = false;    // equals what the registry value holds
    bool tipsHaveDeleted = false;  // some entry may carry EntryDeleted

    bool HasUnsavedWork() const { return !tipsUnchanged || tipsHaveDeleted; }
};

// Appends one entry per valid line and returns the number of invalid lines. A line is valid
// when exactly one unit stands before its last "="; a last line not ended by CR is ignored.
std::size_t ParseTipsText(TipTable& table, const char16_t* units, std::size_t count,
                          std::int32_t normalImage);

// The tips text of the table, or with skipDeleted only of the entries not marked.
std::u16string FormatTipsText(const TipTable& table, bool skipDeleted);

// The import's effect once the file is read, as for phrases: the file's entries replace the
// table and both flags go false, unless the file has no valid line or their stored form would
// exceed MaxImportFileSize (then nothing changes).
ImportResult ReplaceTipsFromText(UserTips& tips, const char16_t* units, std::size_t count,
                                 std::int32_t normalImage);

// The editor's Add: appends an entry and marks the table changed. Refused (false, nothing
// changes) when the table's stored form would grow past MaxImportFileSize.
bool AddTip(UserTips& tips, std::u16string character, std::u16string words,
            std::int32_t normalImage);

// The editor's Modify: replaces the words of a row when they differ unit for unit (the table
// then counts as changed). Returns whether they changed; rows past the end are ignored.
bool ModifyTipWords(UserTips& tips, std::size_t row, std::u16string_view words);
