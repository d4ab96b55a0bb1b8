#include "TextForms.h"

#include "Utf8.h"

#include <algorithm>
#include <bit>
#include <sstream>

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

TextEncoding EncodingOf(TextForm form) {
    switch (form) {
    case TextForm::Stored: return TextEncoding::Utf16LittleEndian;
    case TextForm::Utf8: return TextEncoding::Utf8;
    case TextForm::Utf16BigEndian: return TextEncoding::Utf16BigEndian;
    case TextForm::Big5: return TextEncoding::Big5;
    }
    return TextEncoding::Utf16LittleEndian;
}

TextForm FormOf(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf16LittleEndian: return TextForm::Stored;
    case TextEncoding::Utf8: return TextForm::Utf8;
    case TextEncoding::Utf16BigEndian: return TextForm::Utf16BigEndian;
    case TextEncoding::Big5: return TextForm::Big5;
    }
    return TextForm::Stored;
}

std::size_t LineOfOffset(std::string_view bytes, std::size_t offset) {
    std::size_t found = 0;
    ForEachByteLine(bytes, [&](std::size_t number, std::size_t start, std::size_t) {
        if (start <= offset) found = number;
    });
    return found;
}

LineEnd FirstLineEnd(std::string_view bytes) {
    const std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos || bytes[end] == '\n') return LineEnd::Lf;
    return bytes.substr(end, 2) == "\r\n" ? LineEnd::CrLf : LineEnd::Cr;
}

// Where a UTF-8 line stops decoding, from the start of the file; empty when it decodes.
std::string Utf8FaultIn(std::string_view bytes, std::size_t start, std::size_t end, std::size_t markSize) {
    for (std::size_t offset = start; offset < end;) {
        char32_t codePoint = 0;
        Utf8Error error;
        const std::size_t length = DecodeUtf8CodePoint(bytes, offset, codePoint, error);
        if (length == 0) return std::string(error.reason) + " at byte offset " + std::to_string(markSize + offset);
        offset += length;
    }
    return {};
}

// The lines of UTF-8 or Big5 text (without its mark) that hold bytes which do not decode: the
// import reads each of them as an empty line.
std::vector<UndecodedLine> UndecodedLines(std::string_view body, TextForm form, std::size_t markSize) {
    std::vector<UndecodedLine> lines;
    ForEachByteLine(body, [&](std::size_t number, std::size_t start, std::size_t end) {
        std::string why;
        if (form == TextForm::Utf8) {
            const std::string fault = Utf8FaultIn(body, start, end, markSize);
            if (!fault.empty()) why = "bytes that are not UTF-8 (" + fault + ")";
        } else if (!IsBig5(body.substr(start, end - start))) {
            why = "bytes that are not Big5 (code page 950 does not decode them)";
        }
        if (!why.empty()) lines.push_back({number, why + ": the import reads the line as empty"});
    });
    return lines;
}

}  // namespace

const char* TextFormName(TextForm form) {
    switch (form) {
    case TextForm::Stored: return "the stored form (UTF-16LE)";
    case TextForm::Utf8: return "UTF-8 text";
    case TextForm::Utf16BigEndian: return "UTF-16BE text";
    case TextForm::Big5: return "Big5 text (code page 950)";
    }
    return "";
}

std::string DescribeForm(TextForm form, bool byteOrderMark) {
    if (!byteOrderMark) return TextFormName(form);
    if (form == TextForm::Stored) return "UTF-16LE text with a byte-order mark";
    return std::string(TextFormName(form)) + " with a byte-order mark";
}

