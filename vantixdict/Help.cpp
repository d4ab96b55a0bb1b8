#include "Help.h"

namespace {

constexpr const char* Overview = R"(Usage: vantixdict COMMAND [OPTIONS] FILE...

Checks, converts, sorts and counts the phrase files and associated-word files
of the New Vantix phrase tool (Wordloom), the way its import reads them.

Commands:
  check FILE       list the lines the import would refuse or ignore, and what
                   the editors would refuse
  convert IN OUT   convert between the stored form and UTF-8 text
  sort FILE -o OUT sort a phrase file as the phrase tool sorts its list
  stats FILE       count lines, entries and invalid lines
  help [COMMAND]   show this overview or a command's page

Files come in two forms:
  stored form  what the phrase tool imports and exports: UTF-16LE without
               byte-order mark, one entry per line, lines ended by CR LF;
               phrases: INPUT KEY, TAB, PHRASE; associated words:
               CHARACTER, "=", WORDS joined by ","
  UTF-8 text   the same lines for ordinary editors, with or without a
               byte-order mark, lines ended by LF or CR LF
The import also reads the stored form's lines in UTF-16 big-endian with its
byte-order mark (FE FF), UTF-16BE text; sort keeps it, convert writes the
stored form or UTF-8 text from it.

Every command tells the form from the content (see --from below); UTF-8
text is examined as it would be imported once converted to the stored form.

Common options:
  --tips           the file holds associated words, not phrases
  --from FORM      read the input as FORM (utf8 or utf16) instead of telling
                   it from the content
  --strict         refuse a file over 4 MiB (4,194,304 bytes in the stored
                   form, the import's limit) instead of warning about it
  -h, --help       show the help of the command

How the form is told from the content, unless --from names it:
  - a UTF-8 byte-order mark (EF BB BF): UTF-8 text
  - the UTF-16LE byte-order mark (FF FE): the stored form
  - the UTF-16BE byte-order mark (FE FF): UTF-16BE text
  - no zero byte and valid UTF-8: UTF-8 text (an empty file: stored form)
  - zero bytes mostly at odd offsets (the ASCII keys, TABs and line ends
    of UTF-16LE): the stored form
  - anything else (UTF-16 big-endian without its mark, legacy encodings
    such as Big5, binary data) is refused with exit code 2; convert alone
    then takes the input to be the form that --to does not name

Exit codes:
  0  done; for check: the import reads the file without invalid lines
  1  check: some lines are invalid; convert and sort: refused, because the
     import would lose lines (nothing written)
  2  usage error, unreadable or unsupported file, failed write

Run 'vantixdict help COMMAND' for the details of a command.
)";

constexpr const char* CheckPage = R"(Usage: vantixdict check FILE [--tips] [--from utf8|utf16] [--strict]

Reads FILE exactly as the phrase tool's import does and reports, one line
each, as FILE:LINE: KIND: REASON (line numbers start at 1):

  invalid  the import skips the line and counts it as invalid: empty line,
           no TAB (phrases) or no "=" (associated words), empty input key,
           a character that is not one of the 30 key characters A-Z and
           , . / ; (lower-case letters are raised as the import raises
           them), a byte-order mark at the start of the file, a two-unit
           character, more than one TAB, a character part of more than one
           unit
  ignored  the last line has no line end (CR LF): the import neither reads
           nor counts it
  warning  the import reads the entry, but the phrase edit dialog or the
           associated-word editor would refuse it, or something is lost:
           an input key of more than 4 keys, an empty phrase or one of more
           than 255 units, a phrase already on an earlier line (ASCII
           letters compared without case), a character already on an
           earlier line, no words, an empty word, a word of more than 8
           units, a word twice in one entry, a CR not followed by LF (the
           import skips the unit after it), control characters, broken
           UTF-16, an odd number of bytes

The last report line sums up what the import would read.

Exit code: 0 when the import reads the file without invalid lines (warnings
and an ignored last line do not count, as the import does not count them),
1 when some lines are invalid, 2 when the file cannot be read or its form
cannot be told.
)";

constexpr const char* ConvertPage = R"(Usage: vantixdict convert IN OUT [OPTIONS]
       vantixdict convert IN -o OUT [OPTIONS]

Converts IN between the stored form and UTF-8 text. Without --to, the
output is the other form than the input's (the stored form for UTF-16BE
text).

Options:
  --to utf8|utf16  the output form (utf16: the stored form); the same form
                   as the input rewrites the file (for example to raise the
                   input keys or to drop invalid lines)
  --from utf8|utf16  the input form, instead of telling it from the content
  --tips           the file holds associated words
  --drop-invalid   leave out the lines that the import would not read (and,
                   for UTF-8 output, the lines UTF-8 text cannot hold)
  --keep-invalid   stored-form output: write invalid lines as they are
  --bom            UTF-8 output: start with a byte-order mark
  --eol lf|crlf    UTF-8 output: the line end (default: the input's when it
                   is UTF-8 text, else lf)
  --strict         refuse input or output over 4 MiB in the stored form
  -o OUT           the output file; only -o may name the input itself, which
                   is then replaced

Writing the stored form checks the text as 'check' does. When the import
would lose a line (an invalid line, or a last line without line end), the
conversion is refused with exit code 1 and nothing is written, unless
--drop-invalid or --keep-invalid is given. Input keys are raised to upper
case, as the import raises them.

Writing UTF-8 text keeps every unit, so that converting the result back
gives the same bytes. It is refused (exit code 1) for what UTF-8 text cannot
hold unchanged: broken UTF-16, U+0000, a LF outside a line end, a CR not
followed by LF, a byte-order mark at the start, an odd number of bytes;
--drop-invalid leaves those lines out. Invalid lines are written and listed.

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
the input's form; input keys come out in upper case. -o is required and may
name the input, which is then replaced atomically.

Other options: --from utf8|utf16, --drop-invalid, --strict.
)";

constexpr const char* StatsPage = R"(Usage: vantixdict stats FILE [--tips] [--from utf8|utf16] [--strict]

Counts what the import would read: lines, entries, invalid lines, whether
the last line is ignored, warnings; for phrases the number of entries per
input-key length and the longest phrase; for associated words the number of
entries per count of words and the longest word. Exit code 0 unless the
file cannot be read.
)";

}  // namespace

std::string HelpText(std::string_view topic) {
    if (topic == "check") return CheckPage;
    if (topic == "convert") return ConvertPage;
    if (topic == "sort") return SortPage;
    if (topic == "stats") return StatsPage;
    return Overview;
}
