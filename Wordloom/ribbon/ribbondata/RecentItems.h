// The recent-items list of the application menu, most recent first, and its registry value
// "UPTMRUList": for each entry the full path, "|p" (pinned) or "|n", then ";", as a
// NUL-terminated UTF-16LE string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t MaxRecentItems = 9;

// The registry value types the list may be stored as.
inline constexpr std::uint32_t StoredStringType = 1;          // REG_SZ
inline constexpr std::uint32_t StoredExpandableStringType = 2;  // REG_EXPAND_SZ

struct RecentItem {
    std::u16string path;  // as the file dialog gave it
    bool pinned = false;
};

using RecentItems = std::vector<RecentItem>;

// Puts a file just imported at the front. A path already listed (ignoring ASCII case) moves
// there with its pin, spelled as given now; a full list drops its last unpinned entry, and when
// every entry is pinned the path is not added. A path that the stored value cannot hold (empty,
// or with ";", "|" or NUL in it) is not added either.
void AddRecentItem(RecentItems& items, std::u16string_view path);

// The list read back from the stored value's type and bytes, at most 9 pieces of it; empty when
// they do not hold one. A piece with nothing before its "|" names no file and is left out.
RecentItems RecentItemsFromStored(std::uint32_t type, const std::uint8_t* bytes, std::size_t size);

// The stored text, without the terminating NUL.
std::u16string StoredRecentItemsText(const RecentItems& items);

// The bytes to write: the stored text and its NUL, little-endian, 2 x (characters + 1) bytes.
std::vector<std::uint8_t> StoredRecentItemsBytes(const RecentItems& items);

// What the menu shows: the part after the last backslash (empty if the path ends in one), or
// the whole path when it has none.
std::u16string_view RecentItemDisplayName(std::u16string_view path);

// Gives the first entry whose path equals the given one (ignoring ASCII case) the pin; false
// when no entry matches.
bool SetRecentItemPinned(RecentItems& items, std::u16string_view path, bool pinned);
