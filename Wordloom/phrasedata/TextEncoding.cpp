#include "TextEncoding.h"

#include "Big5Table.h"

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

// Whether a three-byte sequence starts at bytes[offset] that needs no check beyond its
// continuation bytes, as the Chinese characters of a text do: leads E0 and ED, which limit their
// second byte, are left to DecodeUtf8.
bool IsPlainThreeByteSequence(std::string_view bytes, std::size_t offset) {
    const auto lead = static_cast<unsigned char>(bytes[offset]);
    return lead >= 0xE1 && lead <= 0xEF && lead != 0xED && offset + 2 < bytes.size() &&
           IsContinuation(static_cast<unsigned char>(bytes[offset + 1])) &&
           IsContinuation(static_cast<unsigned char>(bytes[offset + 2]));
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

// Gathers decoded units line by line: CR LF, LF alone and CR alone each end a line, which is
// put down as CR LF, and a line that held bytes which do not decode is put down empty.
class LineCollector {
public:
    explicit LineCollector(std::size_t capacity) { text_.reserve(capacity); }

    void Put(char16_t unit) {
        if (unit == Cr) {
            EndLine();
            afterCr_ = true;
            return;
        }
        const bool lfOfCrLf = unit == Lf && afterCr_;
        afterCr_ = false;
        if (lfOfCrLf) return;
        if (unit == Lf) {
            EndLine();
            return;
        }
        text_ += unit;
        lineOpen_ = true;
    }

    // Units that are neither CR nor LF, as Put takes them: every unit decoded from U+0080 up.
    void PutWithinLine(char16_t unit) {
        afterCr_ = false;
        text_ += unit;
        lineOpen_ = true;
    }

    // A run of ASCII bytes without CR or LF, as Put takes them one by one: one plain copy.
    void PutAsciiRun(std::string_view run) {
        const std::size_t at = text_.size();
        text_.resize(at + run.size());
        for (std::size_t i = 0; i < run.size(); ++i) text_[at + i] = static_cast<unsigned char>(run[i]);
        afterCr_ = false;
        lineOpen_ = true;
    }

    // A run of undecodable bytes: the line it stands in is lost, and nothing stands for it.
    void PutUndecodable() {
        afterCr_ = false;
        spoiled_ = true;
        lineOpen_ = true;
    }

    std::u16string Finish() && {
        if (lineOpen_) EndLine();  // a last line without a line end is read too
        return std::move(text_);
    }

private:
    void EndLine() {
        if (spoiled_) text_.resize(lineStart_);
        text_ += Cr;
        text_ += Lf;
        lineStart_ = text_.size();
        spoiled_ = false;
        lineOpen_ = false;
    }

    std::u16string text_;
    std::size_t lineStart_ = 0;
    bool afterCr_ = false;
    bool spoiled_ = false;
    bool lineOpen_ = false;  // the current line has units or a spoiled run
};

// Whether every line of the units already ends in CR LF, the last one included: then they are
// what the parsers read as they stand, as in every file the phrase tool exports.
bool HasCrLfLinesOnly(std::u16string_view units) {
    const std::size_t count = units.size();
    if (count == 0) return true;
    if (count < 2 || units[count - 2] != Cr || units[count - 1] != Lf) return false;
    // Every CR must be followed by an LF and every LF follow a CR: a plain pass without branches,
    // which the compiler turns into vector code.
    unsigned bad = units[0] == Lf;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        bad |= static_cast<unsigned>(units[i] == Cr) ^ static_cast<unsigned>(units[i + 1] == Lf);
    }
    return bad == 0;
}

std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = bigEndian ? static_cast<char16_t>(first << 8 | second)
                             : static_cast<char16_t>(second << 8 | first);
    }
    if (HasCrLfLinesOnly(units)) return units;
    LineCollector lines(units.size() + units.size() / 8 + 2);
    for (const char16_t unit : units) lines.Put(unit);
    return std::move(lines).Finish();
}

// The length of the code page 950 character at bytes[offset] (1 or 2) and its unit, or 0.
std::size_t DecodeBig5(std::string_view bytes, std::size_t offset, char16_t& unit) {
    const auto lead = static_cast<unsigned char>(bytes[offset]);
    if (lead < 0x80) {
        unit = lead;
        return 1;
    }
    if (const char16_t single = Big5SingleBytes[lead - 0x80]) {
        unit = single;
        return 1;
    }
    if (lead < 0x81 || lead > 0xFE || offset + 1 >= bytes.size()) return 0;
    const auto trail = static_cast<unsigned char>(bytes[offset + 1]);
    std::size_t column = 0;
    if (trail >= 0x40 && trail <= 0x7E) {
        column = trail - 0x40;
    } else if (trail >= 0xA1 && trail <= 0xFE) {
        column = (0x7E - 0x40 + 1) + (trail - 0xA1);
    } else {
        return 0;
    }
    unit = Big5Pairs[(lead - 0x81) * Big5TrailCount + column];
    return unit != 0 ? 2 : 0;
}

