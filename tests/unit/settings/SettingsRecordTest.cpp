// The settings word: its bit layout, defaults, packing and the four stored bytes.
#include "SettingsRecord.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct FieldBit {
    bool SettingsRecord::*field;
    int bit;
    const char* name;
};

const FieldBit AllBooleans[] = {
    {&SettingsRecord::promptAssociatedWords, 0, "promptAssociatedWords"},
    {&SettingsRecord::spaceFinalizes, 1, "spaceFinalizes"},
    {&SettingsRecord::includeExtB, 2, "includeExtB"},
    {&SettingsRecord::includeExtCD, 3, "includeExtCD"},
    {&SettingsRecord::enablePhraseInput, 4, "enablePhraseInput"},
    {&SettingsRecord::warningBeep, 5, "warningBeep"},
    {&SettingsRecord::showReading, 6, "showReading"},
    {&SettingsRecord::toggleWithAnyShift, 7, "toggleWithAnyShift"},
    {&SettingsRecord::toggleWithLeftShift, 8, "toggleWithLeftShift"},
    {&SettingsRecord::toggleWithRightShift, 9, "toggleWithRightShift"},
    {&SettingsRecord::cueSpecialCode, 10, "cueSpecialCode"},
    {&SettingsRecord::defaultAlphanumeric, 11, "defaultAlphanumeric"},
    {&SettingsRecord::useBuiltInPhrases, 12, "useBuiltInPhrases"},
    {&SettingsRecord::useUserPhrases, 13, "useUserPhrases"},
    {&SettingsRecord::useBothPhrases, 14, "useBothPhrases"},
    {&SettingsRecord::includeExtE, 18, "includeExtE"},
    {&SettingsRecord::includeExtF, 19, "includeExtF"},
};

int CountOn(const SettingsRecord& record) {
    int on = 0;
    for (const FieldBit& boolean : AllBooleans) on += record.*boolean.field ? 1 : 0;
    return on;
}

TEST(SettingsWord, DefaultsAreAssociatedWordsSpaceBeepAnyShiftAndBuiltInPhrases) {
    EXPECT_EQ(DefaultSettingsWord, 0x10A3u);
    const SettingsRecord defaults = DefaultSettings();
    EXPECT_TRUE(defaults.promptAssociatedWords);
    EXPECT_TRUE(defaults.spaceFinalizes);
    EXPECT_TRUE(defaults.warningBeep);
    EXPECT_TRUE(defaults.toggleWithAnyShift);
    EXPECT_TRUE(defaults.useBuiltInPhrases);
    EXPECT_EQ(CountOn(defaults), 5);
    EXPECT_EQ(defaults.keyboardLayout, 0);
    EXPECT_EQ(defaults.candidateFontSize, 0);
    EXPECT_EQ(PackSettings(defaults), 0x10A3u);
}

TEST(SettingsWord, EachBooleanOwnsExactlyItsBit) {
    for (const FieldBit& boolean : AllBooleans) {
        SCOPED_TRACE(boolean.name);
        const SettingsRecord unpacked = UnpackSettings(SettingsWord{1} << boolean.bit);
        EXPECT_TRUE(unpacked.*boolean.field);
        EXPECT_EQ(CountOn(unpacked), 1);
        EXPECT_EQ(unpacked.keyboardLayout, 0);
        EXPECT_EQ(unpacked.candidateFontSize, 0);

        SettingsRecord record;
        record.*boolean.field = true;
        EXPECT_EQ(PackSettings(record), SettingsWord{1} << boolean.bit);
    }
}

TEST(SettingsWord, ExtensionsEAndFLieAboveTheKeyboardLayout) {
    SettingsRecord record;
    record.includeExtE = true;
    record.includeExtF = true;
    EXPECT_EQ(PackSettings(record), 0xC0000u);
}

