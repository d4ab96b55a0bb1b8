#include "Arguments.h"

#include "Ordering.h"

#include <initializer_list>
#include <string_view>

namespace {

struct CommandInfo {
    Command command;
    const char* name;
};

constexpr CommandInfo Commands[] = {
    {Command::Help, "help"},       {Command::Version, "version"}, {Command::Check, "check"},
    {Command::Convert, "convert"}, {Command::Sort, "sort"},       {Command::Stats, "stats"},
};

bool OneOf(Command command, std::initializer_list<Command> allowed) {
    for (const Command c : allowed) {
        if (c == command) return true;
    }
    return false;
}

std::optional<TextForm> FormFromName(std::string_view name) {
    if (name == "utf8" || name == "utf-8") return TextForm::Utf8;
    if (name == "utf16" || name == "utf-16" || name == "stored") return TextForm::Stored;
    if (name == "big5") return TextForm::Big5;
    return std::nullopt;
}

std::optional<LineEnd> LineEndFromName(std::string_view name) {
    if (name == "lf") return LineEnd::Lf;
    if (name == "crlf") return LineEnd::CrLf;
    if (name == "cr") return LineEnd::Cr;
    return std::nullopt;
}

int SortColumnFromName(std::string_view name) {
    if (name == "phrase") return PhraseColumnPhrase;
    if (name == "vantix") return PhraseColumnVantixKey;
    if (name == "key") return PhraseColumnInputKey;
    return 0;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    ParsedArguments Run() {
        if (args_.empty()) return Done();
        const std::string& first = args_[0];
        if (first == "-h" || first == "--help") return Done();
        if (first == "--version") {
            parsed_.arguments.command = Command::Version;
            return Done();
        }
        if (!SetCommand(first)) return Fail("unknown command '" + first + "'");
        if (command() == Command::Help) {
            if (args_.size() > 2) return Fail("help takes at most one command name");
            if (args_.size() == 2) {
                if (!FindCommand(args_[1])) return Fail("unknown command '" + args_[1] + "'");
                parsed_.arguments.helpTopic = args_[1];
            }
            return Done();
        }
        if (command() == Command::Version) return args_.size() == 1 ? Done() : Fail("version takes no arguments");

        for (index_ = 1; index_ < args_.size(); ++index_) {
            const std::string& arg = args_[index_];
            if (arg == "--") {
                for (++index_; index_ < args_.size(); ++index_) parsed_.arguments.files.push_back(args_[index_]);
                break;
            }
            if (arg.size() > 1 && arg[0] == '-') {
                if (!Option(arg)) return Parsed();
                if (wantsHelp_) return HelpForCommand();
            } else {
                parsed_.arguments.files.push_back(arg);
            }
        }
        return CheckOperands();
    }

private:
    Command command() const { return parsed_.arguments.command; }

    static const CommandInfo* FindCommand(std::string_view name) {
        for (const CommandInfo& info : Commands) {
            if (name == info.name) return &info;
        }
        return nullptr;
    }

    bool SetCommand(std::string_view name) {
        const CommandInfo* info = FindCommand(name);
        if (!info) return false;
        parsed_.arguments.command = info->command;
        return true;
    }

    // Reads one option (and its value); false after a usage error.
    bool Option(const std::string& arg) {
        std::string name = arg;
        std::optional<std::string> value;
        if (const std::size_t equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        Arguments& a = parsed_.arguments;
        const Command c = command();
        auto allowedFor = [&](std::initializer_list<Command> allowed) {
            return OneOf(c, allowed) || Refuse(std::string(CommandName(c)) + " does not take " + name);
        };
        auto flag = [&](bool& target) {
            if (value) return Refuse(name + " takes no value");
            target = true;
            return true;
        };
        auto takeValue = [&]() -> std::optional<std::string> {
            if (value) return value;
            if (index_ + 1 >= args_.size()) {
                Refuse(name + " needs a value");
                return std::nullopt;
            }
            return args_[++index_];
        };

        if (name == "-h" || name == "--help") return wantsHelp_ = true;
        if (name == "--tips") {
            if (c == Command::Sort) {
                return Refuse("sort orders phrase files only: the associated-word table keeps its order");
            }
            return allowedFor({Command::Check, Command::Convert, Command::Stats}) && flag(a.tips);
        }
        if (name == "--strict") return flag(a.strict);
        if (name == "--from" || name == "--to") {
            if (name == "--to" && !allowedFor({Command::Convert})) return false;
            const auto text = takeValue();
            if (!text) return false;
            const auto form = FormFromName(*text);
            if (name == "--from") {
                if (!form) return Refuse("--from takes utf8, utf16 or big5, not '" + *text + "'");
                a.from = form;
            } else {
                // Big5 is read, never written.
                if (!form || form == TextForm::Big5) return Refuse("--to takes utf8 or utf16, not '" + *text + "'");
                a.to = form;
            }
            return true;
        }
        if (name == "--drop-invalid") return allowedFor({Command::Convert, Command::Sort}) && flag(a.dropInvalid);
        if (name == "--keep-invalid") return allowedFor({Command::Convert}) && flag(a.keepInvalid);
        if (name == "--bom") return allowedFor({Command::Convert}) && flag(a.byteOrderMark);
        if (name == "--eol") {
            if (!allowedFor({Command::Convert})) return false;
            const auto text = takeValue();
            if (!text) return false;
            a.lineEnd = LineEndFromName(*text);
            if (!a.lineEnd) return Refuse("--eol takes lf, crlf or cr, not '" + *text + "'");
            return true;
        }
        if (name == "--by") {
            if (!allowedFor({Command::Sort})) return false;
            const auto text = takeValue();
            if (!text) return false;
            a.sortColumn = SortColumnFromName(*text);
            if (a.sortColumn == 0) return Refuse("--by takes phrase, vantix or key, not '" + *text + "'");
            return true;
        }
        if (name == "--descending") return allowedFor({Command::Sort}) && flag(a.descending);
        if (name == "-o" || name == "--output") {
            if (!allowedFor({Command::Convert, Command::Sort})) return false;
            if (a.output) return Refuse("only one output file can be given");
            const auto text = takeValue();
            if (!text) return false;
            a.output = *text;
            return true;
        }
        return Refuse("unknown option '" + arg + "'");
    }

    ParsedArguments CheckOperands() {
        Arguments& a = parsed_.arguments;
        const std::size_t files = a.files.size();
        switch (command()) {
        case Command::Check:
        case Command::Stats:
            if (files != 1) return Fail(std::string(CommandName(command())) + " takes one file");
            break;
        case Command::Sort:
            if (files != 1) return Fail("sort takes one file");
            if (a.sortColumn == 0) return Fail("sort needs --by phrase, --by vantix or --by key");
            if (!a.output) return Fail("sort needs -o OUT (which may name the input to replace it)");
            break;
        case Command::Convert:
            if (files == 2 && a.output) return Fail("convert takes IN OUT or IN -o OUT, not both");
            if (files == 2) break;
            if (files != 1) return Fail("convert takes an input and an output file");
            if (!a.output) return Fail("convert needs an output file: convert IN OUT");
            break;
        default:
            break;
        }
        if (a.dropInvalid && a.keepInvalid) return Fail("--drop-invalid and --keep-invalid exclude each other");
        return Parsed();
    }

    ParsedArguments HelpForCommand() {
        parsed_.arguments.helpTopic = CommandName(command());
        parsed_.arguments.command = Command::Help;
        parsed_.error.clear();
        return Parsed();
    }

    ParsedArguments Done() { return Parsed(); }
    ParsedArguments Parsed() { return parsed_; }

    bool Refuse(std::string error) {
        Fail(std::move(error));
        return false;
    }

    ParsedArguments Fail(std::string error) {
        if (parsed_.error.empty()) parsed_.error = std::move(error);
        return parsed_;
    }

    const std::vector<std::string>& args_;
    std::size_t index_ = 0;
    bool wantsHelp_ = false;
    ParsedArguments parsed_;
};

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
    return Parser(args).Run();
}

const char* CommandName(Command command) {
    for (const CommandInfo& info : Commands) {
        if (info.command == command) return info.name;
    }
    return "";
}
