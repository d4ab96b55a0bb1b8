// The file commands: Save, Import, Import and merge, Export, Open recent and closing the window.
// Each acts on the current tab's table and asks first about unsaved work where a table would be
// replaced or the window would go; a Yes there saves every table with unsaved work.
#include "MainWindow.h"

#include "ListRows.h"
#include "PhraseStore.h"
#include "TableMerge.h"
#include "TableStore.h"
#include "TipStore.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <initializer_list>
#include <vector>

namespace {

// Puts the counts, in order, where the text has its "%d", as text: the string is never a format.
std::wstring WithCounts(std::wstring text, std::initializer_list<std::size_t> counts) {
    std::size_t from = 0;
    for (const std::size_t count : counts) {
        const std::size_t at = text.find(L"%d", from);
        if (at == std::wstring::npos) break;
        const std::wstring number = std::to_wstring(count);
        text.replace(at, 2, number);
        from = at + number.size();
    }
    return text;
}

}  // namespace

// Closing asks about unsaved work in either table; Yes saves every table that has some, and a
// save that did not write keeps the window open.
void CMainWindow::OnClose() {
    if (!OfferToSaveUnsavedWork(MB_YESNOCANCEL)) return;
    DestroyWindow(window_);
}

// Windows asks whether the session may end: with unsaved work, the same question as Close
// (without Cancel), while Windows shows why the tool holds the session up. A save behind Yes
// that did not write keeps the session waiting, and the work stays.
bool CMainWindow::OnQueryEndSession() {
    if (!HasUnsavedWork()) return true;
    shutdownReason_.Set(window_, LoadUiString(IDS_SHUTDOWN_REASON).c_str());
    const bool mayEnd = OfferToSaveUnsavedWork(MB_YESNO);
    if (mayEnd) shutdownReason_.Clear();
    return mayEnd;
}

// Asks about unsaved work in either table, if there is any. Yes saves every table with unsaved
// work, not only the current tab's: changes the user kept when leaving the other tab are among
// what was asked about. False when the user cancelled or a save behind Yes failed: the caller
// stops, and the tables stay as they are.
bool CMainWindow::OfferToSaveUnsavedWork(UINT buttons) {
    if (!HasUnsavedWork()) return true;
    const int answer = AskToSave(buttons);
    if (answer == IDCANCEL) return false;
    if (answer != IDYES) return true;
    if (phrases_.HasUnsavedWork() && !SavePhrases()) return false;
    return !tips_.HasUnsavedWork() || SaveTips();
}

bool CMainWindow::SaveCurrentTable() {
    return currentTab_ == 0 ? SavePhrases() : SaveTips();
}

// A save that did not write changes nothing the user sees: the table, its list, its marks and
// its flags stay as they were, and the user is told.
bool CMainWindow::SavePhrases() {
    const std::vector<int> selected = phraseList_ ? SelectedRows(phraseList_) : std::vector<int>{};
    const SaveOutcome outcome = SaveUserPhrases(phrases_, [this] { return AskToSaveWithoutBackup(); });
    if (outcome != SaveOutcome::Written) {
        if (const unsigned message = MessageIdFor(outcome)) ShowMessage(message, MB_ICONERROR);
        return false;
    }
    if (phraseList_) {
        DeselectRows(phraseList_, selected);
        if (phrases_.phrasesHaveDeleted) {
            ListView_SetItemCountEx(phraseList_, static_cast<int>(phrases_.table.size()), 0);
        }
        if (phrases_.table.size() < 2 || phrases_.phrasesHaveDeleted) ClearSortIndicators();
    }
    phrases_.phrasesHaveDeleted = false;
    focusedPhrase_ = -1;
    if (phraseList_) RedrawAllRows(phraseList_);
    RefreshCommandStates();
    ResetSortMarks();
    return true;
}

