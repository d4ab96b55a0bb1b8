// The ribbon markup: a line-based UTF-8 text (resource "APPLICATION_RIBBON", type "UIFILE")
// that names every command of the ribbon, its images, keytips and the two fixed labels, and
// lays the commands out in the application menu, the quick access toolbar, the tabs, the
// drop-downs and the context popups. Ribbon.markup beside this folder describes the format.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class CommandKind {
    Tab,
    ApplicationMenu,
    QuickAccessToolbar,
    ContextPopup,
    RecentItems,
    Group,
    Button,
    DropDownButton,
    Toggle,
};

enum class ControlSize { Small, Large };

// Image resource ids of one command, by DPI: 96, 120, 144, 192.
inline constexpr std::array<unsigned, 4> ImageDpis = {96, 120, 144, 192};
struct CommandImages {
    std::array<std::uint16_t, 4> small{};
    std::array<std::uint16_t, 4> large{};
};

struct RibbonCommand {
    std::uint16_t id = 0;
    std::string name;        // "cmdSave"
    CommandKind kind = CommandKind::Button;
    std::u16string keytip;   // empty: none
    std::u16string label;    // empty: the program answers the label at run time
    std::optional<CommandImages> images;
};

// Commands shown together between separators.
using CommandGroup = std::vector<std::uint16_t>;

// A menu of groups: the application menu, a drop-down button's menu, a context popup.
struct CommandMenu {
    std::uint16_t command = 0;
    std::vector<CommandGroup> groups;
};

struct TabControl {
    std::uint16_t command = 0;
    ControlSize size = ControlSize::Large;
};

struct TabGroup {
    std::uint16_t command = 0;
    std::vector<TabControl> controls;
};

struct RibbonTab {
    std::uint16_t command = 0;
    std::vector<TabGroup> groups;
};

struct RibbonModel {
    std::vector<RibbonCommand> commands;  // in markup order
    CommandMenu applicationMenu;
    std::uint16_t recentItems = 0;        // the recent-items list at the end of the application menu
    std::uint16_t quickAccessToolbar = 0;
    std::vector<std::uint16_t> quickAccessDefaults;
    std::vector<RibbonTab> tabs;
    std::vector<CommandMenu> dropDowns;
    std::vector<CommandMenu> contextPopups;

    const RibbonCommand* Command(std::uint16_t id) const;
    const RibbonCommand* CommandNamed(std::string_view name) const;
    const CommandMenu* DropDown(std::uint16_t id) const;
    const CommandMenu* ContextPopup(std::uint16_t id) const;

    // What the quick access toolbar may hold: its defaults, then every button of a tab group and
    // every command of the application menu, each once.
    std::vector<std::uint16_t> QuickAccessAllowed() const;
};

struct MarkupResult {
    std::optional<RibbonModel> model;
    std::size_t errorLine = 0;  // 1-based line of the fault when there is no model
    std::string error;
};

MarkupResult ParseRibbonMarkup(std::string_view utf8);
