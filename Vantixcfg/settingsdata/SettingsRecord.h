// The options of the input method that the settings tool edits: one 32-bit word as the input
// method reads it (from user.dat and from the registry value "UserSettings"), and the unpacked
// record the configure dialog edits while it is open.
//
// Bits of the word (bit 0 is the least significant; 1 = on):
//    0 promptAssociatedWords    1 spaceFinalizes          2 includeExtB        3 includeExtCD
//    4 enablePhraseInput        5 warningBeep             6 showReading
//    7 toggleWithAnyShift       8 toggleWithLeftShift     9 toggleWithRightShift
//   10 cueSpecialCode          11 defaultAlphanumeric
//   12 useBuiltInPhrases       13 useUserPhrases         14 useBothPhrases
//   15-17 keyboardLayout (0 QWERTY, 1 Dvorak, 2 Dvorak right hand, 3 Dvorak left hand)
//   18 includeExtE             19 includeExtF            20-21 candidateFontSize (0-2)
//   22-31 always written as 0 and ignored when read.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

using SettingsWord = std::uint32_t;

// Associated words on, space finalizes, beep, any SHIFT, built-in phrases; everything else off.
inline constexpr SettingsWord DefaultSettingsWord = 0x10A3;

// The unpacked word. The two numbers are the item indexes of the dialog's drop-down lists and
// keep whatever the word held, even an index the list does not have.
struct SettingsRecord {
    bool promptAssociatedWords = false;
    bool spaceFinalizes = false;
    bool includeExtB = false;
    bool includeExtCD = false;
    bool includeExtE = false;
    bool includeExtF = false;
    bool enablePhraseInput = false;
    bool warningBeep = false;
    bool showReading = false;
    bool toggleWithAnyShift = false;
    bool toggleWithLeftShift = false;
    bool toggleWithRightShift = false;
    bool cueSpecialCode = false;
    bool defaultAlphanumeric = false;
    bool useBuiltInPhrases = false;
    bool useUserPhrases = false;
    bool useBothPhrases = false;
    std::int32_t keyboardLayout = 0;     // 3 bits
    std::int32_t candidateFontSize = 0;  // 2 bits

    friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

SettingsRecord UnpackSettings(SettingsWord word);

// Only the bits of the layout above are set; the numbers are cut to their 3 and 2 bits.
SettingsWord PackSettings(const SettingsRecord& record);

inline SettingsRecord DefaultSettings() { return UnpackSettings(DefaultSettingsWord); }

// ---- The stored form: exactly four bytes, little-endian, nothing else ----

inline constexpr std::size_t StoredSettingsBytes = 4;

std::array<std::uint8_t, StoredSettingsBytes> StoredBytesOf(SettingsWord word);

// The word of the first four bytes; nothing when fewer than four were read.
std::optional<SettingsWord> WordFromStoredBytes(std::span<const std::uint8_t> bytes);
