// The phrase list's pane: the user's phrases, their flags and the order the user chose for them,
// shown by the column arrows and the ribbon's sort toggles.
#pragma once

#include "Ordering.h"
#include "PhraseEdit.h"
#include "PhraseTable.h"
#include "TablePane.h"

class CPhrasePane final : public CTablePane {
public:
    using CTablePane::CTablePane;

    UserPhrases& Phrases() { return phrases_; }
    const PhraseSortState& SortState() const { return sort_; }

    // Reads the stored phrases; a stored value the tool cannot read stays as it is until the
    // user saves this table.
    void Load();

    std::size_t RowCount() const override { return phrases_.table.size(); }
    std::size_t MarkedRowCount() const override { return CountMarkedEntries(phrases_.table); }
    bool HasUnsavedWork() const override { return phrases_.HasUnsavedWork(); }
    bool HasDeletedRows() const override { return phrases_.phrasesHaveDeleted; }
    bool Sortable() const override { return true; }
    bool Save() override;
    void ImportFile(const std::wstring& path) override;

    // What the phrase edit dialog hands back. Insert: a new entry at the end of the list, and no
    // column counts as sorted any more; refused (false, with a message) when the table would no
    // longer fit in a file that imports again. Modify of a row: the texts that differ are stored
    // and their columns lose their sort arrows.
    bool AppendPhrase(const EditedPhrase& edited);
    void ApplyPhraseEdit(int row, const EditedPhrase& edited);

    void SortByColumn(int column);
    void SortInDirection(bool ascending);

private:
    std::span<const ColumnSpec> Columns() const override;
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
    TableKind Kind() const override { return TableKind::Phrases; }
    unsigned StatusCountsId() const override;
    void FilterView(std::u16string_view text) override { view_.Filter(phrases_.table, text); }
    void RefreshView() override { view_.Refresh(phrases_.table); }

    void ShowSortIndicators();
    void ClearSortIndicators();
    void ResetSortMarks();
    void RemoveSortArrow(int column);
    void InvalidateSortToggles();

    UserPhrases phrases_;
    PhraseSortState sort_;
};
