// The phrase edit dialog: a phrase and its input key, the key checked keystroke by keystroke and
// shown beside it as a Vantix input key. Insert adds phrase after phrase and stays open; Modify
// edits one entry's texts and closes. The dialog holds no table of its own: Insert is given the
// table to test for duplicates and a callback that appends, Modify hands its texts back.
#pragma once

#include "EditFields.h"
#include "PhraseEdit.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

class CPhraseEditBox final : public CEditDialog {
public:
    // Called by OK in Insert mode with the entry to add; the table given to the dialog grows,
    // unless the call refuses the entry (false, having told the user why).
    using AppendPhrase = std::function<bool(const EditedPhrase& edited)>;

    // Insert: opens empty; each accepted phrase differs from every phrase in the table.
    CPhraseEditBox(HINSTANCE instance, const PhraseTable& table, AppendPhrase append);
    // Modify: opens with an entry's phrase and input key.
    CPhraseEditBox(HINSTANCE instance, std::u16string phrase, std::u16string inputKey);

    // The texts of the last accepted OK; nothing when OK was never accepted.
    const std::optional<EditedPhrase>& Result() const { return accepted_; }

private:
    bool OnCommand(int id, int code) override;
    void OnFinalMessage() override;
    void OnInitDialog() override;
    void Layout();
    void OnPhraseChanged();
    void OnInputKeyChanged();
    void ShowBadKeyBalloon();
    void OnOk();
    void Refuse(HWND field, unsigned titleId, unsigned textId, int icon, UINT sound);
    void EnableOk();

    const PhraseTable* table_ = nullptr;  // Insert only
    AppendPhrase append_;
    std::u16string openingPhrase_;
    std::u16string openingKey_;

    std::optional<EditedPhrase> accepted_;
    InputKeyField key_;
    std::u16string phrase_;  // the phrase field's text without breaks
    bool openingKeyRefused_ = false;  // the balloon about it waits for the field's focus

    HWND phraseField_ = nullptr;
    HWND vantixField_ = nullptr;
    HWND inputKeyField_ = nullptr;
    HWND okButton_ = nullptr;
};
