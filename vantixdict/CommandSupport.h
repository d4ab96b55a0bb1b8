// What the commands share: the streams they report to, exit codes, loading an input file in any
// form the import reads, printing findings and writing an output file.
#pragma once

#include "Arguments.h"
#include "LineDiagnostics.h"
#include "TextForms.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

struct Console {
    std::ostream& out;
    std::ostream& err;
};

inline constexpr int ExitDone = 0;
inline constexpr int ExitRefused = 1;  // check: invalid lines; convert, sort: lines would be lost
inline constexpr int ExitError = 2;    // usage, input/output, bytes in no encoding the import reads

// Files beyond this are not read at all; the import's own limit is far lower (MaxImportFileSize).
inline constexpr std::uint64_t MaxReadBytes = 256u * 1024u * 1024u;

// An input file as the import reads it.
struct InputText : DecodedFile {
    std::string path;
    std::uint64_t fileBytes = 0;
    std::vector<std::string> notes;  // warnings about the file as a whole
};

// The warnings about the file as a whole that check and stats report: the notes, and an odd
// number of bytes in UTF-16.
std::vector<std::string> FileNotes(const InputText& input);

// Reads and decodes the input of a command, in the form --from names or else in the one the
// import detects. Failures are reported on err.
std::optional<InputText> LoadInput(const std::string& path, const Arguments& arguments, Console& console);

// The first input file read and checked as the import would read it, in the table --tips names,
// with the warnings about the file as a whole: what check and stats report on.
struct CheckedInput {
    TableKind kind;
    InputText input;
    TextCheck check;
    std::vector<std::string> notes;  // FileNotes and the limit notes
};

// Nothing (having reported why) when the file cannot be read or is over a limit with --strict.
std::optional<CheckedInput> LoadAndCheck(const Arguments& arguments, Console& console);

// Whether bytes exceed the import's limit: a note, or an error with --strict. subject says
// whose bytes they are ("the file has"). Returns false (having reported the error) when the
// command must stop.
bool CheckImportLimit(std::uint64_t bytes, const std::string& subject, const Arguments& arguments,
                      std::vector<std::string>& notes, Console& console);

// The same for the entries the import would read: the phrase tool refuses a table whose stored
// form would exceed the limit.
bool CheckEntryLimit(const InputText& input, const TextCheck& check, const Arguments& arguments,
                     std::vector<std::string>& notes, Console& console);

// "FILE:LINE: invalid: reason" ("FILE: warning: ..." for the whole file).
void PrintFinding(std::ostream& stream, const std::string& path, const Finding& finding);
void PrintNote(std::ostream& stream, const std::string& path, const std::string& note);

// Writes a command's output. An output that names the input is refused unless it came from -o.
int WriteOutput(const std::string& inputPath, const std::string& outputPath, bool outputFromOption,
                const std::function<void(std::ostream&)>& writeContent, Console& console);
int WriteOutput(const std::string& inputPath, const std::string& outputPath, bool outputFromOption,
                std::string_view bytes, Console& console);

// "vantixdict: message" on err; returns ExitError.
int ReportError(Console& console, const std::string& message);

// Singular or plural noun for the table kind: "phrase"/"phrases" or "associated-word entry"...
std::string EntriesOf(TableKind kind, std::size_t count);
