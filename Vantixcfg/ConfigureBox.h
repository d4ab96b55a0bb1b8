// The configure dialog: a tab control with the General, Advanced and Keyboard pages, the
// phrase-tool button, OK and Cancel. It reads the settings when it opens, edits the unpacked
// record as the user clicks or presses letter keys, and writes it only on OK.
#pragma once

#include "ConfigureLayout.h"
#include "ConfigurePages.h"
#include "Dialog.h"
#include "LetterKeyHook.h"
#include "SettingsChoices.h"
#include "Win32Handles.h"

#include <windows.h>

#include <memory>

class CConfigureBox final : public CDialog {
public:
    // The record starts at the defaults; the file replaces them when the dialog opens.
    explicit CConfigureBox(HINSTANCE instance);

    // Installs the letter keys and shows the dialog modally: 1 after OK, 2 after Cancel, -1
    // when it cannot be shown.
    INT_PTR Run(HWND owner);

private:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

    void OnInitDialog() override;
    bool OnCommand(int id, int code) override;  // every command counts as handled
    void OnDpiChanged(const RECT& suggested);
    INT_PTR OnControlColour(UINT message, HDC dc, HWND control);

    // Sizes, positions and fonts of everything; the first pass also sets the texts, fills the
    // lists and shows the General page (ConfigureBoxLayout.cpp).
    void Layout(bool firstPass);
    void FillListsAndTabs();
    void ShowPreview();

    void ShowPage(SettingsPage page);
    void ShowRecord();      // every mark and which controls are enabled
    void ShowGroupMarks();  // the two radio groups only
    void ShowEnabling();

    void OnCheckClicked(CheckOption option);
    void OnShiftClicked(ShiftToggle choice);
    void OnPhraseSourceClicked(PhraseSource choice);
    void OnListChanged(int listId);
    void OnLetterKey(char letter);
    void OnOk();

    // A control of the frame or of any page.
    HWND Control(int id) const;
    void SetMark(int id, bool on) const;

    HINSTANCE instance_;
    SettingsRecord record_;
    UniqueFont font_;
    UniqueIcon smallIcon_;
    UniqueIcon bigIcon_;
    HBRUSH pageBrush_;  // the system's COLOR_WINDOW brush: not ours to delete
    UniqueBitmap preview_;
    Size previewSize_ = LayoutPreviewSize;  // until the first layout
    int dpi_ = BaseDpi;
    int announcedDpi_ = 0;  // the DPI the last DPI change named; 0 before any
    SettingsPage shownPage_ = SettingsPage::General;
    CGeneralTab general_;
    CAdvancedTab advanced_;
    CKeyboardTab keyboard_;
    std::unique_ptr<CLetterKeyHook> letterKeys_;
};
