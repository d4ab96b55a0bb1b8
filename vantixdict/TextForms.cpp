#include "TextForms.h"

#include "TextEncoding.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <sstream>

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

std::size_t LineOfOffset(std::string_view bytes, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\n') ++line;
    }
    return line;
}

}  // namespace

const char* TextFormName(TextForm form) {
    switch (form) {
    case TextForm::Stored: return "the stored form (UTF-16LE)";
    case TextForm::Utf8: return "UTF-8 text";
    case TextForm::Utf16BigEndian: return "UTF-16BE text";
    }
    return "";
}

FormGuess GuessTextForm(std::string_view bytes) {
    FormGuess guess = GuessTextFormQuickly(bytes);
    Utf8Error error;
    if (guess.form == TextForm::Utf8 && !StartsWith(bytes, Utf8ByteOrderMark) && !IsValidUtf8(bytes, error)) {
        guess.form.reset();
        guess.whyNot = NotUtf8Text(bytes, error);
    }
    return guess;
}

std::string NotUtf8Text(std::string_view bytes, const Utf8Error& error) {
    return "it is not UTF-8 (" + std::string(error.reason) + " at line " +
           std::to_string(LineOfOffset(bytes, error.offset)) + ", byte offset " + std::to_string(error.offset) +
           ") and has none of the zero bytes of UTF-16LE text";
}

FormGuess GuessTextFormQuickly(std::string_view bytes) {
    FormGuess guess;
    if (bytes.empty()) {
        guess.form = TextForm::Stored;
        return guess;
    }
    // The marks are told as the import tells them.
    if (const std::optional<TextEncoding> marked = EncodingByMark(bytes)) {
        switch (*marked) {
        case TextEncoding::Utf8: guess.form = TextForm::Utf8; break;
        case TextEncoding::Utf16LittleEndian: guess.form = TextForm::Stored; break;
        case TextEncoding::Utf16BigEndian: guess.form = TextForm::Utf16BigEndian; break;
        }
        return guess;
    }

    std::size_t zerosAtEven = 0;
    std::size_t zerosAtOdd = 0;
    const std::size_t pairs = bytes.size() / 2;
    for (std::size_t i = 0; i < pairs; ++i) {
        zerosAtEven += bytes[2 * i] == '\0';
        zerosAtOdd += bytes[2 * i + 1] == '\0';
    }
    if (bytes.size() % 2 != 0) zerosAtEven += bytes.back() == '\0';
    if (zerosAtEven == 0 && zerosAtOdd == 0) {
        guess.form = TextForm::Utf8;
        return guess;
    }
    if (zerosAtOdd > zerosAtEven) {
        guess.form = TextForm::Stored;
        return guess;
    }
    if (zerosAtEven > zerosAtOdd) {
        guess.whyNot = "it looks like UTF-16 big-endian without a byte-order mark, which the import would take "
                       "for UTF-16LE";
        return guess;
    }
    guess.whyNot = "it holds zero bytes, but not in the pattern of UTF-16LE text";
    return guess;
}

std::u16string UnitsFromStoredBytes(std::string_view bytes) {
    std::u16string units((bytes.size() + 1) / 2, u'\0');
    std::memcpy(units.data(), bytes.data(), bytes.size());
    StoredUnitsInPlace(units, bytes.size());
    return units;
}

void StoredUnitsInPlace(std::u16string& storage, std::size_t byteCount) {
    storage.resize(byteCount / 2);
    if constexpr (std::endian::native == std::endian::big) {
        for (char16_t& unit : storage) unit = static_cast<char16_t>((unit >> 8) | (unit << 8));
    }
}

std::string StoredBytesFromUnits(std::u16string_view units) {
    std::string bytes(units.size() * 2, '\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
    return bytes;
}

std::string BigEndianBytesFromUnits(std::u16string_view units) {
    std::string bytes = "\xFE\xFF";
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return bytes;
}

Utf8Reading ReadUtf8Text(std::string_view bytes) {
    Utf8Reading reading;
    if (StartsWith(bytes, Utf8ByteOrderMark)) {
        reading.hadByteOrderMark = true;
        bytes.remove_prefix(Utf8ByteOrderMark.size());
    }
    // Room for the worst case (every byte a LF that becomes CR LF): memory that is reserved but
    // never written costs nothing, while growing would copy the text again.
    std::u16string& units = reading.units;
    units.reserve(2 * bytes.size());
    bool seenLineEnd = false;
    for (std::size_t offset = 0; offset < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[offset]);
        if (byte >= 0x80) {
            char32_t codePoint = 0;
            const std::size_t length = DecodeUtf8CodePoint(bytes, offset, codePoint, reading.error);
            if (length == 0) {
                reading.valid = false;
                reading.errorLine = LineOfOffset(bytes, offset);
                if (reading.hadByteOrderMark) reading.error.offset += Utf8ByteOrderMark.size();
                units.clear();
                return reading;
            }
            AppendUtf16(units, codePoint);
            offset += length;
            continue;
        }
        if (byte == '\n') {
            const bool afterCr = !units.empty() && units.back() == u'\r';
            if (!seenLineEnd) reading.firstLineEndWasCrLf = afterCr;
            seenLineEnd = true;
            if (!afterCr) units += u'\r';
        }
        units += static_cast<char16_t>(byte);
        ++offset;
    }
    return reading;
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
        if (unit < 0x80) {
            if (unit == u'\r' && !style.crlf && i + 1 < units.size() && units[i + 1] == u'\n') continue;
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
