// The user-interface language that both tools (and the installer) choose once at start.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A Windows language identifier (LANGID); the tools speak only these two.
using UiLanguage = std::uint16_t;
inline constexpr UiLanguage UiLanguageTraditionalChinese = 1028;
inline constexpr UiLanguage UiLanguageEnglish = 1033;

// Chooses the language from the answer of GetUserPreferredUILanguages(MUI_LANGUAGE_NAME):
// the buffer as filled in (names separated by NUL, the list closed by a second NUL; a bare
// name without terminator is read the same way), or nullopt when the size query or the
// fetch failed.
//
// Traditional Chinese when the query failed, or when the first five units of the first name
// are exactly "zh-TW" or "zh-HK" (case-sensitive: "zh-tw" and "zh-Hant-TW" are English).
// Everything else is English, including a first name shorter than five units and a
// successful query that names no language at all (Windows then hands back only the list
// terminator, so the first name is empty and matches neither).
UiLanguage ChooseUiLanguage(std::optional<std::u16string_view> preferredLanguages);
