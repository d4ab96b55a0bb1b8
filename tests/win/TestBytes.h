// Bytes the tests build by hand, to compare with what the programs store.
#pragma once

#include <string>
#include <string_view>

// The little-endian bytes of UTF-16 text, low byte first, as the stores write it.
inline std::string BytesOf(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}
