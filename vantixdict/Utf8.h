// Strict conversion between UTF-8 and UTF-16: the tool says where bytes stop being UTF-8, reads
// command lines and writes UTF-8 text and reports, while the phrase tool stores UTF-16 units.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Where a byte sequence stops being UTF-8 (RFC 3629: no overlong forms, no surrogates, nothing
// above U+10FFFF, no stray continuation bytes, no truncated sequences).
struct Utf8Error {
    std::size_t offset = 0;     // byte offset of the first byte of the bad sequence
    const char* reason = "";
};

// Decodes the code point that starts at bytes[offset]. Returns its length in bytes (1 to 4) and
// stores the code point, or returns 0 and fills the error.
std::size_t DecodeUtf8CodePoint(std::string_view bytes, std::size_t offset, char32_t& codePoint,
                                Utf8Error& error);

// Whether all of the bytes are UTF-8; on false the error tells where they stop being so.
bool IsValidUtf8(std::string_view bytes, Utf8Error& error);

// Appends the UTF-16 units of the bytes. Stops at the first invalid sequence with false, having
// appended the units before it.
bool AppendUtf16FromUtf8(std::u16string& out, std::string_view bytes, Utf8Error& error);

// Appends the UTF-8 form of one code point (at most U+10FFFF, not a surrogate).
void AppendUtf8(std::string& out, char32_t codePoint);

// Appends the UTF-8 form of UTF-16 units. Stops at the first unpaired surrogate with false and
// its index in badUnit, having appended what came before it.
bool AppendUtf8FromUtf16(std::string& out, std::u16string_view units, std::size_t& badUnit);

inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

inline char32_t CombineSurrogates(char16_t high, char16_t low) {
    return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (low - 0xDC00);
}
