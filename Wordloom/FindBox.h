// The Find dialog over the current tab's table. On the phrase tab Find Next and Mark All search
// the phrase column (optionally the whole phrase); on the associated-word tab Find Next looks
// for the entry of one character. The results are the list's selection and focus; the dialog
// keeps nothing between openings. Its single-letter keys act wherever the focus is, except in
// the find-what box, where they are typed.
#pragma once

#include "BalloonTip.h"
#include "Dialog.h"
#include "LetterKeyHook.h"
#include "Win32Handles.h"

#include <windows.h>

#include <memory>
#include <string>

class CMainWindow;

class CFindBox final : public CDialog {
public:
    // The letter keys are hooked from here until the dialog window is gone.
    CFindBox(HINSTANCE instance, CMainWindow& owner, bool tipsMode);

    // Runs the dialog modally; IDCANCEL when closed, -1 when it cannot be shown.
    INT_PTR Run(HWND parent);

private:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;
    void OnInitDialog() override;
    void Layout();
    bool OnCommand(int id, int code) override;  // every command counts as handled
    void OnLetterKey(int id);
    void EnableActions();
    void Search(bool markAll);

    HINSTANCE instance_;
    CMainWindow& owner_;
    bool tipsMode_;
    bool matchWhole_ = false;
    bool searchUp_ = false;
    std::unique_ptr<CLetterKeyHook> letterKeys_;
    UniqueFont font_;
    CBalloonTip balloon_;

    HWND findWhat_ = nullptr;
    HWND findNext_ = nullptr;
    HWND markAll_ = nullptr;
};
