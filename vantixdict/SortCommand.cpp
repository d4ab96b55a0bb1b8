// sort: the phrase tool's stable column sorts, applied to a file.
#include "Commands.h"

#include "Ordering.h"
#include "PhraseTable.h"
#include "TextDisplay.h"

int RunSort(const Arguments& arguments, Console& console) {
    const std::optional<InputText> input = LoadInput(arguments.files[0], arguments, console);
    if (!input) return ExitError;

    const TextCheck check = CheckText(TableKind::Phrases, input->units, input->undecoded);
    for (const Finding& finding : check.findings) {
        if (finding.severity == Severity::Warning) continue;
        if (arguments.dropInvalid) {
            console.err << input->path << ':' << finding.line << ": left out: " << finding.message << '\n';
        } else {
            PrintFinding(console.err, input->path, finding);
        }
    }
    if (check.invalidLines > 0 && !arguments.dropInvalid) {
        console.err << "vantixdict: not sorted: the import would lose " << CountOf(check.invalidLines, "line", "lines")
                    << " (--drop-invalid leaves them out)\n";
        return ExitRefused;
    }

    // The file goes through the import and the sort of the phrase tool itself.
    PhraseTable table;
    ParsePhraseText(table, input->units.data(), input->units.size(), 0);
    StableSortPhrases(table, arguments.sortColumn, !arguments.descending);
    const std::u16string sorted = FormatPhraseText(table, false);

    for (const std::string& note : input->notes) PrintNote(console.err, input->path, note);
    // The output keeps the input's form and mark; Big5, which is only read, becomes the stored form.
    std::string bytes;
    switch (input->form) {
    case TextForm::Stored: bytes = (input->byteOrderMark ? "\xFF\xFE" : "") + StoredBytesFromUnits(sorted); break;
    case TextForm::Utf8: bytes = Utf8TextFromUnits(sorted, {input->byteOrderMark, input->firstLineEnd}); break;
    case TextForm::Utf16BigEndian: bytes = BigEndianBytesFromUnits(sorted); break;
    case TextForm::Big5:
        console.err << input->path << ": note: Big5 text is written in the stored form (UTF-16LE)\n";
        bytes = StoredBytesFromUnits(sorted);
        break;
    }
    return WriteOutput(input->path, *arguments.output, true, bytes, console);
}
