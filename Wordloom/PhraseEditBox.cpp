#include "PhraseEditBox.h"

#include "DialogWindow.h"
#include "PhraseEditLayout.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <commctrl.h>

#include <utility>

CPhraseEditBox::CPhraseEditBox(HINSTANCE instance, const PhraseTable& table, AppendPhrase append)
    : CEditDialog(instance, IDD_PHRASE_EDIT, true), table_(&table), append_(std::move(append)) {}

CPhraseEditBox::CPhraseEditBox(HINSTANCE instance, std::u16string phrase, std::u16string inputKey)
    : CEditDialog(instance, IDD_PHRASE_EDIT, false), openingPhrase_(std::move(phrase)), openingKey_(std::move(inputKey)) {}

bool CPhraseEditBox::OnCommand(int id, int code) {
    switch (id) {
    case IDC_PHRASE:
        if (code == EN_CHANGE) OnPhraseChanged();
        return true;
    case IDC_INPUT_KEY:
        if (code == EN_CHANGE) OnInputKeyChanged();
        if (code == EN_SETFOCUS && std::exchange(openingKeyRefused_, false)) ShowBadKeyBalloon();
        return true;
    case IDOK:
        OnOk();
        return true;
    default:
        return CEditDialog::OnCommand(id, code);
    }
}

// The controls are gone by now: their handles are forgotten and their font can go.
void CPhraseEditBox::OnFinalMessage() {
    phraseField_ = vantixField_ = inputKeyField_ = okButton_ = nullptr;
    CEditDialog::OnFinalMessage();
}

void CPhraseEditBox::OnInitDialog() {
    phraseField_ = GetDlgItem(Window(), IDC_PHRASE);
    vantixField_ = GetDlgItem(Window(), IDC_VANTIX_KEY);
    inputKeyField_ = GetDlgItem(Window(), IDC_INPUT_KEY);
    okButton_ = GetDlgItem(Window(), IDOK);
    SetWindowTextW(Window(), LoadUiString(IDS_PHRASE_EDIT_CAPTION).c_str());
    Layout();
    // Centred before the fields are filled: a balloon about the opening key points at the
    // field where it stays.
    CentreWindow(Window());
    key_ = OpenInputKeyField(openingKey_);
    SetFieldText(phraseField_, openingPhrase_);
    OnPhraseChanged();  // a multi-line edit does not report text set by the program
    SetFieldText(inputKeyField_, openingKey_);  // reported: OnInputKeyChanged fills the rest
}

void CPhraseEditBox::Layout() {
    const auto [help, phraseLabel, vantixLabel, inputKeyLabel, okText, cancelText] =
        LoadUiStrings({IDS_PHRASE_EDIT_HELP, IDS_PHRASE_LABEL, IDS_VANTIX_KEY_LABEL,
                       IDS_INPUT_KEY_LABEL, InsertMode() ? IDS_ADD : IDS_OK, IDS_CANCEL});

    DialogMeasure measure(Window(), DialogDpiRule::DeviceContext);
    std::optional<PhraseEditMeasurements> measured;
    if (measure.HasDeviceContext()) {
        measured = PhraseEditMeasurements{measure.Dpi(), measure.TextHeight(), measure.Extent(help),
                                          measure.Extent(phraseLabel), measure.Extent(vantixLabel),
                                          measure.Extent(inputKeyLabel)};
    }
    const PhraseEditLayout layout = PhraseEditLayoutFor(measured);
    const PhraseEditPlacement placement = PlacePhraseEditControls(layout, FitClient(measure, layout.clientSize));
    Place(IDCANCEL, placement.cancelButton, &cancelText);
    Place(IDOK, placement.okButton, &okText);
    Place(IDC_EDIT_HELP, placement.helpText, &help);
    Place(IDC_PHRASE_LABEL, placement.phraseLabel, &phraseLabel);
    Place(IDC_PHRASE, placement.phraseField);
    Place(IDC_VANTIX_KEY_LABEL, placement.vantixLabel, &vantixLabel);
    Place(IDC_VANTIX_KEY, placement.vantixField);
    Place(IDC_INPUT_KEY_LABEL, placement.inputKeyLabel, &inputKeyLabel);
    Place(IDC_INPUT_KEY, placement.inputKeyField);
}

// The field keeps what the user typed; the phrase is what the table would store.
void CPhraseEditBox::OnPhraseChanged() {
    phrase_ = PhraseWithoutBreaks(FieldText(phraseField_));
    EnableOk();
}

// A keystroke the key field refuses is undone at once: the field shows the last accepted key
// again (which comes back here and is accepted) with the caret at its end.
void CPhraseEditBox::OnInputKeyChanged() {
    if (TakeInputKeyText(key_, FieldText(inputKeyField_)) == KeyFieldVerdict::Refused) {
        const std::u16string shown = key_.inputKey;
        SetFieldText(inputKeyField_, shown);
        SendMessageW(inputKeyField_, EM_SETSEL, shown.size(), static_cast<LPARAM>(shown.size()));
        if (IsWindowVisible(Window())) {
            ShowBadKeyBalloon();
            MessageBeep(MB_ICONHAND);
        } else {
            // The opening key: said when the user comes to the field. A balloon shown before
            // the dialog is up ends under it in Wine, and nothing was typed to beep about.
            openingKeyRefused_ = true;
        }
    }
    SetFieldText(vantixField_, key_.vantixKey);
    EnableOk();
}

void CPhraseEditBox::ShowBadKeyBalloon() {
    ShowBalloon(inputKeyField_, IDS_BAD_KEY_TITLE, IDS_BAD_KEY_TEXT, TTI_ERROR_LARGE);
}

void CPhraseEditBox::OnOk() {
    // A command sent to the dialog while OK is disabled accepts nothing.
    if (!IsWindowEnabled(okButton_)) return;
    // The limit holds for the text as typed, line breaks included.
    if (FieldText(phraseField_).size() > MaxPhraseLength) {
        Refuse(phraseField_, IDS_PHRASE_TOO_LONG_TITLE, IDS_PHRASE_TOO_LONG_TEXT, TTI_ERROR_LARGE, MB_ICONHAND);
        return;
    }
    EditedPhrase edited{phrase_, key_.vantixKey, key_.inputKey};
    if (!InsertMode()) {
        accepted_ = std::move(edited);
        EndDialog(Window(), IDOK);
        return;
    }
    // Compared as it would be stored: a line break typed into a copy must not let it in.
    if (TableHasPhrase(*table_, edited.phrase)) {
        Refuse(phraseField_, IDS_INFORMATION, IDS_PHRASE_EXISTS, TTI_INFO_LARGE, MB_ICONASTERISK);
        return;
    }
    HideBalloon(inputKeyField_);
    // A refused entry stays in the fields as typed.
    if (append_ && !append_(edited)) return;
    accepted_ = edited;
    // Open for the next phrase, typed over this one.
    FocusControl(phraseField_);
}

void CPhraseEditBox::Refuse(HWND field, unsigned titleId, unsigned textId, int icon, UINT sound) {
    // A disabled button cannot keep the focus; it goes to the field the balloon speaks about.
    if (GetFocus() == okButton_) SetFocus(field);
    EnableWindow(okButton_, FALSE);
    Warn(field, titleId, textId, icon, sound);
}

void CPhraseEditBox::EnableOk() {
    EnableWindow(okButton_, !phrase_.empty() && !key_.inputKey.empty());
}
