#include "RibbonMarkup.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <map>
#include <set>

namespace {

struct KindWord {
    std::string_view word;
    CommandKind kind;
};

constexpr KindWord KindWords[] = {
    {"tab", CommandKind::Tab},
    {"applicationmenu", CommandKind::ApplicationMenu},
    {"quickaccess", CommandKind::QuickAccessToolbar},
    {"contextpopup", CommandKind::ContextPopup},
    {"recentitems", CommandKind::RecentItems},
    {"group", CommandKind::Group},
    {"button", CommandKind::Button},
    {"dropdown", CommandKind::DropDownButton},
    {"toggle", CommandKind::Toggle},
};

std::string_view WordOf(CommandKind kind) {
    for (const KindWord& k : KindWords) {
        if (k.kind == kind) return k.word;
    }
    return {};
}

// Kinds that own a block of the markup, and so must have exactly one.
bool HasBlock(CommandKind kind) {
    return kind == CommandKind::Tab || kind == CommandKind::ApplicationMenu ||
           kind == CommandKind::QuickAccessToolbar || kind == CommandKind::ContextPopup ||
           kind == CommandKind::DropDownButton;
}

// Decodes UTF-8 to UTF-16; false on a malformed, overlong or surrogate sequence.
bool DecodeUtf8(std::string_view text, std::u16string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || lead > 0xF4 || i + length > text.size()) return false;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < Smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += length;
    }
    return true;
}

// One line split into words; a text in double quotes is one word; "#" outside quotes ends it.
bool SplitWords(std::string_view line, std::vector<std::string_view>& words) {
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) return false;
            words.push_back(line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            const std::size_t end = line.find_first_of(" \t#\"", i);
            words.push_back(line.substr(i, end == std::string_view::npos ? end : end - i));
            i = end == std::string_view::npos ? line.size() : end;
        }
    }
    return true;
}

bool ParseId(std::string_view word, std::uint16_t& id) {
    unsigned value = 0;
    const auto [end, fault] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (fault != std::errc() || end != word.data() + word.size() || value == 0 || value > 0xFFFF) return false;
    id = static_cast<std::uint16_t>(value);
    return true;
}

struct Fault {
    std::string message;
};

enum class Block { None, ApplicationMenu, QuickAccess, Tab, DropDown, ContextPopup };

class MarkupParser {
public:
    MarkupResult Parse(std::string_view text) {
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        try {
            while (!text.empty() || line_ == 0) {
                const std::size_t newline = text.find('\n');
                std::string_view line = text.substr(0, newline);
                text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
                if (line.ends_with('\r')) line.remove_suffix(1);
                ++line_;
                if (!SplitWords(line, words_)) throw Fault{"a quoted text is not closed"};
                if (!words_.empty()) Statement();
            }
            Finish();
        } catch (const Fault& fault) {
            return {std::nullopt, line_, fault.message};
        }
        return {std::move(model_), 0, {}};
    }

private:
    void Statement() {
        const std::string_view keyword = words_[0];
        if (block_ == Block::None) {
            if (keyword == "command") return Command();
            if (keyword == "images") return Images();
            if (keyword == "applicationmenu") return Open(Block::ApplicationMenu, CommandKind::ApplicationMenu);
            if (keyword == "quickaccess") return Open(Block::QuickAccess, CommandKind::QuickAccessToolbar);
            if (keyword == "tab") return Open(Block::Tab, CommandKind::Tab);
            if (keyword == "dropdown") return Open(Block::DropDown, CommandKind::DropDownButton);
            if (keyword == "contextpopup") return Open(Block::ContextPopup, CommandKind::ContextPopup);
            if (keyword == "end") throw Fault{"\"end\" without a block to close"};
        } else {
            if (keyword == "end") return Close();
            if (keyword == "group" && block_ == Block::Tab) return TabGroupLine();
            if (keyword == "group" && block_ != Block::QuickAccess) return MenuGroup();
            if ((keyword == "large" || keyword == "small") && block_ == Block::Tab) return ControlLine();
            if (keyword == "recent" && block_ == Block::ApplicationMenu) return RecentLine();
            if (keyword == "item" && block_ == Block::QuickAccess) return ItemLine();
        }
        throw Fault{"unknown or misplaced keyword \"" + std::string(keyword) + "\""};
    }

