#include "MainWindow.h"

#include "DialogWindow.h"
#include "DisplayMetrics.h"
#include "PhraseStore.h"
#include "TipStore.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

namespace {

constexpr wchar_t WindowClassName[] = L"NewVantixWordloomMainWindow";
constexpr DWORD ListExtendedStyles = LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT |
                                     LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT | LVS_EX_DOUBLEBUFFER;

struct ColumnSpec {
    unsigned textId;  // 0: no text
    int width;        // 0: two small icons
};
constexpr std::array<ColumnSpec, 4> PhraseColumns{{{0, 0}, {IDS_COLUMN_PHRASE, 200}, {IDS_COLUMN_VANTIX_KEY, 200}, {IDS_COLUMN_INPUT_KEY, 200}}};
constexpr std::array<ColumnSpec, 3> TipColumns{{{0, 0}, {IDS_COLUMN_CHARACTER, 120}, {IDS_COLUMN_TIP_WORDS, 480}}};

HICON LoadIconAt(HINSTANCE instance, int iconId, int width, int height) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

// The list's display area inside the tab control.
RECT TabDisplayArea(HWND tab) {
    RECT area{};
    GetClientRect(tab, &area);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    return area;
}

void CopyCellText(const std::u16string& text, wchar_t* buffer, int capacity) {
    if (!buffer || capacity <= 0) return;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.data(), length, buffer);
    buffer[length] = L'\0';
}

}  // namespace

CMainWindow::CMainWindow(RibbonFactory ribbonFactory) : ribbonFactory_(ribbonFactory) {}

CMainWindow::~CMainWindow() {
    if (window_) DestroyWindow(window_);
}

HWND CMainWindow::Create(HINSTANCE instance, const std::wstring& title) {
    title_ = title;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = WindowClassName;
    windowClass.hIcon = LoadIconAt(instance, IDI_VANTIX, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    windowClass.hIconSm = LoadIconAt(instance, IDI_VANTIX, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    // A second window of the same process (the tests make several) finds the class registered.
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

    CreateWindowExW(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, WindowClassName, title_.c_str(),
                    WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    return window_;
}

LRESULT CALLBACK CMainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<CMainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CMainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

// The lists are children of the tab control: their notifications go on to the main window.
LRESULT CALLBACK CMainWindow::TabControlProc(HWND tab, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR mainWindow) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom != tab) return SendMessageW(reinterpret_cast<HWND>(mainWindow), WM_NOTIFY, wParam, lParam);
    }
    return DefSubclassProc(tab, message, wParam, lParam);
}

LRESULT CMainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        EnableNonClientScalingIfNeeded(window_);
        break;
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window_, &paint);
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
        // The session ends: everything was asked about in WM_QUERYENDSESSION.
        if (wParam) DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU:
        // The Edit popup belongs to the lists: a right click on the ribbon or the tab row opens
        // nothing.
        if (const auto from = reinterpret_cast<HWND>(wParam); from && (from == phraseList_ || from == tipList_)) {
            OnContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        }
        return 0;
    case WM_REFRESH_COMMAND_STATES:
        commandRefreshPosted_ = false;
        RefreshCommandStates();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_DPICHANGED:
        if (CurrentWindowsVersion().IsWindows8Point1OrLater()) {
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void CMainWindow::OnCreate() {
    RECT client{};
    GetClientRect(window_, &client);
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    tab_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP,
                           0, 0, client.right, client.bottom, window_, nullptr, instance, nullptr);
    if (IsWindow(tab_)) {
        SetWindowSubclass(tab_, TabControlProc, 0, reinterpret_cast<DWORD_PTR>(window_));
        monitorDpi_ = MonitorDpi(window_);
        const DisplayMetrics metrics = DisplayMetricsAtDpi(window_, monitorDpi_);
        tabFont_.reset(CreateFontIndirectW(&metrics.messageFont));
        SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(tabFont_.get()), TRUE);
        SetWindowIcons(metrics.smallIconWidth, metrics.smallIconHeight, metrics.largeIconWidth, metrics.largeIconHeight);

        for (const auto& [index, textId] : {std::pair{0, IDS_TAB_PHRASES}, std::pair{1, IDS_TAB_TIPS}}) {
            std::array<wchar_t, StringBufferLength> text{};
            LoadUiString(textId, text);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text.data();
            TabCtrl_InsertItem(tab_, index, &item);
        }

        const RECT area = TabDisplayArea(tab_);
        phraseList_ = CreateList(true, area);
        if (phraseList_) {
            // A stored value the tool cannot read stays as it is until the user saves this table.
            if (LoadUserPhrases(phrases_, images_.normalImage) == StoredValueRead::Unreadable) {
                ShowMessage(IDS_PHRASES_UNREADABLE, MB_ICONWARNING);
            }
            ListView_SetItemCountEx(phraseList_, static_cast<int>(phrases_.table.size()), 0);
        }
        tipList_ = CreateList(false, area);
        if (tipList_) {
            // Without its own path the tool cannot find its dictionary: it says so and goes on
            // with no associated words.
            const LoadTipsOutcome loaded = LoadTips(tips_, images_.normalImage, ProgramFilePath(programFileName_));
            if (const unsigned message = MessageIdFor(loaded)) ShowMessage(message, MB_ICONERROR);
            if (loaded == LoadTipsOutcome::Unreadable) ShowMessage(IDS_TIPS_UNREADABLE, MB_ICONWARNING);
            ListView_SetItemCountEx(tipList_, static_cast<int>(tips_.table.size()), 0);
            ShowWindow(tipList_, SW_HIDE);
        }
    }
    if (ribbonFactory_) ribbon_ = ribbonFactory_(*this);
    Layout();
    RefreshCommandStates();
}

