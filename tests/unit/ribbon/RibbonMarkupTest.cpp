// The real markup file against the program's command identifiers and the agreed layout and
// image ids, and the parser's refusal of broken markup at the right line.
#include "RibbonMarkup.h"

#include "Commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Ids = std::vector<std::uint16_t>;

RibbonModel RealModel() {
    std::ifstream file(RIBBON_MARKUP_PATH, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    MarkupResult result = ParseRibbonMarkup(text.str());
    EXPECT_TRUE(result.model) << "line " << result.errorLine << ": " << result.error;
    return result.model.value_or(RibbonModel{});
}

struct ExpectedCommand {
    unsigned id;
    const char* name;
    CommandKind kind;
    std::u16string_view keytip;
};

#define COMMAND(name, kind, keytip) ExpectedCommand{name, #name, CommandKind::kind, keytip}

TEST(Markup, EveryCommandHasTheIdNameKindAndKeytipOfTheProgram) {
    const ExpectedCommand expected[] = {
        COMMAND(cmdHome, Tab, u"H"),
        COMMAND(cmdFileMenu, ApplicationMenu, u"F"),
        COMMAND(cmdQAT, QuickAccessToolbar, u""),
        COMMAND(cmdEditContextMenu, ContextPopup, u""),
        COMMAND(cmdMRUList, RecentItems, u""),
        COMMAND(cmdGroupEdit, Group, u""),
        COMMAND(cmdGroupView, Group, u""),
        COMMAND(cmdSort, DropDownButton, u"T"),
        COMMAND(cmdAscendingSort, Toggle, u""),
        COMMAND(cmdDescendingSort, Toggle, u""),
        COMMAND(cmdAbout, Button, u"A"),
        COMMAND(cmdExit, Button, u"X"),
        COMMAND(cmdImport, Button, u"I"),
        COMMAND(cmdExport, Button, u"E"),
        COMMAND(cmdSave, Button, u"S"),
        COMMAND(cmdUndelete, Button, u"U"),
        COMMAND(cmdInsert, Button, u"I"),
        COMMAND(cmdDelete, Button, u"D"),
        COMMAND(cmdModify, Button, u"O"),
        COMMAND(cmdSelectAll, Button, u"A"),
        COMMAND(cmdFind, Button, u"F"),
        COMMAND(cmdSortByPhrase, Toggle, u"P"),
        COMMAND(cmdSortByVantixInputKey, Toggle, u"A"),
        COMMAND(cmdSortByInputKey, Toggle, u"K"),
        COMMAND(cmdImportMerge, Button, u"M"),
        COMMAND(cmdFilter, Button, u"L"),
    };
    const RibbonModel model = RealModel();
    EXPECT_EQ(model.commands.size(), std::size(expected));  // nothing the program does not know
    for (const ExpectedCommand& e : expected) {
        const RibbonCommand* command = model.Command(static_cast<std::uint16_t>(e.id));
        ASSERT_NE(command, nullptr) << e.name;
        EXPECT_EQ(command->name, e.name);
        EXPECT_EQ(command->kind, e.kind) << e.name;
        EXPECT_EQ(command->keytip, e.keytip) << e.name;
        // Only the two language-neutral labels live in the markup.
        const std::u16string label = e.id == cmdEditContextMenu ? u"EditContextMenu" : e.id == cmdMRUList ? u"Recent items..." : u"";
        EXPECT_EQ(command->label, label) << e.name;
    }
}

TEST(Markup, LaysTheCommandsOutAsAgreed) {
    const RibbonModel model = RealModel();
    EXPECT_EQ(model.applicationMenu.command, cmdFileMenu);
    EXPECT_EQ(model.applicationMenu.groups,
              (std::vector<Ids>{{cmdImport, cmdImportMerge, cmdExport}, {cmdSave}, {cmdAbout}, {cmdExit}}));
    EXPECT_EQ(model.recentItems, cmdMRUList);
    EXPECT_EQ(model.quickAccessToolbar, cmdQAT);
    EXPECT_EQ(model.quickAccessDefaults, (Ids{cmdSave, cmdUndelete, cmdImport, cmdDelete, cmdExport}));

    ASSERT_EQ(model.tabs.size(), 1u);
    EXPECT_EQ(model.tabs[0].command, cmdHome);
    ASSERT_EQ(model.tabs[0].groups.size(), 2u);
    const TabGroup& edit = model.tabs[0].groups[0];
    const TabGroup& view = model.tabs[0].groups[1];
    EXPECT_EQ(edit.command, cmdGroupEdit);
    EXPECT_EQ(view.command, cmdGroupView);
    std::vector<std::pair<unsigned, ControlSize>> controls;
    for (const TabControl& c : edit.controls) controls.emplace_back(c.command, c.size);
    for (const TabControl& c : view.controls) controls.emplace_back(c.command, c.size);
    using enum ControlSize;
    EXPECT_EQ(controls, (std::vector<std::pair<unsigned, ControlSize>>{
                            {cmdInsert, Large}, {cmdDelete, Large}, {cmdModify, Large}, {cmdUndelete, Small},
                            {cmdSelectAll, Small}, {cmdFind, Small}, {cmdSort, Large}, {cmdFilter, Large}}));

    ASSERT_NE(model.DropDown(cmdSort), nullptr);
    EXPECT_EQ(model.DropDown(cmdSort)->groups,
              (std::vector<Ids>{{cmdSortByPhrase, cmdSortByVantixInputKey, cmdSortByInputKey},
                                {cmdAscendingSort, cmdDescendingSort}}));
    ASSERT_NE(model.ContextPopup(cmdEditContextMenu), nullptr);
    EXPECT_EQ(model.ContextPopup(cmdEditContextMenu)->groups,
              (std::vector<Ids>{{cmdUndelete}, {cmdInsert, cmdDelete, cmdModify}, {cmdSelectAll}, {cmdFind}}));

    // The defaults, the tab's buttons and the application menu's commands; not Sort.
    EXPECT_EQ(model.QuickAccessAllowed(), (Ids{cmdSave, cmdUndelete, cmdImport, cmdDelete, cmdExport, cmdInsert, cmdModify,
                                               cmdSelectAll, cmdFind, cmdFilter, cmdImportMerge, cmdAbout, cmdExit}));
}

TEST(Markup, ImageIdsAreTheOnesTheBitmapsAreMadeWith) {
    // Image index k in this order: id 60005 + 8k, +4 for large, + the DPI's index.
    const unsigned order[] = {cmdGroupEdit, cmdGroupView, cmdInsert, cmdDelete, cmdModify, cmdUndelete, cmdSelectAll,
                              cmdFind, cmdSort, cmdImport, cmdExport, cmdSave, cmdAbout, cmdExit};
    // With 14 commands that keeps every id unique and within the image resources 60005..60129.
    const RibbonModel model = RealModel();
    for (unsigned k = 0; k < std::size(order); ++k) {
        const RibbonCommand* command = model.Command(static_cast<std::uint16_t>(order[k]));
        ASSERT_TRUE(command && command->images) << order[k];
        for (unsigned dpi = 0; dpi < 4; ++dpi) {
            EXPECT_EQ(command->images->small[dpi], 60005 + 8 * k + dpi) << command->name;
            EXPECT_EQ(command->images->large[dpi], 60005 + 8 * k + 4 + dpi) << command->name;
        }
    }
    // Commands added later take eight ids each after that block, from the first one given here.
    const std::pair<unsigned, unsigned> later[] = {{cmdImportMerge, 60130}, {cmdFilter, 60138}};
    for (const auto& [id, first] : later) {
        const RibbonCommand* command = model.Command(static_cast<std::uint16_t>(id));
        ASSERT_TRUE(command && command->images) << id;
        for (unsigned dpi = 0; dpi < 4; ++dpi) {
            EXPECT_EQ(command->images->small[dpi], first + dpi) << command->name;
            EXPECT_EQ(command->images->large[dpi], first + 4 + dpi) << command->name;
        }
    }
    const auto withImages = std::count_if(model.commands.begin(), model.commands.end(),
                                          [](const RibbonCommand& c) { return c.images.has_value(); });
    EXPECT_EQ(static_cast<std::size_t>(withImages), std::size(order) + std::size(later));
}

// Keytips pick one control of a level: the top level (the application menu, the tabs) and each
// tab's controls. A control without a keytip, or whose keytip starts another's (or equals it),
// leaves a control that the keys cannot reach: each such one is named.
std::vector<std::string> Unreachable(const RibbonModel& model, const std::vector<std::uint16_t>& level) {
    std::vector<std::string> found;
    for (const std::uint16_t mine : level) {
        const std::u16string& keytip = model.Command(mine)->keytip;
        if (keytip.empty()) found.push_back(model.Command(mine)->name + " has no keytip");
        for (const std::uint16_t other : level) {
            if (other == mine || keytip.empty() || !model.Command(other)->keytip.starts_with(keytip)) continue;
            found.push_back(model.Command(other)->name + " is hidden by " + model.Command(mine)->name);
        }
    }
    return found;
}

std::vector<std::uint16_t> ControlsOf(const RibbonTab& tab) {
    std::vector<std::uint16_t> controls;
    for (const TabGroup& group : tab.groups) {
        for (const TabControl& control : group.controls) controls.push_back(control.command);
    }
    return controls;
}

TEST(Markup, EveryControlOfEachKeytipLevelHasAKeytipOfItsOwn) {
    const RibbonModel model = RealModel();
    std::vector<std::uint16_t> top = {model.applicationMenu.command};
    for (const RibbonTab& tab : model.tabs) top.push_back(tab.command);
    EXPECT_EQ(Unreachable(model, top), std::vector<std::string>{});
    for (const RibbonTab& tab : model.tabs) EXPECT_EQ(Unreachable(model, ControlsOf(tab)), std::vector<std::string>{});

    // Had Filter taken Find's letter, neither could be reached.
    RibbonModel clash = model;
    for (RibbonCommand& command : clash.commands) {
        if (command.id == cmdFilter) command.keytip = model.Command(cmdFind)->keytip;
    }
    EXPECT_EQ(Unreachable(clash, ControlsOf(clash.tabs.at(0))),
              (std::vector<std::string>{"cmdFilter is hidden by cmdFind", "cmdFind is hidden by cmdFilter"}));
}

// A small markup that parses; each case below breaks one line of it.
constexpr std::string_view SmallMarkup =
    "command 2 cmdHome tab\n"                                  // 1
    "command 3 cmdFile applicationmenu keytip F\n"             // 2
    "command 4 cmdQAT quickaccess\n"                           // 3
    "command 6 cmdMRU recentitems label \"Recent\"\n"          // 4
    "command 7 cmdGroup group   # a comment\n"                 // 5
    "command 20 cmdSave button\n"                              // 6
    "images cmdGroup small 1 2 3 4 large 5 6 7 8\n"            // 7
    "images cmdSave small 11 12 13 14 large 15 16 17 18\n"     // 8
    "applicationmenu cmdFile\n"                                // 9
    "  group cmdSave\n"                                        // 10
    "  recent cmdMRU\n"                                        // 11
    "end\n"                                                    // 12
    "quickaccess cmdQAT\n"                                     // 13
    "  item cmdSave\n"                                         // 14
    "end\n"                                                    // 15
    "tab cmdHome\n"                                            // 16
    "  group cmdGroup\n"                                       // 17
    "    large cmdSave\n"                                      // 18
    "end\n";                                                   // 19

std::string WithLine(std::size_t number, std::string_view replacement) {
    std::string text(SmallMarkup);
    std::size_t start = 0;
    for (std::size_t line = 1; line < number; ++line) start = text.find('\n', start) + 1;
    text.replace(start, text.find('\n', start) - start, replacement);
    return text;
}

TEST(Markup, RefusesBrokenMarkupAtTheFaultyLine) {
    const MarkupResult good = ParseRibbonMarkup(SmallMarkup);
    ASSERT_TRUE(good.model) << good.errorLine << ": " << good.error;
    EXPECT_EQ(good.model->Command(6)->label, u"Recent");

    struct Case {
        std::size_t line;
        std::string_view replacement;
        std::size_t errorLine;
        std::string_view error;
    };
    const Case cases[] = {
        {14, "items cmdSave", 14, "unknown or misplaced keyword"},
        {14, "item cmdLoad", 14, "unknown command cmdLoad"},
        {6, "command 2 cmdSave button", 6, "declared twice"},
        {6, "command 20 cmdHome button", 6, "declared twice"},
        {6, "command 20 cmdSave knob", 6, "unknown command kind"},
        {6, "command 20 cmdSave button keytip x", 6, "keytip"},
        {4, "command 6 cmdMRU recentitems label \"Recent", 4, "not closed"},
        {4, "command 6 cmdMRU recentitems label \"\xC3(\"", 4, "UTF-8"},
        {8, "images cmdSave small 11 12 13 14 large 15 16 17 1", 8, "image id 1 is used twice"},
        {8, "# Save has no images", 10, "cmdSave has no images"},  // where it is first shown
        {18, "    large cmdGroup", 18, "cannot stand here"},
        {11, "", 12, "needs its recent items"},
        {19, "", 16, "not closed"},
    };
    for (const Case& c : cases) {
        const MarkupResult result = ParseRibbonMarkup(WithLine(c.line, c.replacement));
        EXPECT_FALSE(result.model) << c.replacement;
        EXPECT_EQ(result.errorLine, c.errorLine) << c.replacement << ": " << result.error;
        EXPECT_NE(result.error.find(c.error), std::string::npos) << c.replacement << ": " << result.error;
    }
}

}  // namespace
