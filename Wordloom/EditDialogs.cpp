#include "EditDialogs.h"

#include "FindBox.h"
#include "MainWindow.h"
#include "PhraseEditBox.h"
#include "TipEditBox.h"

bool RunInsertDialog(CMainWindow& window, HWND owner) {
    if (window.CurrentTab() == 1) {
        CTipEditBox box(GetModuleHandleW(nullptr), window.Tips().table,
                        [&window](const EditedTip& edited) { return window.AppendTip(edited); });
        box.Run(owner);
        return box.Result().has_value();
    }
    CPhraseEditBox box(GetModuleHandleW(nullptr), window.Phrases().table,
                       [&window](const EditedPhrase& edited) { return window.AppendPhrase(edited); });
    box.Run(owner);
    return box.Result().has_value();
}

bool RunModifyDialog(CMainWindow& window, HWND owner, int row) {
    if (window.CurrentTab() == 1) {
        const TipEntry& entry = window.Tips().table[static_cast<std::size_t>(row)];
        CTipEditBox box(GetModuleHandleW(nullptr), entry.character, entry.words);
        if (box.Run(owner) != IDOK || !box.Result()) return false;
        window.ApplyTipEdit(row, *box.Result());
        return true;
    }
    const PhraseEntry& entry = window.Phrases().table[static_cast<std::size_t>(row)];
    CPhraseEditBox box(GetModuleHandleW(nullptr), entry.phrase, entry.inputKey);
    if (box.Run(owner) != IDOK || !box.Result()) return false;
    window.ApplyPhraseEdit(row, *box.Result());
    return true;
}

void RunFindDialog(CMainWindow& window, HWND owner) {
    CFindBox box(GetModuleHandleW(nullptr), window, window.CurrentTab() != 0);
    box.Run(owner);
}
