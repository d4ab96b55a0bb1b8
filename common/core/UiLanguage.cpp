#include "UiLanguage.h"

UiLanguage ChooseUiLanguage(std::optional<std::u16string_view> preferredLanguages) {
    // With no answer we keep the tools' home language.
    if (!preferredLanguages) {
        return UiLanguageTraditionalChinese;
    }
    // Only the first name counts; a first name shorter than five units matches neither.
    const std::u16string_view list = *preferredLanguages;
    const std::u16string_view firstName = list.substr(0, list.find(u'\0'));
    const std::u16string_view prefix = firstName.substr(0, 5);
    if (prefix == u"zh-TW" || prefix == u"zh-HK") {
        return UiLanguageTraditionalChinese;
    }
    return UiLanguageEnglish;
}
