#include "EditFields.h"

#include "DialogWindow.h"
#include "UiStrings.h"
#include "WideText.h"

std::u16string FieldText(HWND field) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return Utf16(text);
}

void SetFieldText(HWND field, std::u16string_view text) {
    SetWindowTextW(field, Wide(text).c_str());
}

void PutCaretAtEnd(HWND field) {
    const int length = GetWindowTextLengthW(field);
    SendMessageW(field, EM_SETSEL, length, length);
}

CEditDialog::CEditDialog(HINSTANCE instance, int templateId, bool insertMode)
    : instance_(instance), templateId_(templateId), insertMode_(insertMode) {}

INT_PTR CEditDialog::Run(HWND owner) {
    return RunModal(instance_, templateId_, owner);
}

INT_PTR CEditDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) HideBalloon();
    return CDialog::HandleMessage(message, wParam, lParam);
}

bool CEditDialog::OnCommand(int id, int) {
    if (id != IDCANCEL) return false;
    EndDialog(Window(), IDCANCEL);
    return true;
}

Size CEditDialog::FitClient(DialogMeasure& measure, Size client) {
    const int dpi = measure.Dpi();
    font_ = measure.TakeFont();
    return ResizeDialogClient(Window(), client, dpi, DialogDpiRule::DeviceContext);
}

void CEditDialog::Place(int controlId, const Rect& rect, const std::wstring* text) const {
    PlaceDialogControl(Window(), controlId, rect, font_.get(), text);
}

void CEditDialog::ShowBalloon(HWND field, unsigned titleId, unsigned textId, int icon) {
    balloon_.Show(field, LoadUiString(titleId), LoadUiString(textId), icon);
}

void CEditDialog::Warn(HWND field, unsigned titleId, unsigned textId, int icon, UINT sound) {
    ShowBalloon(field, titleId, textId, icon);
    MessageBeep(sound);
}

void CEditDialog::HideBalloon(HWND field) {
    if (!field || balloon_.Field() == field) balloon_.Hide();
}

void CEditDialog::FocusControl(HWND control) const {
    SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void CEditDialog::OnFinalMessage() {
    font_.reset();
}
