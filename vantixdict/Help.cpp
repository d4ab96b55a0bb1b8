#include "Help.h"

namespace {

constexpr const char* Overview = R"(Usage: vantixdict COMMAND [OPTIONS] FILE...

Checks, converts, sorts and counts the phrase files and associated-word files
of the New Vantix phrase tool (Wordloom), the way its import reads them.

Commands:
  check FILE       list the lines the import would refuse, and what the
                   editors would refuse
  convert IN OUT   convert to the stored form or to UTF-8 text
  sort FILE -o OUT sort a phrase file as the phrase tool sorts its list
  stats FILE       count lines, entries and invalid lines
  help [COMMAND]   show this overview or a command's page

One entry per line: phrases are INPUT KEY, TAB, PHRASE; associated words
are CHARACTER, "=", WORDS joined by ",". The phrase tool exports the stored
form: UTF-16LE without byte-order mark, lines ended by CR LF. Its import, and
every command here, reads the file in these forms, told apart as the import
tells them unless --from names the form:
  - a byte-order mark: EF BB BF UTF-8 text, FF FE UTF-16LE text (Notepad's
    "Unicode"), FE FF UTF-16BE text; the mark itself is dropped
  - no zero byte and valid UTF-8: UTF-8 text
  - zero bytes: UTF-16LE, the stored form (UTF-16BE without its mark too,
    which then reads as nonsense: give it its mark)
  - else Big5 text, as Windows' code page 950 decodes it, when every byte
    decodes
  - else the import reads nothing: exit code 2 here
CR LF, LF alone and CR alone each end a line, and so does the end of the
file. In UTF-8 text with a mark, or with --from, a line holding bytes that do
not decode is read as an empty line, which is invalid.

Common options:
  --tips           the file holds associated words, not phrases
  --from FORM      read the input as FORM (utf8, utf16 or big5) instead of
                   the form the import detects
  --strict         refuse a file over 4 MiB (4,194,304 bytes, the import's
                   limit), or entries that would take more in the stored
                   form, instead of warning about it
  -h, --help       show the help of the command

Exit codes:
  0  done; for check: the import reads the file without invalid lines
  1  check: some lines are invalid; convert and sort: refused, because the
     import would lose lines (nothing written)
  2  usage error, unreadable file, bytes in no form the import reads, failed
     write

Run 'vantixdict help COMMAND' for the details of a command.
)";

constexpr const char* CheckPage = R"(Usage: vantixdict check FILE [--tips] [--from utf8|utf16|big5] [--strict]

Reads FILE exactly as the phrase tool's import does and reports, one line
each, as FILE:LINE: KIND: REASON (line numbers start at 1):

  invalid  the import skips the line and counts it as invalid: empty line,
           no TAB (phrases) or no "=" (associated words), empty input key,
           a character that is not one of the 30 key characters A-Z and
           , . / ; (lower-case letters are raised as the import raises
           them), a two-unit character, more than one TAB, a character part
           of more than one unit, bytes that do not decode (the import reads
           the line as empty)
  warning  the import reads the entry, but the phrase edit dialog or the
           associated-word editor would refuse it, or something is lost:
           an input key of more than 4 keys, an empty phrase or one of more
           than 255 units, a phrase already on an earlier line (ASCII
           letters compared without case), a character already on an
           earlier line, no words, an empty word, a word of more than 8
           units, a word twice in one entry, control characters, broken
           UTF-16, an odd number of bytes, UTF-16BE text without its mark

A file in another form than the stored form is named in a note first. The
last report line sums up what the import would read.

Exit code: 0 when the import reads the file without invalid lines (warnings
do not count, as the import does not count them), 1 when some lines are
invalid, 2 when the file cannot be read or is in no form the import reads.
)";

constexpr const char* ConvertPage = R"(Usage: vantixdict convert IN OUT [OPTIONS]
       vantixdict convert IN -o OUT [OPTIONS]

Converts IN, in any form the import reads, to the stored form or to UTF-8
text. Without --to, the stored form becomes UTF-8 text and every other form
the stored form.

Options:
  --to utf8|utf16  the output form (utf16: the stored form); the same form
                   as the input rewrites the file (for example to raise the
                   input keys, to drop invalid lines or to end every line
                   alike)
  --from utf8|utf16|big5  the input form, instead of the one the import
                   detects
  --tips           the file holds associated words
  --drop-invalid   leave out the lines that the import would not read (and,
                   for UTF-8 output, the lines UTF-8 text cannot hold)
  --keep-invalid   stored-form output: write invalid lines as they are
  --bom            UTF-8 output: start with a byte-order mark (kept from
                   UTF-8 input that has one)
  --eol lf|crlf|cr UTF-8 output: the line end (default: the first one of the
                   input when it is UTF-8 or Big5 text, else lf)
  --strict         refuse input or output over 4 MiB
  -o OUT           the output file; only -o may name the input itself, which
                   is then replaced

The output holds the lines as the import reads them, each ended by CR LF in
the stored form and by the chosen line end in UTF-8 text.

Writing the stored form checks the text as 'check' does. When the import
would lose a line, the conversion is refused with exit code 1 and nothing is
written, unless --drop-invalid or --keep-invalid is given; a line whose
bytes do not decode cannot be written as it was, even with --keep-invalid.
Input keys are raised to upper case, as the import raises them.

Writing UTF-8 text keeps every unit, so that converting the result back
gives the same bytes. It is refused (exit code 1) for what UTF-8 text cannot
hold unchanged: broken UTF-16, U+0000, bytes that do not decode, an odd
number of bytes; --drop-invalid leaves those lines out. Invalid lines are
written and listed.

The output is written to a temporary file beside OUT and then renamed over
it, so OUT is never left half written.
)";

constexpr const char* SortPage = R"(Usage: vantixdict sort FILE --by phrase|vantix|key [--descending] -o OUT

Sorts a phrase file the way the phrase tool sorts its phrase list, stably
(entries with equal keys keep their order, in both directions):

  --by phrase   by phrase, UTF-16 unit by unit
  --by vantix   by input key in the order of the keyboard layout (Q A Z W S
                X E D C R F V T G B Y H N U J M I K , O L . P ; /)
  --by key      by input key, UTF-16 unit by unit
  --descending  the other way round

The file goes through the import, so invalid lines would be lost: the sort
is refused (exit code 1) unless --drop-invalid is given. The output keeps
the input's form and byte-order mark, and UTF-8 text its line end, except
that Big5 text, which is only read, comes out in the stored form; input keys
come out in upper case. -o is required and may name the input, which is then
replaced atomically.

Other options: --from utf8|utf16|big5, --drop-invalid, --strict.
)";

constexpr const char* StatsPage = R"(Usage: vantixdict stats FILE [--tips] [--from utf8|utf16|big5] [--strict]

Counts what the import would read: lines, entries, invalid lines, warnings;
for phrases the number of entries per input-key length and the longest
phrase; for associated words the number of entries per count of words and
the longest word. Exit code 0 unless the file cannot be read.
)";

}  // namespace

std::string HelpText(std::string_view topic) {
    if (topic == "check") return CheckPage;
    if (topic == "convert") return ConvertPage;
    if (topic == "sort") return SortPage;
    if (topic == "stats") return StatsPage;
    return Overview;
}
