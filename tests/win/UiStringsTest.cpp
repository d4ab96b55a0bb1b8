// A tool's strings follow the UI language it chose at start, not the thread's locale.
#include "UiStrings.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <array>

TEST(ToolUiStrings, StartInChineseAndFollowTheChosenLanguage) {
    const std::wstring chinese = LoadLocalizedString(GetModuleHandleW(nullptr), UiLanguageTraditionalChinese, IDS_ABOUT_CAPTION);
    const std::wstring english = LoadLocalizedString(GetModuleHandleW(nullptr), UiLanguageEnglish, IDS_ABOUT_CAPTION);
    ASSERT_NE(chinese, english);
    EXPECT_EQ(ProcessUiLanguage(), UiLanguageTraditionalChinese);
    EXPECT_EQ(LoadUiString(IDS_ABOUT_CAPTION), chinese);

    SetProcessUiLanguage(UiLanguageEnglish);
    std::array<wchar_t, StringBufferLength> caption{};
    ASSERT_TRUE(LoadUiString(IDS_ABOUT_CAPTION, caption));
    EXPECT_EQ(std::wstring(caption.data()), english);
    SetProcessUiLanguage(UiLanguageTraditionalChinese);
}

TEST(ToolUiStrings, ThePhraseToolsSetUpRecordsTheUsersChoice) {
    const LANGID thread = GetThreadUILanguage();
    EXPECT_EQ(SetUpThreadAndProcessUiLanguage(), QueryUiLanguage());
    EXPECT_EQ(ProcessUiLanguage(), QueryUiLanguage());
    SetThreadUILanguage(thread);
    SetProcessUiLanguage(UiLanguageTraditionalChinese);
}