bool CMainWindow::SaveTips() {
    const std::vector<int> selected = tipList_ ? SelectedRows(tipList_) : std::vector<int>{};
    const SaveOutcome outcome = ::SaveTips(tips_, [this] { return AskToSaveWithoutBackup(); });
    if (outcome != SaveOutcome::Written) {
        if (const unsigned message = MessageIdFor(outcome)) ShowMessage(message, MB_ICONERROR);
        return false;
    }
    if (tipList_) {
        DeselectRows(tipList_, selected);
        if (tips_.tipsHaveDeleted) ListView_SetItemCountEx(tipList_, static_cast<int>(tips_.table.size()), 0);
    }
    tips_.tipsHaveDeleted = false;
    focusedTip_ = -1;
    if (tipList_) RedrawAllRows(tipList_);
    RefreshCommandStates();
    return true;
}

void CMainWindow::OpenRecent(const std::wstring& path) {
    if (OfferToSaveUnsavedWork(MB_YESNO)) ImportFile(path);
}

bool CMainWindow::AskToSaveWithoutBackup() {
    return MessageBoxW(window_, LoadUiString(IDS_SAVE_WITHOUT_BACKUP).c_str(), title_.c_str(), MB_YESNO | MB_ICONWARNING) == IDYES;
}

int CMainWindow::AskToSave(UINT buttons) {
    return MessageBoxW(window_, LoadUiString(IDS_SAVE_PROMPT).c_str(), title_.c_str(), buttons | MB_ICONWARNING);
}

void CMainWindow::ShowMessage(unsigned stringId, UINT icon) {
    ShowMessage(LoadUiString(stringId), icon);
}

void CMainWindow::ShowMessage(const std::wstring& text, UINT icon) {
    MessageBoxW(window_, text.c_str(), title_.c_str(), MB_OK | icon);
}

void CMainWindow::Import() {
    if (!OfferToSaveUnsavedWork(MB_YESNO)) return;
    if (const std::optional<std::wstring> path = AskForFileToImport()) ImportFile(*path);
}

// Import and merge only adds to the table, so there is nothing to offer for saving first.
void CMainWindow::ImportMerge() {
    if (const std::optional<std::wstring> path = AskForFileToImport()) MergeFile(*path);
}

std::optional<std::wstring> CMainWindow::AskForFileToImport() {
    FileDialogRequest request;
    request.title = LoadUiString(currentTab_ == 0 ? IDS_IMPORT_PHRASES_TITLE : IDS_IMPORT_TIPS_TITLE);
    request.types = {{LoadUiString(IDS_FILTER_DATA_FILES), L"*.dat"}, {LoadUiString(IDS_FILTER_ALL_FILES), L"*.*"}};
    request.defaultExtension = L"dat";
    request.startInDocuments = true;
    return fileDialog_(window_, request);
}

// The file replaces the table; a file that cannot be read leaves the table as it was.
void CMainWindow::ImportFile(const std::wstring& path) {
    const HWND list = CurrentList();
    ImportResult result;
    if (currentTab_ == 0) {
        result = ImportPhraseFile(path, phrases_, images_.normalImage);
    } else {
        result = ImportTips(path, tips_, images_.normalImage);
    }
    if (result.outcome != ImportOutcome::Imported) {
        ShowImportRefusal(result);
        return;
    }
    if (list) ListView_SetItemCountEx(list, static_cast<int>(CurrentRowCount()), 0);
    if (currentTab_ == 0) {
        focusedPhrase_ = -1;
        ClearSortIndicators();
        RefreshCommandStates();
        ResetSortMarks();
    } else {
        focusedTip_ = -1;
        RefreshCommandStates();
    }
    if (list) RedrawAllRows(list);
    if (ribbon_) ribbon_->AddRecentFile(path);
    ShowMessage(WithCounts(LoadUiString(IDS_IMPORT_RESULT), {result.entries, result.invalidLines}), MB_ICONINFORMATION);
}