std::optional<DecodedFile> DecodeFile(std::string_view bytes, std::optional<TextForm> form) {
    const std::optional<TextEncoding> encoding = form ? EncodingOf(*form) : DetectTextEncoding(bytes);
    if (!encoding) return std::nullopt;

    DecodedFile file;
    file.form = FormOf(*encoding);
    file.units = DecodeText(bytes, *encoding);
    file.byteOrderMark = EncodingByMark(bytes) == encoding;
    const std::size_t markSize = !file.byteOrderMark ? 0 : *encoding == TextEncoding::Utf8 ? 3 : 2;
    const std::string_view body = bytes.substr(markSize);
    if (file.form == TextForm::Utf8 || file.form == TextForm::Big5) {
        file.firstLineEnd = FirstLineEnd(body);
        // The import detects UTF-8 and Big5 without a mark only when every byte decodes.
        const bool mayNotDecode = form || file.byteOrderMark;
        if (mayNotDecode && !(file.form == TextForm::Utf8 ? IsUtf8(body) : IsBig5(body))) {
            file.undecoded = UndecodedLines(body, file.form, markSize);
        }
        return file;
    }
    if (body.size() % 2 != 0) file.oddLastByte = static_cast<unsigned char>(body.back());
    // UTF-16BE read as UTF-16LE has no CR but the one that ends its only line.
    const bool oneLine = file.units.find(u'\r') + 2 == file.units.size();
    if (file.form == TextForm::Stored && !file.byteOrderMark && oneLine) {
        std::size_t zerosAtEven = 0;
        std::size_t zerosAtOdd = 0;
        for (std::size_t i = 0; i + 1 < body.size(); i += 2) {
            zerosAtEven += body[i] == '\0';
            zerosAtOdd += body[i + 1] == '\0';
        }
        file.zerosLikeBigEndian = zerosAtEven > zerosAtOdd;
    }
    return file;
}

std::string WhyNoEncoding(std::string_view bytes) {
    Utf8Error error;
    IsValidUtf8(bytes, error);
    std::size_t notBig5 = 0;
    ForEachByteLine(bytes, [&](std::size_t number, std::size_t start, std::size_t end) {
        if (notBig5 == 0 && !IsBig5(bytes.substr(start, end - start))) notBig5 = number;
    });
    return "it is not UTF-8 (" + std::string(error.reason) + " at line " +
           std::to_string(LineOfOffset(bytes, error.offset)) + ", byte offset " + std::to_string(error.offset) +
           "), not Big5 (code page 950 does not decode line " + std::to_string(notBig5) +
           ") and not UTF-16 (it has no zero byte)";
}

std::u16string UnitsFromStoredBytes(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return units;
}

std::string StoredBytesFromUnits(std::u16string_view units) {
    std::string bytes(units.size() * 2, '\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
    return bytes;
}

bool StoredFormNeedsMark(std::u16string_view units) {
    return EncodingByMark(StoredBytesFromUnits(units.substr(0, 2))).has_value();
}

std::string BigEndianBytesFromUnits(std::u16string_view units) {
    std::string bytes = "\xFE\xFF";
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return bytes;
}

namespace {

char* PutUtf8(char* out, char32_t codePoint) {
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

}  // namespace

void WriteUtf8Text(std::ostream& stream, std::u16string_view units, Utf8Style style) {
    // One small buffer, written out whenever it may not hold another character: a large text
    // never exists twice in memory.
    constexpr std::size_t BufferSize = 65536;
    char buffer[BufferSize];
    char* out = buffer;
    if (style.byteOrderMark) out = std::copy(Utf8ByteOrderMark.begin(), Utf8ByteOrderMark.end(), out);
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (out > buffer + BufferSize - 4) {
            stream.write(buffer, out - buffer);
            out = buffer;
        }
        const char16_t unit = units[i];
        if (unit == u'\r' && i + 1 < units.size() && units[i + 1] == u'\n') {
            if (style.lineEnd != LineEnd::Lf) *out++ = '\r';
            if (style.lineEnd != LineEnd::Cr) *out++ = '\n';
            ++i;
        } else if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
        } else if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            out = PutUtf8(out, CombineSurrogates(unit, units[i + 1]));
            ++i;
        } else {
            out = PutUtf8(out, unit);
        }
    }
    stream.write(buffer, out - buffer);
}

std::string Utf8TextFromUnits(std::u16string_view units, Utf8Style style) {
    std::ostringstream text;
    WriteUtf8Text(text, units, style);
    return std::move(text).str();
}

std::string_view StoredBytesOf(const std::u16string& units, std::string& scratch) {
    if constexpr (std::endian::native == std::endian::little) {
        return {reinterpret_cast<const char*>(units.data()), units.size() * 2};
    } else {
        scratch = StoredBytesFromUnits(units);
        return scratch;
    }
}
