// Keytips of the quick access toolbar and of menu items, and matching the keys typed.
#include "Keytips.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

TEST(Keytips, QuickAccessItemsAreNumberedThenCountDownThenLettered) {
    EXPECT_EQ(QuickAccessKeytip(0), u"1");
    EXPECT_EQ(QuickAccessKeytip(8), u"9");
    EXPECT_EQ(QuickAccessKeytip(9), u"09");
    EXPECT_EQ(QuickAccessKeytip(17), u"01");
    EXPECT_EQ(QuickAccessKeytip(18), u"0A");
    EXPECT_EQ(QuickAccessKeytip(43), u"0Z");
    EXPECT_EQ(QuickAccessKeytip(44), u"");
    std::set<std::u16string> all;
    for (std::size_t i = 0; i < 44; ++i) all.insert(QuickAccessKeytip(i));
    EXPECT_EQ(all.size(), 44u);
}

TEST(Keytips, MenuItemsTakeTheirMnemonic) {
    EXPECT_EQ(MnemonicKeytip(u"E&xit"), u"X");
    EXPECT_EQ(MnemonicKeytip(u"\u532f\u5165 (&I)"), u"I");
    EXPECT_EQ(MnemonicKeytip(u"Fish && &chips"), u"C");
    EXPECT_EQ(MnemonicKeytip(u"&&Save"), u"");
    EXPECT_EQ(MnemonicKeytip(u"Save&"), u"");
    EXPECT_EQ(MnemonicKeytip(u"Ascending"), u"");
    EXPECT_EQ(MnemonicKeytip(u"Page &2"), u"2");
}

TEST(Keytips, AccessibleNamesDropTheMarkAndShortcutsSpellEveryKey) {
    EXPECT_EQ(WithoutMnemonic(u"E&xit"), u"Exit");
    EXPECT_EQ(WithoutMnemonic(u"\u532f\u5165 (&I)"), u"\u532f\u5165 (I)");
    EXPECT_EQ(WithoutMnemonic(u"Fish && &chips"), u"Fish & chips");
    EXPECT_EQ(WithoutMnemonic(u"Save&"), u"Save&");

    const std::vector<std::u16string> deleteOnHome = {u"H", u"D"};
    EXPECT_EQ(KeytipShortcut(deleteOnHome), u"Alt, H, D");
    const std::vector<std::u16string> tenthQuickAccess = {u"09"};
    EXPECT_EQ(KeytipShortcut(tenthQuickAccess), u"Alt, 0, 9");
    const std::vector<std::u16string> noMnemonic = {u"H", u"T", u""};
    EXPECT_EQ(KeytipShortcut(noMnemonic), u"");
    EXPECT_EQ(KeytipShortcut({}), u"");
}

TEST(Keytips, TypedKeysMatchOneWaitOrMiss) {
    const std::vector<std::u16string> level = {u"1", u"2", u"09", u"0A", u"", u"F"};
    auto match = [&](std::u16string_view typed) { return MatchKeytip(level, typed); };
    EXPECT_EQ(match(u"f").match, KeytipMatch::Exact);
    EXPECT_EQ(match(u"f").index, 5u);
    EXPECT_EQ(match(u"0a").index, 3u);
    EXPECT_EQ(match(u"0").match, KeytipMatch::Partial);
    EXPECT_EQ(match(u"").match, KeytipMatch::Partial);  // the control without a keytip is no match
    EXPECT_EQ(match(u"0B").match, KeytipMatch::None);
    EXPECT_EQ(match(u"09X").match, KeytipMatch::None);

    // An exact keytip is taken even when a longer one starts with it; of two equal, the first.
    const std::vector<std::u16string> overlapping = {u"A", u"AB", u"A"};
    EXPECT_EQ(MatchKeytip(overlapping, u"a").match, KeytipMatch::Exact);
    EXPECT_EQ(MatchKeytip(overlapping, u"a").index, 0u);
}

}  // namespace
