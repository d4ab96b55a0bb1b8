// The ribbon-state blob: what is written reads back, and anything else keeps the defaults.
#include "RibbonState.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::vector<std::uint16_t> Allowed = {32775, 32776, 32773, 32778, 32774, 32777, 32779, 32780, 32781, 105, 106};

std::optional<RibbonState> Decode(const Bytes& bytes) { return DecodeRibbonState(bytes, Allowed); }

TEST(State, WritesAndReadsBackItsOwnBytes) {
    const RibbonState state{true, {32775, 105, 32776}};
    const Bytes bytes = EncodeRibbonState(state);
    EXPECT_EQ(bytes, (Bytes{'V', 'X', 'R', 'S', 1, 0, 1, 3, 0x07, 0x80, 105, 0, 0x08, 0x80}));
    EXPECT_EQ(Decode(bytes), state);
    EXPECT_EQ(Decode(EncodeRibbonState({false, {}})), (RibbonState{false, {}}));

    // Every cut of a good value is refused, however long.
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_FALSE(DecodeRibbonState(std::span(bytes.data(), size), Allowed)) << size;
    }
}

TEST(State, RefusesAForeignOrCorruptValue) {
    const Bytes good = EncodeRibbonState({false, {32775, 32776}});
    auto changed = [&](std::size_t at, std::uint8_t value) {
        Bytes bytes = good;
        bytes[at] = value;
        return bytes;
    };
    Bytes longer = good;
    longer.push_back(0);
    EXPECT_TRUE(Decode(good));
    EXPECT_FALSE(Decode(changed(0, 'W')));    // magic
    EXPECT_FALSE(Decode(changed(4, 2)));      // version
    EXPECT_FALSE(Decode(changed(6, 2)));      // a flag this version does not know
    EXPECT_FALSE(Decode(changed(7, 3)));      // count beyond the bytes
    EXPECT_FALSE(Decode(longer));             // bytes beyond the count
    EXPECT_FALSE(Decode(changed(10, 0x07)));  // second id 32776 -> 32775: twice
    EXPECT_FALSE(Decode(changed(8, 0x20)));   // first id 32775 -> 32800: not allowed
    EXPECT_FALSE(Decode(EncodeRibbonState({false, {9}})));  // Sort is not a toolbar command

    // At most 16 ids, even when each of them is allowed.
    std::vector<std::uint16_t> many(17);
    for (std::uint16_t i = 0; i < many.size(); ++i) many[i] = static_cast<std::uint16_t>(1000 + i);
    Bytes seventeen = {'V', 'X', 'R', 'S', 1, 0, 0, 17};
    for (const std::uint16_t id : many) seventeen.insert(seventeen.end(), {static_cast<std::uint8_t>(id & 0xFF), static_cast<std::uint8_t>(id >> 8)});
    EXPECT_FALSE(DecodeRibbonState(seventeen, many));
    EXPECT_TRUE(EncodeRibbonState({false, many}).empty());
    many.pop_back();
    EXPECT_EQ(DecodeRibbonState(EncodeRibbonState({false, many}), many), (RibbonState{false, many}));
}

}  // namespace
