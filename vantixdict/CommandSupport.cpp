#include "CommandSupport.h"

#include "FileAccess.h"
#include "TableEntries.h"
#include "TextDisplay.h"
#include "TextEncoding.h"

namespace {

void ReportCannotTell(Console& console, const std::string& path, const std::string& why) {
    ReportError(console, "cannot tell the form of '" + path + "': " + why);
    ReportError(console, "--from utf8 or --from utf16 names the form; text in a legacy encoding such as "
                         "Big5 must first be converted to UTF-8 (iconv -f BIG5 -t UTF-8)");
}

}  // namespace

std::optional<InputText> LoadInput(const std::string& path, const Arguments& arguments,
                                   std::optional<TextForm> undecided, Console& console) {
    FileReading reading = ReadWholeFile(path, MaxReadBytes);
    if (!reading.ok) {
        ReportError(console, reading.error);
        return std::nullopt;
    }
    const std::string_view bytes = reading.Bytes();

    InputText input;
    input.path = path;
    input.fileBytes = reading.byteCount;
    // A text without zero bytes is taken for UTF-8 before it is read, and read only once.
    bool takenForUtf8 = false;
    if (arguments.from) {
        input.form = *arguments.from;
    } else if (const FormGuess guess = GuessTextFormQuickly(bytes); guess.form) {
        input.form = *guess.form;
        takenForUtf8 = input.form == TextForm::Utf8 && !bytes.starts_with("\xEF\xBB\xBF");
    } else if (undecided) {
        input.form = *undecided;
    } else {
        ReportCannotTell(console, path, guess.whyNot);
        return std::nullopt;
    }

    if (input.form == TextForm::Utf8) {
        Utf8Reading text = ReadUtf8Text(bytes);
        if (!text.valid && takenForUtf8 && undecided != TextForm::Utf8) {
            if (!undecided) {
                ReportCannotTell(console, path, NotUtf8Text(bytes, text.error));
                return std::nullopt;
            }
            input.form = *undecided;  // the stored form, as --to asks for UTF-8 output
        } else if (!text.valid) {
            ReportError(console, "'" + path + "' is not valid UTF-8: " + text.error.reason + " at line " +
                                     std::to_string(text.errorLine) + " (byte offset " +
                                     std::to_string(text.error.offset) + ")");
            return std::nullopt;
        } else {
            input.units = std::move(text.units);
            input.style.byteOrderMark = text.hadByteOrderMark;
            input.style.crlf = text.firstLineEndWasCrLf;
        }
    }
    if (input.form != TextForm::Utf8 && reading.byteCount % 2 != 0) {
        input.oddLastByte = static_cast<unsigned char>(bytes.back());
    }
    if (input.form == TextForm::Utf16BigEndian) {
        input.units = DecodeText(bytes, TextEncoding::Utf16BigEndian);
    } else if (input.form == TextForm::Stored) {
        input.units = std::move(reading.storage);
        StoredUnitsInPlace(input.units, reading.byteCount);
    }

    // The import's limit is on the file's bytes; UTF-8 text is held to it in the stored form.
    const bool inUtf16 = input.form != TextForm::Utf8;
    const std::uint64_t storedBytes = inUtf16 ? input.fileBytes : 2 * input.units.size();
    const std::string what = inUtf16 ? "the file" : "the file in the stored form";
    if (!CheckImportLimit(storedBytes, what, arguments, input.notes, console)) return std::nullopt;
    return input;
}

bool CheckImportLimit(std::uint64_t storedBytes, const std::string& what, const Arguments& arguments,
                      std::vector<std::string>& notes, Console& console) {
    if (storedBytes <= MaxImportFileSize) return true;
    const std::string message = what + " has " + std::to_string(storedBytes) +
                                " bytes, more than the 4 MiB (" + std::to_string(MaxImportFileSize) +
                                " bytes) that the phrase tool imports";
    if (arguments.strict) {
        ReportError(console, message);
        return false;
    }
    notes.push_back(message);
    return true;
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
