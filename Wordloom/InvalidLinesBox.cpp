#include "InvalidLinesBox.h"

#include "DialogWindow.h"
#include "TableEntries.h"
#include "UiStrings.h"
#include "WholeFile.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

enum Column { LineColumn, ReasonColumn, TextColumn };

constexpr DWORD ListExtendedStyles = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;

std::wstring WideOf(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// The import's own reading of the file again: the report is built only when the import counted
// invalid lines.
InvalidLineReport InvalidLinesOfFile(TableKind kind, const std::wstring& path) {
    const WholeFileContents contents = ReadWholeFile(path, MaxImportFileSize);
    if (contents.outcome != FileReadOutcome::Read) return {};
    const std::string_view bytes(reinterpret_cast<const char*>(contents.units.data()), contents.bytes);
    return FindInvalidLines(kind, bytes);
}

}  // namespace

CInvalidLinesBox::CInvalidLinesBox(HINSTANCE instance, InvalidLineReport report)
    : instance_(instance), report_(std::move(report)) {}

INT_PTR CInvalidLinesBox::Run(HWND owner) {
    return RunModal(instance_, IDD_INVALID_LINES, owner);
}

INT_PTR CInvalidLinesBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == list_ && header->code == LVN_GETDISPINFOW) {
            OnDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
            return TRUE;
        }
        // Ctrl+C in the list copies as the button does.
        if (header->hwndFrom == list_ && header->code == LVN_KEYDOWN &&
            reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey == 'C' && GetKeyState(VK_CONTROL) < 0) {
            CopyRows();
            return TRUE;
        }
        return FALSE;
    }
    case WM_SIZE:
        PlaceControls();
        return TRUE;
    case WM_GETMINMAXINFO:
        if (layout_) {
            RECT frame{0, 0, layout_->minimumClient.cx, layout_->minimumClient.cy};
            AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(Window(), GWL_STYLE)), FALSE,
                               static_cast<DWORD>(GetWindowLongPtrW(Window(), GWL_EXSTYLE)));
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = POINT{frame.right - frame.left, frame.bottom - frame.top};
        }
        return TRUE;
    default:
        return CDialog::HandleMessage(message, wParam, lParam);
    }
}

bool CInvalidLinesBox::OnCommand(int id, int) {
    if (id == IDC_INVALID_LINES_COPY) CopyRows();
    if (id == IDCANCEL) EndDialog(Window(), IDCANCEL);
    return id == IDC_INVALID_LINES_COPY || id == IDCANCEL;
}

// The controls are gone: the list's handle is forgotten and the font can go.
void CInvalidLinesBox::OnFinalMessage() {
    list_ = nullptr;
    layout_.reset();
    font_.reset();
}

void CInvalidLinesBox::OnInitDialog() {
    list_ = GetDlgItem(Window(), IDC_INVALID_LINES_LIST);
    SetWindowTextW(Window(), LoadUiString(IDS_INVALID_LINES_CAPTION).c_str());
    for (std::size_t reason = 0; reason < ReasonCount; ++reason) {
        reasons_[reason] = LoadUiString(IDS_REASON_NO_ENCODING + static_cast<unsigned>(reason));
    }
    ListView_SetExtendedListViewStyle(list_, ListExtendedStyles);
    Layout();
    ListView_SetItemCountEx(list_, static_cast<int>(report_.lines.size()), 0);
    if (!report_.lines.empty()) ListView_SetItemState(list_, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    CentreWindow(Window());
    SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list_), TRUE);
}

