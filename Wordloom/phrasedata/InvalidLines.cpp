#include "InvalidLines.h"

#include "ImportLines.h"
#include "InputKeys.h"
#include "TextEncoding.h"

#include <algorithm>
#include <array>

namespace {

constexpr char16_t Tab = u'\t';
constexpr char16_t TipSeparator = u'=';

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendHex(std::u16string& text, unsigned value, int digits) {
    constexpr char16_t Digits[] = u"0123456789ABCDEF";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text += Digits[(value >> shift) & 0xF];
}

// The bytes of a line that did not decode, appended to text: what decodes as UTF-8 as text,
// every other byte as \xHH, so that the reader sees where it went wrong.
void AppendBytesAsText(std::u16string& text, std::string_view bytes) {
    for (std::size_t offset = 0; offset < bytes.size();) {
        char32_t codePoint = 0;
        Utf8Fault fault{};
        const std::size_t length = DecodeUtf8(bytes, offset, codePoint, fault);
        if (length == 0) {
            text += u"\\x";
            AppendHex(text, static_cast<unsigned char>(bytes[offset]), 2);
            ++offset;
        } else {
            AppendUtf16(text, codePoint);
            offset += length;
        }
    }
}

// Appends a line of bytes to the report's text as a line of the report.
void AddByteLine(InvalidLineReport& report, std::size_t number, InvalidReason reason, std::string_view bytes) {
    const std::size_t start = report.text.size();
    AppendBytesAsText(report.text, bytes);
    report.lines.push_back({number, {reason}, start, report.text.size() - start});
}

}  // namespace

bool IsStoredKeyUnit(char16_t unit) {
    // Asked for every key unit of a file: a table made once from the alphabet's own test.
    static const std::array<bool, 0x80> table = [] {
        std::array<bool, 0x80> keys{};
        for (char16_t c = 0; c < 0x80; ++c) {
            const char16_t raised = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
            keys[c] = IsKeyCharacter(raised);
        }
        return keys;
    }();
    return unit < 0x80 && table[unit];
}

std::optional<LineFault> PhraseLineFault(std::u16string_view line) {
    if (line.empty()) return LineFault{InvalidReason::EmptyLine};
    const std::size_t lastTab = line.rfind(Tab);
    if (lastTab == std::u16string_view::npos) return LineFault{InvalidReason::NoTab};
    if (lastTab == 0) return LineFault{InvalidReason::EmptyKey};
    const std::u16string_view key = line.substr(0, lastTab);
    std::size_t bad = 0;
    while (bad < key.size() && IsStoredKeyUnit(key[bad])) ++bad;
    if (bad == key.size()) return std::nullopt;
    if (key.find(Tab) != std::u16string_view::npos) return LineFault{InvalidReason::TabInKey};
    const bool pair = IsHighSurrogate(key[bad]) && bad + 1 < key.size() && IsLowSurrogate(key[bad + 1]);
    return LineFault{pair ? InvalidReason::TwoUnitKeyCharacter : InvalidReason::NotKeyCharacter, bad};
}

std::optional<LineFault> TipLineFault(std::u16string_view line) {
    if (line.empty()) return LineFault{InvalidReason::EmptyLine};
    const std::size_t last = line.rfind(TipSeparator);
    if (last == std::u16string_view::npos) return LineFault{InvalidReason::NoEquals};
    if (last == 0) return LineFault{InvalidReason::NoCharacter};
    if (last == 1) return std::nullopt;
    const std::u16string_view part = line.substr(0, last);
    if (part.size() == 2 && IsHighSurrogate(part[0]) && IsLowSurrogate(part[1])) {
        return LineFault{InvalidReason::TwoUnitCharacter};
    }
    if (part.find(TipSeparator) != std::u16string_view::npos) return LineFault{InvalidReason::EqualsInCharacter};
    return LineFault{InvalidReason::LongCharacter};
}

std::optional<LineFault> LineFaultOf(TableKind kind, std::u16string_view line) {
    return kind == TableKind::Phrases ? PhraseLineFault(line) : TipLineFault(line);
}

InvalidLineReport FindInvalidLines(TableKind kind, std::string_view bytes) {
    InvalidLineReport report;
    const std::optional<TextEncoding> encoding = DetectTextEncoding(bytes);
    if (!encoding) {
        ForEachByteLine(bytes, [&](std::size_t number, std::size_t start, std::size_t end) {
            AddByteLine(report, number, InvalidReason::NoEncoding, bytes.substr(start, end - start));
        });
        return report;
    }

    report.text = DecodeText(bytes, *encoding);
    // Only UTF-8 behind its mark is read although some bytes do not decode: without the mark,
    // UTF-8 and Big5 are told only when every byte decodes. Such lines are empty in the units.
    std::vector<std::pair<std::size_t, std::string_view>> undecoded;  // line number, its bytes
    if (*encoding == TextEncoding::Utf8 && EncodingByMark(bytes) == TextEncoding::Utf8) {
        const std::string_view body = bytes.substr(3);
        if (!IsUtf8(body)) {
            ForEachByteLine(body, [&](std::size_t number, std::size_t start, std::size_t end) {
                const std::string_view line = body.substr(start, end - start);
                if (!IsUtf8(line)) undecoded.emplace_back(number, line);
            });
        }
    }

    // The shown bytes go after the units once the walk is over, which keeps the units in place.
    InvalidLineReport shown;
    const std::u16string_view units = report.text;
    // Room for every line at once: pages of it that no line needs are never touched.
    report.lines.reserve(static_cast<std::size_t>(std::count(units.begin(), units.end(), u'\r')));
    std::size_t nextUndecoded = 0;
    ForEachImportLine(units, [&](const ImportLine& line) {
        if (nextUndecoded < undecoded.size() && undecoded[nextUndecoded].first == line.number) {
            AddByteLine(shown, line.number, InvalidReason::NotDecoded, undecoded[nextUndecoded++].second);
            report.lines.push_back(shown.lines.back());
            return;
        }
        if (const std::optional<LineFault> fault = LineFaultOf(kind, units.substr(line.start, line.end - line.start))) {
            report.lines.push_back({line.number, *fault, line.start, line.end - line.start});
        }
    });
    if (!shown.lines.empty()) {
        const std::size_t offset = report.text.size();
        report.text += shown.text;
        for (InvalidLine& line : report.lines) {
            if (line.fault.reason == InvalidReason::NotDecoded) line.start += offset;
        }
    }
    return report;
}

std::u16string VisibleLineText(std::u16string_view line) {
    std::u16string text;
    text.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char16_t unit = line[i];
        if (IsHighSurrogate(unit) && i + 1 < line.size() && IsLowSurrogate(line[i + 1])) {
            text += unit;
            text += line[++i];
        } else if (unit == Tab) {
            text += u"\\t";
        } else if (unit < 0x20 || unit == 0x7F || unit == 0xFEFF || IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            text += u"\\u";
            AppendHex(text, unit, 4);
        } else {
            text += unit;
        }
    }
    return text;
}
