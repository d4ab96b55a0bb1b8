#include "StringBlock.h"

#include <algorithm>

namespace {

// Byte by byte, so the walk depends neither on alignment nor on the host's byte order.
char16_t UnitAt(std::span<const std::byte> block, std::size_t unitIndex) {
    const unsigned low = std::to_integer<unsigned>(block[2 * unitIndex]);
    const unsigned high = std::to_integer<unsigned>(block[2 * unitIndex + 1]);
    return static_cast<char16_t>(low | (high << 8));
}

}  // namespace

std::optional<StringBlockEntry> FindStringInBlock(std::span<const std::byte> block,
                                                  unsigned stringId) {
    const std::size_t unitCount = block.size() / 2;
    std::size_t position = 0;
    for (unsigned skipped = 0; skipped < stringId % StringsPerBlock; ++skipped) {
        if (position >= unitCount) {
            return std::nullopt;
        }
        position += 1 + std::size_t{UnitAt(block, position)};
    }
    if (position >= unitCount) {
        return std::nullopt;
    }
    const std::size_t length = UnitAt(block, position);
    if (length == 0 || length > unitCount - position - 1) {
        return std::nullopt;
    }
    return StringBlockEntry{position + 1, length};
}

bool LoadStringFromBlock(std::span<const std::byte> block, unsigned stringId,
                         std::span<char16_t, StringBufferLength> buffer) {
    const std::optional<StringBlockEntry> entry = FindStringInBlock(block, stringId);
    if (!entry) {
        std::fill(buffer.begin(), buffer.end(), u'\0');
        return false;
    }
    const std::size_t kept = std::min(entry->length, StringBufferLength - 1);
    for (std::size_t i = 0; i < kept; ++i) {
        buffer[i] = UnitAt(block, entry->firstUnit + i);
    }
    buffer[kept] = u'\0';
    return true;
}

bool LoadStringFromBlock(std::span<const std::byte> block, unsigned stringId,
                         std::u16string& text) {
    text.clear();
    const std::optional<StringBlockEntry> entry = FindStringInBlock(block, stringId);
    if (!entry) {
        return false;
    }
    text.resize(entry->length);
    for (std::size_t i = 0; i < entry->length; ++i) {
        text[i] = UnitAt(block, entry->firstUnit + i);
    }
    return true;
}
