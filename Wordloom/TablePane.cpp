#include "TablePane.h"

#include "InvalidLinesBox.h"
#include "ListRows.h"
#include "ListViewSelection.h"
#include "MainWindow.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <algorithm>
#include <array>

namespace {

constexpr DWORD ListExtendedStyles = LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT |
                                     LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT | LVS_EX_DOUBLEBUFFER;

void CopyCellText(const std::u16string& text, wchar_t* buffer, int capacity) {
    if (!buffer || capacity <= 0) return;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.data(), length, buffer);
    buffer[length] = L'\0';
}

}  // namespace

bool CTablePane::CreateList(HWND tab, const RECT& area, HFONT font, int smallIconWidth, int filterBoxId) {
    // The box comes first, so that it comes before the list in the tab order.
    CFilterBox::Events events;
    events.textSettled = [this] { ApplyFilter(); };
    events.moveToList = [this] { MoveIntoList(); };
    if (!filterBox_.Create(tab, filterBoxId, font, std::move(events))) return false;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | LVS_REPORT |
                        LVS_SHOWSELALWAYS | LVS_OWNERDATA | traits_.extraListStyle;
    const HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, area.left, area.top,
                                      area.right - area.left, area.bottom - area.top, tab, nullptr,
                                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(tab, GWLP_HINSTANCE)), nullptr);
    if (!IsWindow(list)) return false;
    list_ = list;
    ListView_SetExtendedListViewStyle(list_, ListExtendedStyles);
    // The lists show the tab's font, the system's message font, which also has the Chinese glyphs.
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int column = 0;
    for (const ColumnSpec& definition : traits_.columns) {
        std::array<wchar_t, StringBufferLength> text{};
        if (definition.textId) LoadUiString(definition.textId, text);
        LVCOLUMNW lvColumn{};
        lvColumn.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        lvColumn.fmt = LVCFMT_LEFT;
        lvColumn.cx = definition.width ? definition.width : 2 * smallIconWidth;
        lvColumn.pszText = text.data();
        lvColumn.iSubItem = column;
        ListView_InsertColumn(list_, column++, &lvColumn);
    }
    ListView_SetCallbackMask(list_, LVIS_CUT | LVIS_STATEIMAGEMASK);
    return true;
}

