// What the commands share: the streams they report to, exit codes, loading an input file in
// either form, printing findings and writing an output file.
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
inline constexpr int ExitError = 2;    // usage, input/output, unreadable form

// Files beyond this are not read at all; the import's own limit is far lower (MaxImportFileSize).
inline constexpr std::uint64_t MaxReadBytes = 256u * 1024u * 1024u;

struct InputText {
    std::string path;
    TextForm form = TextForm::Stored;
    std::u16string units;             // what the import parses
    std::uint64_t fileBytes = 0;
    std::optional<unsigned char> oddLastByte;  // UTF-16 of odd length: the ignored byte
    Utf8Style style;                  // UTF-8 text: its byte-order mark and line ends
    std::vector<std::string> notes;   // warnings about the file as a whole
};

// The warnings about the file as a whole that check and stats report: the notes, and an odd
// number of bytes in the stored form.
std::vector<std::string> FileNotes(const InputText& input);

// Reads and decodes the input of a command. The form comes from --from, else from the content,
// else (when the content leaves it open) from undecided. Failures are reported on err.
std::optional<InputText> LoadInput(const std::string& path, const Arguments& arguments,
                                   std::optional<TextForm> undecided, Console& console);

// Whether bytes in the stored form exceed the import's limit: a note, or an error with --strict.
// Returns false (having reported the error) when the command must stop.
bool CheckImportLimit(std::uint64_t storedBytes, const std::string& what, const Arguments& arguments,
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
