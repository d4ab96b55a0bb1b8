#include "Utf8.h"

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

std::size_t Fail(Utf8Error& error, std::size_t offset, const char* reason) {
    error.offset = offset;
    error.reason = reason;
    return 0;
}

void AppendUtf16(std::u16string& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out += static_cast<char16_t>(codePoint);
        return;
    }
    const char32_t offset = codePoint - 0x10000;
    out += static_cast<char16_t>(0xD800 + (offset >> 10));
    out += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
}

}  // namespace

std::size_t DecodeUtf8CodePoint(std::string_view bytes, std::size_t offset, char32_t& codePoint,
                                Utf8Error& error) {
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
    } else if (lead >= 0x80 && lead <= 0xBF) {
        return Fail(error, offset, "a continuation byte without a lead byte");
    } else {
        return Fail(error, offset, "a byte that never occurs in UTF-8");
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (offset + i >= bytes.size()) return Fail(error, offset, "a sequence cut short by the end of the file");
        const auto next = static_cast<unsigned char>(bytes[offset + i]);
        if (!IsContinuation(next)) return Fail(error, offset, "a sequence cut short");
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum) return Fail(error, offset, "an overlong sequence");
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return Fail(error, offset, "an encoded surrogate");
    if (codePoint > 0x10FFFF) return Fail(error, offset, "a code point above U+10FFFF");
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
