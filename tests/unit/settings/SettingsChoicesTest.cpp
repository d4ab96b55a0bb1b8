// How the configure dialog edits the record: radio groups shown by priority, choosing a
// member, enabling, previews, pages and the letter keys' conditions.
#include "SettingsChoices.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>

namespace {

SettingsRecord WithShifts(bool any, bool left, bool right) {
    SettingsRecord record;
    record.toggleWithAnyShift = any;
    record.toggleWithLeftShift = left;
    record.toggleWithRightShift = right;
    return record;
}

SettingsRecord WithSources(bool builtIn, bool user, bool both) {
    SettingsRecord record;
    record.useBuiltInPhrases = builtIn;
    record.useUserPhrases = user;
    record.useBothPhrases = both;
    return record;
}

TEST(RadioGroups, ShiftGroupShownLeftThenRightThenAny) {
    EXPECT_EQ(ShownShiftToggle(WithShifts(true, false, false)), ShiftToggle::Any);
    EXPECT_EQ(ShownShiftToggle(WithShifts(false, false, false)), ShiftToggle::Any);
    EXPECT_EQ(ShownShiftToggle(WithShifts(false, true, true)), ShiftToggle::Left);
    EXPECT_EQ(ShownShiftToggle(WithShifts(true, true, false)), ShiftToggle::Left);
    EXPECT_EQ(ShownShiftToggle(WithShifts(true, false, true)), ShiftToggle::Right);
}

TEST(RadioGroups, PhraseSourceShownUserThenBothThenBuiltIn) {
    EXPECT_EQ(ShownPhraseSource(WithSources(true, false, false)), PhraseSource::BuiltIn);
    EXPECT_EQ(ShownPhraseSource(WithSources(false, false, false)), PhraseSource::BuiltIn);
    EXPECT_EQ(ShownPhraseSource(WithSources(true, true, true)), PhraseSource::User);
    EXPECT_EQ(ShownPhraseSource(WithSources(true, false, true)), PhraseSource::Both);
}

TEST(RadioGroups, ChoosingSetsTheMemberAndClearsTheOthers) {
    SettingsRecord record = DefaultSettings();
    EXPECT_TRUE(ChooseShiftToggle(record, ShiftToggle::Right));
    EXPECT_FALSE(record.toggleWithAnyShift);
    EXPECT_FALSE(record.toggleWithLeftShift);
    EXPECT_TRUE(record.toggleWithRightShift);

    EXPECT_TRUE(ChoosePhraseSource(record, PhraseSource::Both));
    EXPECT_FALSE(record.useBuiltInPhrases);
    EXPECT_FALSE(record.useUserPhrases);
    EXPECT_TRUE(record.useBothPhrases);
    // Nothing outside the group moves.
    SettingsRecord expected = DefaultSettings();
    expected.toggleWithAnyShift = false;
    expected.toggleWithRightShift = true;
    expected.useBuiltInPhrases = false;
    expected.useBothPhrases = true;
    EXPECT_EQ(record, expected);
}

TEST(RadioGroups, ChoosingTheShownMemberChangesNothing) {
    SettingsRecord record = DefaultSettings();
    EXPECT_FALSE(ChoosingChanges(record, ShiftToggle::Any));
    EXPECT_FALSE(ChooseShiftToggle(record, ShiftToggle::Any));
    EXPECT_FALSE(ChoosePhraseSource(record, PhraseSource::BuiltIn));
    EXPECT_EQ(record, DefaultSettings());

    // Left and right both on: left is shown and stays with both bits.
    SettingsRecord both = WithShifts(false, true, true);
    EXPECT_FALSE(ChooseShiftToggle(both, ShiftToggle::Left));
    EXPECT_EQ(both, WithShifts(false, true, true));
}

TEST(RadioGroups, AMemberHiddenBehindAHigherOneIsSetAlone) {
    // Right is on but left is shown; choosing right makes the record show what was chosen.
    SettingsRecord record = WithShifts(false, true, true);
    EXPECT_TRUE(ChoosingChanges(record, ShiftToggle::Right));
    EXPECT_TRUE(ChooseShiftToggle(record, ShiftToggle::Right));
    EXPECT_EQ(record, WithShifts(false, false, true));
    EXPECT_EQ(ShownShiftToggle(record), ShiftToggle::Right);

    SettingsRecord sources = WithSources(true, true, false);
    EXPECT_TRUE(ChoosePhraseSource(sources, PhraseSource::BuiltIn));
    EXPECT_EQ(sources, WithSources(true, false, false));
}

TEST(RadioGroups, AGroupWithNoBitIsSetByChoosingTheShownMember) {
    SettingsRecord record = WithShifts(false, false, false);
    EXPECT_TRUE(ChooseShiftToggle(record, ShiftToggle::Any));
    EXPECT_EQ(record, WithShifts(true, false, false));
}

TEST(CheckOptions, EachOptionFlipsItsOwnField) {
    const CheckOption options[] = {
        CheckOption::PromptAssociatedWords, CheckOption::SpaceFinalizes, CheckOption::IncludeExtB,
        CheckOption::IncludeExtCD, CheckOption::IncludeExtE, CheckOption::IncludeExtF,
        CheckOption::EnablePhraseInput, CheckOption::WarningBeep, CheckOption::ShowReading,
        CheckOption::CueSpecialCode, CheckOption::DefaultAlphanumeric,
    };
    SettingsWord seen = 0;
    for (const CheckOption option : options) {
        SettingsRecord record = DefaultSettings();
        FlipOption(record, option);
        const SettingsWord changed = PackSettings(record) ^ DefaultSettingsWord;
        EXPECT_EQ(std::popcount(changed), 1) << static_cast<int>(option);
        EXPECT_EQ(seen & changed, 0u) << "two options share a bit";
        seen |= changed;
        FlipOption(record, option);
        EXPECT_EQ(record, DefaultSettings());
    }
}

TEST(Enabling, SpaceKeyFollowsAssociatedWordsAndSourcesFollowPhraseInput) {
    SettingsRecord record = DefaultSettings();
    EXPECT_TRUE(SpaceFinalizesEnabled(record));
    EXPECT_FALSE(PhraseSourcesEnabled(record));
    record.promptAssociatedWords = false;
    record.enablePhraseInput = true;
    EXPECT_FALSE(SpaceFinalizesEnabled(record));
    EXPECT_TRUE(PhraseSourcesEnabled(record));
}

TEST(Previews, LayoutsOneToThreeHaveTheirOwnPictureTheRestShowQwerty) {
    EXPECT_EQ(PreviewIndexOf(0), 0);
    EXPECT_EQ(PreviewIndexOf(1), 1);
    EXPECT_EQ(PreviewIndexOf(2), 2);
    EXPECT_EQ(PreviewIndexOf(3), 3);
    for (int layout : {4, 5, 6, 7, -1}) EXPECT_EQ(PreviewIndexOf(layout), 0) << layout;
}

TEST(Pages, TabIndexOneIsAdvancedTwoKeyboardAnythingElseGeneral) {
    EXPECT_EQ(PageOfTab(0), SettingsPage::General);
    EXPECT_EQ(PageOfTab(1), SettingsPage::Advanced);
    EXPECT_EQ(PageOfTab(2), SettingsPage::Keyboard);
    EXPECT_EQ(PageOfTab(-1), SettingsPage::General);
    EXPECT_EQ(PageOfTab(3), SettingsPage::General);
}

std::optional<LetterKeyAction> Letter(char letter, SettingsPage page,
                                      const SettingsRecord& record = DefaultSettings()) {
    return LetterKeyActionFor(letter, page, record);
}

TEST(LetterKeys, GeneralLettersFlipTheirOptionOnlyOnTheGeneralPage) {
    const std::pair<char, CheckOption> general[] = {
        {'A', CheckOption::PromptAssociatedWords}, {'S', CheckOption::SpaceFinalizes},
        {'B', CheckOption::IncludeExtB}, {'C', CheckOption::IncludeExtCD},
        {'E', CheckOption::IncludeExtE}, {'F', CheckOption::IncludeExtF},
        {'U', CheckOption::CueSpecialCode}, {'N', CheckOption::DefaultAlphanumeric},
    };
    for (const auto& [letter, option] : general) {
        SCOPED_TRACE(std::string(1, letter));
        EXPECT_EQ(Letter(letter, SettingsPage::General), LetterKeyAction(option));
        EXPECT_EQ(Letter(letter, SettingsPage::Advanced), std::nullopt);
        EXPECT_EQ(Letter(letter, SettingsPage::Keyboard), std::nullopt);
    }
}

TEST(LetterKeys, AdvancedLettersActOnlyOnTheAdvancedPage) {
    const std::pair<char, CheckOption> advanced[] = {
        {'P', CheckOption::EnablePhraseInput}, {'W', CheckOption::WarningBeep}, {'Q', CheckOption::ShowReading},
    };
    for (const auto& [letter, option] : advanced) {
        SCOPED_TRACE(std::string(1, letter));
        EXPECT_EQ(Letter(letter, SettingsPage::Advanced), LetterKeyAction(option));
        EXPECT_EQ(Letter(letter, SettingsPage::General), std::nullopt);
        EXPECT_EQ(Letter(letter, SettingsPage::Keyboard), std::nullopt);
    }
    EXPECT_EQ(Letter('L', SettingsPage::Advanced), LetterKeyAction(ShiftToggle::Left));
    EXPECT_EQ(Letter('R', SettingsPage::Advanced), LetterKeyAction(ShiftToggle::Right));
    EXPECT_EQ(Letter('L', SettingsPage::General), std::nullopt);
    EXPECT_EQ(Letter('R', SettingsPage::Keyboard), std::nullopt);
}

TEST(LetterKeys, SpaceKeyOptionOnlyWhileAssociatedWordsAreOn) {
    SettingsRecord record = DefaultSettings();
    record.promptAssociatedWords = false;
    EXPECT_EQ(Letter('S', SettingsPage::General, record), std::nullopt);
    record.promptAssociatedWords = true;
    EXPECT_EQ(Letter('S', SettingsPage::General, record), LetterKeyAction(CheckOption::SpaceFinalizes));
}

TEST(LetterKeys, PhraseSourcesOnlyWhilePhraseInputIsOnAndTheyChangeSomething) {
    SettingsRecord record = DefaultSettings();
    for (char letter : {'I', 'D', 'T'}) EXPECT_EQ(Letter(letter, SettingsPage::Advanced, record), std::nullopt);
    record.enablePhraseInput = true;
    EXPECT_EQ(Letter('I', SettingsPage::Advanced, record), std::nullopt);  // already built-in
    EXPECT_EQ(Letter('D', SettingsPage::Advanced, record), LetterKeyAction(PhraseSource::User));
    EXPECT_EQ(Letter('T', SettingsPage::Advanced, record), LetterKeyAction(PhraseSource::Both));
    EXPECT_EQ(Letter('D', SettingsPage::General, record), std::nullopt);
}

TEST(LetterKeys, ShiftLettersDoNothingForTheMemberAlreadyShown) {
    EXPECT_EQ(Letter('X', SettingsPage::Advanced), std::nullopt);
    const SettingsRecord left = WithShifts(false, true, false);
    EXPECT_EQ(Letter('X', SettingsPage::Advanced, left), LetterKeyAction(ShiftToggle::Any));
    EXPECT_EQ(Letter('L', SettingsPage::Advanced, left), std::nullopt);
}

TEST(LetterKeys, VStartsThePhraseToolOnEveryPage) {
    for (const SettingsPage page : {SettingsPage::General, SettingsPage::Advanced, SettingsPage::Keyboard}) {
        EXPECT_EQ(Letter('V', page), LetterKeyAction(StartPhraseTool{}));
    }
}

TEST(LetterKeys, OtherLettersDoNothing) {
    for (char letter : std::string("GHJKMOYZ")) {
        for (const SettingsPage page : {SettingsPage::General, SettingsPage::Advanced, SettingsPage::Keyboard}) {
            EXPECT_EQ(Letter(letter, page), std::nullopt) << letter;
        }
    }
}

}  // namespace
