// convert: between the stored form and UTF-8 text, refusing to lose what the user wrote.
#include "Commands.h"

#include "TextDisplay.h"

namespace {

// Raises the lower-case letters of every entry's input key (everything before the line's last
// TAB), as the import does. Only letters change, so the lines stay where they are.
void RaiseInputKeys(std::u16string& units, const TextCheck& check) {
    std::size_t index = 0;
    ForEachImportLine(units, [&](const ImportLine& line) {
        if (check.lines[index++].verdict != LineVerdict::Entry) return;
        std::size_t keyEnd = line.end;
        while (keyEnd > line.start && units[keyEnd - 1] != u'\t') --keyEnd;
        for (std::size_t i = line.start; i + 1 < keyEnd; ++i) {
            if (units[i] >= u'a' && units[i] <= u'z') units[i] = static_cast<char16_t>(units[i] - (u'a' - u'A'));
        }
    });
}

// The lines for which keep(status) holds, each with its line end, in order; the text itself
// when every line is kept. A kept line is read back the same way, since it ends where the
// import's walk ended it.
template <class Keep>
std::u16string KeepLines(std::u16string units, const TextCheck& check, Keep keep) {
    bool all = true;
    for (const LineStatus& status : check.lines) all = all && keep(status);
    if (all) return units;

    std::u16string kept;
    kept.reserve(units.size());
    std::size_t index = 0;
    ForEachImportLine(units, [&](const ImportLine& line) {
        if (keep(check.lines[index++])) kept.append(units, line.start, line.next - line.start);
    });
    return kept;
}

// OUT is the second operand or the value of -o; only -o may name the input.
template <class Content>
int WriteConverted(const Arguments& arguments, const InputText& input, const Content& bytes, Console& console) {
    const bool fromOption = arguments.files.size() == 1;
    return WriteOutput(input.path, fromOption ? *arguments.output : arguments.files[1], fromOption, bytes, console);
}

int ToStoredForm(const Arguments& arguments, InputText& input, TableKind kind, Console& console) {
    const TextCheck check = CheckText(kind, input.units, CheckScope::ImportOnly);
    const std::size_t lost = check.invalidLines + (check.lastLineIgnored ? 1 : 0);
    const bool refusing = lost > 0 && !arguments.dropInvalid && !arguments.keepInvalid;
    for (const Finding& finding : check.findings) {
        if (refusing) {
            PrintFinding(console.err, input.path, finding);
        } else {
            console.err << input.path << ':' << finding.line << ": "
                        << (arguments.dropInvalid ? "left out: " : "written as it is: ") << finding.message << '\n';
        }
    }
    if (refusing) {
        console.err << "vantixdict: not converted: the import would lose " << CountOf(lost, "line", "lines")
                    << " (--drop-invalid leaves them out, --keep-invalid writes them as they are)\n";
        return ExitRefused;
    }

    if (input.oddLastByte) console.err << input.path << ": left out: the odd last byte, which the import ignores\n";
    if (check.lowerCaseKeys > 0) RaiseInputKeys(input.units, check);
    const bool keepInvalid = arguments.keepInvalid;
    const std::u16string units = KeepLines(std::move(input.units), check, [keepInvalid](const LineStatus& status) {
        return keepInvalid || status.verdict == LineVerdict::Entry;
    });

    std::vector<std::string> notes = input.notes;
    if (!CheckImportLimit(2 * units.size(), "the output", arguments, notes, console)) return ExitError;
    for (const std::string& note : notes) PrintNote(console.err, input.path, note);
    std::string scratch;
    return WriteConverted(arguments, input, StoredBytesOf(units, scratch), console);
}

int ToUtf8Text(const Arguments& arguments, InputText& input, TableKind kind, Console& console) {
    if (arguments.keepInvalid) {
        return ReportError(console, "--keep-invalid applies to output in the stored form; UTF-8 text keeps every line anyway");
    }
    const TextCheck check = CheckText(kind, input.units, CheckScope::ImportOnly);
    const bool dropping = arguments.dropInvalid;
    const bool refusing = (check.linesNotWritableAsUtf8 > 0 || input.oddLastByte) && !dropping;

    // Per line: what UTF-8 cannot hold, else why the import would not read it.
    if (input.oddLastByte) {
        console.err << input.path << (dropping ? ": left out: " : ": cannot be written as UTF-8 text: ")
                    << "the last byte of an odd number of bytes\n";
    }
    std::size_t index = 0;
    std::size_t nextFinding = 0;
    ForEachImportLine(input.units, [&](const ImportLine& line) {
        const LineStatus status = check.lines[index++];
        if (!status.writableAsUtf8) {
            console.err << input.path << ':' << line.number << ": "
                        << (dropping ? "left out: " : "cannot be written as UTF-8 text: ")
                        << Utf8Obstacle(input.units, line) << '\n';
        }
        for (; nextFinding < check.findings.size() && check.findings[nextFinding].line == line.number; ++nextFinding) {
            if (!status.writableAsUtf8 || refusing) continue;
            console.err << input.path << ':' << line.number << ": "
                        << (dropping ? "left out: " : "written as it is: ") << check.findings[nextFinding].message
                        << '\n';
        }
    });
    if (refusing) {
        console.err << "vantixdict: not converted: UTF-8 text cannot hold ";
        if (check.linesNotWritableAsUtf8 > 0) console.err << CountOf(check.linesNotWritableAsUtf8, "line", "lines");
        if (check.linesNotWritableAsUtf8 > 0 && input.oddLastByte) console.err << " and ";
        if (input.oddLastByte) console.err << "the odd last byte";
        console.err << " of the file unchanged (--drop-invalid leaves them out)\n";
        return ExitRefused;
    }

    const std::u16string units = KeepLines(std::move(input.units), check, [dropping](const LineStatus& status) {
        return status.writableAsUtf8 && (!dropping || status.verdict == LineVerdict::Entry);
    });
    Utf8Style style;
    if (input.form == TextForm::Utf8) style = input.style;
    if (arguments.byteOrderMark) style.byteOrderMark = true;
    if (arguments.crlf) style.crlf = *arguments.crlf;
    for (const std::string& note : input.notes) PrintNote(console.err, input.path, note);
    return WriteConverted(arguments, input, [&units, style](std::ostream& stream) {
        WriteUtf8Text(stream, units, style);
    }, console);
}

}  // namespace

int RunConvert(const Arguments& arguments, Console& console) {
    const TableKind kind = arguments.tips ? TableKind::Tips : TableKind::Phrases;
    std::optional<TextForm> undecided;
    if (arguments.to) undecided = *arguments.to == TextForm::Utf8 ? TextForm::Stored : TextForm::Utf8;
    std::optional<InputText> input = LoadInput(arguments.files[0], arguments, undecided, console);
    if (!input) return ExitError;

    const TextForm target = arguments.to ? *arguments.to
                                         : (input->form == TextForm::Stored ? TextForm::Utf8 : TextForm::Stored);
    return target == TextForm::Stored ? ToStoredForm(arguments, *input, kind, console)
                                      : ToUtf8Text(arguments, *input, kind, console);
}
