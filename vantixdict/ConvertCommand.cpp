// convert: from any form the import reads to the stored form or UTF-8 text, refusing to lose
// what the user wrote.
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
// when every line is kept.
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
    const TextCheck check = CheckText(kind, input.units, input.undecoded, CheckScope::ImportOnly);
    // A line that did not decode cannot be written as it was.
    const bool keeping = arguments.keepInvalid && input.undecoded.empty();
    const bool refusing = check.invalidLines > 0 && !arguments.dropInvalid && !keeping;
    for (const Finding& finding : check.findings) {
        if (refusing) {
            PrintFinding(console.err, input.path, finding);
        } else {
            console.err << input.path << ':' << finding.line << ": "
                        << (arguments.dropInvalid ? "left out: " : "written as it is: ") << finding.message << '\n';
        }
    }
    if (refusing && arguments.keepInvalid) {
        console.err << "vantixdict: not converted: " << CountOf(input.undecoded.size(), "line holds", "lines hold")
                    << " bytes that do not decode, which --keep-invalid cannot write as they were (--drop-invalid "
                       "leaves them out)\n";
        return ExitRefused;
    }
    if (refusing) {
        console.err << "vantixdict: not converted: the import would lose " << CountOf(check.invalidLines, "line", "lines")
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
    if (!CheckImportLimit(2 * units.size(), "the output has", arguments, notes, console)) return ExitError;
    for (const std::string& note : notes) PrintNote(console.err, input.path, note);
    std::string scratch;
    const std::string_view bytes = StoredBytesOf(units, scratch);
    const bool mark = StoredFormNeedsMark(units);
    return WriteConverted(arguments, input, [bytes, mark](std::ostream& stream) {
        if (mark) stream << "\xFF\xFE";
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }, console);
}

int ToUtf8Text(const Arguments& arguments, InputText& input, TableKind kind, Console& console) {
    if (arguments.keepInvalid) {
        return ReportError(console, "--keep-invalid applies to output in the stored form; UTF-8 text keeps every line anyway");
    }
    const TextCheck check = CheckText(kind, input.units, input.undecoded, CheckScope::ImportOnly);
    const bool dropping = arguments.dropInvalid;
    const bool refusing = (check.linesNotWritableAsUtf8 > 0 || input.oddLastByte) && !dropping;

    // Per line: what UTF-8 cannot hold (for a line that did not decode, its finding says what),
    // else why the import would not read it.
    if (input.oddLastByte) {
        console.err << input.path << (dropping ? ": left out: " : ": cannot be written as UTF-8 text: ")
                    << "the last byte of an odd number of bytes\n";
    }
    std::size_t index = 0;
    std::size_t nextFinding = 0;
    const char* unwritable = dropping ? "left out: " : "cannot be written as UTF-8 text: ";
    ForEachImportLine(input.units, [&](const ImportLine& line) {
        const LineStatus status = check.lines[index++];
        const auto print = [&](const char* what, const std::string& message) {
            console.err << input.path << ':' << line.number << ": " << what << message << '\n';
        };
        if (!status.writableAsUtf8 && !status.undecoded) print(unwritable, Utf8Obstacle(input.units, line));
        for (; nextFinding < check.findings.size() && check.findings[nextFinding].line == line.number; ++nextFinding) {
            const std::string& message = check.findings[nextFinding].message;
            if (status.undecoded) {
                print(unwritable, message);
            } else if (status.writableAsUtf8 && !refusing) {
                print(dropping ? "left out: " : "written as it is: ", message);
            }
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
    // UTF-8 and Big5 text keep their line ends, UTF-8 text its mark.
    Utf8Style style;
    if (input.form == TextForm::Utf8 || input.form == TextForm::Big5) style.lineEnd = input.firstLineEnd;
    style.byteOrderMark = arguments.byteOrderMark || (input.form == TextForm::Utf8 && input.byteOrderMark);
    // A first U+FEFF of the text needs a mark before it, or it would be read as the mark.
    if (!units.empty() && units[0] == u'\uFEFF') style.byteOrderMark = true;
    if (arguments.lineEnd) style.lineEnd = *arguments.lineEnd;
    for (const std::string& note : input.notes) PrintNote(console.err, input.path, note);
    return WriteConverted(arguments, input, [&units, style](std::ostream& stream) {
        WriteUtf8Text(stream, units, style);
    }, console);
}

}  // namespace

int RunConvert(const Arguments& arguments, Console& console) {
    const TableKind kind = arguments.tips ? TableKind::Tips : TableKind::Phrases;
    std::optional<InputText> input = LoadInput(arguments.files[0], arguments, console);
    if (!input) return ExitError;

    const TextForm target = arguments.to ? *arguments.to
                                         : (input->form == TextForm::Stored ? TextForm::Utf8 : TextForm::Stored);
    return target == TextForm::Stored ? ToStoredForm(arguments, *input, kind, console)
                                      : ToUtf8Text(arguments, *input, kind, console);
}