HWND CMainWindow::CreateList(bool phrases, const RECT& area) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | LVS_REPORT |
                        LVS_SHOWSELALWAYS | LVS_OWNERDATA | (phrases ? 0 : LVS_NOSORTHEADER);
    const HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, area.left, area.top,
                                      area.right - area.left, area.bottom - area.top, tab_, nullptr,
                                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), nullptr);
    if (!IsWindow(list)) return nullptr;
    ListView_SetExtendedListViewStyle(list, ListExtendedStyles);
    // The lists show the tab's font, the system's message font, which also has the Chinese glyphs.
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(tabFont_.get()), FALSE);
    InstallImageList(list);

    const int smallIconWidth = DisplayMetricsAtDpi(window_, monitorDpi_).smallIconWidth;
    int column = 0;
    auto insertColumn = [&](const ColumnSpec& definition) {
        std::array<wchar_t, StringBufferLength> text{};
        if (definition.textId) LoadUiString(definition.textId, text);
        LVCOLUMNW lvColumn{};
        lvColumn.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        lvColumn.fmt = LVCFMT_LEFT;
        lvColumn.cx = definition.width ? definition.width : 2 * smallIconWidth;
        lvColumn.pszText = text.data();
        lvColumn.iSubItem = column;
        ListView_InsertColumn(list, column++, &lvColumn);
    };
    if (phrases) {
        for (const ColumnSpec& definition : PhraseColumns) insertColumn(definition);
    } else {
        for (const ColumnSpec& definition : TipColumns) insertColumn(definition);
    }
    ListView_SetCallbackMask(list, LVIS_CUT | LVIS_STATEIMAGEMASK);
    return list;
}

// A new small image list with the two row icons at the current small icon size; the list
// frees the one it had unless it never had one.
void CMainWindow::InstallImageList(HWND list) {
    const DisplayMetrics metrics = DisplayMetricsAtDpi(window_, monitorDpi_);
    UniqueImageList images(ImageList_Create(metrics.smallIconWidth, metrics.smallIconHeight, ILC_COLOR32, 1, 2));
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    for (const auto& [iconId, index] : {std::pair{IDI_ENTRY_NORMAL, &images_.normalImage},
                                       std::pair{IDI_ENTRY_DELETED, &images_.deletedImage}}) {
        const UniqueIcon icon(LoadIconAt(instance, iconId, metrics.smallIconWidth, metrics.smallIconHeight));
        *index = ImageList_AddIcon(images.get(), icon.get());
    }
    // The list owns the images it shows and hands back the ones it had.
    const UniqueImageList previous(ListView_SetImageList(list, images.release(), LVSIL_SMALL));
}

void CMainWindow::SetWindowIcons(int smallWidth, int smallHeight, int largeWidth, int largeHeight) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    UniqueIcon newSmall(LoadIconAt(instance, IDI_VANTIX, smallWidth, smallHeight));
    UniqueIcon newLarge(LoadIconAt(instance, IDI_VANTIX, largeWidth, largeHeight));
    for (const auto& [which, icon, previous] : {std::tuple{ICON_SMALL, newSmall.get(), smallIcon_.get()},
                                                std::tuple{ICON_BIG, newLarge.get(), largeIcon_.get()}}) {
        const auto replaced = reinterpret_cast<HICON>(SendMessageW(window_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon)));
        if (replaced && replaced != previous) DestroyIcon(replaced);
    }
    smallIcon_ = std::move(newSmall);
    largeIcon_ = std::move(newLarge);
}

