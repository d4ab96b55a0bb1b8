#include "TipEditBox.h"

#include "DialogWindow.h"
#include "TipEditLayout.h"
#include "UiStrings.h"
#include "WideText.h"
#include "res/resource.h"

#include <utility>

CTipEditBox::CTipEditBox(HINSTANCE instance, const TipTable& table, AddTipEntry add)
    : CEditDialog(instance, IDD_TIP_EDIT, true), table_(&table), add_(std::move(add)) {}

CTipEditBox::CTipEditBox(HINSTANCE instance, std::u16string character, std::u16string words)
    : CEditDialog(instance, IDD_TIP_EDIT, false), character_(std::move(character)), openingWords_(std::move(words)) {}

INT_PTR CTipEditBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The drag list's notifications come as a message registered at run time.
    if (dragListMessage_ != 0 && message == dragListMessage_) {
        const auto* drag = reinterpret_cast<const DRAGLISTINFO*>(lParam);
        if (!drag || drag->hWnd != wordList_) return FALSE;
        SetWindowLongPtrW(Window(), DWLP_MSGRESULT, OnDragList(*drag));
        return TRUE;
    }
    return CEditDialog::HandleMessage(message, wParam, lParam);
}

// The controls are gone by now: their handles are forgotten and their font can go.
void CTipEditBox::OnFinalMessage() {
    characterBox_ = wordBox_ = wordList_ = nullptr;
    addWordButton_ = upButton_ = downButton_ = deleteButton_ = confirmButton_ = nullptr;
    CEditDialog::OnFinalMessage();
}

bool CTipEditBox::OnCommand(int id, int code) {
    switch (id) {
    case IDC_TIP_CHAR:
        if (code == EN_CHANGE) OnCharacterChanged();
        return true;
    case IDC_TIP_WORD:
        if (code == EN_CHANGE) OnWordChanged();
        return true;
    case IDC_TIP_WORD_LIST:
        if (code == LBN_SELCHANGE) UpdateListButtons();
        return true;
    case IDC_TIP_ADD_WORD:
        OnAddWord();
        return true;
    case IDC_TIP_UP:
        OnMoveSelected(-1);
        return true;
    case IDC_TIP_DOWN:
        OnMoveSelected(1);
        return true;
    case IDC_TIP_DELETE:
        OnDeleteSelected();
        return true;
    case IDOK:
        OnConfirm();
        return true;
    default:
        return CEditDialog::OnCommand(id, code);
    }
}

void CTipEditBox::OnInitDialog() {
    characterBox_ = GetDlgItem(Window(), IDC_TIP_CHAR);
    wordBox_ = GetDlgItem(Window(), IDC_TIP_WORD);
    wordList_ = GetDlgItem(Window(), IDC_TIP_WORD_LIST);
    addWordButton_ = GetDlgItem(Window(), IDC_TIP_ADD_WORD);
    upButton_ = GetDlgItem(Window(), IDC_TIP_UP);
    downButton_ = GetDlgItem(Window(), IDC_TIP_DOWN);
    deleteButton_ = GetDlgItem(Window(), IDC_TIP_DELETE);
    confirmButton_ = GetDlgItem(Window(), IDOK);
    SetWindowTextW(Window(), LoadUiString(IDS_TIP_EDIT_CAPTION).c_str());
    Layout();

    if (InsertMode()) {
        EnableWindow(confirmButton_, FALSE);
    } else {
        SetFieldText(characterBox_, character_);  // reported, and ignored: Modify keeps it
        EnableWindow(characterBox_, FALSE);
    }
    if (MakeDragList(wordList_)) dragListMessage_ = RegisterWindowMessageW(DRAGLISTMSGSTRING);
    for (const std::u16string& word : SplitTipWords(openingWords_)) {
        SendMessageW(wordList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(word).c_str()));
    }
    for (const HWND button : {addWordButton_, upButton_, downButton_, deleteButton_}) EnableWindow(button, FALSE);
    CentreWindow(Window());
}

