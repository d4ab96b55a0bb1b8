// How the configure dialog edits the record: the options shown as check boxes, the two radio
// groups, which controls are enabled, which preview belongs to a layout, and what each letter
// key does on which page. The dialog turns these answers into control states.
#pragma once

#include "SettingsRecord.h"

#include <optional>
#include <variant>

// ---- Check boxes: one field each, flipped by a click or a letter ----

enum class CheckOption {
    PromptAssociatedWords,
    SpaceFinalizes,
    IncludeExtB,
    IncludeExtCD,
    IncludeExtE,
    IncludeExtF,
    EnablePhraseInput,
    WarningBeep,
    ShowReading,
    CueSpecialCode,
    DefaultAlphanumeric,
};

bool& FieldOf(SettingsRecord& record, CheckOption option);
bool FieldOf(const SettingsRecord& record, CheckOption option);

// The field is flipped, not read back from the control: a click that the control ignored
// leaves the record as it was.
inline void FlipOption(SettingsRecord& record, CheckOption option) {
    bool& field = FieldOf(record, option);
    field = !field;
}

// ---- Radio groups ----
//
// A stored word may carry none or several bits of a group. The dialog then shows one member by
// priority: left SHIFT, else right SHIFT, else any SHIFT; user-defined phrases, else both, else
// built-in. The bits are written back as they came unless the user chooses a member.

enum class ShiftToggle { Any, Left, Right };
enum class PhraseSource { BuiltIn, User, Both };

ShiftToggle ShownShiftToggle(const SettingsRecord& record);
PhraseSource ShownPhraseSource(const SettingsRecord& record);

// Choosing a member sets its bit and clears the other two. It changes nothing (false) when
// that member is on and is the one shown. A member that is on but hidden behind a member of
// higher priority is set alone, so that the record says what the dialog shows.
bool ChooseShiftToggle(SettingsRecord& record, ShiftToggle choice);
bool ChoosePhraseSource(SettingsRecord& record, PhraseSource choice);

// Whether choosing would change anything (the test of the letter keys X, L, R, I, D, T).
bool ChoosingChanges(const SettingsRecord& record, ShiftToggle choice);
bool ChoosingChanges(const SettingsRecord& record, PhraseSource choice);

// ---- Enabled controls: disabled ones keep their fields ----

inline bool SpaceFinalizesEnabled(const SettingsRecord& record) { return record.promptAssociatedWords; }
inline bool PhraseSourcesEnabled(const SettingsRecord& record) { return record.enablePhraseInput; }

// ---- Keyboard layout preview ----

inline constexpr int LayoutPreviewCount = 4;

// 0 QWERTY, 1 Dvorak, 2 Dvorak right hand, 3 Dvorak left hand; any other stored layout shows
// the QWERTY picture (and is kept).
int PreviewIndexOf(int keyboardLayout);

// ---- Pages and letter keys ----

enum class SettingsPage { General, Advanced, Keyboard };

// The page of a tab index: 1 Advanced, 2 Keyboard, anything else General.
SettingsPage PageOfTab(int tabIndex);

struct StartPhraseTool {
    friend bool operator==(StartPhraseTool, StartPhraseTool) = default;
};

// Flip a check box, choose a member of a group, or start the phrase tool.
using LetterKeyAction = std::variant<CheckOption, ShiftToggle, PhraseSource, StartPhraseTool>;

// What an upper-case letter key does while `visible` is shown; nothing when the letter has no
// command or its condition does not hold: General-page options act only on the General page,
// Advanced-page ones only on the Advanced page, S only while associated words are on, I, D
// and T only while phrase input is on, X L R I D T only when they would change something. V
// starts the phrase tool on every page.
std::optional<LetterKeyAction> LetterKeyActionFor(char letter, SettingsPage visible,
                                                  const SettingsRecord& record);