    void Command() {
        if (words_.size() < 4) throw Fault{"a command needs an id, a name and a kind"};
        RibbonCommand command;
        if (!ParseId(words_[1], command.id)) throw Fault{"command id must be a number from 1 to 65535"};
        if (model_.Command(command.id)) throw Fault{"command id " + std::string(words_[1]) + " is declared twice"};
        command.name = words_[2];
        if (model_.CommandNamed(command.name)) throw Fault{"command " + command.name + " is declared twice"};
        const auto kind = std::find_if(std::begin(KindWords), std::end(KindWords),
                                       [&](const KindWord& k) { return k.word == words_[3]; });
        if (kind == std::end(KindWords)) throw Fault{"unknown command kind \"" + std::string(words_[3]) + "\""};
        command.kind = kind->kind;
        for (std::size_t i = 4; i < words_.size(); i += 2) {
            if (i + 1 == words_.size()) throw Fault{"\"" + std::string(words_[i]) + "\" needs a value"};
            const std::string_view value = words_[i + 1];
            if (words_[i] == "keytip") {
                const bool plain = std::all_of(value.begin(), value.end(),
                                               [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
                if (value.empty() || value.size() > 3 || !plain) throw Fault{"a keytip is 1 to 3 capital letters or digits"};
                command.keytip.assign(value.begin(), value.end());
            } else if (words_[i] == "label") {
                if (!DecodeUtf8(value, command.label) || command.label.empty()) throw Fault{"a label must be non-empty UTF-8"};
            } else {
                throw Fault{"unknown command option \"" + std::string(words_[i]) + "\""};
            }
        }
        declaredOn_[command.id] = line_;
        model_.commands.push_back(std::move(command));
    }

    void Images() {
        if (words_.size() != 12 || words_[2] != "small" || words_[7] != "large") {
            throw Fault{"images <name> small <4 ids> large <4 ids>"};
        }
        RibbonCommand& command = Find(words_[1]);
        if (command.images) throw Fault{"images of " + command.name + " are given twice"};
        CommandImages images;
        for (std::size_t dpi = 0; dpi < ImageDpis.size(); ++dpi) {
            for (std::size_t at : {3 + dpi, 8 + dpi}) {
                std::uint16_t id = 0;
                if (!ParseId(words_[at], id)) throw Fault{"image id must be a number from 1 to 65535"};
                if (!imageIds_.insert({id, line_}).second) throw Fault{"image id " + std::string(words_[at]) + " is used twice"};
                (at < 8 ? images.small : images.large)[dpi] = id;
            }
        }
        command.images = images;
    }

    void Open(Block block, CommandKind kind) {
        if (words_.size() != 2) throw Fault{"a block names one command"};
        const RibbonCommand& command = Find(words_[1], {kind});
        if (!opened_.insert(command.id).second) throw Fault{"the block of " + command.name + " is given twice"};
        block_ = block;
        blockLine_ = line_;
        switch (block) {
        case Block::ApplicationMenu:
            if (model_.applicationMenu.command) throw Fault{"there is one application menu"};
            model_.applicationMenu.command = command.id;
            break;
        case Block::QuickAccess:
            if (model_.quickAccessToolbar) throw Fault{"there is one quick access toolbar"};
            model_.quickAccessToolbar = command.id;
            break;
        case Block::Tab: model_.tabs.push_back({command.id, {}}); break;
        case Block::DropDown: model_.dropDowns.push_back({command.id, {}}); break;
        case Block::ContextPopup: model_.contextPopups.push_back({command.id, {}}); break;
        case Block::None: break;
        }
    }

    void Close() {
        if (words_.size() != 1) throw Fault{"\"end\" stands alone"};
        if (block_ == Block::ApplicationMenu && !model_.recentItems) throw Fault{"the application menu needs its recent items"};
        if (block_ == Block::Tab && (model_.tabs.back().groups.empty() || model_.tabs.back().groups.back().controls.empty())) {
            throw Fault{"a tab needs groups, and each group a control"};
        }
        block_ = Block::None;
    }

    CommandMenu& CurrentMenu() {
        if (block_ == Block::ApplicationMenu) return model_.applicationMenu;
        return block_ == Block::DropDown ? model_.dropDowns.back() : model_.contextPopups.back();
    }

    void MenuGroup() {
        if (words_.size() < 2) throw Fault{"a group lists its commands"};
        if (block_ == Block::ApplicationMenu && model_.recentItems) throw Fault{"the recent items come last"};
        CommandGroup group;
        for (std::size_t i = 1; i < words_.size(); ++i) {
            const RibbonCommand& command = Find(words_[i], {CommandKind::Button, CommandKind::Toggle});
            if (block_ == Block::ApplicationMenu) NeedsImages(command.id);
            group.push_back(command.id);
        }
        CurrentMenu().groups.push_back(std::move(group));
    }

    void RecentLine() {
        if (words_.size() != 2) throw Fault{"recent names one command"};
        if (model_.recentItems) throw Fault{"the application menu has one recent-items list"};
        model_.recentItems = Find(words_[1], {CommandKind::RecentItems}).id;
    }

    void ItemLine() {
        if (words_.size() != 2) throw Fault{"item names one command"};
        const RibbonCommand& command = Find(words_[1], {CommandKind::Button, CommandKind::Toggle});
        std::vector<std::uint16_t>& items = model_.quickAccessDefaults;
        if (std::find(items.begin(), items.end(), command.id) != items.end()) throw Fault{command.name + " is listed twice"};
        items.push_back(command.id);
    }

    void TabGroupLine() {
        if (words_.size() != 2) throw Fault{"a tab group names one command"};
        RibbonTab& tab = model_.tabs.back();
        if (!tab.groups.empty() && tab.groups.back().controls.empty()) throw Fault{"a group needs a control"};
        const RibbonCommand& command = Find(words_[1], {CommandKind::Group});
        NeedsImages(command.id);
        tab.groups.push_back({command.id, {}});
    }

    void ControlLine() {
        if (words_.size() != 2) throw Fault{"a control names one command"};
        RibbonTab& tab = model_.tabs.back();
        if (tab.groups.empty()) throw Fault{"a control belongs to a group"};
        const RibbonCommand& command =
            Find(words_[1], {CommandKind::Button, CommandKind::Toggle, CommandKind::DropDownButton});
        NeedsImages(command.id);
        tab.groups.back().controls.push_back({command.id, words_[0] == "large" ? ControlSize::Large : ControlSize::Small});
    }

    RibbonCommand& Find(std::string_view name, std::initializer_list<CommandKind> kinds = {}) {
        auto at = std::find_if(model_.commands.begin(), model_.commands.end(),
                               [&](const RibbonCommand& c) { return c.name == name; });
        if (at == model_.commands.end()) throw Fault{"unknown command " + std::string(name)};
        if (kinds.size() != 0 && std::find(kinds.begin(), kinds.end(), at->kind) == kinds.end()) {
            throw Fault{at->name + " is a " + std::string(WordOf(at->kind)) + " and cannot stand here"};
        }
        return *at;
    }

    // Remembers where a command is shown with its picture, to check at the end that it has one.
    void NeedsImages(std::uint16_t id) { shownOn_.insert({id, line_}); }

    void Finish() {
        if (block_ != Block::None) {
            line_ = blockLine_;
            throw Fault{"this block is not closed with \"end\""};
        }
        for (const RibbonCommand& command : model_.commands) {
            if (HasBlock(command.kind) && !opened_.contains(command.id)) {
                line_ = declaredOn_[command.id];
                throw Fault{command.name + " has no block"};
            }
        }
        for (const auto& [id, line] : shownOn_) {
            if (!model_.Command(id)->images) {
                line_ = line;
                throw Fault{model_.Command(id)->name + " has no images"};
            }
        }
        if (!model_.applicationMenu.command || !model_.quickAccessToolbar || model_.tabs.empty()) {
            throw Fault{"the ribbon needs an application menu, a quick access toolbar and a tab"};
        }
    }

    RibbonModel model_;
    std::vector<std::string_view> words_;
    std::size_t line_ = 0;
    Block block_ = Block::None;
    std::size_t blockLine_ = 0;
    std::map<std::uint16_t, std::size_t> declaredOn_;
    std::map<std::uint16_t, std::size_t> shownOn_;
    std::map<std::uint16_t, std::size_t> imageIds_;
    std::set<std::uint16_t> opened_;
};

const CommandMenu* FindMenu(const std::vector<CommandMenu>& menus, std::uint16_t id) {
    const auto at = std::find_if(menus.begin(), menus.end(), [&](const CommandMenu& m) { return m.command == id; });
    return at == menus.end() ? nullptr : &*at;
}

}  // namespace

const RibbonCommand* RibbonModel::Command(std::uint16_t id) const {
    const auto at = std::find_if(commands.begin(), commands.end(), [&](const RibbonCommand& c) { return c.id == id; });
    return at == commands.end() ? nullptr : &*at;
}

const RibbonCommand* RibbonModel::CommandNamed(std::string_view name) const {
    const auto at = std::find_if(commands.begin(), commands.end(), [&](const RibbonCommand& c) { return c.name == name; });
    return at == commands.end() ? nullptr : &*at;
}

const CommandMenu* RibbonModel::DropDown(std::uint16_t id) const { return FindMenu(dropDowns, id); }

const CommandMenu* RibbonModel::ContextPopup(std::uint16_t id) const { return FindMenu(contextPopups, id); }

std::vector<std::uint16_t> RibbonModel::QuickAccessAllowed() const {
    std::vector<std::uint16_t> allowed = quickAccessDefaults;
    auto add = [&](std::uint16_t id) {
        if (std::find(allowed.begin(), allowed.end(), id) == allowed.end()) allowed.push_back(id);
    };
    for (const RibbonTab& tab : tabs) {
        for (const TabGroup& group : tab.groups) {
            for (const TabControl& control : group.controls) {
                if (Command(control.command)->kind == CommandKind::Button) add(control.command);
            }
        }
    }
    for (const CommandGroup& group : applicationMenu.groups) {
        for (const std::uint16_t id : group) add(id);
    }
    return allowed;
}

MarkupResult ParseRibbonMarkup(std::string_view utf8) { return MarkupParser().Parse(utf8); }
