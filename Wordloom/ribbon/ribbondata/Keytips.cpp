#include "Keytips.h"

#include "AsciiCase.h"

std::u16string QuickAccessKeytip(std::size_t index) {
    if (index < 9) return std::u16string(1, static_cast<char16_t>(u'1' + index));
    if (index < 18) return {u'0', static_cast<char16_t>(u'9' - (index - 9))};
    if (index < 18 + 26) return {u'0', static_cast<char16_t>(u'A' + (index - 18))};
    return {};
}

std::u16string MnemonicKeytip(std::u16string_view label) {
    for (std::size_t i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != u'&') continue;
        if (label[i + 1] == u'&') {
            ++i;  // a literal ampersand
            continue;
        }
        const char16_t c = label[i + 1];
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 2 < label.size();
        return pair ? std::u16string(label.substr(i + 1, 2)) : std::u16string(1, UpperAscii(c));
    }
    return {};
}

std::u16string WithoutMnemonic(std::u16string_view label) {
    std::u16string text;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == u'&' && i + 1 < label.size()) ++i;  // the mark goes, the unit after it stays
        text += label[i];
    }
    return text;
}

std::u16string KeytipShortcut(std::span<const std::u16string> keytips) {
    if (keytips.empty()) return {};
    std::u16string shortcut = u"Alt";
    for (const std::u16string& keytip : keytips) {
        if (keytip.empty()) return {};
        for (std::size_t i = 0; i < keytip.size(); ++i) {
            shortcut += u", ";
            shortcut += keytip[i];
            const bool pair = keytip[i] >= 0xD800 && keytip[i] <= 0xDBFF && i + 1 < keytip.size();
            if (pair) shortcut += keytip[++i];
        }
    }
    return shortcut;
}

KeytipMatchResult MatchKeytip(std::span<const std::u16string> keytips, std::u16string_view typed) {
    KeytipMatchResult result;
    for (std::size_t i = 0; i < keytips.size(); ++i) {
        const std::u16string_view keytip = keytips[i];
        if (keytip.empty()) continue;  // a control without a keytip cannot be picked by keys
        if (EqualsIgnoringAsciiCase(keytip, typed)) return {KeytipMatch::Exact, i};
        if (keytip.size() > typed.size() && EqualsIgnoringAsciiCase(keytip.substr(0, typed.size()), typed)) {
            result.match = KeytipMatch::Partial;
        }
    }
    return result;
}
