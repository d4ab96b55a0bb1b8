// Fuzz target for reading a file: any bytes, read as the import detects them and as each --from
// names them, must read exactly as the phrase tool's import reads them (the core's encoding
// detection and decoding); the line diagnostics must judge the units exactly as the import's
// parsers do, on the lines of the file; and what convert writes must read back the same. The
// strict UTF-8 test that names the faults must agree with a plain reference decoder.
#include "FuzzCheck.h"
#include "LineDiagnostics.h"
#include "PhraseTable.h"
#include "TextForms.h"
#include "TipTable.h"
#include "Utf8.h"
#include "Utf8Reference.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The number of bytes of each line, ended by CR LF, LF or CR, or by the end of the bytes.
std::vector<std::size_t> ByteLineLengths(std::string_view bytes) {
    std::vector<std::size_t> lengths;
    std::size_t length = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') {
            ++length;
            continue;
        }
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        lengths.push_back(length);
        length = 0;
    }
    if (length > 0) lengths.push_back(length);
    return lengths;
}

void CheckAgainstTheImport(TableKind kind, const DecodedFile& file) {
    const std::u16string& units = file.units;
    const TextCheck check = CheckText(kind, units, file.undecoded);
    std::size_t invalid = 0;
    std::size_t entries = 0;
    std::uint64_t storedBytes = 0;
    if (kind == TableKind::Phrases) {
        PhraseTable table;
        invalid = ParsePhraseText(table, units.data(), units.size(), 0);
        entries = table.size();
        storedBytes = StoredFormBytes(table);
    } else {
        TipTable table;
        invalid = ParseTipsText(table, units.data(), units.size(), 0);
        entries = table.size();
        storedBytes = StoredFormBytes(table);
    }
    FUZZ_CHECK(check.invalidLines == invalid);
    FUZZ_CHECK(check.entries == entries);
    FUZZ_CHECK(2 * std::uint64_t{check.entryUnits} == storedBytes);
    for (std::size_t i = 0; i < check.lines.size(); ++i) {
        FUZZ_CHECK(!check.lines[i].undecoded || check.lines[i].verdict == LineVerdict::Invalid);
    }
}

// What convert writes reads back as the same units: the stored form always, UTF-8 text when
// every line can be written.
void CheckWhatConvertWrites(const DecodedFile& file) {
    std::string stored = StoredBytesFromUnits(file.units);
    if (StoredFormNeedsMark(file.units)) stored.insert(0, "\xFF\xFE");
    const std::optional<DecodedFile> storedBack = DecodeFile(stored);
    FUZZ_CHECK(storedBack && storedBack->units == file.units);

    const TextCheck check = CheckText(TableKind::Phrases, file.units, file.undecoded, CheckScope::ImportOnly);
    if (check.linesNotWritableAsUtf8 > 0) return;
    const bool mark = !file.units.empty() && file.units[0] == u'\uFEFF';
    const std::optional<DecodedFile> utf8Back = DecodeFile(Utf8TextFromUnits(file.units, {mark, file.firstLineEnd}));
    FUZZ_CHECK(utf8Back && utf8Back->form == TextForm::Utf8 && utf8Back->units == file.units);
}

void CheckReading(std::string_view bytes, std::optional<TextForm> from) {
    const std::optional<DecodedFile> file = DecodeFile(bytes, from);
    const std::optional<TextEncoding> detected = DetectTextEncoding(bytes);
    if (!from) FUZZ_CHECK(file.has_value() == detected.has_value());
    if (!file) {
        FUZZ_CHECK(!WhyNoEncoding(bytes).empty());
        return;
    }
    if (!from) FUZZ_CHECK(file->units == DecodeText(bytes, *detected));

    // UTF-8 and Big5 lines are the file's lines, ended by its ASCII line ends; a line is reported
    // as not decoded exactly when it held bytes and reads as an empty line.
    if (file->form == TextForm::Utf8 || file->form == TextForm::Big5) {
        const std::vector<std::size_t> byteLines = ByteLineLengths(bytes.substr(file->byteOrderMark ? 3 : 0));
        const TextCheck check = CheckText(TableKind::Phrases, file->units, file->undecoded, CheckScope::ImportOnly);
        FUZZ_CHECK(check.lines.size() == byteLines.size());
        std::size_t index = 0;
        ForEachImportLine(file->units, [&](const ImportLine& line) {
            const bool readAsEmpty = line.end == line.start && byteLines[index] > 0;
            FUZZ_CHECK(check.lines[index].undecoded == readAsEmpty);
            ++index;
        });
    } else {
        FUZZ_CHECK(file->undecoded.empty());
    }
    CheckAgainstTheImport(TableKind::Phrases, *file);
    CheckAgainstTheImport(TableKind::Tips, *file);
    CheckWhatConvertWrites(*file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    Utf8Error error;
    const bool valid = IsValidUtf8(bytes, error);
    const std::size_t reference = fuzz::FirstIllFormedOffset(bytes);
    FUZZ_CHECK(valid == (reference == std::string_view::npos));
    if (!valid) FUZZ_CHECK(error.offset == reference);

    CheckReading(bytes, std::nullopt);
    for (const TextForm from : {TextForm::Utf8, TextForm::Stored, TextForm::Big5}) CheckReading(bytes, from);
    return 0;
}
