#include "EditDialogs.h"

#include "MainWindow.h"
#include "PhraseEditBox.h"

// The associated-word editor and the Find dialog are not built yet: until they are, their
// commands open nothing and change nothing.

bool RunInsertDialog(CMainWindow& window, HWND owner) {
    if (window.CurrentTab() != 0) return false;
    CPhraseEditBox box(GetModuleHandleW(nullptr), window.Phrases().table,
                       [&window](const EditedPhrase& edited) { window.AppendPhrase(edited); });
    box.Run(owner);
    return box.Result().has_value();
}

bool RunModifyDialog(CMainWindow& window, HWND owner, int row) {
    if (window.CurrentTab() != 0) return false;
    const PhraseEntry& entry = window.Phrases().table[static_cast<std::size_t>(row)];
    CPhraseEditBox box(GetModuleHandleW(nullptr), entry.phrase, entry.inputKey);
    if (box.Run(owner) != IDOK || !box.Result()) return false;
    window.ApplyPhraseEdit(row, *box.Result());
    return true;
}

void RunFindDialog(CMainWindow&, HWND) {}
