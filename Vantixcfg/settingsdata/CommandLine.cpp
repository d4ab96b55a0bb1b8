#include "CommandLine.h"

#include <algorithm>

namespace {

// Only ASCII letters are folded: the switches are plain ASCII, and no other character may
// stand in for one of their letters.
wchar_t FoldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualsIgnoringAsciiCase(std::wstring_view text, std::wstring_view lowerCaseWord) {
    return text.size() == lowerCaseWord.size() &&
           std::equal(text.begin(), text.end(), lowerCaseWord.begin(),
                      [](wchar_t a, wchar_t b) { return FoldAscii(a) == b; });
}

}  // namespace

StartUpDialog DialogForArguments(std::span<const std::wstring_view> arguments) {
    for (const std::wstring_view argument : arguments) {
        if (EqualsIgnoringAsciiCase(argument, L"/about")) return StartUpDialog::About;
        if (EqualsIgnoringAsciiCase(argument, L"/configure")) return StartUpDialog::Configure;
    }
    return StartUpDialog::None;
}