// Decodes character after character with decodeAt(offset, collector) -> bytes taken (0: none
// decodes there); a run of bytes that do not decode spoils its line.
template <class DecodeAt>
std::u16string DecodeByCharacter(std::string_view bytes, DecodeAt decodeAt) {
    // Every byte gives at most one unit: a four-byte UTF-8 sequence gives two.
    LineCollector lines(bytes.size() + bytes.size() / 8 + 2);
    for (std::size_t offset = 0; offset < bytes.size();) {
        const std::size_t length = decodeAt(offset, lines);
        if (length == 0) {
            lines.PutUndecodable();
            ++offset;
            continue;
        }
        offset += length;
    }
    return std::move(lines).Finish();
}

bool IsAsciiWithinLine(char byte) {
    return static_cast<unsigned char>(byte) < 0x80 && byte != '\r' && byte != '\n';
}

std::u16string Utf8Units(std::string_view bytes) {
    return DecodeByCharacter(bytes, [bytes](std::size_t offset, LineCollector& lines) {
        // Keys, separators and Latin text come in runs of ASCII: each run goes in at once. So do
        // the three-byte sequences of Chinese text, without the checks of rarer ones.
        if (IsAsciiWithinLine(bytes[offset])) {
            std::size_t end = offset + 1;
            while (end < bytes.size() && IsAsciiWithinLine(bytes[end])) ++end;
            lines.PutAsciiRun(bytes.substr(offset, end - offset));
            return end - offset;
        }
        if (IsPlainThreeByteSequence(bytes, offset)) {
            lines.PutWithinLine(static_cast<char16_t>((bytes[offset] & 0x0F) << 12 | (bytes[offset + 1] & 0x3F) << 6 |
                                                      (bytes[offset + 2] & 0x3F)));
            return std::size_t{3};
        }
        char32_t codePoint = 0;
        Utf8Fault fault = Utf8Fault::InvalidByte;
        const std::size_t length = DecodeUtf8(bytes, offset, codePoint, fault);
        if (length == 0) return length;
        if (codePoint < 0x80) {
            lines.Put(static_cast<char16_t>(codePoint));  // CR or LF
        } else if (codePoint < 0x10000) {
            lines.PutWithinLine(static_cast<char16_t>(codePoint));
        } else {
            lines.PutWithinLine(HighSurrogateOf(codePoint));
            lines.PutWithinLine(LowSurrogateOf(codePoint));
        }
        return length;
    });
}

std::u16string Big5Units(std::string_view bytes) {
    return DecodeByCharacter(bytes, [bytes](std::size_t offset, LineCollector& lines) {
        char16_t unit = 0;
        const std::size_t length = DecodeBig5(bytes, offset, unit);
        if (length != 0) lines.Put(unit);
        return length;
    });
}

}  // namespace

std::optional<TextEncoding> EncodingByMark(std::string_view bytes) {
    if (bytes.starts_with(Utf8Mark)) return TextEncoding::Utf8;
    if (bytes.starts_with(Utf16LittleEndianMark)) return TextEncoding::Utf16LittleEndian;
    if (bytes.starts_with(Utf16BigEndianMark)) return TextEncoding::Utf16BigEndian;
    return std::nullopt;
}

std::optional<TextEncoding> DetectTextEncoding(std::string_view bytes) {
    if (const std::optional<TextEncoding> marked = EncodingByMark(bytes)) return *marked;
    if (bytes.find('\0') != std::string_view::npos) return TextEncoding::Utf16LittleEndian;
    if (IsUtf8(bytes)) return TextEncoding::Utf8;
    if (IsBig5(bytes)) return TextEncoding::Big5;
    return std::nullopt;
}

std::u16string DecodeText(std::string_view bytes, TextEncoding encoding) {
    if (EncodingByMark(bytes) == encoding) {
        bytes.remove_prefix(encoding == TextEncoding::Utf8 ? Utf8Mark.size() : Utf16LittleEndianMark.size());
    }
    switch (encoding) {
    case TextEncoding::Utf16LittleEndian: return Utf16Units(bytes, false);
    case TextEncoding::Utf16BigEndian: return Utf16Units(bytes, true);
    case TextEncoding::Utf8: return Utf8Units(bytes);
    case TextEncoding::Big5: return Big5Units(bytes);
    }
    return {};
}

std::size_t CountByteLines(std::string_view bytes) {
    std::size_t lines = 0;
    bool lineOpen = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            ++lines;
            lineOpen = false;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            lineOpen = true;
        }
    }
    return lines + (lineOpen ? 1 : 0);
}

bool IsBig5(std::string_view bytes) {
    for (std::size_t offset = 0; offset < bytes.size();) {
        char16_t unit = 0;
        const std::size_t length = DecodeBig5(bytes, offset, unit);
        if (length == 0) return false;
        offset += length;
    }
    return true;
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
        if (static_cast<unsigned char>(bytes[offset]) < 0x80) {
            ++offset;
            continue;
        }
        if (IsPlainThreeByteSequence(bytes, offset)) {
            offset += 3;
            continue;
        }
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