void CMainWindow::Layout() {
    if (!tab_) return;
    RECT client{};
    GetClientRect(window_, &client);
    client.top = std::min(client.bottom, client.top + ribbonHeight_);
    SetWindowPos(tab_, nullptr, client.left, client.top, client.right - client.left, client.bottom - client.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT area = TabDisplayArea(tab_);
    for (const HWND list : {phraseList_, tipList_}) {
        if (list) {
            SetWindowPos(list, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

// The message names the new DPI; the window's monitor may not report it yet while it moves.
void CMainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    monitorDpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const DisplayMetrics metrics = DisplayMetricsAtDpi(window_, monitorDpi_);
    if (metrics.monitorDpiKnown && tab_) {
        // The controls take the new font before the old one is deleted.
        UniqueFont font(CreateFontIndirectW(&metrics.messageFont));
        for (const HWND control : {tab_, phraseList_, tipList_}) {
            if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        }
        tabFont_ = std::move(font);
    }
    SetWindowIcons(metrics.smallIconWidth, metrics.smallIconHeight, metrics.largeIconWidth, metrics.largeIconHeight);
    // Both lists get icons at the new size; the two indices stay the same.
    for (const HWND list : {phraseList_, tipList_}) {
        if (list) InstallImageList(list);
    }
    Layout();
}

void CMainWindow::OnDestroy() {
    shutdownReason_.Clear();
    if (ribbon_) ribbon_->DestroyViews();
    ribbon_.reset();
    if (tab_) RemoveWindowSubclass(tab_, TabControlProc, 0);
    tabFont_.reset();
    PostQuitMessage(0);
}

LRESULT CMainWindow::OnNotify(const NMHDR& header) {
    const bool fromList = header.hwndFrom == phraseList_ || header.hwndFrom == tipList_;
    switch (header.code) {
    case TCN_SELCHANGE:
        if (header.hwndFrom == tab_) OnTabChanged();
        return 0;
    case LVN_GETDISPINFOW:
        if (fromList) OnDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
        return 0;
    case LVN_ITEMACTIVATE: {
        const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
        if (fromList && activate.iItem != -1) ModifyRow(activate.iItem);
        return 0;
    }
    case LVN_COLUMNCLICK:
        if (header.hwndFrom == phraseList_) SortByColumn(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return 0;
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (fromList && (change.uNewState & LVIS_FOCUSED)) {
            (header.hwndFrom == phraseList_ ? focusedPhrase_ : focusedTip_) = change.iItem;
        }
        // Row -1 stands for every row, and then the old state is not told: any change of state
        // may have moved the selection or the focus.
        if (fromList && (change.uChanged & LVIF_STATE)) RefreshCommandStatesSoon();
        return 0;
    }
    case LVN_ODSTATECHANGED:  // a range of rows selected at once (Shift with the arrow keys)
        if (fromList) RefreshCommandStatesSoon();
        return 0;
    case NM_CLICK:
        RefreshCommandStates();
        return 0;
    default:
        return DefWindowProcW(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    }
}

// The lists hold no copy of the tables: each visible cell is asked for here.
void CMainWindow::OnDisplayInfo(NMLVDISPINFOW& info) const {
    LVITEMW& item = info.item;
    const bool phrases = info.hdr.hwndFrom == phraseList_;
    const std::size_t count = phrases ? phrases_.table.size() : tips_.table.size();
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= count) return;
    const auto row = static_cast<std::size_t>(item.iItem);
    const std::uint32_t flags = phrases ? phrases_.table[row].flags : tips_.table[row].flags;
    const std::int32_t image = phrases ? phrases_.table[row].image : tips_.table[row].image;

    // Only column 0 shows the icon; the other columns must say they have none, or the list
    // draws whatever index it started with.
    if (item.mask & LVIF_IMAGE) item.iImage = item.iSubItem == 0 ? image : I_IMAGENONE;
    if (item.mask & LVIF_STATE) {
        if (flags & EntryDeleted) {
            item.state |= LVIS_CUT;
        } else {
            item.state &= ~static_cast<UINT>(LVIS_CUT);
        }
    }
    if (item.mask & LVIF_TEXT) {
        const std::u16string* text = nullptr;
        if (phrases) {
            const PhraseEntry& entry = phrases_.table[row];
            if (item.iSubItem == 1) text = &entry.phrase;
            if (item.iSubItem == 2) text = &entry.vantixKey;
            if (item.iSubItem == 3) text = &entry.inputKey;
        } else {
            const TipEntry& entry = tips_.table[row];
            if (item.iSubItem == 1) text = &entry.character;
            if (item.iSubItem == 2) text = &entry.words;
        }
        if (text) CopyCellText(*text, item.pszText, item.cchTextMax);
    }
}

void CMainWindow::SetRibbonHeight(int height) {
    ribbonHeight_ = std::max(0, height);
    Layout();
}

void CMainWindow::RefreshCommandStates() {
    if (ribbon_) ribbon_->RefreshCommandStates();
    if (shutdownReason_.IsSet() && !HasUnsavedWork()) shutdownReason_.Clear();
}

// The list reports every row whose selection changes, one at a time; a burst of them (Shift
// with the arrow keys, Find, Mark All) refreshes the commands once, when the burst is over.
void CMainWindow::RefreshCommandStatesSoon() {
    if (commandRefreshPosted_ || !window_) return;
    commandRefreshPosted_ = PostMessageW(window_, WM_REFRESH_COMMAND_STATES, 0, 0) != FALSE;
}
