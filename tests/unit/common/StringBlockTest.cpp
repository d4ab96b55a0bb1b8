// Finding strings in a string-table block and loading them in both forms.
#include "StringBlock.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A block as stored in a resource: for each of up to sixteen strings ("" = absent) a
// little-endian length and the little-endian units; missing trailing entries are absent.
std::vector<std::byte> BlockOf(std::initializer_list<std::u16string_view> strings) {
    std::vector<std::byte> bytes;
    auto put = [&bytes](std::size_t unit) {
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>((unit >> 8) & 0xFF));
    };
    std::size_t count = 0;
    for (std::u16string_view text : strings) {
        put(text.size());
        for (char16_t unit : text) put(unit);
        ++count;
    }
    for (; count < StringsPerBlock; ++count) put(0);
    return bytes;
}

std::u16string Loaded(std::span<const std::byte> block, unsigned stringId) {
    std::u16string text = u"stale";
    return LoadStringFromBlock(block, stringId, text) ? text : u"<failed>";
}

const std::vector<std::byte> kBlock7 =  // identifiers 96..111
    BlockOf({u"", u"", u"", u"", u"", u"", u"OK", u"", u"", u"", u"", u"", u"", u"",
             u"\u95dc\u65bc\u65b0\u842c\u7df9", u"x"});

TEST(StringBlock, BlockNumberIsIdentifierOverSixteenPlusOne) {
    EXPECT_EQ(StringBlockNumber(0), 1u);
    EXPECT_EQ(StringBlockNumber(15), 1u);
    EXPECT_EQ(StringBlockNumber(16), 2u);
    EXPECT_EQ(StringBlockNumber(96), 7u);
    EXPECT_EQ(StringBlockNumber(143), 9u);
    EXPECT_EQ(StringBlockNumber(303), 19u);
    EXPECT_EQ(StringBlockNumber(2000), 126u);
    EXPECT_EQ(StringBlockNumber(2031), 127u);
    EXPECT_EQ(StringBlockNumber(60000), 3751u);
    EXPECT_EQ(StringBlockNumber(60143), 3759u);
}

TEST(StringBlock, WalkFindsEntriesByPositionInBlock) {
    // 6 absent entries (one unit each) come before "OK"; its text starts after its length.
    EXPECT_EQ(FindStringInBlock(kBlock7, 102), (StringBlockEntry{7, 2}));
    EXPECT_EQ(Loaded(kBlock7, 102), u"OK");
    // Units above 0xFF come back whole: both bytes, low byte first.
    EXPECT_EQ(Loaded(kBlock7, 110), u"\u95dc\u65bc\u65b0\u842c\u7df9");
    EXPECT_EQ(Loaded(kBlock7, 111), u"x");
    // Only identifier mod 16 picks the entry; the caller picked the block.
    EXPECT_EQ(Loaded(kBlock7, 6), u"OK");
    EXPECT_EQ(Loaded(kBlock7, 2000 + 15), u"x");
    const std::vector<std::byte> first = BlockOf({u"first"});
    EXPECT_EQ(Loaded(first, 96), u"first");
}

TEST(StringBlock, AbsentEntriesFail) {
    for (unsigned id : {96u, 101u, 103u, 109u}) {
        EXPECT_FALSE(FindStringInBlock(kBlock7, id)) << id;
        EXPECT_EQ(Loaded(kBlock7, id), u"<failed>") << id;
    }
}

TEST(StringBlock, WalkThatLeavesTheBlockFails) {
    EXPECT_FALSE(FindStringInBlock({}, 0));
    const std::vector<std::byte> whole = BlockOf({u"abc", u"defg", u"hi"});
    // Cut inside the second string: the first is whole, the second runs out, the rest lies beyond.
    const std::span<const std::byte> cut = std::span(whole).first(2 * (1 + 3 + 1 + 2));
    EXPECT_EQ(Loaded(cut, 0), u"abc");
    EXPECT_EQ(Loaded(cut, 1), u"<failed>");
    EXPECT_EQ(Loaded(cut, 2), u"<failed>");
    EXPECT_EQ(Loaded(cut, 15), u"<failed>");
    // An odd trailing byte is no unit: "abc" needs all of its last unit.
    EXPECT_EQ(Loaded(std::span(whole).first(7), 0), u"<failed>");
    EXPECT_EQ(Loaded(std::span(whole).first(8), 0), u"abc");
    // A length that points far past the end hides every later entry.
    std::vector<std::byte> huge = whole;
    huge[0] = std::byte{0xFF};
    huge[1] = std::byte{0xFF};
    EXPECT_EQ(Loaded(huge, 0), u"<failed>");
    EXPECT_EQ(Loaded(huge, 1), u"<failed>");
}

TEST(StringBlock, FixedBufferKeepsAtMost259UnitsAndATerminator) {
    const std::u16string long300(300, u'\u842c');
    const std::u16string just259(259, u'a');
    const std::vector<std::byte> block = BlockOf({long300, just259, just259 + u'b'});
    std::array<char16_t, StringBufferLength> buffer{};
    buffer.fill(u'#');

    ASSERT_TRUE(LoadStringFromBlock(block, 0, buffer));
    EXPECT_EQ(std::u16string_view(buffer.data()), long300.substr(0, 259));
    EXPECT_EQ(buffer[259], u'\0');

    ASSERT_TRUE(LoadStringFromBlock(block, 1, buffer));
    EXPECT_EQ(std::u16string_view(buffer.data()), just259);
    ASSERT_TRUE(LoadStringFromBlock(block, 2, buffer));
    EXPECT_EQ(std::u16string_view(buffer.data()), just259);

    // The growable form keeps everything.
    EXPECT_EQ(Loaded(block, 0), long300);
    EXPECT_EQ(Loaded(block, 2).size(), 260u);
}

TEST(StringBlock, FailedLoadLeavesNoText) {
    std::array<char16_t, StringBufferLength> buffer{};
    buffer.fill(u'#');
    EXPECT_FALSE(LoadStringFromBlock(kBlock7, 96, buffer));
    for (char16_t unit : buffer) ASSERT_EQ(unit, u'\0');
    buffer.fill(u'#');
    EXPECT_FALSE(LoadStringFromBlock({}, 102, buffer));  // no block resource at all
    for (char16_t unit : buffer) ASSERT_EQ(unit, u'\0');

    std::u16string text = u"previous";
    EXPECT_FALSE(LoadStringFromBlock(kBlock7, 96, text));
    EXPECT_TRUE(text.empty());
}

}  // namespace
