#include "MainWindow.h"

#include "DialogWindow.h"
#include "DisplayMetrics.h"
#include "UiStrings.h"
#include "res/resource.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

namespace {

constexpr wchar_t WindowClassName[] = L"NewVantixWordloomMainWindow";
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

// The lists and filter boxes are children of the tab control: their notifications go on to the
// main window.
LRESULT CALLBACK CMainWindow::TabControlProc(HWND tab, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR mainWindow) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom != tab) return SendMessageW(reinterpret_cast<HWND>(mainWindow), WM_NOTIFY, wParam, lParam);
    }
    if (message == WM_COMMAND && lParam != 0) return SendMessageW(reinterpret_cast<HWND>(mainWindow), message, wParam, lParam);
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
        if (const auto from = reinterpret_cast<HWND>(wParam); from && PaneOf(from)) {
            OnContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        }
        return 0;
    case WM_REFRESH_COMMAND_STATES:
        commandRefreshPosted_ = false;
        RefreshCommandStates();
        return 0;
    case WM_COMMAND:
        if (lParam != 0) {
            if (CTablePane* pane = PaneOfFilterBox(reinterpret_cast<HWND>(lParam)); pane && HIWORD(wParam) == EN_CHANGE) {
                pane->OnFilterTextChanged();
            }
            if (PaneOfFilterBox(reinterpret_cast<HWND>(lParam))) return 0;
        }
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
        const int smallIconWidth = metrics.smallIconWidth;
        if (phrasePane_.CreateList(tab_, area, tabFont_.get(), smallIconWidth, IDC_PHRASE_FILTER)) {
            InstallImageList(phrasePane_.List());
            phrasePane_.Load();
        }
        if (tipPane_.CreateList(tab_, area, tabFont_.get(), smallIconWidth, IDC_TIP_FILTER)) {
            InstallImageList(tipPane_.List());
            tipPane_.Load(programFileName_);
            tipPane_.Show(false);
        }
        status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)), instance, nullptr);
        if (status_) SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(tabFont_.get()), FALSE);
    }
    if (ribbonFactory_) ribbon_ = ribbonFactory_(*this);
    Layout();
    RefreshCommandStates();
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
    if (status_) {
        // The bar places itself along the bottom; the two parts split its width.
        SendMessageW(status_, WM_SIZE, 0, 0);
        RECT bar{};
        GetWindowRect(status_, &bar);
        client.bottom = std::max(client.top, client.bottom - (bar.bottom - bar.top));
        const int parts[] = {static_cast<int>(client.right) * 2 / 3, -1};
        SendMessageW(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    }
    client.top = std::min(client.bottom, client.top + ribbonHeight_);
    SetWindowPos(tab_, nullptr, client.left, client.top, client.right - client.left, client.bottom - client.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT area = TabDisplayArea(tab_);
    const int margin = MulDiv(4, monitorDpi_ > 0 ? monitorDpi_ : SystemDpi(), 96);
    phrasePane_.Place(area, margin);
    tipPane_.Place(area, margin);
    UpdateStatusBar();
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
        for (const HWND control : {tab_, status_}) {
            if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        }
        phrasePane_.SetFont(font.get());
        tipPane_.SetFont(font.get());
        tabFont_ = std::move(font);
    }
    SetWindowIcons(metrics.smallIconWidth, metrics.smallIconHeight, metrics.largeIconWidth, metrics.largeIconHeight);
    // Both lists get icons at the new size; the two indices stay the same.
    for (const HWND list : {PhraseList(), TipList()}) {
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
    CTablePane* const pane = PaneOf(header.hwndFrom);
    switch (header.code) {
    case TCN_SELCHANGE:
        if (header.hwndFrom == tab_) OnTabChanged();
        return 0;
    case LVN_GETDISPINFOW:
        if (pane) pane->OnDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
        return 0;
    case LVN_ITEMACTIVATE: {
        const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
        if (pane && activate.iItem != -1) CurrentPane().Modify(activate.iItem);
        return 0;
    }
    case LVN_KEYDOWN:
        // The list and its filter box are the pane's two stops for Tab, either way.
        if (pane && reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_TAB) pane->FocusFilterBox();
        return 0;
    case LVN_COLUMNCLICK:
        if (pane == &phrasePane_) phrasePane_.SortByColumn(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return 0;
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (pane && (change.uNewState & LVIS_FOCUSED)) pane->OnFocusChanged(change.iItem);
        // Row -1 stands for every row, and then the old state is not told: any change of state
        // may have moved the selection or the focus.
        if (pane && (change.uChanged & LVIF_STATE)) RefreshCommandStatesSoon();
        return 0;
    }
    case LVN_ODSTATECHANGED:  // a range of rows selected at once (Shift with the arrow keys)
        if (pane) RefreshCommandStatesSoon();
        return 0;
    case NM_CLICK:
        RefreshCommandStates();
        return 0;
    default:
        return DefWindowProcW(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    }
}

CTablePane* CMainWindow::PaneOfFilterBox(HWND box) {
    if (!box) return nullptr;
    if (box == phrasePane_.FilterBox()) return &phrasePane_;
    if (box == tipPane_.FilterBox()) return &tipPane_;
    return nullptr;
}

// The current table's counts, and how many rows its list shows while it is filtered.
void CMainWindow::UpdateStatusBar() {
    if (!status_) return;
    const std::wstring counts = CurrentPane().StatusCounts();
    const std::wstring shown = CurrentPane().StatusShown();
    SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(counts.c_str()));
    SendMessageW(status_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(shown.c_str()));
}

CTablePane* CMainWindow::PaneOf(HWND list) {
    if (!list) return nullptr;
    if (list == phrasePane_.List()) return &phrasePane_;
    if (list == tipPane_.List()) return &tipPane_;
    return nullptr;
}

void CMainWindow::SetRibbonHeight(int height) {
    ribbonHeight_ = std::max(0, height);
    Layout();
}

void CMainWindow::RefreshCommandStates() {
    if (ribbon_) ribbon_->RefreshCommandStates();
    UpdateStatusBar();
    if (shutdownReason_.IsSet() && !HasUnsavedWork()) shutdownReason_.Clear();
}

// The list reports every row whose selection changes, one at a time; a burst of them (Shift
// with the arrow keys, Find, Mark All) refreshes the commands once, when the burst is over.
void CMainWindow::RefreshCommandStatesSoon() {
    if (commandRefreshPosted_ || !window_) return;
    commandRefreshPosted_ = PostMessageW(window_, WM_REFRESH_COMMAND_STATES, 0, 0) != FALSE;
}
