#include "SettingsChoices.h"

namespace {

bool SettingsRecord::*MemberOf(CheckOption option) {
    switch (option) {
    case CheckOption::PromptAssociatedWords: return &SettingsRecord::promptAssociatedWords;
    case CheckOption::SpaceFinalizes: return &SettingsRecord::spaceFinalizes;
    case CheckOption::IncludeExtB: return &SettingsRecord::includeExtB;
    case CheckOption::IncludeExtCD: return &SettingsRecord::includeExtCD;
    case CheckOption::IncludeExtE: return &SettingsRecord::includeExtE;
    case CheckOption::IncludeExtF: return &SettingsRecord::includeExtF;
    case CheckOption::EnablePhraseInput: return &SettingsRecord::enablePhraseInput;
    case CheckOption::WarningBeep: return &SettingsRecord::warningBeep;
    case CheckOption::ShowReading: return &SettingsRecord::showReading;
    case CheckOption::CueSpecialCode: return &SettingsRecord::cueSpecialCode;
    case CheckOption::DefaultAlphanumeric: return &SettingsRecord::defaultAlphanumeric;
    }
    return &SettingsRecord::promptAssociatedWords;  // not reached: every option is listed
}

// A radio group's three fields in the order of its enumeration.
struct GroupFields {
    bool SettingsRecord::*members[3];
};

constexpr GroupFields ShiftFields{{&SettingsRecord::toggleWithAnyShift, &SettingsRecord::toggleWithLeftShift,
                                   &SettingsRecord::toggleWithRightShift}};
constexpr GroupFields PhraseFields{{&SettingsRecord::useBuiltInPhrases, &SettingsRecord::useUserPhrases,
                                    &SettingsRecord::useBothPhrases}};

template <class Member>
bool Changes(const SettingsRecord& record, const GroupFields& group, Member choice, Member shown) {
    return !(record.*group.members[static_cast<int>(choice)] && choice == shown);
}

template <class Member>
bool Choose(SettingsRecord& record, const GroupFields& group, Member choice, Member shown) {
    if (!Changes(record, group, choice, shown)) return false;
    for (int member = 0; member < 3; ++member) {
        record.*group.members[member] = member == static_cast<int>(choice);
    }
    return true;
}

struct LetterKey {
    char letter;
    std::optional<SettingsPage> page;  // nothing: every page
    LetterKeyAction action;
};

constexpr LetterKey LetterKeys[] = {
    {'A', SettingsPage::General, CheckOption::PromptAssociatedWords},
    {'S', SettingsPage::General, CheckOption::SpaceFinalizes},
    {'B', SettingsPage::General, CheckOption::IncludeExtB},
    {'C', SettingsPage::General, CheckOption::IncludeExtCD},
    {'P', SettingsPage::Advanced, CheckOption::EnablePhraseInput},
    {'W', SettingsPage::Advanced, CheckOption::WarningBeep},
    {'Q', SettingsPage::Advanced, CheckOption::ShowReading},
    {'X', SettingsPage::Advanced, ShiftToggle::Any},
    {'L', SettingsPage::Advanced, ShiftToggle::Left},
    {'R', SettingsPage::Advanced, ShiftToggle::Right},
    {'U', SettingsPage::General, CheckOption::CueSpecialCode},
    {'N', SettingsPage::General, CheckOption::DefaultAlphanumeric},
    {'I', SettingsPage::Advanced, PhraseSource::BuiltIn},
    {'D', SettingsPage::Advanced, PhraseSource::User},
    {'T', SettingsPage::Advanced, PhraseSource::Both},
    {'V', std::nullopt, StartPhraseTool{}},
    {'E', SettingsPage::General, CheckOption::IncludeExtE},
    {'F', SettingsPage::General, CheckOption::IncludeExtF},
};

// The letters that would act on a disabled control do nothing, as a click on it would.
bool ActionApplies(const LetterKeyAction& action, const SettingsRecord& record) {
    if (const auto* option = std::get_if<CheckOption>(&action)) {
        return *option != CheckOption::SpaceFinalizes || SpaceFinalizesEnabled(record);
    }
    if (const auto* shift = std::get_if<ShiftToggle>(&action)) {
        return ChoosingChanges(record, *shift);
    }
    if (const auto* source = std::get_if<PhraseSource>(&action)) {
        return PhraseSourcesEnabled(record) && ChoosingChanges(record, *source);
    }
    return true;
}

}  // namespace

bool& FieldOf(SettingsRecord& record, CheckOption option) {
    return record.*MemberOf(option);
}

bool FieldOf(const SettingsRecord& record, CheckOption option) {
    return record.*MemberOf(option);
}

ShiftToggle ShownShiftToggle(const SettingsRecord& record) {
    if (record.toggleWithLeftShift) return ShiftToggle::Left;
    if (record.toggleWithRightShift) return ShiftToggle::Right;
    return ShiftToggle::Any;
}

PhraseSource ShownPhraseSource(const SettingsRecord& record) {
    if (record.useUserPhrases) return PhraseSource::User;
    if (record.useBothPhrases) return PhraseSource::Both;
    return PhraseSource::BuiltIn;
}

bool ChoosingChanges(const SettingsRecord& record, ShiftToggle choice) {
    return Changes(record, ShiftFields, choice, ShownShiftToggle(record));
}

bool ChoosingChanges(const SettingsRecord& record, PhraseSource choice) {
    return Changes(record, PhraseFields, choice, ShownPhraseSource(record));
}

bool ChooseShiftToggle(SettingsRecord& record, ShiftToggle choice) {
    return Choose(record, ShiftFields, choice, ShownShiftToggle(record));
}

bool ChoosePhraseSource(SettingsRecord& record, PhraseSource choice) {
    return Choose(record, PhraseFields, choice, ShownPhraseSource(record));
}

int PreviewIndexOf(int keyboardLayout) {
    return keyboardLayout >= 1 && keyboardLayout < LayoutPreviewCount ? keyboardLayout : 0;
}

SettingsPage PageOfTab(int tabIndex) {
    switch (tabIndex) {
    case 1: return SettingsPage::Advanced;
    case 2: return SettingsPage::Keyboard;
    default: return SettingsPage::General;
    }
}

std::optional<LetterKeyAction> LetterKeyActionFor(char letter, SettingsPage visible,
                                                  const SettingsRecord& record) {
    for (const LetterKey& key : LetterKeys) {
        if (key.letter != letter) continue;
        if (key.page && *key.page != visible) return std::nullopt;
        if (!ActionApplies(key.action, record)) return std::nullopt;
        return key.action;
    }
    return std::nullopt;
}