void CTipEditBox::Layout() {
    const auto [characterLabel, wordsLabel, addWord, up, down, deleteWord, confirm, cancel] =
        LoadUiStrings({IDS_TIP_CHAR_LABEL, IDS_TIP_WORDS_LABEL, IDS_TIP_ADD_WORD, IDS_TIP_UP,
                       IDS_TIP_DOWN, IDS_TIP_DELETE_WORD, InsertMode() ? IDS_ADD : IDS_OK, IDS_CANCEL});

    DialogMeasure measure(Window(), DialogDpiRule::DeviceContext);
    std::optional<TipEditMeasurements> measured;
    if (measure.HasDeviceContext()) {
        measured = TipEditMeasurements{measure.Dpi(), measure.TextHeight(), measure.WidestCharWidth(),
                                       measure.Extent(characterLabel), measure.Extent(wordsLabel)};
    }
    const TipEditLayout layout = TipEditLayoutFor(measured);
    const TipEditPlacement placement = PlaceTipEditControls(layout, FitClient(measure, layout.clientSize));
    Place(IDCANCEL, placement.cancelButton, &cancel);
    Place(IDOK, placement.confirmButton, &confirm);
    Place(IDC_TIP_CHAR_LABEL, placement.characterLabel, &characterLabel);
    Place(IDC_TIP_CHAR, placement.characterBox);
    Place(IDC_TIP_WORDS_LABEL, placement.wordsLabel, &wordsLabel);
    Place(IDC_TIP_WORD, placement.wordBox);
    Place(IDC_TIP_WORD_LIST, placement.wordList);
    Place(IDC_TIP_ADD_WORD, placement.addWordButton, &addWord);
    Place(IDC_TIP_UP, placement.upButton, &up);
    Place(IDC_TIP_DOWN, placement.downButton, &down);
    Place(IDC_TIP_DELETE, placement.deleteButton, &deleteWord);
}

// Only Insert edits the character. Refusals leave the last accepted character in place, so an
// emptied or refused box still confirms the character it held before.
void CTipEditBox::OnCharacterChanged() {
    if (!InsertMode() || cuttingCharacter_) return;
    HideBalloon(characterBox_);
    const std::u16string text = FieldText(characterBox_);
    switch (CheckCharacterBox(text)) {
    case CharacterBoxVerdict::Empty:
    case CharacterBoxVerdict::Incomplete:
        break;
    case CharacterBoxVerdict::Accepted:
        character_ = text;
        if (TableHasCharacter(*table_, character_)) {
            Warn(characterBox_, IDS_TIP_ERROR_TITLE, IDS_CHAR_EXISTS, TTI_ERROR_LARGE, MB_ICONHAND);
        }
        break;
    case CharacterBoxVerdict::Supplementary:
        Warn(characterBox_, IDS_TIP_INFO_TITLE, IDS_SUPPLEMENTARY_CHAR, TTI_INFO_LARGE, MB_ICONASTERISK);
        break;
    case CharacterBoxVerdict::TooLong:
        // Setting the text reports a change again; that report is of our own cut.
        if (text.size() > 2) {
            cuttingCharacter_ = true;
            SetFieldText(characterBox_, std::u16string_view(text).substr(0, 2));
            cuttingCharacter_ = false;
            PutCaretAtEnd(characterBox_);
        }
        Warn(characterBox_, IDS_TIP_ERROR_TITLE, IDS_TOO_MANY_CHARS, TTI_ERROR_LARGE, MB_ICONHAND);
        break;
    }
    UpdateConfirm();
}

// A refused word, over-long or holding "=" or ",", is undone at once: the box shows the last
// accepted word again (which comes back here and is accepted).
void CTipEditBox::OnWordChanged() {
    HideBalloon(wordBox_);
    const std::u16string text = FieldText(wordBox_);
    const WordBoxVerdict verdict = CheckWordBox(text);
    if (verdict != WordBoxVerdict::Accepted) {
        const std::u16string restored = pendingWord_;
        SetFieldText(wordBox_, restored);
        PutCaretAtEnd(wordBox_);
        if (verdict == WordBoxVerdict::TooLong) {
            Warn(wordBox_, IDS_WORD_TOO_LONG_TITLE, IDS_WORD_TOO_LONG_TEXT, TTI_ERROR_LARGE, MB_ICONHAND);
        } else {
            Warn(wordBox_, IDS_TIP_ERROR_TITLE, IDS_WORD_HAS_SEPARATOR, TTI_ERROR_LARGE, MB_ICONHAND);
        }
        return;
    }
    pendingWord_ = text;
    EnableButton(addWordButton_, !text.empty(), wordBox_);
}

void CTipEditBox::OnAddWord() {
    if (!pendingWord_.empty()) {
        if (ListHasWord(ListWords(), pendingWord_)) {
            EnableButton(addWordButton_, false, wordBox_);
            PutCaretAtEnd(wordBox_);
            Warn(wordBox_, IDS_TIP_ERROR_TITLE, IDS_WORD_EXISTS, TTI_ERROR_LARGE, MB_ICONHAND);
        } else {
            // New words go to the top.
            if (InsertWord(0, pendingWord_)) {
                SetFieldText(wordBox_, u"");  // reported: empties pendingWord_, disables the button
            }
        }
    }
    UpdateConfirm();
}

void CTipEditBox::OnMoveSelected(int step) {
    const auto count = static_cast<int>(SendMessageW(wordList_, LB_GETCOUNT, 0, 0));
    const auto selected = static_cast<int>(SendMessageW(wordList_, LB_GETCURSEL, 0, 0));
    const int target = selected + step;
    if (selected < 0 || target < 0 || target >= count) return;
    MoveWord(selected, target);
}

