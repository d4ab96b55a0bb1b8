// Keytips: the keys shown on the ribbon's controls after Alt, and how typed keys pick one.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// The keytip of the quick access toolbar's item at index (from 0): "1".."9", then "09".."01",
// then "0A".."0Z"; empty past those.
std::u16string QuickAccessKeytip(std::size_t index);

// The keytip a menu item takes from its label: the unit after a single "&", with ASCII letters
// upper-cased ("E&xit" gives "X", "匯入 (&I)" gives "I"); "&&" is a literal ampersand. Empty when
// the label has no mnemonic.
std::u16string MnemonicKeytip(std::u16string_view label);

// A label as it reads aloud, without its mnemonic mark: "E&xit" gives "Exit", "&&" one ampersand.
std::u16string WithoutMnemonic(std::u16string_view label);

// The keys that reach a command through keytips, as a screen reader says its shortcut: "Alt", then
// each key of each keytip on the way ({"H", "D"} gives "Alt, H, D"; {"09"} gives "Alt, 0, 9").
// Empty when a keytip on the way is empty: no keys reach the command.
std::u16string KeytipShortcut(std::span<const std::u16string> keytips);

enum class KeytipMatch {
    None,     // no keytip of the level starts with what was typed
    Partial,  // what was typed starts some keytips: wait for the next key
    Exact,    // what was typed is a keytip: index names the first one
};

struct KeytipMatchResult {
    KeytipMatch match = KeytipMatch::None;
    std::size_t index = 0;
};

// Matches the keys typed so far at one level against that level's keytips, ignoring ASCII case.
// An exact match wins over a longer keytip that it starts.
KeytipMatchResult MatchKeytip(std::span<const std::u16string> keytips, std::u16string_view typed);
