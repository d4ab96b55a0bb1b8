// The associated-word editor: a character and its ordered list of words. Insert adds entry after
// entry and stays open, keeping its texts for the next one; Modify edits the words of one entry
// (its character stays) and closes. Words are added at the top of the list, reordered with Up,
// Down or by dragging, and removed with Delete, which never takes the last one. The dialog holds
// no table of its own: Insert is given the table to warn about duplicates and a callback that
// adds, Modify hands its words back.
#pragma once

#include "EditFields.h"
#include "TipEdit.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CTipEditBox final : public CEditDialog {
public:
    // Called by the confirm button in Insert mode with the entry to add; false when the call
    // refused it (having told the user why).
    using AddTipEntry = std::function<bool(const EditedTip& edited)>;

    // Insert: opens empty; a character the table already has is warned about, not refused.
    CTipEditBox(HINSTANCE instance, const TipTable& table, AddTipEntry add);
    // Modify: opens with an entry's character (which cannot be edited) and words.
    CTipEditBox(HINSTANCE instance, std::u16string character, std::u16string words);

    // What the last confirmation handed back; nothing when the dialog was never confirmed.
    const std::optional<EditedTip>& Result() const { return accepted_; }

private:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;
    void OnInitDialog() override;
    void Layout();
    bool OnCommand(int id, int code) override;
    void OnCharacterChanged();
    void OnWordChanged();
    void OnAddWord();
    void OnMoveSelected(int step);
    void OnDeleteSelected();
    LRESULT OnDragList(const DRAGLISTINFO& drag);
    void EndDrag();
    void OnConfirm();

    std::vector<std::u16string> ListWords() const;
    std::u16string ListWord(int index) const;
    // Puts the word at the index and selects it; false when the list did not take it there.
    bool InsertWord(int index, const std::u16string& word);
    void MoveWord(int from, int to);
    void UpdateListButtons();
    void UpdateConfirm();
    // A button that is disabled while it has the focus hands the focus to `next`.
    void EnableButton(HWND button, bool enable, HWND next);

    const TipTable* table_ = nullptr;  // Insert only
    AddTipEntry add_;

    std::optional<EditedTip> accepted_;
    std::u16string character_;    // the last accepted character (Modify: the entry's)
    std::u16string openingWords_;  // Modify: the entry's words
    std::u16string pendingWord_;  // the word box's last accepted text
    bool cuttingCharacter_ = false;  // the character box's own cut is not checked again
    UINT dragListMessage_ = 0;       // 0 when the word list is no drag list
    int dragSource_ = -1;

    HWND characterBox_ = nullptr;
    HWND wordBox_ = nullptr;
    HWND wordList_ = nullptr;
    HWND addWordButton_ = nullptr;
    HWND upButton_ = nullptr;
    HWND downButton_ = nullptr;
    HWND deleteButton_ = nullptr;
    HWND confirmButton_ = nullptr;
};
