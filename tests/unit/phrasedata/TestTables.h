// Small builders and views of the two tables for the tests (the fuzz targets use them too).
#pragma once

#include "InputKeys.h"
#include "Ordering.h"
#include "PhraseTable.h"
#include "TipTable.h"

#include <string>
#include <string_view>
#include <vector>

inline constexpr std::int32_t kNormalImage = 7;  // distinct from a default-initialised image

inline PhraseEntry MakePhrase(std::u16string key, std::u16string phrase, std::uint32_t flags = 0) {
    PhraseEntry entry;
    entry.vantixKey = ToVantixInputKey(key);
    entry.inputKey = std::move(key);
    entry.phrase = std::move(phrase);
    entry.flags = flags;
    entry.image = kNormalImage;
    return entry;
}

// The sort state the list keeps after a sort by `column` (PhraseColumn) in one direction.
inline PhraseSortState SortedBy(int column, bool ascending) {
    PhraseSortState sort;
    sort.columnSortState[static_cast<std::size_t>(column)] = ascending ? 1 : 2;
    sort.sortedByPhrase = column == PhraseColumnPhrase;
    sort.sortedByVantixKey = column == PhraseColumnVantixKey;
    sort.sortedByInputKey = column == PhraseColumnInputKey;
    sort.sortAscending = ascending;
    sort.sortDescending = !ascending;
    return sort;
}

inline std::size_t Parse(PhraseTable& table, std::u16string_view text) {
    return ParsePhraseText(table, text.data(), text.size(), kNormalImage);
}

inline std::size_t Parse(TipTable& table, std::u16string_view text) {
    return ParseTipsText(table, text.data(), text.size(), kNormalImage);
}

inline std::vector<std::u16string> PhrasesOf(const PhraseTable& table) {
    std::vector<std::u16string> out;
    for (const auto& entry : table) out.push_back(entry.phrase);
    return out;
}

inline std::vector<std::u16string> KeysOf(const PhraseTable& table) {
    std::vector<std::u16string> out;
    for (const auto& entry : table) out.push_back(entry.inputKey);
    return out;
}

// "character=words" per entry, to compare tip tables at a glance.
inline std::vector<std::u16string> LinesOf(const TipTable& table) {
    std::vector<std::u16string> out;
    for (const auto& entry : table) out.push_back(entry.character + u"=" + entry.words);
    return out;
}

using Strings = std::vector<std::u16string>;

// UTF-16 text as the bytes of a file, low byte first (the stored form) or high byte first.
inline std::string LittleEndianBytes(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

inline std::string BigEndianBytes(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return bytes;
}
