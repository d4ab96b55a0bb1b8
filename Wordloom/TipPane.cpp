#include "TipPane.h"

#include "MainWindow.h"
#include "TableMerge.h"
#include "TipEditBox.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <array>

namespace {

constexpr std::array<ColumnSpec, 3> TipColumns{{{0, 0}, {IDS_COLUMN_CHARACTER, 120}, {IDS_COLUMN_TIP_WORDS, 480}}};

}  // namespace

CTipPane::CTipPane(CMainWindow& owner)
    : CTablePaneOf(owner, PaneTraits{TableKind::Tips, TipColumns, LVS_NOSORTHEADER, IDS_IMPORT_TIPS_TITLE, IDS_EXPORT_TIPS_TITLE,
                                     IDS_MERGE_TIPS_RESULT, IDS_STATUS_TIPS}) {}

void CTipPane::Load(ModuleFileNameQuery programFileName) {
    const LoadTipsOutcome loaded = LoadTips(user_, Images().normalImage, ProgramFilePath(programFileName));
    if (const unsigned message = MessageIdFor(loaded)) ShowMessage(message, MB_ICONERROR);
    if (loaded == LoadTipsOutcome::Unreadable) ShowMessage(IDS_TIPS_UNREADABLE, MB_ICONWARNING);
    SetRowCount();
}

const std::u16string* CTipPane::CellText(std::size_t row, int column) const {
    const TipEntry& entry = user_.table[row];
    if (column == 1) return &entry.character;
    if (column == 2) return &entry.words;
    return nullptr;
}

void CTipPane::RunInsertDialog(HWND owner) {
    CTipEditBox box(GetModuleHandleW(nullptr), user_.table, [this](const EditedTip& edited) { return AppendTip(edited); });
    box.Run(owner);
}

void CTipPane::RunModifyDialog(HWND owner, int row) {
    const TipEntry& entry = user_.table[static_cast<std::size_t>(row)];
    CTipEditBox box(GetModuleHandleW(nullptr), entry.character, entry.words);
    if (box.Run(owner) == IDOK && box.Result()) ApplyTipEdit(row, *box.Result());
}

bool CTipPane::AppendTip(const EditedTip& edited) {
    return ShowAppendedEntry(AddTip(user_, edited.character, edited.words, Images().normalImage));
}

void CTipPane::ApplyTipEdit(int row, const EditedTip& edited) {
    if (row < 0 || !ModifyTipWords(user_, static_cast<std::size_t>(row), edited.words)) return;
    RedrawTableRow(static_cast<std::size_t>(row));
    owner_.RefreshCommandStates();
}

SaveOutcome CTipPane::SaveTable() {
    return SaveTips(user_, [this] { return AskToSaveWithoutBackup(); });
}

ImportResult CTipPane::ReplaceFromFile(const std::wstring& path) {
    return ImportTips(path, user_, Images().normalImage);
}

// Rules in TableMerge.h.
MergeReport CTipPane::MergeFromText(const ::ImportFile& file) {
    const TipMergeCounts counts = MergeTipsFromText(user_, file.units.data(), file.units.size(), Images().normalImage);
    return {counts.outcome, counts.invalidLines, counts.added, counts.extended, counts.added > 0 || counts.extended > 0};
}

ExportOutcome CTipPane::ExportTo(const std::wstring& path) const {
    return ExportTips(path, user_.table);
}