TEST(SettingsWord, KeyboardLayoutAndFontSizeAreNumbersInTheirBits) {
    for (int layout = 0; layout < 8; ++layout) {
        const SettingsRecord unpacked = UnpackSettings(static_cast<SettingsWord>(layout) << 15);
        EXPECT_EQ(unpacked.keyboardLayout, layout);
        EXPECT_EQ(CountOn(unpacked), 0);
    }
    for (int size = 0; size < 4; ++size) {
        EXPECT_EQ(UnpackSettings(static_cast<SettingsWord>(size) << 20).candidateFontSize, size);
    }
    SettingsRecord record;
    record.keyboardLayout = 3;
    record.candidateFontSize = 2;
    EXPECT_EQ(PackSettings(record), (3u << 15) | (2u << 20));
}

TEST(SettingsWord, LayoutFiveAndFontSizeThreeAreKept) {
    // Values the lists cannot show still go back as they came.
    const SettingsWord stored = DefaultSettingsWord | (5u << 15) | (3u << 20);
    const SettingsRecord record = UnpackSettings(stored);
    EXPECT_EQ(record.keyboardLayout, 5);
    EXPECT_EQ(record.candidateFontSize, 3);
    EXPECT_EQ(PackSettings(record), stored);
}

TEST(SettingsWord, NumbersAreCutToTheirBitsWhenPacked) {
    SettingsRecord record;
    record.keyboardLayout = 9;      // 0b1001: only 0b001 fits
    record.candidateFontSize = -1;  // all ones: 0b11
    EXPECT_EQ(PackSettings(record), (1u << 15) | (3u << 20));
}

TEST(SettingsWord, BitsAboveTwentyOneAreDropped) {
    EXPECT_EQ(PackSettings(UnpackSettings(0xFFC00000u)), 0u);
    EXPECT_EQ(PackSettings(UnpackSettings(0xFFFFFFFFu)), 0x003FFFFFu);
    EXPECT_EQ(PackSettings(UnpackSettings(0x801010A3u)), 0x001010A3u);
}

TEST(SettingsWord, SeveralBitsOfOneGroupAreKept) {
    const SettingsWord bothShifts = (1u << 8) | (1u << 9) | (1u << 12);
    EXPECT_EQ(PackSettings(UnpackSettings(bothShifts)), bothShifts);
    const SettingsWord noShiftAllSources = (1u << 12) | (1u << 13) | (1u << 14);
    EXPECT_EQ(PackSettings(UnpackSettings(noShiftAllSources)), noShiftAllSources);
}

TEST(SettingsWord, EveryWordSurvivesARoundTripOfItsUsedBits) {
    // A spread of words over all bit positions, including every single bit.
    std::vector<SettingsWord> words;
    for (int bit = 0; bit < 32; ++bit) words.push_back(SettingsWord{1} << bit);
    SettingsWord next = 0x12345678;
    for (int i = 0; i < 1000; ++i) {
        next = next * 1664525u + 1013904223u;
        words.push_back(next);
    }
    for (const SettingsWord word : words) {
        EXPECT_EQ(PackSettings(UnpackSettings(word)), word & 0x003FFFFFu) << std::hex << word;
    }
}

TEST(StoredSettings, FourBytesLittleEndian) {
    const auto bytes = StoredBytesOf(DefaultSettingsWord);
    EXPECT_EQ(bytes, (std::array<std::uint8_t, 4>{0xA3, 0x10, 0x00, 0x00}));
    EXPECT_EQ(StoredBytesOf(0x11223344u), (std::array<std::uint8_t, 4>{0x44, 0x33, 0x22, 0x11}));
}

TEST(StoredSettings, ReadsTheFirstFourBytesAndRefusesFewer) {
    const std::uint8_t eight[] = {0xA3, 0x10, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(WordFromStoredBytes(eight), std::optional<SettingsWord>(0x10A3u));
    const std::uint8_t four[] = {0x44, 0x33, 0x22, 0x11};
    EXPECT_EQ(WordFromStoredBytes(four), std::optional<SettingsWord>(0x11223344u));
    const std::uint8_t three[] = {0xA3, 0x10, 0x00};
    EXPECT_EQ(WordFromStoredBytes(three), std::nullopt);
    EXPECT_EQ(WordFromStoredBytes({}), std::nullopt);
}

}  // namespace
