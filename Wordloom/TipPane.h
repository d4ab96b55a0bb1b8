// The associated-word list's pane: the user's associated words and their flags. The list keeps
// the order the entries were added in.
#pragma once

#include "TablePane.h"
#include "TipEdit.h"
#include "TipStore.h"
#include "TipTable.h"

class CTipPane final : public CTablePane {
public:
    using CTablePane::CTablePane;

    UserTips& Tips() { return tips_; }

    // Reads the stored associated words, seeded from the dictionary beside the program the first
    // time. Without its own path the tool cannot find its dictionary: it says so and goes on
    // with no associated words.
    void Load(ModuleFileNameQuery programFileName);

    std::size_t RowCount() const override { return tips_.table.size(); }
    std::size_t MarkedRowCount() const override { return CountMarkedEntries(tips_.table); }
    bool HasUnsavedWork() const override { return tips_.HasUnsavedWork(); }
    bool HasDeletedRows() const override { return tips_.tipsHaveDeleted; }
    bool Save() override;
    void ImportFile(const std::wstring& path) override;

    // What the associated-word editor hands back. Insert: a new entry at the end of the list,
    // refused (false, with a message) when the table would no longer fit in a file that imports
    // again. Modify of a row: its words when they differ; the character stays.
    bool AppendTip(const EditedTip& edited);
    void ApplyTipEdit(int row, const EditedTip& edited);

private:
    std::span<const ColumnSpec> Columns() const override;
    DWORD ExtraListStyle() const override { return LVS_NOSORTHEADER; }
    RowLook LookOf(std::size_t row) const override;
    const std::u16string* CellText(std::size_t row, int column) const override;
    bool MarkSelected(const ListSelection& selection) override;
    bool UnmarkAll() override;
    void RunInsertDialog(HWND owner) override;
    void RunModifyDialog(HWND owner, int row) override;
    void MergeText(const ::ImportFile& file, const std::wstring& path) override;
    ExportOutcome ExportTo(const std::wstring& path) const override;
    unsigned ImportTitleId() const override;
    unsigned ExportTitleId() const override;
    TableKind Kind() const override { return TableKind::Tips; }
    unsigned StatusCountsId() const override;
    void FilterView(std::u16string_view text) override { view_.Filter(tips_.table, text); }
    void RefreshView() override { view_.Refresh(tips_.table); }

    UserTips tips_;
};
