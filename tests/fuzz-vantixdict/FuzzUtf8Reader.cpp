// Fuzz target for the UTF-8 reader: any bytes must be either refused, at the offset a plain
// reference decoder names, or read into units that go back to the same UTF-8 and that the line
// diagnostics judge exactly as the import's parsers do.
#include "LineDiagnostics.h"
#include "PhraseTable.h"
#include "TextForms.h"
#include "TipTable.h"
#include "Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// A decoder written the slow way from the definition of well-formed UTF-8 (Unicode, table 3-7),
// to hold the fast one to: the offset of the first ill-formed sequence, or npos.
std::size_t ReferenceErrorOffset(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        auto in = [&](std::size_t k, unsigned low, unsigned high) {
            if (i + k >= bytes.size()) return false;
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            return b >= low && b <= high;
        };
        std::size_t length = 0;
        if (b0 <= 0x7F) length = 1;
        else if (b0 >= 0xC2 && b0 <= 0xDF && in(1, 0x80, 0xBF)) length = 2;
        else if (b0 == 0xE0 && in(1, 0xA0, 0xBF) && in(2, 0x80, 0xBF)) length = 3;
        else if (((b0 >= 0xE1 && b0 <= 0xEC) || b0 == 0xEE || b0 == 0xEF) && in(1, 0x80, 0xBF) && in(2, 0x80, 0xBF)) length = 3;
        else if (b0 == 0xED && in(1, 0x80, 0x9F) && in(2, 0x80, 0xBF)) length = 3;
        else if (b0 == 0xF0 && in(1, 0x90, 0xBF) && in(2, 0x80, 0xBF) && in(3, 0x80, 0xBF)) length = 4;
        else if (b0 >= 0xF1 && b0 <= 0xF3 && in(1, 0x80, 0xBF) && in(2, 0x80, 0xBF) && in(3, 0x80, 0xBF)) length = 4;
        else if (b0 == 0xF4 && in(1, 0x80, 0x8F) && in(2, 0x80, 0xBF) && in(3, 0x80, 0xBF)) length = 4;
        else return i;
        i += length;
    }
    return std::string_view::npos;
}

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckAgainstTheImport(TableKind kind, std::u16string_view units) {
    const TextCheck check = CheckText(kind, units);
    std::size_t invalid = 0;
    std::size_t entries = 0;
    if (kind == TableKind::Phrases) {
        PhraseTable table;
        invalid = ParsePhraseText(table, units.data(), units.size(), 0);
        entries = table.size();
    } else {
        TipTable table;
        invalid = ParseTipsText(table, units.data(), units.size(), 0);
        entries = table.size();
    }
    Require(check.invalidLines == invalid);
    Require(check.entries == entries);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    Utf8Error error;
    const bool valid = IsValidUtf8(bytes, error);
    const std::size_t reference = ReferenceErrorOffset(bytes);
    Require(valid == (reference == std::string_view::npos));
    if (!valid) Require(error.offset == reference);

    const Utf8Reading reading = ReadUtf8Text(bytes);
    Require(reading.valid == valid);
    if (!reading.valid) return 0;

    // Back to UTF-8: the same bytes, with every line end as CR LF and the mark where it was.
    std::string expected;
    std::string_view rest = bytes;
    if (reading.hadByteOrderMark) {
        expected = "\xEF\xBB\xBF";
        rest.remove_prefix(3);
    }
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '\n' && (i == 0 || rest[i - 1] != '\r')) expected += '\r';
        expected += rest[i];
    }
    Require(Utf8TextFromUnits(reading.units, Utf8Style{reading.hadByteOrderMark, true}) == expected);

    CheckAgainstTheImport(TableKind::Phrases, reading.units);
    CheckAgainstTheImport(TableKind::Tips, reading.units);
    return 0;
}
