// Text crossing the Win32 boundary: the platform-free code's char16_t and the API's wchar_t are
// the same UTF-16 units on Windows, so a conversion only copies them.
#pragma once

#include <string>
#include <string_view>

inline std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string Utf16(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }
