// One table's page under the main window's tab control: its virtual report list, the table the
// list shows, the list's focused row, and what the commands do to that table. The main window
// picks the pane of the current tab and hands every command to it.
#pragma once

#include "FileDialogs.h"
#include "FilterBox.h"
#include "Outcomes.h"
#include "RowView.h"
#include "TableStore.h"

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

class CMainWindow;
class ListSelection;

struct ColumnSpec {
    unsigned textId;  // 0: no text
    int width;        // 0: two small icons
};

// What sets one table's pane apart from the other's, besides its table.
struct PaneTraits {
    TableKind kind;
    std::span<const ColumnSpec> columns;
    DWORD extraListStyle;
    unsigned importTitleId;
    unsigned exportTitleId;
    unsigned mergeResultId;   // "%d" added, "%d" kept or extended, "%d" invalid
    unsigned statusCountsId;  // "%d" rows, "%d" marked
};

// A merge's outcome in the terms of its message.
struct MergeReport {
    ImportOutcome outcome;
    std::size_t invalidLines;
    std::size_t added;
    std::size_t secondCount;  // the lines already there, or the entries extended
    bool changed;
};

class CTablePane {
public:
    CTablePane(CMainWindow& owner, const PaneTraits& traits) : owner_(owner), traits_(traits) {}
    virtual ~CTablePane() = default;
    CTablePane(const CTablePane&) = delete;
    CTablePane& operator=(const CTablePane&) = delete;

    // Creates the filter box and the list with its columns in the tab control's display area;
    // false on failure.
    bool CreateList(HWND tab, const RECT& area, HFONT font, int smallIconWidth, int filterBoxId);
    HWND List() const { return list_; }
    HWND FilterBox() const { return filterBox_.Window(); }
    int FocusedRow() const { return focused_; }
    void OnFocusChanged(int row) { focused_ = row; }
    // The filter box above the list, the list below it.
    void Place(const RECT& area, int margin);
    void Show(bool shown);
    void SetFont(HFONT font);

    // The rows of the table, and the rows the list shows of them; list rows count the latter.
    virtual std::size_t RowCount() const = 0;
    std::size_t ShownRowCount() const { return view_.Size(RowCount()); }
    const RowView& View() const { return view_; }
    virtual std::size_t MarkedRowCount() const = 0;
    // "%d phrases, %d marked for deletion", with "%d shown" while the list is filtered.
    std::wstring StatusCounts() const;
    std::wstring StatusShown() const;

    // The filter box's EN_CHANGE, passed on by the main window.
    void OnFilterTextChanged() { filterBox_.OnTextChanged(); }
    void FocusFilterBox() { filterBox_.Focus(); }
    // The list shows every row again and the box is emptied.
    void ClearFilter();
    virtual bool HasUnsavedWork() const = 0;
    virtual bool HasDeletedRows() const = 0;
    // Only the phrase list has an order the user chooses.
    virtual bool Sortable() const { return false; }

    // The list holds no copy of the table: each visible cell is asked for here.
    void OnDisplayInfo(NMLVDISPINFOW& info) const;

    void DeleteSelected();
    void UndeleteAll();
    void SelectAll();
    void Insert();
    // Modify of a list row (the entry it shows).
    void Modify(int listRow);
    // The row that has the list's focus, asked of the list itself.
    void ModifyFocusedRow();
    // Writes the table to the registry; false when nothing was written (the user was told), and
    // then the table, its list, its marks and its flags stay as they were.
    bool Save();
    // Asks for the file Import or Import and merge reads.
    std::optional<std::wstring> AskForFileToImport() const;
    // The file replaces the table; a file that cannot be read leaves the table as it was.
    void ImportFile(const std::wstring& path);
    // Import and merge only adds to the table, so there is nothing to offer for saving first.
    void ImportMerge();
    void Export();

protected:
    struct RowLook {
        std::uint32_t flags;
        std::int32_t image;
    };

