// stats: the figures of a file as the import would read it.
#include "Commands.h"

#include "TextDisplay.h"

int RunStats(const Arguments& arguments, Console& console) {
    const std::optional<CheckedInput> checked = LoadAndCheck(arguments, console);
    if (!checked) return ExitError;
    const auto& [kind, input, check, notes] = *checked;

    std::ostream& out = console.out;
    out << "file: " << input.path << '\n';
    out << "form: " << DescribeForm(input.form, input.byteOrderMark) << ", "
        << CountOf(input.fileBytes, "byte", "bytes") << '\n';
    out << "table: " << (kind == TableKind::Phrases ? "phrases" : "associated words") << '\n';
    out << "lines: " << check.lines.size() << '\n';
    out << "entries: " << check.entries << '\n';
    out << "invalid lines: " << check.invalidLines << '\n';
    out << "warnings: " << check.warnings + notes.size() << '\n';

    if (kind == TableKind::Phrases) {
        for (std::size_t n = 0; n < check.keyLengthCounts.size(); ++n) {
            if (check.keyLengthCounts[n] != 0) out << "input keys of length " << n << ": " << check.keyLengthCounts[n] << '\n';
        }
    } else {
        for (std::size_t n = 0; n < check.wordCountCounts.size(); ++n) {
            if (check.wordCountCounts[n] != 0) out << "entries with " << CountOf(n, "word", "words") << ": " << check.wordCountCounts[n] << '\n';
        }
    }
    out << (kind == TableKind::Phrases ? "longest phrase: " : "longest word: ");
    if (check.longestLine == 0) {
        out << "none\n";
    } else {
        out << CountOf(check.longestLength, "unit", "units") << " (line " << check.longestLine << ")\n";
    }
    return ExitDone;
}
