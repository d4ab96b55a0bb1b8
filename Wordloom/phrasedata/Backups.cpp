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
    const std::u16string_view suffix = rest.substr(stampLength);
    if (!suffix.empty()) {
        if (suffix[0] != u'-' || !AllDigits(suffix.substr(1)) || suffix.size() > 10) return std::nullopt;
        order.sequence = 0;
        for (const char16_t digit : suffix.substr(1)) order.sequence = order.sequence * 10 + (digit - u'0');
    }
    return order;
}

}  // namespace

std::u16string BackupFileName(std::u16string_view valueName, const BackupTime& time, unsigned sequence) {
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
    name += u".dat";
    return name;
}

std::u16string NewBackupName(const std::vector<std::u16string>& names, std::u16string_view valueName,
                             const BackupTime& now) {
    const std::u16string plain = BackupFileName(valueName, now, 0);
    const std::u16string_view stamp = std::u16string_view(plain).substr(valueName.size() + 1, 15);
    unsigned long last = 0;
    for (const std::u16string& name : names) {
        const std::optional<BackupOrder> order = OrderOf(name, valueName);
        if (order && order->stamp == stamp) last = std::max(last, order->sequence);
    }
    return last == 0 ? plain : BackupFileName(valueName, now, static_cast<unsigned>(last + 1));
}

std::vector<std::u16string> BackupsBeyondNewest(const std::vector<std::u16string>& names,
                                                std::u16string_view valueName, std::size_t keep) {
    std::vector<std::pair<BackupOrder, const std::u16string*>> backups;
    for (const std::u16string& name : names) {
        if (const std::optional<BackupOrder> order = OrderOf(name, valueName)) backups.emplace_back(*order, &name);
    }
    std::sort(backups.begin(), backups.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::u16string> beyond;
    for (std::size_t index = 0; index + keep < backups.size(); ++index) beyond.push_back(*backups[index].second);
    return beyond;
}
