// What the ribbon remembers between runs (registry value "UPTRibbonState", REG_BINARY): whether
// it is collapsed and which commands the quick access toolbar holds, in order.
//
// Bytes, little-endian: "VXRS", version (16 bits, 1), flags (8 bits: bit 0 collapsed, the others
// 0), count (8 bits, at most 16), then count command ids of 16 bits. Nothing follows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

inline constexpr std::size_t MaxQuickAccessItems = 16;

struct RibbonState {
    bool collapsed = false;
    std::vector<std::uint16_t> quickAccess;

    bool operator==(const RibbonState&) const = default;
};

// The bytes to store; empty when the toolbar holds more than MaxQuickAccessItems commands.
std::vector<std::uint8_t> EncodeRibbonState(const RibbonState& state);

// The state the bytes hold, or nothing for a value that is not one of ours, is cut short or too
// long, or names a command twice or one outside allowedQuickAccess: the caller then keeps the
// markup's defaults.
std::optional<RibbonState> DecodeRibbonState(std::span<const std::uint8_t> bytes,
                                             std::span<const std::uint16_t> allowedQuickAccess);
