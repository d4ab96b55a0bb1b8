// A tool's UI language, chosen once at start before any window exists, and its strings looked
// up in that language. The settings tool keeps the choice only here; the phrase tool also
// makes it its thread's UI language, for the system's own dialogs, but Wine ignores that, so
// the strings follow this copy.
#pragma once

#include "Localization.h"

#include <array>
#include <cstddef>
#include <string>

// Traditional Chinese until a tool sets its choice.
void SetProcessUiLanguage(UiLanguage language);
UiLanguage ProcessUiLanguage();

// The phrase tool's start: the user's choice, made the thread's UI language as well.
UiLanguage SetUpThreadAndProcessUiLanguage();

// A string of the running program's tables in the process's UI language (both forms).
bool LoadUiString(unsigned stringId, std::span<wchar_t, StringBufferLength> buffer);
std::wstring LoadUiString(unsigned stringId);

// Several strings at once, in the order of their ids, for a dialog that measures its texts.
template <class Id, std::size_t Count>
std::array<std::wstring, Count> LoadUiStrings(const Id (&stringIds)[Count]) {
    std::array<std::wstring, Count> texts;
    for (std::size_t i = 0; i < Count; ++i) texts[i] = LoadUiString(static_cast<unsigned>(stringIds[i]));
    return texts;
}
