// Checks of a program's compiled resources against the expected texts in tests/fixtures, and a
// way to answer a modal dialog from inside its own message loop.
#pragma once

#include "UiLanguage.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

using StringKey = std::pair<UiLanguage, unsigned>;  // language, string id
using StringTable = std::map<StringKey, std::wstring>;

// The expected texts of one program (a file of tests/fixtures/strings).
StringTable ReadExpectedStrings(const std::string& fileName);

// Every non-empty string in the module's string tables, in every language it has.
StringTable CompiledStrings(HMODULE module);

// Runs `answer` on the first dialog window of this thread once it is up, from a timer inside
// the dialog's own modal loop; `show` opens the dialog and returns its result.
INT_PTR RunDialogAnswered(const std::function<INT_PTR()>& show,
                          const std::function<void(HWND dialog)>& answer);

// The visible dialog window of this thread, or null.
HWND FindThisThreadsDialog();

std::wstring WindowText(HWND window);
std::wstring ControlText(HWND dialog, int controlId);

// A control's rectangle in its dialog's client coordinates.
RECT ControlRect(HWND dialog, int controlId);
