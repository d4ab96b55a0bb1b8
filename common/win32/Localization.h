// The UI language of a tool and its strings, looked up in that language by name: the same on
// Windows and under Wine, whatever the thread's locale.
#pragma once

#include "StringBlock.h"
#include "UiLanguage.h"

#include <windows.h>

#include <span>
#include <string>

// The language chosen from the user's preferred UI languages (Traditional Chinese when the
// list cannot be had).
UiLanguage QueryUiLanguage();

// The string in the given language into a 260-character buffer, cut to 259 characters and
// terminated; false, with the buffer empty, when the string is absent.
bool LoadLocalizedString(HMODULE module, UiLanguage language, unsigned stringId,
                         std::span<wchar_t, StringBufferLength> buffer);

// The string in the given language, or an empty text when it is absent.
std::wstring LoadLocalizedString(HMODULE module, UiLanguage language, unsigned stringId);

// The string with its first "%s" replaced by the argument; the bare format when there is none.
std::wstring FormatWithText(const std::wstring& format, const std::wstring& text);
