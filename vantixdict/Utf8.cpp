#include "Utf8.h"

#include "TextEncoding.h"

namespace {

// The phrase tool's import decodes UTF-8 with the same rules; this names its faults.
const char* ReasonOf(Utf8Fault fault) {
    switch (fault) {
    case Utf8Fault::StrayContinuation: return "a continuation byte without a lead byte";
    case Utf8Fault::InvalidByte: return "a byte that never occurs in UTF-8";
    case Utf8Fault::CutShortByEnd: return "a sequence cut short by the end of the file";
    case Utf8Fault::CutShort: return "a sequence cut short";
    case Utf8Fault::Overlong: return "an overlong sequence";
    case Utf8Fault::Surrogate: return "an encoded surrogate";
    case Utf8Fault::AboveUnicode: return "a code point above U+10FFFF";
    }
    return "not UTF-8";
}

}  // namespace

std::size_t DecodeUtf8CodePoint(std::string_view bytes, std::size_t offset, char32_t& codePoint,
                                Utf8Error& error) {
    Utf8Fault fault = Utf8Fault::InvalidByte;
    const std::size_t length = DecodeUtf8(bytes, offset, codePoint, fault);
    if (length == 0) {
        error.offset = offset;
        error.reason = ReasonOf(fault);
    }
    return length;
}

bool IsValidUtf8(std::string_view bytes, Utf8Error& error) {
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        if (static_cast<unsigned char>(bytes[offset]) < 0x80) {
            ++offset;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = DecodeUtf8CodePoint(bytes, offset, codePoint, error);
        if (length == 0) return false;
        offset += length;
    }
    return true;
}

bool AppendUtf16FromUtf8(std::u16string& out, std::string_view bytes, Utf8Error& error) {
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        // Most of a phrase file's bytes are ASCII keys, TABs and line ends.
        const auto byte = static_cast<unsigned char>(bytes[offset]);
        if (byte < 0x80) {
            out += static_cast<char16_t>(byte);
            ++offset;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = DecodeUtf8CodePoint(bytes, offset, codePoint, error);
        if (length == 0) return false;
        AppendUtf16(out, codePoint);
        offset += length;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool AppendUtf8FromUtf16(std::string& out, std::u16string_view units, std::size_t& badUnit) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            AppendUtf8(out, CombineSurrogates(unit, units[i + 1]));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            badUnit = i;
            return false;
        } else {
            AppendUtf8(out, unit);
        }
    }
    return true;
}
