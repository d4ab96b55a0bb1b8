// One table's page under the main window's tab control: its virtual report list, the table the
// list shows, the list's focused row, and what the commands do to that table. The main window
// picks the pane of the current tab and hands every command to it.
#pragma once

#include "FileDialogs.h"
#include "Outcomes.h"
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

class CTablePane {
public:
    explicit CTablePane(CMainWindow& owner) : owner_(owner) {}
    virtual ~CTablePane() = default;
    CTablePane(const CTablePane&) = delete;
    CTablePane& operator=(const CTablePane&) = delete;

    // Creates the list with its columns in the tab control's display area; false on failure.
    bool CreateList(HWND tab, const RECT& area, HFONT font, int smallIconWidth);
    HWND List() const { return list_; }
    int FocusedRow() const { return focused_; }
    void OnFocusChanged(int row) { focused_ = row; }

    virtual std::size_t RowCount() const = 0;
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
    void Modify(int row);
    // The row that has the list's focus, asked of the list itself.
    void ModifyFocusedRow();
    // Writes the table to the registry; false when nothing was written (the user was told).
    virtual bool Save() = 0;
    // Asks for the file Import or Import and merge reads.
    std::optional<std::wstring> AskForFileToImport() const;
    // The file replaces the table; a file that cannot be read leaves the table as it was.
    virtual void ImportFile(const std::wstring& path) = 0;
    // Import and merge only adds to the table, so there is nothing to offer for saving first.
    void ImportMerge();
    void Export();

protected:
    struct RowLook {
        std::uint32_t flags;
        std::int32_t image;
    };

    virtual std::span<const ColumnSpec> Columns() const = 0;
    virtual DWORD ExtraListStyle() const { return 0; }
    virtual RowLook LookOf(std::size_t row) const = 0;
    virtual const std::u16string* CellText(std::size_t row, int column) const = 0;
    virtual bool MarkSelected(const ListSelection& selection) = 0;
    virtual bool UnmarkAll() = 0;
    virtual void RunInsertDialog(HWND owner) = 0;
    virtual void RunModifyDialog(HWND owner, int row) = 0;
    // The file's lines join the table, and the user is told how many, or why the table stays as
    // it was.
    virtual void MergeText(const ::ImportFile& file, const std::wstring& path) = 0;
    virtual ExportOutcome ExportTo(const std::wstring& path) const = 0;
    virtual unsigned ImportTitleId() const = 0;
    virtual unsigned ExportTitleId() const = 0;
    virtual TableKind Kind() const = 0;

    void SetRowCount(DWORD flags = 0);
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
    HWND list_ = nullptr;  // a child of the tab control, which destroys it
    int focused_ = 0;
};
