// The phrase list's pane: the user's phrases, their flags and the order the user chose for them,
// shown by the column arrows and the ribbon's sort toggles.
#pragma once

#include "Ordering.h"
#include "PhraseEdit.h"
#include "PhraseTable.h"
#include "TablePane.h"

class CPhrasePane final : public CTablePaneOf<UserPhrases, &UserPhrases::phrasesHaveDeleted> {
public:
    explicit CPhrasePane(CMainWindow& owner);

    UserPhrases& Phrases() { return user_; }
    const PhraseSortState& SortState() const { return sort_; }

    // Reads the stored phrases; a stored value the tool cannot read stays as it is until the
    // user saves this table.
    void Load();
    bool Sortable() const override { return true; }

    // What the phrase edit dialog hands back. Insert: a new entry at the end of the list, and no
    // column counts as sorted any more; refused (false, with a message) when the table would no
    // longer fit in a file that imports again. Modify of a row: the texts that differ are stored
    // and their columns lose their sort arrows.
    bool AppendPhrase(const EditedPhrase& edited);
    void ApplyPhraseEdit(int row, const EditedPhrase& edited);

    void SortByColumn(int column);
    void SortInDirection(bool ascending);

private:
    const std::u16string* CellText(std::size_t row, int column) const override;
    void RunInsertDialog(HWND owner) override;
    void RunModifyDialog(HWND owner, int row) override;
    SaveOutcome SaveTable() override;
    void OnSaved(bool droppedMarkedRows) override;
    ImportResult ReplaceFromFile(const std::wstring& path) override;
    MergeReport MergeFromText(const ::ImportFile& file) override;
    ExportOutcome ExportTo(const std::wstring& path) const override;
    void ShowSortState() override;

    void ShowSortIndicators();
    void ClearSortIndicators();
    void RemoveSortArrow(int column);
    void InvalidateSortToggles();

    PhraseSortState sort_;
};
