// UTF-8 written the slow way from the definition of well-formed sequences (Unicode, table 3-7),
// to hold the fast decoders to.
#pragma once

#include <cstddef>
#include <string_view>

namespace fuzz {

// The length of the well-formed sequence that starts at bytes[i], or 0 when none does.
inline std::size_t WellFormedLength(std::string_view bytes, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    auto in = [&](std::size_t k, unsigned low, unsigned high) {
        if (i + k >= bytes.size()) return false;
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        return b >= low && b <= high;
    };
    if (b0 <= 0x7F) return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF && in(1, 0x80, 0xBF)) return 2;
    if (b0 == 0xE0 && in(1, 0xA0, 0xBF) && in(2, 0x80, 0xBF)) return 3;
    if (((b0 >= 0xE1 && b0 <= 0xEC) || b0 == 0xEE || b0 == 0xEF) && in(1, 0x80, 0xBF) && in(2, 0x80, 0xBF)) return 3;
    if (b0 == 0xED && in(1, 0x80, 0x9F) && in(2, 0x80, 0xBF)) return 3;
    if (b0 == 0xF0 && in(1, 0x90, 0xBF) && in(2, 0x80, 0xBF) && in(3, 0x80, 0xBF)) return 4;
    if (b0 >= 0xF1 && b0 <= 0xF3 && in(1, 0x80, 0xBF) && in(2, 0x80, 0xBF) && in(3, 0x80, 0xBF)) return 4;
    if (b0 == 0xF4 && in(1, 0x80, 0x8F) && in(2, 0x80, 0xBF) && in(3, 0x80, 0xBF)) return 4;
    return 0;
}

// The offset of the first ill-formed sequence, or npos.
inline std::size_t FirstIllFormedOffset(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = WellFormedLength(bytes, i);
        if (length == 0) return i;
        i += length;
    }
    return std::string_view::npos;
}

}  // namespace fuzz
