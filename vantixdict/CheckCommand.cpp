// check: the import's view of a file, line by line.
#include "Commands.h"

#include "TextDisplay.h"

int RunCheck(const Arguments& arguments, Console& console) {
    const std::optional<CheckedInput> checked = LoadAndCheck(arguments, console);
    if (!checked) return ExitError;
    const auto& [kind, input, check, notes] = *checked;

    std::ostream& out = console.out;
    const std::string& path = input.path;
    if (input.form != TextForm::Stored || input.byteOrderMark) {
        out << path << ": note: read as " << DescribeForm(input.form, input.byteOrderMark) << '\n';
    }
    for (const std::string& note : notes) PrintNote(out, path, note);
    for (const Finding& finding : check.findings) PrintFinding(out, path, finding);

    const std::size_t warnings = check.warnings + notes.size();
    out << path << ": the import would read " << EntriesOf(kind, check.entries) << " and report "
        << CountOf(check.invalidLines, "invalid line", "invalid lines");
    if (warnings > 0) out << "; " << CountOf(warnings, "warning", "warnings");
    out << '\n';

    // A file of the other table reads without a single entry: say so.
    if (check.entries == 0 && check.invalidLines > 0) {
        const TableKind other = kind == TableKind::Phrases ? TableKind::Tips : TableKind::Phrases;
        const TextCheck asOther = CheckText(other, input.units, input.undecoded, CheckScope::ImportOnly);
        if (asOther.entries > 0 && asOther.invalidLines == 0) {
            out << path << ": note: the file reads as " << (other == TableKind::Tips ? "associated words" : "phrases")
                << " without invalid lines; " << (other == TableKind::Tips ? "--tips checks it as such" : "leave out --tips")
                << '\n';
        }
    }
    return check.invalidLines > 0 ? ExitRefused : ExitDone;
}
