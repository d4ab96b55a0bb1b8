// Fuzz target for the encodings of an import file: any bytes are told apart and decoded in each
// encoding exactly as a slow model of the rules does, and a line holding bytes that do not
// decode leaves nothing of its text for the parsers but an empty line.

#include "FuzzCheck.h"
#include "PhraseTable.h"
#include "TextEncoding.h"
#include "TipTable.h"
#include "Utf8Reference.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

std::u16string ModelUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned first = static_cast<unsigned char>(bytes[i]);
        const unsigned second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? first * 256 + second : second * 256 + first);
    }
    return units;
}

struct ModelUnit {
    char16_t unit = 0;
    bool undecodable = false;  // stands for a run of bytes that do not decode
};

std::vector<ModelUnit> ModelUtf8Units(std::string_view bytes) {
    std::vector<ModelUnit> units;
    bool inRun = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = fuzz::WellFormedLength(bytes, i);
        if (length == 0) {
            if (!inRun) units.push_back({0, true});
            inRun = true;
            ++i;
            continue;
        }
        inRun = false;
        auto byte = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(bytes[i + k])); };
        char32_t codePoint = 0;
        switch (length) {
        case 1: codePoint = byte(0); break;
        case 2: codePoint = (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F); break;
        case 3: codePoint = (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F); break;
        default:
            codePoint = (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F);
        }
        if (codePoint >= 0x10000) {
            units.push_back({static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)), false});
            units.push_back({static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)), false});
        } else {
            units.push_back({static_cast<char16_t>(codePoint), false});
        }
        i += length;
    }
    return units;
}

// The lines as the parsers walk them: a line holding an undecodable run (its CR's following unit
// included) becomes CR LF, or CR alone at the very end; such a last line without CR goes.
std::u16string ModelUtf8(std::string_view bytes, std::size_t& spoiledLines) {
    if (bytes.starts_with(Utf8Mark)) bytes.remove_prefix(Utf8Mark.size());
    const std::vector<ModelUnit> units = ModelUtf8Units(bytes);
    auto spoiled = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to && i < units.size(); ++i) {
            if (units[i].undecodable) return true;
        }
        return false;
    };
    std::u16string text;
    spoiledLines = 0;
    std::size_t start = 0;
    while (start < units.size()) {
        std::size_t cr = start;
        while (cr < units.size() && (units[cr].undecodable || units[cr].unit != u'\r')) ++cr;
        if (cr == units.size()) {
            if (!spoiled(start, cr)) {
                for (std::size_t i = start; i < cr; ++i) text += units[i].unit;
            }
            break;
        }
        const bool hasNext = cr + 1 < units.size();
        if (spoiled(start, cr + 2)) {
            ++spoiledLines;
            text += u'\r';
            if (hasNext) text += u'\n';
        } else {
            for (std::size_t i = start; i <= cr + (hasNext ? 1 : 0); ++i) text += units[i].unit;
        }
        start = cr + 2;
    }
    return text;
}

TextEncoding ModelDetect(std::string_view bytes) {
    if (bytes.starts_with(Utf8Mark)) return TextEncoding::Utf8;
    if (bytes.starts_with("\xFF\xFE")) return TextEncoding::Utf16LittleEndian;
    if (bytes.starts_with("\xFE\xFF")) return TextEncoding::Utf16BigEndian;
    if (bytes.find('\0') == std::string_view::npos && fuzz::FirstIllFormedOffset(bytes) == std::string_view::npos) {
        return TextEncoding::Utf8;
    }
    return TextEncoding::Utf16LittleEndian;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    FUZZ_CHECK(DetectTextEncoding(bytes) == ModelDetect(bytes));
    FUZZ_CHECK(IsUtf8(bytes) == (fuzz::FirstIllFormedOffset(bytes) == std::string_view::npos));

    FUZZ_CHECK(DecodeText(bytes, TextEncoding::Utf16LittleEndian) == ModelUtf16(bytes, false));
    const std::string_view bigEndian = bytes.starts_with("\xFE\xFF") ? bytes.substr(2) : bytes;
    FUZZ_CHECK(DecodeText(bytes, TextEncoding::Utf16BigEndian) == ModelUtf16(bigEndian, true));

    std::size_t spoiledLines = 0;
    const std::u16string utf8 = DecodeText(bytes, TextEncoding::Utf8);
    FUZZ_CHECK(utf8 == ModelUtf8(bytes, spoiledLines));

    // Each spoiled line is one invalid line to both parsers.
    PhraseTable phrases;
    FUZZ_CHECK(ParsePhraseText(phrases, utf8.data(), utf8.size(), 0) >= spoiledLines);
    TipTable tips;
    FUZZ_CHECK(ParseTipsText(tips, utf8.data(), utf8.size(), 0) >= spoiledLines);
    return 0;
}
