#include "VantixDict.h"

#include "Arguments.h"
#include "Commands.h"
#include "Help.h"

int RunVantixDict(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Console console{out, err};
    if (args.empty()) {
        err << "Usage: vantixdict COMMAND [OPTIONS] FILE...\n"
               "Commands: check, convert, sort, stats, help. Try 'vantixdict help'.\n";
        return ExitError;
    }
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.error.empty()) {
        err << "vantixdict: " << parsed.error << '\n';
        const char* name = CommandName(parsed.arguments.command);
        const bool general = parsed.arguments.command == Command::Help || parsed.arguments.command == Command::Version;
        err << "Try 'vantixdict help" << (general ? "" : " ") << (general ? "" : name) << "'.\n";
        return ExitError;
    }

    const Arguments& arguments = parsed.arguments;
    switch (arguments.command) {
    case Command::Help:
        out << HelpText(arguments.helpTopic);
        return ExitDone;
    case Command::Version:
        out << "vantixdict " << VantixDictVersion << '\n';
        return ExitDone;
    case Command::Check: return RunCheck(arguments, console);
    case Command::Convert: return RunConvert(arguments, console);
    case Command::Sort: return RunSort(arguments, console);
    case Command::Stats: return RunStats(arguments, console);
    }
    return ExitError;
}