// Laid out once for the dialog font at the device context's DPI, as the tool's other dialogs
// are; every size after that only moves the controls.
void CInvalidLinesBox::Layout() {
    const std::wstring copy = LoadUiString(IDS_INVALID_COPY);
    const std::wstring close = LoadUiString(IDS_INVALID_CLOSE);
    DialogMeasure measure(Window(), DialogDpiRule::DeviceContext);
    std::optional<InvalidLinesMeasurements> measured;
    std::optional<Size> lineExtent;
    if (measure.HasDeviceContext()) {
        // The widest line number has as many digits as the last one; eights are the widest digits.
        const std::wstring digits(std::to_wstring(report_.lines.empty() ? 1 : report_.lines.back().number).size(), L'8');
        const std::optional<Size> digitsExtent = measure.Extent(digits);
        const std::optional<Size> titleExtent = measure.Extent(LoadUiString(IDS_INVALID_COLUMN_LINE));
        if (digitsExtent && titleExtent) lineExtent = digitsExtent->cx > titleExtent->cx ? digitsExtent : titleExtent;
        measured = InvalidLinesMeasurements{measure.Dpi(),
                                            Size{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)},
                                            measure.Extent(copy), measure.Extent(close)};
    }
    layout_ = InvalidLinesLayoutFor(measured);
    const int dpi = measure.Dpi();
    font_ = measure.TakeFont();
    const HFONT font = font_.get();

    ResizeDialogClient(Window(), layout_->clientSize, dpi, DialogDpiRule::DeviceContext);
    PlaceDialogControl(Window(), IDC_INVALID_LINES_COPY, {}, font, &copy);
    PlaceDialogControl(Window(), IDCANCEL, {}, font, &close);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    PlaceControls();

    // Columns: the line number, the reason, the text, sized to the list as it opens.
    RECT listClient{};
    GetClientRect(list_, &listClient);
    const int padding = 2 * ScaleForDpi(6, dpi);
    const InvalidLinesColumns widths = InvalidLinesColumnsFor(
        listClient.right - GetSystemMetrics(SM_CXVSCROLL), lineExtent.value_or(Size{40, 0}).cx + padding);
    const std::array<std::pair<unsigned, int>, 3> columns{
        {{IDS_INVALID_COLUMN_LINE, widths.line}, {IDS_INVALID_COLUMN_REASON, widths.reason}, {IDS_INVALID_COLUMN_TEXT, widths.text}}};
    for (int column = 0; column < 3; ++column) {
        std::wstring title = LoadUiString(columns[static_cast<std::size_t>(column)].first);
        LVCOLUMNW lvColumn{};
        lvColumn.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        lvColumn.fmt = column == LineColumn ? LVCFMT_RIGHT : LVCFMT_LEFT;
        lvColumn.cx = columns[static_cast<std::size_t>(column)].second;
        lvColumn.pszText = title.data();
        lvColumn.iSubItem = column;
        ListView_InsertColumn(list_, column, &lvColumn);
    }
}

void CInvalidLinesBox::PlaceControls() {
    if (!layout_) return;
    RECT clientRect{};
    GetClientRect(Window(), &clientRect);
    const InvalidLinesPlacement placement = PlaceInvalidLinesControls(*layout_, Size{clientRect.right, clientRect.bottom});
    auto move = [this](int id, const Rect& rect) {
        MoveWindow(GetDlgItem(Window(), id), rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    };
    move(IDC_INVALID_LINES_LIST, placement.list);
    move(IDC_INVALID_LINES_COPY, placement.copy);
    move(IDCANCEL, placement.close);
    move(IDC_INVALID_LINES_GRIP, placement.grip);
}

std::wstring CInvalidLinesBox::Cell(std::size_t row, int column) const {
    const InvalidLine& line = report_.lines[row];
    switch (column) {
    case LineColumn: return std::to_wstring(line.number);
    case ReasonColumn: return reasons_[static_cast<std::size_t>(line.fault.reason)];
    case TextColumn: return WideOf(VisibleLineText(report_.TextOf(line)));
    default: return {};
    }
}

// The list holds no copy of the rows: each visible cell is asked for here.
void CInvalidLinesBox::OnDisplayInfo(NMLVDISPINFOW& info) const {
    LVITEMW& item = info.item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= report_.lines.size()) return;
    const std::wstring text = Cell(static_cast<std::size_t>(item.iItem), item.iSubItem);
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(text.data(), length, item.pszText);
    item.pszText[length] = L'\0';
}

std::wstring CInvalidLinesBox::RowsAsText() const {
    std::wstring text = LoadUiString(IDS_INVALID_COLUMN_LINE) + L'\t' + LoadUiString(IDS_INVALID_COLUMN_REASON) + L'\t' +
                        LoadUiString(IDS_INVALID_COLUMN_TEXT) + L"\r\n";
    for (std::size_t row = 0; row < report_.lines.size(); ++row) {
        text += Cell(row, LineColumn) + L'\t' + Cell(row, ReasonColumn) + L'\t' + Cell(row, TextColumn) + L"\r\n";
    }
    return text;
}

void CInvalidLinesBox::CopyRows() const {
    const std::wstring text = RowsAsText();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    std::unique_ptr<void, GlobalFreeDeleter> memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return;
    void* target = GlobalLock(memory.get());
    if (!target) return;
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory.get());
    const OpenClipboardScope clipboard(Window());
    if (!clipboard.IsOpen() || !EmptyClipboard()) return;
    // Once the clipboard has it, the memory is the clipboard's.
    if (SetClipboardData(CF_UNICODETEXT, memory.get())) memory.release();
}

void ShowImportMessage(HWND owner, const std::wstring& title, const std::wstring& text, UINT icon, TableKind kind,
                       const std::wstring& path, std::size_t invalidLines) {
    if (invalidLines == 0) {
        MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | icon);
        return;
    }
    const std::wstring question = text + L"\n\n" + LoadUiString(IDS_SHOW_INVALID_LINES);
    if (MessageBoxW(owner, question.c_str(), title.c_str(), MB_YESNO | icon) != IDYES) return;
    CInvalidLinesBox box(GetModuleHandleW(nullptr), InvalidLinesOfFile(kind, path));
    box.Run(owner);
}
