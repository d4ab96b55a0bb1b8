// The associated-word list's pane: the user's associated words and their flags. The list keeps
// the order the entries were added in.
#pragma once

#include "TablePane.h"
#include "TipEdit.h"
#include "TipStore.h"
#include "TipTable.h"

class CTipPane final : public CTablePaneOf<UserTips, &UserTips::tipsHaveDeleted> {
public:
    explicit CTipPane(CMainWindow& owner);

    UserTips& Tips() { return user_; }

    // Reads the stored associated words, seeded from the dictionary beside the program the first
    // time. Without its own path the tool cannot find its dictionary: it says so and goes on
    // with no associated words.
    void Load(ModuleFileNameQuery programFileName);

    // What the associated-word editor hands back. Insert: a new entry at the end of the list,
    // refused (false, with a message) when the table would no longer fit in a file that imports
    // again. Modify of a row: its words when they differ; the character stays.
    bool AppendTip(const EditedTip& edited);
    void ApplyTipEdit(int row, const EditedTip& edited);

private:
    const std::u16string* CellText(std::size_t row, int column) const override;
    void RunInsertDialog(HWND owner) override;
    void RunModifyDialog(HWND owner, int row) override;
    SaveOutcome SaveTable() override;
    ImportResult ReplaceFromFile(const std::wstring& path) override;
    MergeReport MergeFromText(const ::ImportFile& file) override;
    ExportOutcome ExportTo(const std::wstring& path) const override;
};
