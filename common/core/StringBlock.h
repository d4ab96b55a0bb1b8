// Finding one string in a string-table block, the way the tools load strings in an explicitly
// named language. The Win32 side finds the block resource (FindResourceExW with RT_STRING and
// StringBlockNumber), locks it and hands its bytes here.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

// Strings are stored sixteen to a block; a block holds, for each of its sixteen identifiers,
// a 16-bit length n and then n UTF-16 units without terminator (n = 0: no such string).
inline constexpr unsigned StringsPerBlock = 16;

// The fixed buffers the tools load window titles, tab names, headers and prompts into.
inline constexpr std::size_t StringBufferLength = 260;

// The resource name (number) of the block that holds a string identifier.
constexpr unsigned StringBlockNumber(unsigned stringId) {
    return stringId / StringsPerBlock + 1;
}

// Where a string's text lies in its block, counted in UTF-16 units from the block's start.
struct StringBlockEntry {
    std::size_t firstUnit = 0;  // the unit after the length
    std::size_t length = 0;     // at least 1
    friend bool operator==(const StringBlockEntry&, const StringBlockEntry&) = default;
};

// Walks the block to entry stringId % 16. Nothing when the walk or the entry's text would
// leave the block, or when the entry's length is 0. The block is read as little-endian
// 16-bit units (as resources are on every Windows target), needs no alignment, and an odd
// trailing byte is ignored.
std::optional<StringBlockEntry> FindStringInBlock(std::span<const std::byte> block,
                                                  unsigned stringId);

// Copies the string into a fixed buffer, cut to StringBufferLength - 1 units and terminated.
// On failure the whole buffer is zero (an empty string) and the result is false. Pass an
// empty block when the block resource is missing to get the same failure.
bool LoadStringFromBlock(std::span<const std::byte> block, unsigned stringId,
                         std::span<char16_t, StringBufferLength> buffer);

// Replaces text with the whole string; on failure text is left empty and the result is false.
bool LoadStringFromBlock(std::span<const std::byte> block, unsigned stringId,
                         std::u16string& text);
