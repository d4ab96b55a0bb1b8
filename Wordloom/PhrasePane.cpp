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

void CPhrasePane::Load() {
    if (LoadUserPhrases(phrases_, owner_.Images().normalImage) == StoredValueRead::Unreadable) {
        ShowMessage(IDS_PHRASES_UNREADABLE, MB_ICONWARNING);
    }
    SetRowCount();
}

std::span<const ColumnSpec> CPhrasePane::Columns() const {
    return PhraseColumns;
}

CTablePane::RowLook CPhrasePane::LookOf(std::size_t row) const {
    return {phrases_.table[row].flags, phrases_.table[row].image};
}

const std::u16string* CPhrasePane::CellText(std::size_t row, int column) const {
    const PhraseEntry& entry = phrases_.table[row];
    if (column == PhraseColumnPhrase) return &entry.phrase;
    if (column == PhraseColumnVantixKey) return &entry.vantixKey;
    if (column == PhraseColumnInputKey) return &entry.inputKey;
    return nullptr;
}

bool CPhrasePane::MarkSelected(const ListSelection& selection) {
    return MarkSelectedDeleted(phrases_.table, phrases_.phrasesHaveDeleted, selection, owner_.Images(), view_);
}

bool CPhrasePane::UnmarkAll() {
    return UnmarkShownEntries(phrases_.table, phrases_.phrasesHaveDeleted, owner_.Images(), view_);
}

void CPhrasePane::RunInsertDialog(HWND owner) {
    CPhraseEditBox box(GetModuleHandleW(nullptr), phrases_.table,
                       [this](const EditedPhrase& edited) { return AppendPhrase(edited); });
    box.Run(owner);
}

void CPhrasePane::RunModifyDialog(HWND owner, int row) {
    const PhraseEntry& entry = phrases_.table[static_cast<std::size_t>(row)];
    CPhraseEditBox box(GetModuleHandleW(nullptr), entry.phrase, entry.inputKey);
    if (box.Run(owner) == IDOK && box.Result()) ApplyPhraseEdit(row, *box.Result());
}

bool CPhrasePane::AppendPhrase(const EditedPhrase& edited) {
    if (!AppendEditedPhrase(phrases_, sort_, edited, owner_.Images().normalImage)) {
        ShowTableTooLarge();
        return false;
    }
    ClearFilter();  // the new entry is shown at the end of every row
    if (list_) {
        SetRowCount();
        ShowSortIndicators();
    }
    InvalidateSortToggles();
    owner_.RefreshCommandStates();
    return true;
}

void CPhrasePane::ApplyPhraseEdit(int row, const EditedPhrase& edited) {
    if (row < 0) return;
    const unsigned changed = ReplaceEditedPhrase(phrases_, sort_, static_cast<std::size_t>(row), edited);
    for (int column = PhraseColumnPhrase; column <= PhraseColumnInputKey; ++column) {
        if (changed & ColumnBit(column)) RemoveSortArrow(column);
    }
    // The row stays shown until the filter runs again, even when it no longer holds the text.
    if (const int listRow = view_.ListRowOf(static_cast<std::size_t>(row)); changed && list_ && listRow >= 0) {
        ListView_RedrawItems(list_, listRow, listRow);
        UpdateWindow(list_);
    }
    InvalidateSortToggles();
}

// A save that did not write changes nothing the user sees: the table, its list, its marks and
// its flags stay as they were, and the user is told.
bool CPhrasePane::Save() {
    const std::vector<int> selected = list_ ? SelectedRows(list_) : std::vector<int>{};
    const SaveOutcome outcome = SaveUserPhrases(phrases_, [this] { return AskToSaveWithoutBackup(); });
    if (outcome != SaveOutcome::Written) {
        if (const unsigned message = MessageIdFor(outcome)) ShowMessage(message, MB_ICONERROR);
        return false;
    }
    if (list_) {
        DeselectRows(list_, selected);
        if (phrases_.phrasesHaveDeleted) OnTableChangedUnderFilter();
        if (phrases_.table.size() < 2 || phrases_.phrasesHaveDeleted) ClearSortIndicators();
    }
    phrases_.phrasesHaveDeleted = false;
    focused_ = -1;
    if (list_) RedrawAllRows();
    owner_.RefreshCommandStates();
    ResetSortMarks();
    return true;
}

