// The core reads Big5 into the characters Windows' own code page 950 converter gives, for every
// byte and every pair of bytes: a file saved by an older tool imports the same on any platform.
#include "TextEncoding.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// What the system makes of the bytes, or nothing when it refuses them.
std::optional<std::u16string> SystemDecoding(const std::string& bytes) {
    wchar_t units[4] = {};
    const int count = MultiByteToWideChar(950, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), units, 4);
    if (count <= 0) return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(units), static_cast<std::size_t>(count));
}

TEST(Big5Table, EveryByteAndPairDecodesAsTheSystemsCodePage950) {
    int pairs = 0;
    int mismatches = 0;
    const auto check = [&](const std::string& bytes) {
        const std::optional<std::u16string> system = SystemDecoding(bytes);
        const bool core = IsBig5(bytes);
        // The core ends the file's one line with CR LF.
        const bool same = core == system.has_value() &&
                          (!core || DecodeText(bytes, TextEncoding::Big5) == *system + u"\r\n");
        if (!same && ++mismatches <= 10) {
            ADD_FAILURE() << "bytes " << std::hex << (static_cast<unsigned char>(bytes[0]) << 8 |
                                                     (bytes.size() > 1 ? static_cast<unsigned char>(bytes[1]) : 0));
        }
    };
    for (int byte = 0x01; byte <= 0xFF; ++byte) {
        if (byte != '\r' && byte != '\n') check(std::string(1, static_cast<char>(byte)));
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFF; ++trail) {
            check(std::string{static_cast<char>(lead), static_cast<char>(trail)});
            pairs += SystemDecoding(std::string{static_cast<char>(lead), static_cast<char>(trail)}).has_value() ? 1 : 0;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(pairs, 19000);  // the converter really is code page 950's
}

}  // namespace
