// Big5 as Windows' code page 950 reads it (the Windows extensions and the user-defined areas,
// which it maps to private-use characters, included). The table is generated from the system's
// converter by tools/make-big5-table.
#pragma once

#include <cstddef>

inline constexpr std::size_t Big5LeadCount = 0xFE - 0x81 + 1;                       // 0x81 to 0xFE
inline constexpr std::size_t Big5TrailCount = (0x7E - 0x40 + 1) + (0xFE - 0xA1 + 1);  // 157

extern const char16_t Big5SingleBytes[128];
extern const char16_t Big5Pairs[Big5LeadCount * Big5TrailCount];