void CPhrasePane::ImportFile(const std::wstring& path) {
    const ImportResult result = ImportPhraseFile(path, phrases_, owner_.Images().normalImage);
    if (result.outcome != ImportOutcome::Imported) {
        ShowImportRefusal(result, path);
        return;
    }
    ClearFilter();
    SetRowCount();
    focused_ = -1;
    ClearSortIndicators();
    owner_.RefreshCommandStates();
    ResetSortMarks();
    if (list_) RedrawAllRows();
    if (Ribbon* ribbon = owner_.RibbonBar()) ribbon->AddRecentFile(path);
    ShowImportReport(WithCounts(LoadUiString(IDS_IMPORT_RESULT), {result.entries, result.invalidLines}), MB_ICONINFORMATION,
                     path, result.invalidLines);
}

// Rules in TableMerge.h.
void CPhrasePane::MergeText(const ::ImportFile& file, const std::wstring& path) {
    const PhraseMergeCounts counts =
        MergePhrasesFromText(phrases_, sort_, file.units.data(), file.units.size(), owner_.Images().normalImage);
    if (counts.outcome != ImportOutcome::Imported) {
        ShowImportRefusal(ImportResult{counts.outcome, 0, counts.invalidLines}, path);
        return;
    }
    ClearFilter();  // the user sees what the merge added: every row
    if (counts.added > 0) {
        if (list_) {
            SetRowCount(LVSICF_NOSCROLL);
            ShowSortIndicators();
            RedrawAllRows();
        }
        InvalidateSortToggles();
        owner_.RefreshCommandStates();
    }
    ShowImportReport(WithCounts(LoadUiString(IDS_MERGE_PHRASES_RESULT), {counts.added, counts.alreadyThere, counts.invalidLines}),
                     MB_ICONINFORMATION, path, counts.invalidLines);
}

ExportOutcome CPhrasePane::ExportTo(const std::wstring& path) const {
    return ExportPhraseFile(path, phrases_.table);
}

unsigned CPhrasePane::ImportTitleId() const {
    return IDS_IMPORT_PHRASES_TITLE;
}

unsigned CPhrasePane::ExportTitleId() const {
    return IDS_EXPORT_PHRASES_TITLE;
}

unsigned CPhrasePane::StatusCountsId() const {
    return IDS_STATUS_PHRASES;
}

void CPhrasePane::SortByColumn(int column) {
    if (!list_) return;
    ListViewSelection selection(list_, focused_);
    {
        const ListRepaintPause pause(list_);
        if (!SortPhrasesByColumn(phrases_.table, sort_, column, selection, view_)) return;
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
        sorted = SortPhrasesInDirection(phrases_.table, sort_, ascending, selection, view_);
    }
    if (sorted) {
        ShowSortIndicators();
        RedrawAllRows();
    }
    // Without a sort column a pressed toggle springs back.
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

// The table's order is no longer known: no column counts as sorted and the toggles spring back.
void CPhrasePane::ResetSortMarks() {
    sort_.sortedByPhrase = sort_.sortedByVantixKey = sort_.sortedByInputKey = false;
    sort_.sortAscending = sort_.sortDescending = false;
    InvalidateSortToggles();
}

void CPhrasePane::RemoveSortArrow(int column) {
    if (list_) SetHeaderArrow(ListView_GetHeader(list_), column, 0);
}

void CPhrasePane::InvalidateSortToggles() {
    if (Ribbon* ribbon = owner_.RibbonBar()) ribbon->InvalidateSortToggles();
}
