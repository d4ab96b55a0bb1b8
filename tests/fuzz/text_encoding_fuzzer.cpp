// Fuzz target for the encodings of an import file: any bytes are told apart and decoded in each
// encoding (UTF-16 either way, UTF-8, Big5) exactly as a slow model of the rules does, lines
// ended by CR LF, LF or CR alone or the end all come out ended by CR LF, and a line holding bytes
// that do not decode leaves nothing of its text for the parsers but an empty line.

#include "Big5Table.h"
#include "FuzzCheck.h"
#include "InvalidLines.h"
#include "PhraseTable.h"
#include "TextEncoding.h"
#include "TipTable.h"
#include "Utf8Reference.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

struct ModelUnit {
    char16_t unit = 0;
    bool undecodable = false;  // stands for bytes that do not decode
};

std::vector<ModelUnit> ModelUtf16Units(std::string_view bytes, bool bigEndian) {
    std::vector<ModelUnit> units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned first = static_cast<unsigned char>(bytes[i]);
        const unsigned second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back({static_cast<char16_t>(bigEndian ? first * 256 + second : second * 256 + first), false});
    }
    return units;
}

std::vector<ModelUnit> ModelUtf8Units(std::string_view bytes) {
    std::vector<ModelUnit> units;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = fuzz::WellFormedLength(bytes, i);
        if (length == 0) {
            units.push_back({0, true});
            ++i;
            continue;
        }
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

// Code page 950 the slow way: a pair's column is the number of trail bytes that come before
// its trail byte, and a pair is a character when the table has a unit for it.
char16_t ModelBig5Pair(unsigned lead, unsigned trail) {
    auto isTrail = [](unsigned byte) { return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xFE); };
    if (lead < 0x81 || lead > 0xFE || !isTrail(trail)) return 0;
    std::size_t column = 0;
    for (unsigned byte = 0x40; byte < trail; ++byte) column += isTrail(byte) ? 1 : 0;
    return Big5Pairs[(lead - 0x81) * Big5TrailCount + column];
}

std::vector<ModelUnit> ModelBig5Units(std::string_view bytes) {
    std::vector<ModelUnit> units;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80 || Big5SingleBytes[lead - 0x80] != 0) {
            units.push_back({lead < 0x80 ? static_cast<char16_t>(lead) : Big5SingleBytes[lead - 0x80], false});
            ++i;
            continue;
        }
        const char16_t pair = i + 1 < bytes.size() ? ModelBig5Pair(lead, static_cast<unsigned char>(bytes[i + 1])) : 0;
        if (pair == 0) {
            units.push_back({0, true});
            ++i;
        } else {
            units.push_back({pair, false});
            i += 2;
        }
    }
    return units;
}

bool HasUndecodable(const std::vector<ModelUnit>& units) {
    for (const ModelUnit& unit : units) {
        if (unit.undecodable) return true;
    }
    return false;
}

// The lines: CR LF, LF alone and CR alone each end one, and so does the end for a last line
// with anything in it. Each is put down with CR LF, empty when it held undecodable bytes.
std::u16string ModelLines(const std::vector<ModelUnit>& units, std::size_t& spoiledLines) {
    std::u16string text;
    spoiledLines = 0;
    std::vector<ModelUnit> line;
    auto endLine = [&] {
        if (HasUndecodable(line)) {
            ++spoiledLines;
        } else {
            for (const ModelUnit& unit : line) text += unit.unit;
        }
        text += u"\r\n";
        line.clear();
    };
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool cr = !units[i].undecodable && units[i].unit == u'\r';
        const bool lf = !units[i].undecodable && units[i].unit == u'\n';
        if (cr || lf) {
            endLine();
            if (cr && i + 1 < units.size() && !units[i + 1].undecodable && units[i + 1].unit == u'\n') ++i;
        } else {
            line.push_back(units[i]);
        }
    }
    if (!line.empty()) endLine();
    return text;
}

std::string_view WithoutMark(std::string_view bytes, std::string_view mark) {
    return bytes.starts_with(mark) ? bytes.substr(mark.size()) : bytes;
}

bool ModelIsBig5(std::string_view bytes) {
    return !HasUndecodable(ModelBig5Units(bytes));
}

std::optional<TextEncoding> ModelDetect(std::string_view bytes) {
    if (bytes.starts_with(Utf8Mark)) return TextEncoding::Utf8;
    if (bytes.starts_with("\xFF\xFE")) return TextEncoding::Utf16LittleEndian;
    if (bytes.starts_with("\xFE\xFF")) return TextEncoding::Utf16BigEndian;
    if (bytes.find('\0') != std::string_view::npos) return TextEncoding::Utf16LittleEndian;
    if (fuzz::FirstIllFormedOffset(bytes) == std::string_view::npos) return TextEncoding::Utf8;
    if (ModelIsBig5(bytes)) return TextEncoding::Big5;
    return std::nullopt;
}

// Each spoiled line is one invalid line to both parsers.
void CheckParsersCount(const std::u16string& text, std::size_t spoiledLines) {
    PhraseTable phrases;
    FUZZ_CHECK(ParsePhraseText(phrases, text.data(), text.size(), 0) >= spoiledLines);
    TipTable tips;
    FUZZ_CHECK(ParseTipsText(tips, text.data(), text.size(), 0) >= spoiledLines);
}

}  // namespace

// The report of an import's invalid lines has as many lines as the import counts, for either
// table: the parse of the decoded text, or every line of bytes in no encoding.
void CheckInvalidLineReport(std::string_view bytes) {
    const std::optional<TextEncoding> encoding = DetectTextEncoding(bytes);
    if (!encoding) {
        FUZZ_CHECK(FindInvalidLines(TableKind::Phrases, bytes).lines.size() == CountByteLines(bytes));
        return;
    }
    const std::u16string units = DecodeText(bytes, *encoding);
    PhraseTable phrases;
    TipTable tips;
    FUZZ_CHECK(FindInvalidLines(TableKind::Phrases, bytes).lines.size() ==
               ParsePhraseText(phrases, units.data(), units.size(), 0));
    FUZZ_CHECK(FindInvalidLines(TableKind::Tips, bytes).lines.size() == ParseTipsText(tips, units.data(), units.size(), 0));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    FUZZ_CHECK(DetectTextEncoding(bytes) == ModelDetect(bytes));
    FUZZ_CHECK(IsUtf8(bytes) == (fuzz::FirstIllFormedOffset(bytes) == std::string_view::npos));
    FUZZ_CHECK(IsBig5(bytes) == ModelIsBig5(bytes));

    std::size_t spoiledLines = 0;
    FUZZ_CHECK(DecodeText(bytes, TextEncoding::Utf16LittleEndian) ==
               ModelLines(ModelUtf16Units(WithoutMark(bytes, "\xFF\xFE"), false), spoiledLines));
    FUZZ_CHECK(DecodeText(bytes, TextEncoding::Utf16BigEndian) ==
               ModelLines(ModelUtf16Units(WithoutMark(bytes, "\xFE\xFF"), true), spoiledLines));
    const std::u16string utf8 = DecodeText(bytes, TextEncoding::Utf8);
    FUZZ_CHECK(utf8 == ModelLines(ModelUtf8Units(WithoutMark(bytes, Utf8Mark)), spoiledLines));
    CheckParsersCount(utf8, spoiledLines);
    const std::u16string big5 = DecodeText(bytes, TextEncoding::Big5);
    FUZZ_CHECK(big5 == ModelLines(ModelBig5Units(bytes), spoiledLines));
    CheckParsersCount(big5, spoiledLines);
    CheckInvalidLineReport(bytes);
    return 0;
}
