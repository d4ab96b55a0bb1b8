#include "Localization.h"

#include <cstddef>
#include <vector>

namespace {

// The bytes of a string block in one language; empty when there is no such block.
std::span<const std::byte> StringBlockBytes(HMODULE module, UiLanguage language, unsigned stringId) {
    const HRSRC info = FindResourceExW(module, RT_STRING,
                                       MAKEINTRESOURCEW(StringBlockNumber(stringId)), language);
    if (!info) return {};
    const HGLOBAL loaded = LoadResource(module, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const std::byte*>(data), SizeofResource(module, info)};
}

}  // namespace

UiLanguage QueryUiLanguage() {
    ULONG count = 0;
    ULONG length = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &length) || length == 0) {
        return ChooseUiLanguage(std::nullopt);
    }
    std::vector<wchar_t> names(length);
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &length)) {
        return ChooseUiLanguage(std::nullopt);
    }
    const auto* units = reinterpret_cast<const char16_t*>(names.data());
    return ChooseUiLanguage(std::u16string_view(units, length));
}

bool LoadLocalizedString(HMODULE module, UiLanguage language, unsigned stringId,
                         std::span<wchar_t, StringBufferLength> buffer) {
    std::span<char16_t, StringBufferLength> units(reinterpret_cast<char16_t*>(buffer.data()),
                                                  StringBufferLength);
    return LoadStringFromBlock(StringBlockBytes(module, language, stringId), stringId, units);
}

std::wstring LoadLocalizedString(HMODULE module, UiLanguage language, unsigned stringId) {
    std::u16string text;
    LoadStringFromBlock(StringBlockBytes(module, language, stringId), stringId, text);
    return std::wstring(text.begin(), text.end());
}

std::wstring FormatWithText(const std::wstring& format, const std::wstring& text) {
    std::wstring line = format;
    const std::size_t at = line.find(L"%s");
    if (at != std::wstring::npos) line.replace(at, 2, text);
    return line;
}