// An entry keeps at least one word.
void CTipEditBox::OnDeleteSelected() {
    const auto count = static_cast<int>(SendMessageW(wordList_, LB_GETCOUNT, 0, 0));
    const auto selected = static_cast<int>(SendMessageW(wordList_, LB_GETCURSEL, 0, 0));
    if (count <= 1 || selected < 0) return;
    SendMessageW(wordList_, LB_DELETESTRING, selected, 0);
    SendMessageW(wordList_, LB_SETCURSEL, selected > 0 ? selected - 1 : 0, 0);
    UpdateListButtons();
}

LRESULT CTipEditBox::OnDragList(const DRAGLISTINFO& drag) {
    switch (drag.uNotification) {
    case DL_BEGINDRAG:
        dragSource_ = LBItemFromPt(wordList_, drag.ptCursor, FALSE);
        return dragSource_ >= 0;
    case DL_DRAGGING: {
        if (dragSource_ < 0) return DL_STOPCURSOR;
        const int over = LBItemFromPt(wordList_, drag.ptCursor, TRUE);
        DrawInsert(Window(), wordList_, over);
        return over >= 0 ? DL_MOVECURSOR : DL_STOPCURSOR;
    }
    case DL_DROPPED: {
        const int target = dragSource_ < 0 ? -1 : LBItemFromPt(wordList_, drag.ptCursor, FALSE);
        if (target >= 0 && target != dragSource_) MoveWord(dragSource_, DropInsertIndex(dragSource_, target));
        // A drop beside the list or on the word itself still ends the drag and its mark.
        EndDrag();
        return 0;
    }
    case DL_CANCELDRAG:
        EndDrag();
        return 0;
    default:
        return 0;
    }
}

void CTipEditBox::EndDrag() {
    dragSource_ = -1;
    DrawInsert(Window(), wordList_, -1);
}

void CTipEditBox::OnConfirm() {
    // A command sent to the dialog while the button is disabled confirms nothing.
    if (!IsWindowEnabled(confirmButton_)) return;
    EditedTip edited{character_, JoinTipWords(ListWords())};
    if (!InsertMode()) {
        accepted_ = std::move(edited);
        EndDialog(Window(), IDOK);
        return;
    }
    // A refused entry stays in the editor as it is.
    if (add_ && !add_(edited)) return;
    EnableButton(confirmButton_, false, characterBox_);
    HideBalloon(wordBox_);
    accepted_ = edited;
    // Open for the next entry, which starts from this one's character and words.
    FocusControl(characterBox_);
}

std::vector<std::u16string> CTipEditBox::ListWords() const {
    const auto count = static_cast<int>(SendMessageW(wordList_, LB_GETCOUNT, 0, 0));
    std::vector<std::u16string> words;
    for (int index = 0; index < count; ++index) words.push_back(ListWord(index));
    return words;
}

std::u16string CTipEditBox::ListWord(int index) const {
    const LRESULT length = SendMessageW(wordList_, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(wordList_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
    return Utf16(text);
}

bool CTipEditBox::InsertWord(int index, const std::u16string& word) {
    const LRESULT at = SendMessageW(wordList_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(Wide(word).c_str()));
    if (at != index) return false;
    SendMessageW(wordList_, LB_SETCURSEL, index, 0);
    UpdateListButtons();
    return true;
}

void CTipEditBox::MoveWord(int from, int to) {
    const std::u16string word = ListWord(from);
    SendMessageW(wordList_, LB_DELETESTRING, from, 0);
    InsertWord(to, word);
}

void CTipEditBox::UpdateListButtons() {
    const LRESULT count = SendMessageW(wordList_, LB_GETCOUNT, 0, 0);
    const LRESULT selected = SendMessageW(wordList_, LB_GETCURSEL, 0, 0);
    if (count == LB_ERR || selected == LB_ERR) return;
    const std::optional<WordListButtons> buttons = WordListButtonsFor(static_cast<int>(count), static_cast<int>(selected));
    if (!buttons) return;
    EnableButton(upButton_, buttons->up, wordList_);
    EnableButton(downButton_, buttons->down, wordList_);
    EnableButton(deleteButton_, buttons->remove, wordList_);
}

void CTipEditBox::UpdateConfirm() {
    const auto count = SendMessageW(wordList_, LB_GETCOUNT, 0, 0);
    const bool canConfirm = CanConfirmTip(character_, count == LB_ERR ? 0 : static_cast<std::size_t>(count));
    EnableButton(confirmButton_, canConfirm, InsertMode() ? characterBox_ : wordBox_);
}

void CTipEditBox::EnableButton(HWND button, bool enable, HWND next) {
    if (!enable && GetFocus() == button) FocusControl(next);
    EnableWindow(button, enable ? TRUE : FALSE);
}
