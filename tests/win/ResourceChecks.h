// Checks of a program's compiled resources against the expected texts in tests/fixtures.
#pragma once

#include "UiLanguage.h"

#include <windows.h>

#include <map>
#include <string>
#include <utility>

using StringKey = std::pair<UiLanguage, unsigned>;  // language, string id
using StringTable = std::map<StringKey, std::wstring>;

// The expected texts of one program (a file of tests/fixtures/strings).
StringTable ReadExpectedStrings(const std::string& fileName);

// Every non-empty string in the module's string tables, in every language it has.
StringTable CompiledStrings(HMODULE module);
