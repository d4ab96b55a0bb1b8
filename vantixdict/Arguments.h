// The command line: a command, its files and its options, checked against what each command
// takes. Arguments arrive as UTF-8 strings without the program name.
#pragma once

#include "TextForms.h"

#include <optional>
#include <string>
#include <vector>

enum class Command { Help, Version, Check, Convert, Sort, Stats };

struct Arguments {
    Command command = Command::Help;
    std::string helpTopic;           // "help COMMAND" or "COMMAND --help": the command's name
    std::vector<std::string> files;  // the command's file operands, in order
    std::optional<std::string> output;  // -o / --output

    bool tips = false;                   // associated words instead of phrases
    std::optional<TextForm> from;        // the input's form, instead of the one the import detects
    std::optional<TextForm> to;          // convert: the output's form (stored or UTF-8)
    bool dropInvalid = false;            // leave out lines that would be lost
    bool keepInvalid = false;            // convert to the stored form: write them as they are
    bool byteOrderMark = false;          // UTF-8 output starts with a byte-order mark
    std::optional<LineEnd> lineEnd;      // UTF-8 output line ends
    int sortColumn = 0;                  // sort: PhraseColumn of the order asked for
    bool descending = false;
    bool strict = false;                 // a file over the import limit is an error
};

struct ParsedArguments {
    Arguments arguments;
    std::string error;  // a usage error, empty when the command line is good
};

ParsedArguments ParseArguments(const std::vector<std::string>& args);

const char* CommandName(Command command);
