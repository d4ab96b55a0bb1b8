#include "TextEncoding.h"

#include <utility>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";

constexpr char16_t Cr = u'\r';
constexpr char16_t Lf = u'\n';

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

std::size_t Fail(Utf8Fault& fault, Utf8Fault why) {
    fault = why;
    return 0;
}

// The two halves of a code point above U+FFFF.
char16_t HighSurrogateOf(char32_t codePoint) {
    return static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
}
char16_t LowSurrogateOf(char32_t codePoint) {
    return static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
}

std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = bigEndian ? static_cast<char16_t>(first << 8 | second)
                             : static_cast<char16_t>(second << 8 | first);
    }
    return units;
}

// Gathers decoded units while following the lines as the parsers walk them (a line ends at a
// CR, and the unit after the CR belongs to it), and empties every line that held bytes which
// do not decode.
class LineCollector {
public:
    explicit LineCollector(std::size_t capacity) { text_.reserve(capacity); }

    void Put(char16_t unit) {
        text_ += unit;
        if (crSeen_) {
            EndLine(true);
        } else if (unit == Cr) {
            crSeen_ = true;
        }
    }

    // A run of undecodable bytes stands for one unit, so that a run right after a CR takes the
    // place of the unit the parsers skip there. The unit itself never stays in the text.
    void PutUndecodable() {
        spoiled_ = true;
        Put(u'\uFFFD');
    }

    std::u16string Finish() && {
        if (crSeen_) {
            EndLine(false);  // the text ends in a CR, which still ends a line
        } else if (spoiled_) {
            text_.resize(lineStart_);
        }
        return std::move(text_);
    }

private:
    void EndLine(bool unitAfterCr) {
        if (spoiled_) {
            text_.resize(lineStart_);
            text_ += Cr;
            if (unitAfterCr) text_ += Lf;
        }
        lineStart_ = text_.size();
        crSeen_ = false;
        spoiled_ = false;
    }

    std::u16string text_;
    std::size_t lineStart_ = 0;
    bool crSeen_ = false;
    bool spoiled_ = false;
};

std::u16string Utf8Units(std::string_view bytes) {
    // Every byte gives at most one unit: a four-byte sequence gives two.
    LineCollector lines(bytes.size());
    bool inUndecodableRun = false;
    for (std::size_t offset = 0; offset < bytes.size();) {
        char32_t codePoint = 0;
        Utf8Fault fault = Utf8Fault::InvalidByte;
        const std::size_t length = DecodeUtf8(bytes, offset, codePoint, fault);
        if (length == 0) {
            if (!inUndecodableRun) lines.PutUndecodable();
            inUndecodableRun = true;
            ++offset;
            continue;
        }
        inUndecodableRun = false;
        if (codePoint < 0x10000) {
            lines.Put(static_cast<char16_t>(codePoint));
        } else {
            lines.Put(HighSurrogateOf(codePoint));
            lines.Put(LowSurrogateOf(codePoint));
        }
        offset += length;
    }
    return std::move(lines).Finish();
}

}  // namespace

std::optional<TextEncoding> EncodingByMark(std::string_view bytes) {
    if (bytes.starts_with(Utf8Mark)) return TextEncoding::Utf8;
    if (bytes.starts_with(Utf16LittleEndianMark)) return TextEncoding::Utf16LittleEndian;
    if (bytes.starts_with(Utf16BigEndianMark)) return TextEncoding::Utf16BigEndian;
    return std::nullopt;
}

TextEncoding DetectTextEncoding(std::string_view bytes) {
    if (const std::optional<TextEncoding> marked = EncodingByMark(bytes)) return *marked;
    if (bytes.find('\0') == std::string_view::npos && IsUtf8(bytes)) return TextEncoding::Utf8;
    return TextEncoding::Utf16LittleEndian;
}

std::u16string DecodeText(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf16LittleEndian: return Utf16Units(bytes, false);
    case TextEncoding::Utf16BigEndian:
        if (bytes.starts_with(Utf16BigEndianMark)) bytes.remove_prefix(Utf16BigEndianMark.size());
        return Utf16Units(bytes, true);
    case TextEncoding::Utf8:
        if (bytes.starts_with(Utf8Mark)) bytes.remove_prefix(Utf8Mark.size());
        return Utf8Units(bytes);
    }
    return {};
}

std::size_t DecodeUtf8(std::string_view bytes, std::size_t offset, char32_t& codePoint,
                       Utf8Fault& fault) {
    const auto lead = static_cast<unsigned char>(bytes[offset]);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        codePoint = lead & 0x07;
    } else if (IsContinuation(lead)) {
        return Fail(fault, Utf8Fault::StrayContinuation);
    } else {
        return Fail(fault, Utf8Fault::InvalidByte);
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (offset + i >= bytes.size()) return Fail(fault, Utf8Fault::CutShortByEnd);
        const auto next = static_cast<unsigned char>(bytes[offset + i]);
        if (!IsContinuation(next)) return Fail(fault, Utf8Fault::CutShort);
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum) return Fail(fault, Utf8Fault::Overlong);
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return Fail(fault, Utf8Fault::Surrogate);
    if (codePoint > 0x10FFFF) return Fail(fault, Utf8Fault::AboveUnicode);
    return length;
}

bool IsUtf8(std::string_view bytes) {
    for (std::size_t offset = 0; offset < bytes.size();) {
        char32_t codePoint = 0;
        Utf8Fault fault = Utf8Fault::InvalidByte;
        const std::size_t length = DecodeUtf8(bytes, offset, codePoint, fault);
        if (length == 0) return false;
        offset += length;
    }
    return true;
}

void AppendUtf16(std::u16string& units, char32_t codePoint) {
    if (codePoint < 0x10000) {
        units += static_cast<char16_t>(codePoint);
        return;
    }
    units += HighSurrogateOf(codePoint);
    units += LowSurrogateOf(codePoint);
}
