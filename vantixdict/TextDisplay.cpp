#include "TextDisplay.h"

#include "Utf8.h"

namespace {

const char* NameOfInvisible(char32_t codePoint) {
    switch (codePoint) {
    case 0x00: return "NUL";
    case 0x09: return "TAB";
    case 0x0A: return "LF";
    case 0x0D: return "CR";
    case 0x20: return "space";
    case 0x27: return "apostrophe";
    case 0xA0: return "no-break space";
    case 0x3000: return "ideographic space";
    case 0xFEFF: return "byte-order mark";
    default: return nullptr;
    }
}

bool IsInvisible(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0) || codePoint == 0xFEFF ||
           (codePoint >= 0xD800 && codePoint <= 0xDFFF);
}

void AppendHex(std::string& out, char32_t value, int digits) {
    static const char hex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += hex[(value >> shift) & 0xF];
}

}  // namespace

std::string CodePointName(char32_t codePoint) {
    std::string name = "U+";
    AppendHex(name, codePoint, codePoint > 0xFFFF ? (codePoint > 0xFFFFF ? 6 : 5) : 4);
    return name;
}

std::string DescribeCharacter(char32_t codePoint) {
    if (const char* name = NameOfInvisible(codePoint)) {
        return CodePointName(codePoint) + " (" + name + ")";
    }
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
        return CodePointName(codePoint) + " (half of a surrogate pair)";
    }
    if (IsInvisible(codePoint)) return CodePointName(codePoint) + " (control character)";
    std::string text = "'";
    AppendUtf8(text, codePoint);
    text += "' (" + CodePointName(codePoint) + ")";
    return text;
}

std::string QuoteText(std::u16string_view text, std::size_t maxUnits) {
    std::string quoted = "\"";
    const std::size_t shown = text.size() > maxUnits ? maxUnits : text.size();
    for (std::size_t i = 0; i < shown; ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(quoted, CombineSurrogates(unit, text[i + 1]));
            ++i;
        } else if (unit == u'\t') {
            quoted += "\\t";
        } else if (unit == u'\r') {
            quoted += "\\r";
        } else if (unit == u'\n') {
            quoted += "\\n";
        } else if (unit == u'"' || unit == u'\\') {
            quoted += '\\';
            quoted += static_cast<char>(unit);
        } else if (IsInvisible(unit)) {
            quoted += "\\u";
            AppendHex(quoted, unit, 4);
        } else {
            AppendUtf8(quoted, unit);
        }
    }
    if (shown < text.size()) quoted += "...";
    quoted += '"';
    return quoted;
}

std::string CountOf(std::size_t count, std::string_view singular, std::string_view plural) {
    return std::to_string(count) + " " + std::string(count == 1 ? singular : plural);
}
