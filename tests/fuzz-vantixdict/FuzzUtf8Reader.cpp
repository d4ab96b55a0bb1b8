// Fuzz target for the UTF-8 reader: any bytes must be either refused, at the offset a plain
// reference decoder names, or read into units that go back to the same UTF-8 and that the line
// diagnostics judge exactly as the import's parsers do.
#include "LineDiagnostics.h"
#include "PhraseTable.h"
#include "TextForms.h"
#include "TipTable.h"
#include "Utf8.h"
#include "Utf8Reference.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

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
    const std::size_t reference = fuzz::FirstIllFormedOffset(bytes);
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
