#include "SettingsRecord.h"

namespace {

struct BooleanBit {
    bool SettingsRecord::*field;
    int bit;
};

constexpr BooleanBit BooleanBits[] = {
    {&SettingsRecord::promptAssociatedWords, 0},
    {&SettingsRecord::spaceFinalizes, 1},
    {&SettingsRecord::includeExtB, 2},
    {&SettingsRecord::includeExtCD, 3},
    {&SettingsRecord::enablePhraseInput, 4},
    {&SettingsRecord::warningBeep, 5},
    {&SettingsRecord::showReading, 6},
    {&SettingsRecord::toggleWithAnyShift, 7},
    {&SettingsRecord::toggleWithLeftShift, 8},
    {&SettingsRecord::toggleWithRightShift, 9},
    {&SettingsRecord::cueSpecialCode, 10},
    {&SettingsRecord::defaultAlphanumeric, 11},
    {&SettingsRecord::useBuiltInPhrases, 12},
    {&SettingsRecord::useUserPhrases, 13},
    {&SettingsRecord::useBothPhrases, 14},
    // Extensions E and F came later and sit above the keyboard layout, not beside B and C/D.
    {&SettingsRecord::includeExtE, 18},
    {&SettingsRecord::includeExtF, 19},
};

constexpr int KeyboardLayoutShift = 15;
constexpr SettingsWord KeyboardLayoutMask = 7;
constexpr int CandidateFontSizeShift = 20;
constexpr SettingsWord CandidateFontSizeMask = 3;

}  // namespace

SettingsRecord UnpackSettings(SettingsWord word) {
    SettingsRecord record;
    for (const BooleanBit& boolean : BooleanBits) {
        record.*boolean.field = ((word >> boolean.bit) & 1) != 0;
    }
    record.keyboardLayout = static_cast<std::int32_t>((word >> KeyboardLayoutShift) & KeyboardLayoutMask);
    record.candidateFontSize =
        static_cast<std::int32_t>((word >> CandidateFontSizeShift) & CandidateFontSizeMask);
    return record;
}

SettingsWord PackSettings(const SettingsRecord& record) {
    SettingsWord word = 0;
    for (const BooleanBit& boolean : BooleanBits) {
        if (record.*boolean.field) word |= SettingsWord{1} << boolean.bit;
    }
    word |= (static_cast<SettingsWord>(record.keyboardLayout) & KeyboardLayoutMask) << KeyboardLayoutShift;
    word |= (static_cast<SettingsWord>(record.candidateFontSize) & CandidateFontSizeMask)
            << CandidateFontSizeShift;
    return word;
}

std::array<std::uint8_t, StoredSettingsBytes> StoredBytesOf(SettingsWord word) {
    return {
        static_cast<std::uint8_t>(word & 0xFF),
        static_cast<std::uint8_t>((word >> 8) & 0xFF),
        static_cast<std::uint8_t>((word >> 16) & 0xFF),
        static_cast<std::uint8_t>((word >> 24) & 0xFF),
    };
}

std::optional<SettingsWord> WordFromStoredBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < StoredSettingsBytes) return std::nullopt;
    return SettingsWord{bytes[0]} | SettingsWord{bytes[1]} << 8 | SettingsWord{bytes[2]} << 16 |
           SettingsWord{bytes[3]} << 24;
}
