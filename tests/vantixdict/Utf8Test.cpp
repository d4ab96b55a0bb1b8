// The strict UTF-8 reader and writer.
#include "Utf8.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::u16string Decode(std::string_view bytes, bool expectValid = true) {
    std::u16string units;
    Utf8Error error;
    EXPECT_EQ(AppendUtf16FromUtf8(units, bytes, error), expectValid) << error.reason;
    return units;
}

Utf8Error ErrorOf(std::string_view bytes) {
    std::u16string units;
    Utf8Error error;
    EXPECT_FALSE(AppendUtf16FromUtf8(units, bytes, error));
    Utf8Error checked;
    EXPECT_FALSE(IsValidUtf8(bytes, checked));
    EXPECT_EQ(checked.offset, error.offset);
    return error;
}

TEST(Utf8, DecodesEveryLength) {
    EXPECT_EQ(Decode("A\t"), u"A\t");
    EXPECT_EQ(Decode("\xC3\xA9"), u"\u00e9");
    EXPECT_EQ(Decode("\xE4\xBA\xBA"), u"\u4eba");
    EXPECT_EQ(Decode("\xF0\xA0\x80\x80"), u"\U00020000");
    EXPECT_EQ(Decode("\xF4\x8F\xBF\xBF"), u"\U0010FFFF");
    EXPECT_EQ(Decode(std::string_view("\0", 1)), std::u16string(1, u'\0'));
}

TEST(Utf8, RefusesWhatIsNotUtf8AndSaysWhere) {
    EXPECT_EQ(ErrorOf("ab\x80").offset, 2u);
    EXPECT_STREQ(ErrorOf("\x80").reason, "a continuation byte without a lead byte");
    EXPECT_STREQ(ErrorOf("\xC0\x80").reason, "a byte that never occurs in UTF-8");
    EXPECT_STREQ(ErrorOf("\xE0\x80\x80").reason, "an overlong sequence");
    EXPECT_STREQ(ErrorOf("\xF0\x80\x80\x80").reason, "an overlong sequence");
    EXPECT_STREQ(ErrorOf("\xED\xA0\x80").reason, "an encoded surrogate");
    EXPECT_STREQ(ErrorOf("\xF4\x90\x80\x80").reason, "a code point above U+10FFFF");
    EXPECT_STREQ(ErrorOf("\xF5\x80\x80\x80").reason, "a byte that never occurs in UTF-8");
    EXPECT_STREQ(ErrorOf("x\xE4\xBA").reason, "a sequence cut short by the end of the file");
    EXPECT_STREQ(ErrorOf("\xE4\xBAx").reason, "a sequence cut short");
    EXPECT_EQ(ErrorOf("\xE4\xBA\xBA\xFF").offset, 3u);
}

TEST(Utf8, EncodesAndRefusesUnpairedSurrogates) {
    std::string text;
    std::size_t bad = 99;
    EXPECT_TRUE(AppendUtf8FromUtf16(text, u"A\u00e9\u4eba\U00020000", bad));
    EXPECT_EQ(text, "A\xC3\xA9\xE4\xBA\xBA\xF0\xA0\x80\x80");

    text.clear();
    EXPECT_FALSE(AppendUtf8FromUtf16(text, u"ab\xDC00", bad));
    EXPECT_EQ(bad, 2u);
    EXPECT_EQ(text, "ab");
    text.clear();
    EXPECT_FALSE(AppendUtf8FromUtf16(text, u"\xD800x", bad));
    EXPECT_EQ(bad, 0u);
    text.clear();
    EXPECT_FALSE(AppendUtf8FromUtf16(text, u"\xD800", bad));
}

TEST(Utf8, EveryCodePointGoesBothWays) {
    for (char32_t c = 0; c <= 0x10FFFF; c += (c < 0x800 ? 1 : 97)) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        std::string bytes;
        AppendUtf8(bytes, c);
        char32_t decoded = 0;
        Utf8Error error;
        ASSERT_EQ(DecodeUtf8CodePoint(bytes, 0, decoded, error), bytes.size()) << static_cast<std::uint32_t>(c);
        ASSERT_EQ(static_cast<std::uint32_t>(decoded), static_cast<std::uint32_t>(c));
    }
}

}  // namespace
