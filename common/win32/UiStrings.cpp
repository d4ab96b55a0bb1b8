#include "UiStrings.h"

namespace {

UiLanguage processUiLanguage = UiLanguageTraditionalChinese;

}  // namespace

void SetProcessUiLanguage(UiLanguage language) {
    processUiLanguage = language;
}

UiLanguage ProcessUiLanguage() {
    return processUiLanguage;
}

UiLanguage SetUpThreadAndProcessUiLanguage() {
    const UiLanguage language = QueryUiLanguage();
    SetThreadUILanguage(language);
    SetProcessUiLanguage(language);
    return language;
}

bool LoadUiString(unsigned stringId, std::span<wchar_t, StringBufferLength> buffer) {
    return LoadLocalizedString(GetModuleHandleW(nullptr), processUiLanguage, stringId, buffer);
}

std::wstring LoadUiString(unsigned stringId) {
    return LoadLocalizedString(GetModuleHandleW(nullptr), processUiLanguage, stringId);
}
