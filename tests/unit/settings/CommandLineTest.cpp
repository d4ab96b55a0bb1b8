// Which dialog the settings tool shows for its arguments.
#include "CommandLine.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

StartUpDialog For(std::initializer_list<std::wstring_view> arguments) {
    const std::vector<std::wstring_view> list(arguments);
    return DialogForArguments(list);
}

TEST(CommandLine, TheTwoSwitchesInAnyCase) {
    EXPECT_EQ(For({L"/about"}), StartUpDialog::About);
    EXPECT_EQ(For({L"/ABOUT"}), StartUpDialog::About);
    EXPECT_EQ(For({L"/AbOuT"}), StartUpDialog::About);
    EXPECT_EQ(For({L"/configure"}), StartUpDialog::Configure);
    EXPECT_EQ(For({L"/CONFIGURE"}), StartUpDialog::Configure);
    EXPECT_EQ(For({L"/Configure"}), StartUpDialog::Configure);
}

TEST(CommandLine, TheFirstRecognisedSwitchWins) {
    EXPECT_EQ(For({L"/about", L"/configure"}), StartUpDialog::About);
    EXPECT_EQ(For({L"/configure", L"/about"}), StartUpDialog::Configure);
    EXPECT_EQ(For({L"something", L"/CONFIGURE"}), StartUpDialog::Configure);
    EXPECT_EQ(For({L"C:\\VantixIME\\Vantixcfg.exe", L"-about", L"/About"}), StartUpDialog::About);
}

TEST(CommandLine, NothingIsShownWithoutASwitch) {
    EXPECT_EQ(For({}), StartUpDialog::None);
    // What the platform makes of an empty command line: the program's own path.
    EXPECT_EQ(For({L"C:\\Program Files\\VantixIME\\Vantixcfg.exe"}), StartUpDialog::None);
    EXPECT_EQ(For({L"-about", L"about", L"configure", L"-configure"}), StartUpDialog::None);
    EXPECT_EQ(For({L"/about ", L" /about", L"/abou", L"/aboutx", L"//about", L"/configured"}),
              StartUpDialog::None);
    EXPECT_EQ(For({L""}), StartUpDialog::None);
}

TEST(CommandLine, OnlyAsciiLettersAreFolded) {
    // Letters that fold to ASCII in some locales do not make a switch.
    EXPECT_EQ(For({L"/ab\u00D6ut"}), StartUpDialog::None);
    EXPECT_EQ(For({L"/conf\u0130gure"}), StartUpDialog::None);  // dotted capital I
    EXPECT_EQ(For({L"/conf\u0131gure"}), StartUpDialog::None);  // dotless small i
}

}  // namespace
