// The choice of user-interface language from the preferred-language list.
#include "UiLanguage.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace std::string_view_literals;

// The list as printable ASCII, NULs shown as "|", for failure messages.
std::string Printable(std::u16string_view list) {
    std::string text;
    for (char16_t unit : list) {
        text += unit == u'\0' ? '|' : static_cast<char>(unit);
    }
    return text;
}

void ExpectEnglishFor(std::initializer_list<std::u16string_view> lists) {
    for (const std::u16string_view list : lists) {
        EXPECT_EQ(ChooseUiLanguage(list), UiLanguageEnglish) << Printable(list);
    }
}

TEST(UiLanguage, IdentifiersAreTheWindowsLanguageIds) {
    EXPECT_EQ(UiLanguageTraditionalChinese, 1028);
    EXPECT_EQ(UiLanguageEnglish, 1033);
}

TEST(UiLanguage, TaiwanAndHongKongFirstGetTraditionalChinese) {
    EXPECT_EQ(ChooseUiLanguage(u"zh-TW\0\0"sv), UiLanguageTraditionalChinese);
    EXPECT_EQ(ChooseUiLanguage(u"zh-HK\0\0"sv), UiLanguageTraditionalChinese);
    EXPECT_EQ(ChooseUiLanguage(u"zh-TW\0en-US\0ja-JP\0\0"sv), UiLanguageTraditionalChinese);
    // Only five units are compared, so a longer tag with that start still counts.
    EXPECT_EQ(ChooseUiLanguage(u"zh-HK-x\0\0"sv), UiLanguageTraditionalChinese);
    // As a growable string holding the list and as a bare name.
    EXPECT_EQ(ChooseUiLanguage(std::u16string(u"zh-HK\0en-GB\0\0"sv)),
              UiLanguageTraditionalChinese);
    EXPECT_EQ(ChooseUiLanguage(u"zh-TW"sv), UiLanguageTraditionalChinese);
}

TEST(UiLanguage, EveryOtherFirstLanguageGetsEnglish) {
    ExpectEnglishFor({u"zh-CN\0zh-TW\0\0"sv, u"ja-JP\0\0"sv, u"en-US\0zh-TW\0\0"sv, u"zh-SG\0\0"sv,
                      u"zh-MO\0\0"sv, u"fr-FR\0zh-HK\0\0"sv});
}

TEST(UiLanguage, ComparisonIsCaseSensitiveAndOnTheFirstFiveUnits) {
    ExpectEnglishFor({u"zh-tw\0\0"sv, u"ZH-TW\0\0"sv, u"zh-hk\0zh-TW\0\0"sv, u"zh-Hant-TW\0\0"sv,
                      u"zh-Hant-HK\0zh-TW\0\0"sv});
}

TEST(UiLanguage, FailedQueryKeepsTraditionalChinese) {
    EXPECT_EQ(ChooseUiLanguage(std::nullopt), UiLanguageTraditionalChinese);
}

TEST(UiLanguage, ShortOrMissingFirstNameGetsEnglish) {
    // A short first name must not borrow units from the name after it; the last two are a
    // successful query with no names at all.
    ExpectEnglishFor({u"zh\0zh-TW\0\0"sv, u"zh-T\0W\0\0"sv, u"zh-T"sv, u"\0zh-TW\0\0"sv, u"\0\0"sv, u""sv});
}

}  // namespace
