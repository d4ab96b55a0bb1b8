#include "PhrasePane.h"

#include "ListRows.h"
#include "ListViewSelection.h"
#include "MainWindow.h"
#include "PhraseEditBox.h"
#include "PhraseStore.h"
#include "TableMerge.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <array>
#include <vector>

namespace {

constexpr std::array<ColumnSpec, 4> PhraseColumns{{{0, 0}, {IDS_COLUMN_PHRASE, 200}, {IDS_COLUMN_VANTIX_KEY, 200}, {IDS_COLUMN_INPUT_KEY, 200}}};

// direction: 0 no arrow, 1 up (ascending), 2 down (descending).
void SetHeaderArrow(HWND header, int column, int direction) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(header, column, &item);
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (direction == 1) item.fmt |= HDF_SORTUP;
    if (direction == 2) item.fmt |= HDF_SORTDOWN;
    Header_SetItem(header, column, &item);
}

}  // namespace

CPhrasePane::CPhrasePane(CMainWindow& owner)
    : CTablePaneOf(owner, PaneTraits{TableKind::Phrases, PhraseColumns, 0, IDS_IMPORT_PHRASES_TITLE, IDS_EXPORT_PHRASES_TITLE,
                                     IDS_MERGE_PHRASES_RESULT, IDS_STATUS_PHRASES}) {}

void CPhrasePane::Load() {
    if (LoadUserPhrases(user_, Images().normalImage) == StoredValueRead::Unreadable) {
        ShowMessage(IDS_PHRASES_UNREADABLE, MB_ICONWARNING);
    }
    SetRowCount();
}

const std::u16string* CPhrasePane::CellText(std::size_t row, int column) const {
    const PhraseEntry& entry = user_.table[row];
    if (column == PhraseColumnPhrase) return &entry.phrase;
    if (column == PhraseColumnVantixKey) return &entry.vantixKey;
    if (column == PhraseColumnInputKey) return &entry.inputKey;
    return nullptr;
}

void CPhrasePane::RunInsertDialog(HWND owner) {
    CPhraseEditBox box(GetModuleHandleW(nullptr), user_.table,
                       [this](const EditedPhrase& edited) { return AppendPhrase(edited); });
    box.Run(owner);
}

void CPhrasePane::RunModifyDialog(HWND owner, int row) {
    const PhraseEntry& entry = user_.table[static_cast<std::size_t>(row)];
    CPhraseEditBox box(GetModuleHandleW(nullptr), entry.phrase, entry.inputKey);
    if (box.Run(owner) == IDOK && box.Result()) ApplyPhraseEdit(row, *box.Result());
}

bool CPhrasePane::AppendPhrase(const EditedPhrase& edited) {
    return ShowAppendedEntry(AppendEditedPhrase(user_, sort_, edited, Images().normalImage));
}

void CPhrasePane::ApplyPhraseEdit(int row, const EditedPhrase& edited) {
    if (row < 0) return;
    const unsigned changed = ReplaceEditedPhrase(user_, sort_, static_cast<std::size_t>(row), edited);
    for (int column = PhraseColumnPhrase; column <= PhraseColumnInputKey; ++column) {
        if (changed & ColumnBit(column)) RemoveSortArrow(column);
    }
    if (changed) RedrawTableRow(static_cast<std::size_t>(row));
    InvalidateSortToggles();
}

SaveOutcome CPhrasePane::SaveTable() {
    return SaveUserPhrases(user_, [this] { return AskToSaveWithoutBackup(); });
}

// A save that dropped rows, or left fewer than two, leaves no column sorted; the toggles spring
// back either way.
void CPhrasePane::OnSaved(bool droppedMarkedRows) {
    if (list_ && (user_.table.size() < 2 || droppedMarkedRows)) ClearSortIndicators();
    sort_.sortedByPhrase = sort_.sortedByVantixKey = sort_.sortedByInputKey = false;
    sort_.sortAscending = sort_.sortDescending = false;
    InvalidateSortToggles();
}

// The file's entries come in the file's order: no column counts as sorted.
ImportResult CPhrasePane::ReplaceFromFile(const std::wstring& path) {
    const ImportResult result = ImportPhraseFile(path, user_, Images().normalImage);
    if (result.outcome == ImportOutcome::Imported) sort_ = PhraseSortState{};
    return result;
}

// Rules in TableMerge.h.
MergeReport CPhrasePane::MergeFromText(const ::ImportFile& file) {
    const PhraseMergeCounts counts =
        MergePhrasesFromText(user_, sort_, file.units.data(), file.units.size(), Images().normalImage);
    return {counts.outcome, counts.invalidLines, counts.added, counts.alreadyThere, counts.added > 0};
}

ExportOutcome CPhrasePane::ExportTo(const std::wstring& path) const {
    return ExportPhraseFile(path, user_.table);
}

void CPhrasePane::SortByColumn(int column) {
    if (!list_) return;
    ListViewSelection selection(list_, focused_);
    {
        const ListRepaintPause pause(list_);
        if (!SortPhrasesByColumn(user_.table, sort_, column, selection, view_)) return;
    }
    ShowSortIndicators();
    RedrawAllRows();
    InvalidateSortToggles();
}

void CPhrasePane::SortInDirection(bool ascending) {
    if (!list_) return;
    ListViewSelection selection(list_, focused_);
    bool sorted = false;
    {
        const ListRepaintPause pause(list_);
        sorted = SortPhrasesInDirection(user_.table, sort_, ascending, selection, view_);
    }
    if (sorted) {
        ShowSortIndicators();
        RedrawAllRows();
    }
    // Without a sort column a pressed toggle springs back.
    InvalidateSortToggles();
}

void CPhrasePane::ShowSortState() {
    if (list_) ShowSortIndicators();
    InvalidateSortToggles();
}

// The header arrows follow the columns' sort directions.
void CPhrasePane::ShowSortIndicators() {
    const HWND header = ListView_GetHeader(list_);
    for (int column = PhraseColumnPhrase; column <= PhraseColumnInputKey; ++column) {
        SetHeaderArrow(header, column, sort_.columnSortState[static_cast<std::size_t>(column)]);
    }
}

void CPhrasePane::ClearSortIndicators() {
    sort_.columnSortState.fill(0);
    if (list_) ShowSortIndicators();
}

void CPhrasePane::RemoveSortArrow(int column) {
    if (list_) SetHeaderArrow(ListView_GetHeader(list_), column, 0);
}

void CPhrasePane::InvalidateSortToggles() {
    if (Ribbon* ribbon = owner_.RibbonBar()) ribbon->InvalidateSortToggles();
}
