// The 30-key alphabet of the input method, its two notations and the layout order.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::size_t MaxInputKeyLength = 4;

// One key of the layout: the character typed on a QWERTY keyboard, its two-character label
// (column digit, then "^" upper row, "-" home row, "v" lower row) and its place in layout order.
struct KeyLabelRow {
    char16_t keyCharacter;
    char16_t label[2];
    int layoutPosition;  // 1..30
};

// The whole alphabet in layout order (row i has layout position i + 1).
extern const std::array<KeyLabelRow, 30> KeyLabelTable;

// True exactly for "A".."Z", ",", ".", "/" and ";" (case-sensitive).
bool IsKeyCharacter(char16_t c);

// The two-character key label of a key character; nothing for any other character.
std::optional<std::u16string_view> KeyLabelOf(char16_t c);

// Layout position 1..30 of a key character, 0 for any other character.
int LayoutPositionOf(char16_t c);

// Key labels of the characters in order, stopping at the first character without a label:
// success is a result exactly twice as long as the input key.
std::u16string ToVantixInputKey(std::u16string_view inputKey);

// 1 to MaxInputKeyLength key characters: what the phrase edit dialog accepts.
bool IsValidTypedKey(std::u16string_view inputKey);

// At least one key character and nothing else, any length: what stored text may hold.
bool IsValidStoredKey(std::u16string_view inputKey);

// Less-than of layout order on input keys; a key that is a prefix of another sorts first when
// ascending, last when descending; equal keys give false both ways.
bool CompareLayoutOrder(std::u16string_view a, std::u16string_view b, bool ascending);

// Stored keys may be written in lower case: maps "a".."z" to "A".."Z" and leaves every other unit.
void UpperCaseStoredKey(std::u16string& key);