    virtual RowLook LookOf(std::size_t row) const = 0;
    virtual const std::u16string* CellText(std::size_t row, int column) const = 0;
    virtual bool MarkSelected(const ListSelection& selection) = 0;
    virtual bool UnmarkAll() = 0;
    virtual void RunInsertDialog(HWND owner) = 0;
    virtual void RunModifyDialog(HWND owner, int row) = 0;
    // The table's side of Import, Import and merge, Save and Export; the pane shows the outcome.
    virtual ImportResult ReplaceFromFile(const std::wstring& path) = 0;
    virtual MergeReport MergeFromText(const ::ImportFile& file) = 0;
    virtual SaveOutcome SaveTable() = 0;
    virtual void ForgetMarkedRows() = 0;
    virtual ExportOutcome ExportTo(const std::wstring& path) const = 0;
    // The phrase list shows its order in the header arrows and the ribbon's sort toggles.
    virtual void ShowSortState() {}
    virtual void OnSaved(bool /*droppedMarkedRows*/) {}
    // The view is made anew from the text as typed, or from its own text after the table changed.
    virtual void FilterView(std::u16string_view text) = 0;
    virtual void RefreshView() = 0;

    // After the editor's Insert: a new entry, shown at the end of every row; or, when it was
    // refused because the table would grow too large to import again, the user is told.
    bool ShowAppendedEntry(bool appended);
    // After a Modify that changed the entry of a table row.
    void RedrawTableRow(std::size_t row);
    const EntryImages& Images() const;

    // The list learns how many rows it shows.
    void SetRowCount(DWORD flags = 0);
    // The filter's text settled: the list shows the rows that hold it, from the top, with no
    // row selected (the selection was of rows that may no longer be shown).
    void ApplyFilter();
    // The table changed under a filter (rows dropped or reordered): the list shows the rows
    // found anew.
    void OnTableChangedUnderFilter();
    void ShowNewRows();
    void MoveIntoList();
    // Every row is drawn anew: the rows in view now, the others as they come into view.
    void RedrawAllRows();
    void ShowMessage(unsigned stringId, UINT icon) const;
    void ShowMessage(const std::wstring& text, UINT icon) const;
    void ShowImportRefusal(const ImportResult& result, const std::wstring& path) const;
    // An import's counts; when the file at path had invalid lines, it offers to show them.
    void ShowImportReport(const std::wstring& text, UINT icon, const std::wstring& path, std::size_t invalidLines) const;
    void ShowTableTooLarge() const;
    bool AskToSaveWithoutBackup() const;
    // Puts the counts, in order, where the text has its "%d", as text: the string is never a format.
    static std::wstring WithCounts(std::wstring text, std::initializer_list<std::size_t> counts);

    CMainWindow& owner_;
    const PaneTraits traits_;
    HWND list_ = nullptr;  // a child of the tab control, which destroys it
    CFilterBox filterBox_;
    RowView view_;
    int focused_ = 0;  // a list row
};

// The parts of a pane that read and mark its table alike for either kind of entry.
template <class UserTable, bool UserTable::*HaveDeleted>
class CTablePaneOf : public CTablePane {
public:
    using CTablePane::CTablePane;

    std::size_t RowCount() const override { return user_.table.size(); }
    std::size_t MarkedRowCount() const override { return CountMarkedEntries(user_.table); }
    bool HasUnsavedWork() const override { return user_.HasUnsavedWork(); }
    bool HasDeletedRows() const override { return user_.*HaveDeleted; }

protected:
    RowLook LookOf(std::size_t row) const override { return {user_.table[row].flags, user_.table[row].image}; }
    bool MarkSelected(const ListSelection& selection) override {
        return MarkSelectedDeleted(user_.table, user_.*HaveDeleted, selection, Images(), view_);
    }
    bool UnmarkAll() override { return UnmarkShownEntries(user_.table, user_.*HaveDeleted, Images(), view_); }
    void ForgetMarkedRows() override { user_.*HaveDeleted = false; }
    void FilterView(std::u16string_view text) override { view_.Filter(user_.table, text); }
    void RefreshView() override { view_.Refresh(user_.table); }

    UserTable user_;
};
