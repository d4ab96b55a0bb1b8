#include "RibbonState.h"

#include <algorithm>

namespace {

constexpr std::uint8_t Magic[4] = {'V', 'X', 'R', 'S'};
constexpr std::uint16_t Version = 1;
constexpr std::size_t HeaderSize = 8;
constexpr std::uint8_t CollapsedFlag = 0x01;

void PutUint16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::uint16_t Uint16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

}  // namespace

std::vector<std::uint8_t> EncodeRibbonState(const RibbonState& state) {
    if (state.quickAccess.size() > MaxQuickAccessItems) return {};
    std::vector<std::uint8_t> bytes(std::begin(Magic), std::end(Magic));
    PutUint16(bytes, Version);
    bytes.push_back(state.collapsed ? CollapsedFlag : 0);
    bytes.push_back(static_cast<std::uint8_t>(state.quickAccess.size()));
    for (const std::uint16_t id : state.quickAccess) PutUint16(bytes, id);
    return bytes;
}

std::optional<RibbonState> DecodeRibbonState(std::span<const std::uint8_t> bytes,
                                             std::span<const std::uint16_t> allowedQuickAccess) {
    if (bytes.size() < HeaderSize || !std::equal(std::begin(Magic), std::end(Magic), bytes.begin())) return std::nullopt;
    if (Uint16At(bytes, 4) != Version || (bytes[6] & ~CollapsedFlag) != 0) return std::nullopt;
    const std::size_t count = bytes[7];
    if (count > MaxQuickAccessItems || bytes.size() != HeaderSize + 2 * count) return std::nullopt;

    RibbonState state;
    state.collapsed = (bytes[6] & CollapsedFlag) != 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t id = Uint16At(bytes, HeaderSize + 2 * i);
        const bool allowed = std::find(allowedQuickAccess.begin(), allowedQuickAccess.end(), id) != allowedQuickAccess.end();
        const bool repeated = std::find(state.quickAccess.begin(), state.quickAccess.end(), id) != state.quickAccess.end();
        if (!allowed || repeated) return std::nullopt;
        state.quickAccess.push_back(id);
    }
    return state;
}
