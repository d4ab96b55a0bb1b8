#include "FixtureSource.h"

#include "TextForms.h"
#include "Utf8.h"

namespace {

void AppendUnit(std::string& bytes, bool utf16, char32_t codePoint) {
    if (utf16) {
        std::u16string units;
        if (codePoint >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(codePoint);
        }
        bytes += StoredBytesFromUnits(units);
    } else if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
        // An encoded surrogate, which is not UTF-8: for fixtures of broken text.
        bytes += static_cast<char>(0xE0 | (codePoint >> 12));
        bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        AppendUtf8(bytes, codePoint);
    }
}

}  // namespace

std::optional<std::string> FixtureBytes(std::string_view source, std::string& error) {
    std::string bytes;
    bool utf16 = true;
    bool sawForm = false;
    std::size_t lineStart = 0;
    while (lineStart < source.size()) {
        std::size_t lineEnd = source.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = source.size();
        const std::string line(source.substr(lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 1;
        if (!sawForm) {
            if (line != "form: utf16" && line != "form: utf8") {
                error = "first line must name the form";
                return std::nullopt;
            }
            utf16 = line == "form: utf16";
            sawForm = true;
            continue;
        }
        if (!line.empty() && line[0] == '#') continue;
        for (std::size_t i = 0; i < line.size();) {
            if (line[i] != '\\') {
                char32_t codePoint = 0;
                Utf8Error utf8Error;
                const std::size_t length = DecodeUtf8CodePoint(line, i, codePoint, utf8Error);
                if (length == 0) {
                    error = "the source is not UTF-8";
                    return std::nullopt;
                }
                AppendUnit(bytes, utf16, codePoint);
                i += length;
                continue;
            }
            const char kind = i + 1 < line.size() ? line[i + 1] : '\0';
            i += 2;
            switch (kind) {
            case 't': AppendUnit(bytes, utf16, u'\t'); break;
            case 'r': AppendUnit(bytes, utf16, u'\r'); break;
            case 'n': AppendUnit(bytes, utf16, u'\n'); break;
            case '\\': AppendUnit(bytes, utf16, u'\\'); break;
            case 'u':
                AppendUnit(bytes, utf16, static_cast<char32_t>(std::stoul(line.substr(i, 4), nullptr, 16)));
                i += 4;
                break;
            case 'U': {
                const std::size_t close = line.find('}', i);
                AppendUnit(bytes, utf16, static_cast<char32_t>(std::stoul(line.substr(i + 1, close - i - 1), nullptr, 16)));
                i = close + 1;
                break;
            }
            case 'x':
                bytes += static_cast<char>(std::stoul(line.substr(i, 2), nullptr, 16));
                i += 2;
                break;
            default:
                error = "unknown escape in: " + line;
                return std::nullopt;
            }
        }
    }
    return bytes;
}

