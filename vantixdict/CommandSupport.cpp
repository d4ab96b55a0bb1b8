#include "CommandSupport.h"

#include "FileAccess.h"
#include "TableEntries.h"
#include "TextDisplay.h"

#include <utility>

std::optional<InputText> LoadInput(const std::string& path, const Arguments& arguments, Console& console) {
    FileReading reading = ReadWholeFile(path, MaxReadBytes);
    if (!reading.ok) {
        ReportError(console, reading.error);
        return std::nullopt;
    }
    const std::string_view bytes = reading.bytes;
    std::optional<DecodedFile> decoded = DecodeFile(bytes, arguments.from);
    if (!decoded) {
        ReportError(console, "cannot read '" + path + "' in any encoding the phrase tool reads: " + WhyNoEncoding(bytes));
        ReportError(console, "the phrase tool would import nothing from it and report " +
                                 CountOf(CountByteLines(bytes), "invalid line", "invalid lines") +
                                 "; --from utf8 or --from big5 reads it anyway, each line that does not "
                                 "decode counted as invalid");
        return std::nullopt;
    }

    InputText input{std::move(*decoded), path, reading.bytes.size(), {}};
    if (input.zerosLikeBigEndian) {
        input.notes.push_back("its zero bytes stand where UTF-16BE text has them, but without the byte-order mark "
                              "FE FF the import reads it as UTF-16LE");
    }
    if (!CheckImportLimit(input.fileBytes, "the file has", arguments, input.notes, console)) return std::nullopt;
    return input;
}

bool CheckImportLimit(std::uint64_t bytes, const std::string& subject, const Arguments& arguments,
                      std::vector<std::string>& notes, Console& console) {
    if (bytes <= MaxImportFileSize) return true;
    const std::string message = subject + " " + std::to_string(bytes) + " bytes, more than the 4 MiB (" +
                                std::to_string(MaxImportFileSize) + " bytes) that the phrase tool imports";
    if (arguments.strict) {
        ReportError(console, message);
        return false;
    }
    notes.push_back(message);
    return true;
}

bool CheckEntryLimit(const InputText& input, const TextCheck& check, const Arguments& arguments,
                     std::vector<std::string>& notes, Console& console) {
    // A file over the limit is not read at all, which the note on the file says already.
    if (input.fileBytes > MaxImportFileSize) return true;
    return CheckImportLimit(2 * std::uint64_t{check.entryUnits}, "in the stored form, the entries take", arguments,
                            notes, console);
}

void PrintFinding(std::ostream& stream, const std::string& path, const Finding& finding) {
    stream << path;
    if (finding.line != 0) stream << ':' << finding.line;
    stream << ": " << SeverityName(finding.severity) << ": " << finding.message << '\n';
}

void PrintNote(std::ostream& stream, const std::string& path, const std::string& note) {
    stream << path << ": warning: " << note << '\n';
}

int WriteOutput(const std::string& inputPath, const std::string& outputPath, bool outputFromOption,
                const std::function<void(std::ostream&)>& writeContent, Console& console) {
    if (!outputFromOption && IsSameFile(inputPath, outputPath)) {
        return ReportError(console, "'" + outputPath +
                                        "' is the input file; to replace it, name it with -o");
    }
    const std::string error = WriteFileAtomically(outputPath, writeContent);
    if (!error.empty()) return ReportError(console, error);
    return ExitDone;
}

int WriteOutput(const std::string& inputPath, const std::string& outputPath, bool outputFromOption,
                std::string_view bytes, Console& console) {
    return WriteOutput(inputPath, outputPath, outputFromOption, [bytes](std::ostream& stream) {
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }, console);
}

std::optional<CheckedInput> LoadAndCheck(const Arguments& arguments, Console& console) {
    const TableKind kind = arguments.tips ? TableKind::Tips : TableKind::Phrases;
    std::optional<InputText> input = LoadInput(arguments.files[0], arguments, console);
    if (!input) return std::nullopt;
    TextCheck check = CheckText(kind, input->units, input->undecoded);
    std::vector<std::string> notes = FileNotes(*input);
    if (!CheckEntryLimit(*input, check, arguments, notes, console)) return std::nullopt;
    return CheckedInput{kind, std::move(*input), std::move(check), std::move(notes)};
}

std::vector<std::string> FileNotes(const InputText& input) {
    std::vector<std::string> notes = input.notes;
    if (input.oddLastByte) notes.push_back("the file has an odd number of bytes: the import ignores the last byte");
    return notes;
}

int ReportError(Console& console, const std::string& message) {
    console.err << "vantixdict: " << message << '\n';
    return ExitError;
}

std::string EntriesOf(TableKind kind, std::size_t count) {
    return kind == TableKind::Phrases ? CountOf(count, "phrase", "phrases")
                                      : CountOf(count, "associated-word entry", "associated-word entries");
}
