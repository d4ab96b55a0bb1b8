#include "RecentItems.h"

#include "AsciiCase.h"

#include <algorithm>

namespace {

RecentItems::iterator FindPath(RecentItems& items, std::u16string_view path) {
    return std::find_if(items.begin(), items.end(),
                        [&](const RecentItem& item) { return EqualsIgnoringAsciiCase(item.path, path); });
}

}  // namespace

void AddRecentItem(RecentItems& items, std::u16string_view path) {
    // ";" and "|" would split the stored value into other entries, a NUL would cut it short.
    if (path.empty() || path.find_first_of(std::u16string_view(u";|\0", 3)) != path.npos) return;
    bool pinned = false;
    if (const auto found = FindPath(items, path); found != items.end()) {
        pinned = found->pinned;
        items.erase(found);
    } else if (items.size() >= MaxRecentItems) {
        const auto lastUnpinned = std::find_if(items.rbegin(), items.rend(), [](const RecentItem& item) { return !item.pinned; });
        if (lastUnpinned == items.rend()) return;
        items.erase(std::next(lastUnpinned).base());
    }
    items.insert(items.begin(), RecentItem{std::u16string(path), pinned});
}

RecentItems RecentItemsFromStored(std::uint32_t type, const std::uint8_t* bytes, std::size_t size) {
    if ((type != StoredStringType && type != StoredExpandableStringType) || size <= 1) return {};
    const std::size_t count = size / 2;  // an odd last byte is not read
    std::u16string text(count, u'\0');
    for (std::size_t i = 0; i < count; ++i) text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    if (text.back() != u'\0') return {};
    text.resize(text.find(u'\0'));  // a string value ends at its first NUL

    RecentItems items;
    std::size_t pieces = 0;
    std::size_t start = 0;
    while (start < text.size() && pieces < MaxRecentItems) {
        const std::size_t end = std::min(text.find(u';', start), text.size());
        const std::u16string_view piece = std::u16string_view(text).substr(start, end - start);
        start = end + 1;
        if (piece.empty()) continue;
        ++pieces;
        const std::size_t bar = piece.find(u'|');
        if (bar == 0) continue;  // no path to open
        items.push_back({std::u16string(piece.substr(0, bar)), bar != piece.npos && piece.substr(bar) == u"|p"});
    }
    return items;
}

std::u16string StoredRecentItemsText(const RecentItems& items) {
    std::u16string text;
    for (const RecentItem& item : items) text += item.path + (item.pinned ? u"|p;" : u"|n;");
    return text;
}

std::vector<std::uint8_t> StoredRecentItemsBytes(const RecentItems& items) {
    const std::u16string text = StoredRecentItemsText(items);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 * (text.size() + 1));
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

std::u16string_view RecentItemDisplayName(std::u16string_view path) {
    const std::size_t slash = path.rfind(u'\\');
    return slash == path.npos ? path : path.substr(slash + 1);
}

bool SetRecentItemPinned(RecentItems& items, std::u16string_view path, bool pinned) {
    const auto found = FindPath(items, path);
    if (found == items.end()) return false;
    found->pinned = pinned;
    return true;
}