// The file's lines join the table (rules in TableMerge.h); a file that cannot be read, has no
// valid line or would make the table too large to import again leaves the table as it was.
void CMainWindow::MergeFile(const std::wstring& path) {
    const ::ImportFile file = ReadImportFile(path);
    if (file.outcome != ImportOutcome::Imported) {
        ShowImportRefusal(ImportResult{file.outcome, 0, file.invalidLines});
        return;
    }
    std::wstring report;
    if (currentTab_ == 0) {
        const PhraseMergeCounts counts =
            MergePhrasesFromText(phrases_, sort_, file.units.data(), file.units.size(), images_.normalImage);
        if (counts.outcome != ImportOutcome::Imported) {
            ShowImportRefusal(ImportResult{counts.outcome, 0, counts.invalidLines});
            return;
        }
        if (counts.added > 0) {
            if (phraseList_) {
                ListView_SetItemCountEx(phraseList_, static_cast<int>(phrases_.table.size()), LVSICF_NOSCROLL);
                ShowSortIndicators();
                RedrawAllRows(phraseList_);
            }
            if (ribbon_) ribbon_->InvalidateSortToggles();
            RefreshCommandStates();
        }
        report = WithCounts(LoadUiString(IDS_MERGE_PHRASES_RESULT), {counts.added, counts.alreadyThere, counts.invalidLines});
    } else {
        const TipMergeCounts counts = MergeTipsFromText(tips_, file.units.data(), file.units.size(), images_.normalImage);
        if (counts.outcome != ImportOutcome::Imported) {
            ShowImportRefusal(ImportResult{counts.outcome, 0, counts.invalidLines});
            return;
        }
        if (counts.added > 0 || counts.extended > 0) {
            if (tipList_) {
                ListView_SetItemCountEx(tipList_, static_cast<int>(tips_.table.size()), LVSICF_NOSCROLL);
                RedrawAllRows(tipList_);
            }
            RefreshCommandStates();
        }
        report = WithCounts(LoadUiString(IDS_MERGE_TIPS_RESULT), {counts.added, counts.extended, counts.invalidLines});
    }
    // The recent items are the files a table was replaced from: choosing one imports it again.
    ShowMessage(report, MB_ICONINFORMATION);
}

// Why an import or a merge changed nothing. A file with nothing to read is a warning: the table
// is there as it was.
void CMainWindow::ShowImportRefusal(const ImportResult& result) {
    const unsigned message = MessageIdFor(result.outcome);
    if (result.outcome == ImportOutcome::NothingRead) {
        ShowMessage(WithCounts(LoadUiString(message), {result.invalidLines}), MB_ICONWARNING);
    } else {
        ShowMessage(message, MB_ICONERROR);
    }
}

// Over the editor that asked, when there is one.
void CMainWindow::ShowTableTooLarge() {
    MessageBoxW(GetActiveWindow(), LoadUiString(IDS_TABLE_TOO_LARGE).c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

void CMainWindow::Export() {
    FileDialogRequest request;
    request.save = true;
    request.title = LoadUiString(currentTab_ == 0 ? IDS_EXPORT_PHRASES_TITLE : IDS_EXPORT_TIPS_TITLE);
    request.types = {{LoadUiString(IDS_FILTER_DATA_FILES), L"*.dat"}};
    request.defaultExtension = L"dat";
    const std::optional<std::wstring> path = fileDialog_(window_, request);
    if (!path) return;
    const bool phrases = currentTab_ == 0;
    const ExportOutcome outcome = phrases ? ExportPhraseFile(*path, phrases_.table) : ExportTips(*path, tips_.table);
    if (const unsigned message = MessageIdFor(outcome, phrases ? TableKind::Phrases : TableKind::Tips)) {
        ShowMessage(message, outcome == ExportOutcome::NothingToExport ? MB_ICONINFORMATION : MB_ICONERROR);
    }
}
