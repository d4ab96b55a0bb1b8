// What the phrase tool's edit dialogs share: the text of an edit field as their platform-free
// checks take it and back, and a dialog base that runs one template for Insert or Modify, keeps
// the dialog font and lets a field say in a balloon, with a sound, why it refused something.
#pragma once

#include "BalloonTip.h"
#include "Dialog.h"
#include "DialogLayout.h"
#include "Win32Handles.h"

#include <windows.h>

#include <string>
#include <string_view>

class DialogMeasure;

std::u16string FieldText(HWND field);
void SetFieldText(HWND field, std::u16string_view text);

// Puts the caret after the field's last unit.
void PutCaretAtEnd(HWND field);

class CEditDialog : public CDialog {
public:
    // Runs the dialog modally: IDOK when Modify was confirmed, IDCANCEL when it was closed
    // otherwise (Insert always ends so), -1 when it cannot be shown.
    INT_PTR Run(HWND owner);

protected:
    CEditDialog(HINSTANCE instance, int templateId, bool insertMode);

    bool InsertMode() const { return insertMode_; }

    // Sizes the dialog for a client size at the measured DPI and keeps the measuring's font for
    // the controls; returns the client size the window really got.
    Size FitClient(DialogMeasure& measure, Size client);
    // Moves a control, gives it the dialog font and, when given, its text.
    void Place(int controlId, const Rect& rect, const std::wstring* text = nullptr) const;

    // The balloon on the field, in place of any other; Warn adds the sound of a refusal.
    void ShowBalloon(HWND field, unsigned titleId, unsigned textId, int icon);
    void Warn(HWND field, unsigned titleId, unsigned textId, int icon, UINT sound);
    // Hides the balloon when it points at the field (a paste is no keystroke, so the balloon
    // about the text before it does not go by itself); null: wherever it points.
    void HideBalloon(HWND field = nullptr);

    // Moves the keyboard focus to a control as the dialog's own keys do (the default button
    // follows).
    void FocusControl(HWND control) const;

    // The balloon goes with the window; Cancel closes the dialog.
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int id, int code) override;

    // The controls are gone: their font can go too.
    void OnFinalMessage() override;

private:
    HINSTANCE instance_;
    int templateId_;
    bool insertMode_;
    UniqueFont font_;
    CBalloonTip balloon_;
};