void CTablePane::Place(const RECT& area, int margin) {
    const int width = std::max(0, static_cast<int>(area.right - area.left) - 2 * margin);
    const int boxHeight = filterBox_.Height();
    if (const HWND box = filterBox_.Window()) {
        SetWindowPos(box, nullptr, area.left + margin, area.top + margin, width, boxHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const int listTop = std::min(static_cast<int>(area.bottom), static_cast<int>(area.top) + boxHeight + 2 * margin);
    if (list_) {
        SetWindowPos(list_, nullptr, area.left, listTop, area.right - area.left, area.bottom - listTop,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CTablePane::Show(bool shown) {
    for (const HWND control : {filterBox_.Window(), list_}) {
        if (control) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
    }
}

void CTablePane::SetFont(HFONT font) {
    for (const HWND control : {filterBox_.Window(), list_}) {
        if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

std::wstring CTablePane::StatusCounts() const {
    return WithCounts(LoadUiString(traits_.statusCountsId), {RowCount(), MarkedRowCount()});
}

std::wstring CTablePane::StatusShown() const {
    return view_.Filtered() ? WithCounts(LoadUiString(IDS_STATUS_SHOWN), {ShownRowCount()}) : std::wstring();
}

void CTablePane::ClearFilter() {
    filterBox_.Clear();
    if (!view_.Filtered()) return;
    view_.ShowAll();
    ShowNewRows();
}

void CTablePane::ApplyFilter() {
    const std::wstring typed = filterBox_.Text();
    FilterView(std::u16string(typed.begin(), typed.end()));
    ShowNewRows();
}

void CTablePane::OnTableChangedUnderFilter() {
    RefreshView();
    SetRowCount();
}

// The list's rows now stand for other entries: their selection and focus go, and the list
// starts at its top. The rows are taken away and given back, which clears the selection of an
// owner-data list at once, however long it is.
void CTablePane::ShowNewRows() {
    focused_ = -1;
    if (list_) {
        {
            const ListRepaintPause pause(list_);
            ListView_SetItemCountEx(list_, 0, LVSICF_NOINVALIDATEALL);
            SetRowCount();
            if (ListView_GetSelectedCount(list_) != 0) ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
            if (ShownRowCount() > 0) ListView_EnsureVisible(list_, 0, FALSE);
        }
        UpdateWindow(list_);
    }
    owner_.RefreshCommandStates();
}

// Down, Tab or Enter in the filter box: the list takes the focus, on its first row when none
// had it, so that the arrow keys go on from there.
void CTablePane::MoveIntoList() {
    if (!list_) return;
    SetFocus(list_);
    if (ShownRowCount() > 0 && ListView_GetNextItem(list_, -1, LVNI_FOCUSED) < 0) {
        ListView_SetItemState(list_, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        ListView_EnsureVisible(list_, 0, FALSE);
    }
}

void CTablePane::OnDisplayInfo(NMLVDISPINFOW& info) const {
    LVITEMW& item = info.item;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= ShownRowCount()) return;
    const std::size_t row = view_.TableRow(static_cast<std::size_t>(item.iItem));
    const RowLook look = LookOf(row);
    // Only column 0 shows the icon; the other columns must say they have none, or the list
    // draws whatever index it started with.
    if (item.mask & LVIF_IMAGE) item.iImage = item.iSubItem == 0 ? look.image : I_IMAGENONE;
    if (item.mask & LVIF_STATE) {
        if (look.flags & EntryDeleted) {
            item.state |= LVIS_CUT;
        } else {
            item.state &= ~static_cast<UINT>(LVIS_CUT);
        }
    }
    if (item.mask & LVIF_TEXT) {
        if (const std::u16string* text = CellText(row, item.iSubItem)) CopyCellText(*text, item.pszText, item.cchTextMax);
    }
}

void CTablePane::DeleteSelected() {
    if (!list_) return;
    const ListViewSelection selection(list_, focused_);
    if (MarkSelected(selection)) RedrawAllRows();
    owner_.RefreshCommandStates();
}

void CTablePane::UndeleteAll() {
    if (UnmarkAll() && list_) RedrawAllRows();
    owner_.RefreshCommandStates();
}

void CTablePane::SelectAll() {
    if (!list_) return;
    // Row -1 stands for every row: one request instead of one per row, with the same result.
    {
        const ListRepaintPause pause(list_);
        ListView_SetItemState(list_, -1, LVIS_SELECTED, LVIS_SELECTED);
    }
    UpdateWindow(list_);
    owner_.RefreshCommandStates();
}

void CTablePane::Insert() {
    RunInsertDialog(GetActiveWindow());
    if (list_) SetFocus(list_);
}

void CTablePane::Modify(int listRow) {
    if (listRow < 0 || static_cast<std::size_t>(listRow) >= ShownRowCount()) return;
    RunModifyDialog(GetActiveWindow(), static_cast<int>(view_.TableRow(static_cast<std::size_t>(listRow))));
    if (list_) SetFocus(list_);
}

void CTablePane::ModifyFocusedRow() {
    if (!list_) return;
    const int row = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
    if (row >= 0) Modify(row);
}

std::optional<std::wstring> CTablePane::AskForFileToImport() const {
    FileDialogRequest request;
    request.title = LoadUiString(traits_.importTitleId);
    request.types = {{LoadUiString(IDS_FILTER_DATA_FILES), L"*.dat"}, {LoadUiString(IDS_FILTER_ALL_FILES), L"*.*"}};
    request.defaultExtension = L"dat";
    request.startInDocuments = true;
    return owner_.AskForFile(request);
}

// A file that cannot be read, has no valid line or would make the table too large to import
// again leaves the table as it was. Merged files do not become recent items: choosing one
// replaces the table.
void CTablePane::ImportMerge() {
    const std::optional<std::wstring> path = AskForFileToImport();
    if (!path) return;
    const ::ImportFile file = ReadImportFile(*path);
    if (file.outcome != ImportOutcome::Imported) {
        ShowImportRefusal(ImportResult{file.outcome, 0, file.invalidLines}, *path);
        return;
    }
    const MergeReport merged = MergeFromText(file);
    if (merged.outcome != ImportOutcome::Imported) {
        ShowImportRefusal(ImportResult{merged.outcome, 0, merged.invalidLines}, *path);
        return;
    }
    ClearFilter();  // the user sees what the merge added: every row
    if (merged.changed) {
        if (list_) {
            SetRowCount(LVSICF_NOSCROLL);
            RedrawAllRows();
        }
        ShowSortState();
        owner_.RefreshCommandStates();
    }
    ShowImportReport(WithCounts(LoadUiString(traits_.mergeResultId), {merged.added, merged.secondCount, merged.invalidLines}),
                     MB_ICONINFORMATION, *path, merged.invalidLines);
}

void CTablePane::ImportFile(const std::wstring& path) {
    const ImportResult result = ReplaceFromFile(path);
    if (result.outcome != ImportOutcome::Imported) {
        ShowImportRefusal(result, path);
        return;
    }
    ClearFilter();
    SetRowCount();
    focused_ = -1;
    ShowSortState();
    owner_.RefreshCommandStates();
    if (list_) RedrawAllRows();
    if (Ribbon* ribbon = owner_.RibbonBar()) ribbon->AddRecentFile(path);
    ShowImportReport(WithCounts(LoadUiString(IDS_IMPORT_RESULT), {result.entries, result.invalidLines}), MB_ICONINFORMATION,
                     path, result.invalidLines);
}

bool CTablePane::Save() {
    const std::vector<int> selected = list_ ? SelectedRows(list_) : std::vector<int>{};
    const bool dropsMarkedRows = HasDeletedRows();
    const SaveOutcome outcome = SaveTable();
    if (outcome != SaveOutcome::Written) {
        if (const unsigned message = MessageIdFor(outcome)) ShowMessage(message, MB_ICONERROR);
        return false;
    }
    if (list_) {
        DeselectRows(list_, selected);
        if (dropsMarkedRows) OnTableChangedUnderFilter();
    }
    ForgetMarkedRows();
    focused_ = -1;
    OnSaved(dropsMarkedRows);
    if (list_) RedrawAllRows();
    owner_.RefreshCommandStates();
    return true;
}

bool CTablePane::ShowAppendedEntry(bool appended) {
    if (!appended) {
        ShowTableTooLarge();
        return false;
    }
    ClearFilter();
    SetRowCount();
    ShowSortState();
    owner_.RefreshCommandStates();
    return true;
}

// The row stays shown until the filter runs again, even when it no longer holds the text.
void CTablePane::RedrawTableRow(std::size_t row) {
    if (const int listRow = view_.ListRowOf(row); list_ && listRow >= 0) {
        ListView_RedrawItems(list_, listRow, listRow);
        UpdateWindow(list_);
    }
}

const EntryImages& CTablePane::Images() const {
    return owner_.Images();
}

void CTablePane::Export() {
    FileDialogRequest request;
    request.save = true;
    request.title = LoadUiString(traits_.exportTitleId);
    request.types = {{LoadUiString(IDS_FILTER_DATA_FILES), L"*.dat"}};
    request.defaultExtension = L"dat";
    const std::optional<std::wstring> path = owner_.AskForFile(request);
    if (!path) return;
    const ExportOutcome outcome = ExportTo(*path);
    if (const unsigned message = MessageIdFor(outcome, traits_.kind)) {
        ShowMessage(message, outcome == ExportOutcome::NothingToExport ? MB_ICONINFORMATION : MB_ICONERROR);
    }
}

void CTablePane::SetRowCount(DWORD flags) {
    if (list_) ListView_SetItemCountEx(list_, static_cast<int>(ShownRowCount()), flags);
}

// Asking the list to redraw rows out of view only costs time: it asks for each cell as it draws.
void CTablePane::RedrawAllRows() {
    const int count = ListView_GetItemCount(list_);
    const int top = ListView_GetTopIndex(list_);
    if (count > 0 && top < count) {
        ListView_RedrawItems(list_, top, std::min(count - 1, top + ListView_GetCountPerPage(list_)));
    }
    UpdateWindow(list_);
}

void CTablePane::ShowMessage(unsigned stringId, UINT icon) const {
    ShowMessage(LoadUiString(stringId), icon);
}

void CTablePane::ShowMessage(const std::wstring& text, UINT icon) const {
    MessageBoxW(owner_.Window(), text.c_str(), owner_.Title().c_str(), MB_OK | icon);
}

// A file with nothing to read is a warning: the table is there as it was.
void CTablePane::ShowImportRefusal(const ImportResult& result, const std::wstring& path) const {
    const unsigned message = MessageIdFor(result.outcome);
    if (result.outcome == ImportOutcome::NothingRead) {
        ShowImportReport(WithCounts(LoadUiString(message), {result.invalidLines}), MB_ICONWARNING, path, result.invalidLines);
    } else {
        ShowMessage(message, MB_ICONERROR);
    }
}

void CTablePane::ShowImportReport(const std::wstring& text, UINT icon, const std::wstring& path,
                                  std::size_t invalidLines) const {
    ShowImportMessage(owner_.Window(), owner_.Title(), text, icon, traits_.kind, path, invalidLines);
}

// Over the editor that asked, when there is one.
void CTablePane::ShowTableTooLarge() const {
    MessageBoxW(GetActiveWindow(), LoadUiString(IDS_TABLE_TOO_LARGE).c_str(), owner_.Title().c_str(), MB_OK | MB_ICONERROR);
}

bool CTablePane::AskToSaveWithoutBackup() const {
    return MessageBoxW(owner_.Window(), LoadUiString(IDS_SAVE_WITHOUT_BACKUP).c_str(), owner_.Title().c_str(),
                       MB_YESNO | MB_ICONWARNING) == IDYES;
}

std::wstring CTablePane::WithCounts(std::wstring text, std::initializer_list<std::size_t> counts) {
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
