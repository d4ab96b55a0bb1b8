#include "TipPane.h"

#include "ListRows.h"
#include "MainWindow.h"
#include "TableMerge.h"
#include "TipEditBox.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <array>
#include <vector>

namespace {

constexpr std::array<ColumnSpec, 3> TipColumns{{{0, 0}, {IDS_COLUMN_CHARACTER, 120}, {IDS_COLUMN_TIP_WORDS, 480}}};

}  // namespace

void CTipPane::Load(ModuleFileNameQuery programFileName) {
    const LoadTipsOutcome loaded = LoadTips(tips_, owner_.Images().normalImage, ProgramFilePath(programFileName));
    if (const unsigned message = MessageIdFor(loaded)) ShowMessage(message, MB_ICONERROR);
    if (loaded == LoadTipsOutcome::Unreadable) ShowMessage(IDS_TIPS_UNREADABLE, MB_ICONWARNING);
    SetRowCount();
}

std::span<const ColumnSpec> CTipPane::Columns() const {
    return TipColumns;
}

CTablePane::RowLook CTipPane::LookOf(std::size_t row) const {
    return {tips_.table[row].flags, tips_.table[row].image};
}

const std::u16string* CTipPane::CellText(std::size_t row, int column) const {
    const TipEntry& entry = tips_.table[row];
    if (column == 1) return &entry.character;
    if (column == 2) return &entry.words;
    return nullptr;
}

bool CTipPane::MarkSelected(const ListSelection& selection) {
    return MarkSelectedDeleted(tips_.table, tips_.tipsHaveDeleted, selection, owner_.Images(), view_);
}

bool CTipPane::UnmarkAll() {
    return UnmarkShownEntries(tips_.table, tips_.tipsHaveDeleted, owner_.Images(), view_);
}

void CTipPane::RunInsertDialog(HWND owner) {
    CTipEditBox box(GetModuleHandleW(nullptr), tips_.table, [this](const EditedTip& edited) { return AppendTip(edited); });
    box.Run(owner);
}

void CTipPane::RunModifyDialog(HWND owner, int row) {
    const TipEntry& entry = tips_.table[static_cast<std::size_t>(row)];
    CTipEditBox box(GetModuleHandleW(nullptr), entry.character, entry.words);
    if (box.Run(owner) == IDOK && box.Result()) ApplyTipEdit(row, *box.Result());
}

bool CTipPane::AppendTip(const EditedTip& edited) {
    if (!AddTip(tips_, edited.character, edited.words, owner_.Images().normalImage)) {
        ShowTableTooLarge();
        return false;
    }
    ClearFilter();  // the new entry is shown at the end of every row
    SetRowCount();
    owner_.RefreshCommandStates();
    return true;
}

void CTipPane::ApplyTipEdit(int row, const EditedTip& edited) {
    if (row < 0 || !ModifyTipWords(tips_, static_cast<std::size_t>(row), edited.words)) return;
    if (const int listRow = view_.ListRowOf(static_cast<std::size_t>(row)); list_ && listRow >= 0) {
        ListView_RedrawItems(list_, listRow, listRow);
        UpdateWindow(list_);
    }
    owner_.RefreshCommandStates();
}

// A save that did not write changes nothing the user sees: the table, its list, its marks and
// its flags stay as they were, and the user is told.
bool CTipPane::Save() {
    const std::vector<int> selected = list_ ? SelectedRows(list_) : std::vector<int>{};
    const SaveOutcome outcome = SaveTips(tips_, [this] { return AskToSaveWithoutBackup(); });
    if (outcome != SaveOutcome::Written) {
        if (const unsigned message = MessageIdFor(outcome)) ShowMessage(message, MB_ICONERROR);
        return false;
    }
    if (list_) {
        DeselectRows(list_, selected);
        if (tips_.tipsHaveDeleted) OnTableChangedUnderFilter();
    }
    tips_.tipsHaveDeleted = false;
    focused_ = -1;
    if (list_) RedrawAllRows();
    owner_.RefreshCommandStates();
    return true;
}

void CTipPane::ImportFile(const std::wstring& path) {
    const ImportResult result = ImportTips(path, tips_, owner_.Images().normalImage);
    if (result.outcome != ImportOutcome::Imported) {
        ShowImportRefusal(result, path);
        return;
    }
    ClearFilter();
    SetRowCount();
    focused_ = -1;
    owner_.RefreshCommandStates();
    if (list_) RedrawAllRows();
    if (Ribbon* ribbon = owner_.RibbonBar()) ribbon->AddRecentFile(path);
    ShowImportReport(WithCounts(LoadUiString(IDS_IMPORT_RESULT), {result.entries, result.invalidLines}), MB_ICONINFORMATION,
                     path, result.invalidLines);
}

// Rules in TableMerge.h.
void CTipPane::MergeText(const ::ImportFile& file, const std::wstring& path) {
    const TipMergeCounts counts = MergeTipsFromText(tips_, file.units.data(), file.units.size(), owner_.Images().normalImage);
    if (counts.outcome != ImportOutcome::Imported) {
        ShowImportRefusal(ImportResult{counts.outcome, 0, counts.invalidLines}, path);
        return;
    }
    ClearFilter();  // the user sees what the merge added: every row
    if (counts.added > 0 || counts.extended > 0) {
        if (list_) {
            SetRowCount(LVSICF_NOSCROLL);
            RedrawAllRows();
        }
        owner_.RefreshCommandStates();
    }
    ShowImportReport(WithCounts(LoadUiString(IDS_MERGE_TIPS_RESULT), {counts.added, counts.extended, counts.invalidLines}),
                     MB_ICONINFORMATION, path, counts.invalidLines);
}

ExportOutcome CTipPane::ExportTo(const std::wstring& path) const {
    return ExportTips(path, tips_.table);
}

unsigned CTipPane::ImportTitleId() const {
    return IDS_IMPORT_TIPS_TITLE;
}

unsigned CTipPane::ExportTitleId() const {
    return IDS_EXPORT_TIPS_TITLE;
}

unsigned CTipPane::StatusCountsId() const {
    return IDS_STATUS_TIPS;
}
