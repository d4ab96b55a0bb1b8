#include "Backups.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace {

void AppendDigits(std::u16string& text, int value, int width) {
    std::u16string digits(static_cast<std::size_t>(width), u'0');
    for (int place = width - 1; place >= 0 && value > 0; --place, value /= 10) {
        digits[static_cast<std::size_t>(place)] = static_cast<char16_t>(u'0' + value % 10);
    }
    text += digits;
}

bool AllDigits(std::u16string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit >= u'0' && unit <= u'9'; });
}

// Where a backup sits in time: its stamp "YYYYMMDD-hhmmss" and its sequence within the second.
struct BackupOrder {
    std::u16string_view stamp;
    unsigned long sequence = 1;
    bool operator<(const BackupOrder& other) const {
        return std::tie(stamp, sequence) < std::tie(other.stamp, other.sequence);
    }
};

// "REG_SZ", "REG_MULTI_SZ" and so on: upper-case letters, digits and underscores after "REG_".
bool IsTypeName(std::u16string_view text) {
    return text.size() > 4 && text.substr(0, 4) == u"REG_" &&
           std::all_of(text.begin() + 4, text.end(), [](char16_t unit) {
               return (unit >= u'A' && unit <= u'Z') || (unit >= u'0' && unit <= u'9') || unit == u'_';
           });
}

// "<value>-YYYYMMDD-hhmmss[-sequence][-type].dat": where the name sits in time, or nothing when
// it is no backup of this value.
std::optional<BackupOrder> OrderOf(std::u16string_view name, std::u16string_view valueName) {
    constexpr std::u16string_view extension = u".dat";
    constexpr std::size_t stampLength = 15;  // YYYYMMDD-hhmmss
    if (name.size() < valueName.size() + 1 + stampLength + extension.size()) return std::nullopt;
    if (name.substr(0, valueName.size()) != valueName || name[valueName.size()] != u'-') return std::nullopt;
    if (name.substr(name.size() - extension.size()) != extension) return std::nullopt;
    const std::u16string_view rest = name.substr(valueName.size() + 1, name.size() - valueName.size() - 1 - extension.size());
    const std::u16string_view stamp = rest.substr(0, stampLength);
    if (!AllDigits(stamp.substr(0, 8)) || stamp[8] != u'-' || !AllDigits(stamp.substr(9))) return std::nullopt;
    BackupOrder order{stamp, 1};
    std::u16string_view suffix = rest.substr(stampLength);
    if (suffix.empty()) return order;
    if (suffix[0] != u'-') return std::nullopt;
    suffix.remove_prefix(1);
    const std::size_t dash = suffix.find(u'-');
    const std::u16string_view first = suffix.substr(0, dash);
    if (AllDigits(first) && first.size() <= 9) {
        order.sequence = 0;
        for (const char16_t digit : first) order.sequence = order.sequence * 10 + (digit - u'0');
        if (dash == std::u16string_view::npos) return order;
        suffix.remove_prefix(dash + 1);
    }
    return IsTypeName(suffix) ? std::optional<BackupOrder>(order) : std::nullopt;
}

}  // namespace

std::u16string BackupFileName(std::u16string_view valueName, const BackupTime& time, unsigned sequence,
                              std::u16string_view typeName) {
    std::u16string name(valueName);
    name += u'-';
    AppendDigits(name, time.year, 4);
    AppendDigits(name, time.month, 2);
    AppendDigits(name, time.day, 2);
    name += u'-';
    AppendDigits(name, time.hour, 2);
    AppendDigits(name, time.minute, 2);
    AppendDigits(name, time.second, 2);
    if (sequence > 1) {
        name += u'-';
        std::u16string digits;
        for (unsigned rest = sequence; rest > 0; rest /= 10) digits.insert(digits.begin(), static_cast<char16_t>(u'0' + rest % 10));
        name += digits;
    }
    if (!typeName.empty()) {
        name += u'-';
        name += typeName;
    }
    name += u".dat";
    return name;
}

std::u16string NewBackupName(const std::vector<std::u16string>& names, std::u16string_view valueName,
                             const BackupTime& now, std::u16string_view typeName) {
    const std::u16string plain = BackupFileName(valueName, now, 0);
    const std::u16string_view stamp = std::u16string_view(plain).substr(valueName.size() + 1, 15);
    unsigned long last = 0;
    for (const std::u16string& name : names) {
        const std::optional<BackupOrder> order = OrderOf(name, valueName);
        if (order && order->stamp == stamp) last = std::max(last, order->sequence);
    }
    return BackupFileName(valueName, now, last == 0 ? 0 : static_cast<unsigned>(last + 1), typeName);
}

std::vector<std::u16string> BackupsBeyondNewest(const std::vector<BackupFile>& files, std::u16string_view valueName,
                                                std::size_t keep, std::u16string_view justWritten) {
    // Newest first: by write time, then by the time and sequence in the name.
    std::vector<std::pair<BackupOrder, const BackupFile*>> backups;
    for (const BackupFile& file : files) {
        if (file.name == justWritten) continue;
        if (const std::optional<BackupOrder> order = OrderOf(file.name, valueName)) backups.emplace_back(*order, &file);
    }
    std::sort(backups.begin(), backups.end(), [](const auto& a, const auto& b) {
        if (a.second->writeTime != b.second->writeTime) return a.second->writeTime > b.second->writeTime;
        return b.first < a.first;
    });
    const std::size_t othersKept = justWritten.empty() ? keep : (keep > 0 ? keep - 1 : 0);
    std::vector<std::u16string> beyond;
    for (std::size_t index = othersKept; index < backups.size(); ++index) beyond.push_back(backups[index].second->name);
    return beyond;
}
