// The key alphabet, its labels, key validity and layout order.
#include "InputKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The whole alphabet in layout order and the labels that name those keys.
constexpr std::u16string_view kLayoutOrder = u"QAZWSXEDCRFVTGBYHNUJMIK,OL.P;/";
constexpr std::u16string_view kLayoutLabels =
    u"1^1-1v2^2-2v3^3-3v4^4-4v5^5-5v6^6-6v7^7-7v8^8-8v9^9-9v0^0-0v";

TEST(InputKeys, AlphabetIsUpperCaseLettersAndFourMarks) {
    int count = 0;
    for (char16_t c = 0; c < 0x100; ++c) {
        const bool expected = (c >= u'A' && c <= u'Z') || c == u',' || c == u'.' ||
                              c == u'/' || c == u';';
        EXPECT_EQ(IsKeyCharacter(c), expected) << "unit " << int(c);
        EXPECT_EQ(KeyLabelOf(c).has_value(), expected) << "unit " << int(c);
        count += expected;
    }
    EXPECT_EQ(count, 30);
    EXPECT_FALSE(IsKeyCharacter(u'\uFF21'));  // full-width A
}

TEST(InputKeys, LabelsAndPositionsFollowTheLayout) {
    ASSERT_EQ(ToVantixInputKey(kLayoutOrder), kLayoutLabels);
    for (std::size_t i = 0; i < kLayoutOrder.size(); ++i) {
        const char16_t c = kLayoutOrder[i];
        EXPECT_EQ(LayoutPositionOf(c), int(i) + 1);
        EXPECT_EQ(KeyLabelOf(c), kLayoutLabels.substr(2 * i, 2));
        EXPECT_EQ(KeyLabelTable[i].keyCharacter, c);
        EXPECT_EQ(KeyLabelTable[i].layoutPosition, int(i) + 1);
    }
    EXPECT_EQ(LayoutPositionOf(u'a'), 0);
    EXPECT_EQ(ToVantixInputKey(u"YOEY"), u"6^9^3^6^");
    EXPECT_EQ(ToVantixInputKey(u",;/."), u"8v0-0v9v");
}

TEST(InputKeys, ConversionStopsAtFirstCharacterWithoutLabel) {
    EXPECT_EQ(ToVantixInputKey(u""), u"");
    EXPECT_EQ(ToVantixInputKey(u"AB1"), u"1-5v");
    EXPECT_EQ(ToVantixInputKey(u"A'"), u"1-");
    EXPECT_EQ(ToVantixInputKey(u"A1B"), u"1-");  // nothing after the stop
    EXPECT_EQ(ToVantixInputKey(u"yoey"), u"");
}

TEST(InputKeys, TypedKeysHoldOneToFourKeyCharactersStoredKeysAnyNumber) {
    for (std::u16string key : {u"Q", u"YOEY", u",./;"}) {
        EXPECT_TRUE(IsValidTypedKey(key) && IsValidStoredKey(key)) << testing::PrintToString(key);
    }
    for (std::u16string key : {u"ABCDE", u"QAZWSXEDCRFV"}) {
        EXPECT_FALSE(IsValidTypedKey(key)) << testing::PrintToString(key);
        EXPECT_TRUE(IsValidStoredKey(key)) << testing::PrintToString(key);
    }
    for (std::u16string key : {u"", u"yoey", u"AB1", u"A'", u"A B", u"YOEY'", u"\uFEFFA"}) {
        EXPECT_FALSE(IsValidTypedKey(key) || IsValidStoredKey(key)) << testing::PrintToString(key);
    }
}

TEST(InputKeys, UpperCasingTouchesOnlyAsciiLetters) {
    std::u16string key = u"yoey,azAZ`{@[\u00e9\uff41";
    UpperCaseStoredKey(key);
    EXPECT_EQ(key, u"YOEY,AZAZ`{@[\u00e9\uff41");
}

std::vector<std::u16string> SortedByLayout(std::vector<std::u16string> keys, bool ascending) {
    std::stable_sort(keys.begin(), keys.end(), [ascending](const auto& a, const auto& b) {
        return CompareLayoutOrder(a, b, ascending);
    });
    return keys;
}

TEST(InputKeys, LayoutOrderBothDirections) {
    const std::vector<std::u16string> keys = {u"P", u"Q", u"QA", u"A", u";"};
    EXPECT_EQ(SortedByLayout(keys, true), (std::vector<std::u16string>{u"Q", u"QA", u"A", u"P", u";"}));
    EXPECT_EQ(SortedByLayout(keys, false), (std::vector<std::u16string>{u";", u"P", u"A", u"QA", u"Q"}));
    // Layout order is not code-unit order: K < , < O < L < . < P < ; < /.
    EXPECT_EQ(SortedByLayout({u"/", u";", u"P", u".", u"L", u"O", u",", u"K"}, true),
              (std::vector<std::u16string>{u"K", u",", u"O", u"L", u".", u"P", u";", u"/"}));
}

TEST(InputKeys, LayoutOrderOfUnequalLengthsAndEqualKeys) {
    EXPECT_TRUE(CompareLayoutOrder(u"QZ", u"A", true));  // first difference decides, not length
    EXPECT_FALSE(CompareLayoutOrder(u"QZ", u"A", false));
    for (bool ascending : {true, false}) {
        EXPECT_FALSE(CompareLayoutOrder(u"YOEY", u"YOEY", ascending));
        EXPECT_FALSE(CompareLayoutOrder(u"", u"", ascending));
    }
}

}  // namespace
